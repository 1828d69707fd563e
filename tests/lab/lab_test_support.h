// Helpers of the laboratory tests: a folder of their own and whole files.
#pragma once

#include <stdlib.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace wegator::lab::testing {

// A fresh folder under the system's temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "wegator-lab-XXXXXX").string();
        if (::mkdtemp(name.data()) != nullptr) path_ = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// ---- instrument lines as the instruments send them

// A number field of `width` characters holding round(value × scale): digits
// with leading zeros, or "-" and one digit fewer.
inline std::string Digits(double value, double scale, int width) {
    const long long n = std::llround(value * scale);
    char buffer[32];
    if (n < 0) {
        std::snprintf(buffer, sizeof buffer, "-%0*lld", width - 1, -n);
    } else {
        std::snprintf(buffer, sizeof buffer, "%0*lld", width, n);
    }
    return buffer;
}

// A QX frame: the start character, then the body with odd parity in bit 64, then CR.
inline std::string QxLine(std::string_view body) {
    std::string line = "@";
    for (char c : body) {
        auto u = static_cast<unsigned char>(c);
        if (std::popcount(static_cast<unsigned>(u)) % 2 == 0) u |= 0x40;
        line += static_cast<char>(u);
    }
    return line + "\r";
}
// Flag "0" (bits 16 and 32), identifier 0x1234.
inline std::string QxPressure(double kilopascal) { return QxLine("03412" + Digits(kilopascal, 100, 5)); }
inline std::string QxEnvironment(double humidity, double celsius) {
    return QxLine("03412" + Digits(humidity, 10, 3) + Digits(celsius, 10, 4));
}
inline std::string QxChannel(int channel, double celsius, bool highResolution = true) {
    return QxLine("03412" + std::to_string(channel) +
                  (highResolution ? Digits(celsius, 100, 6) + "0" : Digits(celsius, 10, 5)));
}
inline std::string Dp30Line(double celsius) {
    const std::string digits = Digits(std::fabs(celsius), 100, 5);  // hundreds … hundredths
    return std::string("R**B*") + (celsius < 0 ? "-" : " ") + digits.substr(0, 3) + "." + digits.substr(3) + "\r";
}
inline std::string F250Line(double celsius, char input = 'A') {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%c%c%07.3fC\r", input, celsius < 0 ? '-' : ' ', std::fabs(celsius));
    return buffer;
}

}  // namespace wegator::lab::testing
