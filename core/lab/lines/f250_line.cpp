#include "lab/lines/f250_line.h"

#include <algorithm>
#include <optional>

namespace wegator::lab {

namespace {

constexpr std::uint8_t kPoint = '.';
constexpr std::uint8_t kMinus = '-';
constexpr std::uint8_t kBlank = ' ';
constexpr std::uint8_t kResistance = 'R';
constexpr std::size_t kIntegerDigits = 3;
constexpr std::size_t kFractionDigits = 3;
constexpr double kFahrenheitZero = 32.0;
constexpr double kFahrenheitStep = 0.5555555555555556;  // 5/9 K per °F
constexpr double kKelvinZero = 273.15;

bool IsInput(std::uint8_t c) { return c == 'A' || c == 'B'; }
bool IsUnit(std::uint8_t c) { return c == 'C' || c == 'K' || c == 'F'; }
bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

// The last position in [from, to) whose character passes the test.
template <typename Test>
std::optional<std::size_t> LastOf(std::span<const std::uint8_t> line, std::size_t from, std::size_t to, Test test) {
    for (std::size_t i = to; i > from; --i) {
        if (test(line[i - 1])) return i - 1;
    }
    return std::nullopt;
}

// The whole degrees between the input letter and the point: blanks, a "-"
// for a temperature below zero, up to three digits. Nothing else.
struct IntegerPart {
    bool ok = false;
    bool negative = false;
    int value = 0;
    std::size_t digits = 0;
};

IntegerPart ReadIntegerPart(std::span<const std::uint8_t> field) {
    IntegerPart r;
    for (std::uint8_t c : field) {
        if (IsDigit(c)) {
            if (++r.digits > kIntegerDigits) return r;
            r.value = r.value * 10 + (c - '0');
        } else if (r.digits > 0 || (c == kMinus && r.negative)) {
            return r;  // a character after the digits, or a second "-"
        } else if (c == kMinus) {
            r.negative = true;
        } else if (c != kBlank) {
            return r;
        }
    }
    r.ok = true;
    return r;
}

// Thousandths from the up to three digits after the point; -1 when one of
// them is no digit.
int ReadFraction(std::span<const std::uint8_t> field) {
    int thousandths = 0, scale = 100;
    for (std::uint8_t c : field) {
        if (!IsDigit(c)) return -1;
        thousandths += (c - '0') * scale;
        scale /= 10;
    }
    return thousandths;
}

double ToCelsius(double value, std::uint8_t unit) {
    switch (unit) {
        case 'F': return (value - kFahrenheitZero) * kFahrenheitStep;
        case 'K': return value - kKelvinZero;
        default: return value;
    }
}

}  // namespace

F250DecodeResult DecodeF250Line(std::span<const std::uint8_t> line) {
    F250DecodeResult r;
    if (line.size() < kF250ShortestLine || line.size() > kF250LongestLine) return r;
    const std::size_t end = line.size() - 1;  // the carriage return

    r.verdict = Verdict::Format;
    const auto input = LastOf(line, 0, end, IsInput);
    if (!input) return r;
    const auto point = LastOf(line, *input + 1, end, [](std::uint8_t c) { return c == kPoint; });
    if (!point) return r;
    for (std::size_t i = *point + 1; i < end; ++i) {
        if (line[i] == kResistance) ++r.unitCommands;
    }
    const auto unit = LastOf(line, *point + 1, end, IsUnit);
    if (!unit) return r;

    r.verdict = Verdict::Digit;
    const IntegerPart whole = ReadIntegerPart(line.subspan(*input + 1, *point - *input - 1));
    const std::size_t fractionEnd = std::min(*point + 1 + kFractionDigits, *unit);
    const int thousandths = ReadFraction(line.subspan(*point + 1, fractionEnd - *point - 1));
    if (!whole.ok || thousandths < 0 || (whole.digits == 0 && fractionEnd == *point + 1)) return r;

    const double magnitude = (whole.value * 1000 + thousandths) / 1000.0;
    r.verdict = Verdict::Accepted;
    r.temperature = ToCelsius(whole.negative ? -magnitude : magnitude, line[*unit]);
    return r;
}

}  // namespace wegator::lab
