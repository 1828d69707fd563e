// The simulator's side of a serial line: a pseudo-terminal whose other end
// (/dev/pts/N) the program opens as if it were the instrument's port, and the
// COMn link under which the program finds it.
#pragma once

#include <filesystem>
#include <string>

namespace wegator::sim {

class PtyPort {
public:
    PtyPort() = default;
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;
    ~PtyPort() { Close(); }

    // A new pseudo-terminal in raw mode. False (with the reason) when none can be had.
    bool Create(std::string& error);
    // The instrument is unplugged: the program's side sees the line vanish.
    void Close();

    int Fd() const { return master_; }
    bool Exists() const { return master_ >= 0; }
    const std::string& DevicePath() const { return device_; }
    // Whether a program holds the other end open (it may then be sent to).
    bool PeerOpen() const;

private:
    int master_ = -1;
    std::string device_;
};

// $XDG_CONFIG_HOME/TREVAN/ports (default ~/.config/TREVAN/ports): where the
// program looks for COMn before its fixed mapping.
std::filesystem::path PortsFolder();

// "COM1" … "COM256".
bool ValidComName(const std::string& name);

// Points ports/COMn at the device, replacing an older link in one step (a
// reader never finds the name missing or half made). Refuses to replace
// anything that is not a link.
bool CreateLink(const std::string& comName, const std::string& device, std::string& error);
// Removes ports/COMn if it still points at the device.
void RemoveLink(const std::string& comName, const std::string& device);

}  // namespace wegator::sim
