// Serial ports are named as the laboratory has always named them, "COM1" to
// "COM256" (the settings keep the number n). On this system a COMn is the
// symbolic link COMn in the user's ports folder when one exists (users point
// it at /dev/serial/by-id/… so that the number survives replugging, and the
// instrument simulator creates such links), otherwise a fixed device:
//
//   COM1–COM32   /dev/ttyS0–31     (ports on the board)
//   COM33–COM64  /dev/ttyUSB0–31   (USB adapters)
//   COM65–COM96  /dev/ttyACM0–31   (USB modem-class devices)
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace wegator::lab {

inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 256;

// "COM7" (any letter case) → 7; nullopt for anything else, such as "COM0",
// "COM07", "COM257", "COM7x" or a device path.
std::optional<int> ParseComName(std::string_view name);
// 7 → "COM7".
std::string ComName(int number);

// The folder of the COMn links: <user configuration folder>/ports. Empty when
// no home folder can be found.
std::filesystem::path PortLinkFolder();
// <PortLinkFolder()>/COMn.
std::filesystem::path PortLinkPath(int number);

// The fixed device of COMn, empty for a number beyond COM96.
std::filesystem::path FixedPortDevice(int number);
// The COM number of a fixed device ("/dev/ttyUSB3" → 36), nullopt for any other path.
std::optional<int> FixedPortNumber(const std::filesystem::path& device);

// Where a port named by the user leads.
struct ResolvedPort {
    std::filesystem::path device;  // the device to open; empty when there is none
    std::string error;             // why there is none, for the user
};
// "COMn" → the target of its link when the link exists (a link whose target
// is missing is an error, never a silent fall back to the fixed device), else
// the fixed device. Any other text is taken as a device path. Link targets
// are resolved to the real device so that two names of one port are one port.
ResolvedPort ResolvePort(std::string_view nameOrPath);

}  // namespace wegator::lab
