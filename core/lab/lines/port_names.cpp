#include "lab/lines/port_names.h"

#include <array>
#include <charconv>
#include <system_error>

#include "app/user_folders.h"

namespace wegator::lab {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kComPrefix = "COM";
constexpr int kPortsPerFamily = 32;

struct DeviceFamily {
    std::string_view prefix;  // the device path without its index
    int firstPort;            // the COM number of index 0
};
constexpr std::array<DeviceFamily, 3> kFixedFamilies = {{
    {"/dev/ttyS", 1},
    {"/dev/ttyUSB", 33},
    {"/dev/ttyACM", 65},
}};

bool IsAsciiDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

std::optional<int> ParseComName(std::string_view name) {
    if (name.size() <= kComPrefix.size()) return std::nullopt;
    for (std::size_t i = 0; i < kComPrefix.size(); ++i) {
        const char c = name[i];
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper != kComPrefix[i]) return std::nullopt;
    }
    const std::string_view digits = name.substr(kComPrefix.size());
    // "COM07" would name a link other than COM7's: only the plain number counts.
    if (!IsAsciiDigits(digits) || digits.front() == '0') return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (number < kFirstComPort || number > kLastComPort) return std::nullopt;
    return number;
}

std::string ComName(int number) { return std::string(kComPrefix) + std::to_string(number); }

fs::path PortLinkFolder() {
    const fs::path config = wegator::UserConfigFolder();
    if (config.empty()) return {};
    return config / "ports";
}

fs::path PortLinkPath(int number) {
    const fs::path folder = PortLinkFolder();
    if (folder.empty()) return {};
    return folder / ComName(number);
}

fs::path FixedPortDevice(int number) {
    for (const DeviceFamily& family : kFixedFamilies) {
        const int index = number - family.firstPort;
        if (index >= 0 && index < kPortsPerFamily) return std::string(family.prefix) + std::to_string(index);
    }
    return {};
}

std::optional<int> FixedPortNumber(const fs::path& device) {
    const std::string text = device.string();
    for (const DeviceFamily& family : kFixedFamilies) {
        if (text.size() <= family.prefix.size() || text.compare(0, family.prefix.size(), family.prefix) != 0) continue;
        const std::string_view digits = std::string_view(text).substr(family.prefix.size());
        // The kernel names its devices ttyUSB0 to ttyUSB31, never ttyUSB07.
        if (!IsAsciiDigits(digits) || digits.size() > 2 || (digits.size() > 1 && digits.front() == '0')) {
            return std::nullopt;
        }
        int index = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (index >= kPortsPerFamily) return std::nullopt;
        return family.firstPort + index;
    }
    return std::nullopt;
}

ResolvedPort ResolvePort(std::string_view nameOrPath) {
    const std::optional<int> number = ParseComName(nameOrPath);
    if (!number) {
        if (nameOrPath.empty()) return {{}, "no port given"};
        return {fs::path(nameOrPath), {}};
    }
    const std::string name = ComName(*number);
    const fs::path link = PortLinkPath(*number);
    std::error_code error;
    if (!link.empty() && fs::symlink_status(link, error).type() != fs::file_type::not_found && !error) {
        const fs::path target = fs::canonical(link, error);
        if (error) {
            return {{}, name + ": the link " + link.string() + " leads to no device (" + error.message() + ")"};
        }
        return {target, {}};
    }
    fs::path fixed = FixedPortDevice(*number);
    if (fixed.empty()) {
        return {{},
                name + " has no device: make " + (link.empty() ? std::string("a link COMn") : link.string()) +
                    " a link to the port"};
    }
    return {std::move(fixed), {}};
}

}  // namespace wegator::lab
