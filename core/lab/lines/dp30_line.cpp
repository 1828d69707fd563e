#include "lab/lines/dp30_line.h"

#include <string_view>

namespace wegator::lab {

namespace {

constexpr std::string_view kMarker = "R**B*";
constexpr std::size_t kSignPos = 5;
constexpr std::size_t kHundredsPos = 6;
constexpr std::size_t kTensPos = 7;
constexpr std::size_t kUnitsPos = 8;
// Position 9 holds the point; it is not read.
constexpr std::size_t kTenthsPos = 10;
constexpr std::size_t kHundredthsPos = 11;

int Digit(std::uint8_t c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

bool MarkerPresent(std::span<const std::uint8_t> line) {
    for (std::size_t i = 0; i < kMarker.size(); ++i) {
        if (line[i] != static_cast<std::uint8_t>(kMarker[i])) return false;
    }
    return true;
}

// The sign place holds a blank (or "+") for a dew point above zero and "-" below.
bool ReadSign(std::uint8_t c, bool& negative) {
    negative = c == '-';
    return c == '-' || c == ' ' || c == '+';
}

// Dew point in °C from the five digit places; false when one holds no digit.
bool ReadMagnitude(std::span<const std::uint8_t> line, double& out) {
    const int h = Digit(line[kHundredsPos]), t = Digit(line[kTensPos]), u = Digit(line[kUnitsPos]);
    const int d1 = Digit(line[kTenthsPos]), d2 = Digit(line[kHundredthsPos]);
    if (h < 0 || t < 0 || u < 0 || d1 < 0 || d2 < 0) return false;
    // Whole hundredths first, so 12.34 comes out as the double nearest 12.34.
    out = (10000 * h + 1000 * t + 100 * u + 10 * d1 + d2) / 100.0;
    return true;
}

}  // namespace

Dp30DecodeResult DecodeDp30Line(std::span<const std::uint8_t> line) {
    Dp30DecodeResult r;
    if (line.size() != kDp30LineLength) return r;
    bool negative = false;
    if (!MarkerPresent(line) || !ReadSign(line[kSignPos], negative)) {
        r.verdict = Verdict::Format;
        return r;
    }
    double magnitude = 0.0;
    if (!ReadMagnitude(line, magnitude)) {
        r.verdict = Verdict::Digit;
        return r;
    }
    r.verdict = Verdict::Accepted;
    r.dewPoint = negative ? -magnitude : magnitude;
    return r;
}

}  // namespace wegator::lab
