// The machine's serial ports as the settings offer them: one line per port,
// in increasing COM number, "COMn:device" or "COMn:device: description"
// (the settings page shows "COMn (device: description)"). A port counts under
// its link name (the user's ports folder) and under its fixed name (COM1–96);
// a port with neither cannot be chosen and is not listed. Safe to call on a
// worker thread.
#pragma once

#include <QString>
#include <vector>

namespace wegator {

struct SerialPortEntry {
    int number = 0;       // the n of COMn
    QString device;       // the device the name leads to
    QString description;  // what the system knows of the device; may be empty
};

// The ports in increasing number: every COMn link whose device exists, and
// every port the system lists under a fixed name that no link takes over.
std::vector<SerialPortEntry> FindSerialPorts();
// One line per entry, each ending with a line feed.
QString PortListText(const std::vector<SerialPortEntry>& entries);
// FindSerialPorts() as text; `count` (when given) receives the number of ports.
QString ListSerialPorts(int* count = nullptr);

}  // namespace wegator
