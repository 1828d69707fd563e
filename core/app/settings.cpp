#include "app/settings.h"

#include <limits>

namespace wegator {

namespace {

// A stored number never has more than 7 characters before its point, nor more
// than 15 in all; anything longer was not written by this program.
constexpr std::size_t kMaxIntegerChars = 7;
constexpr std::size_t kMaxNumberChars = 15;
// Fraction digits past the tenth carry nothing a "%.10f" text could hold.
constexpr std::size_t kMaxFractionDigits = 10;
constexpr double kRejectedNumber = -1.0;

// Members of SaveFileContents in the order of their bits (1, 2, 4, …).
constexpr std::array<bool SaveFileContents::*, 15> kSaveFileBits = {
    &SaveFileContents::dewPointInput,
    &SaveFileContents::temperatureInput,
    &SaveFileContents::pressureInput,
    &SaveFileContents::dewPointComputed,
    &SaveFileContents::temperatureComputed,
    &SaveFileContents::relativeHumidity,
    &SaveFileContents::saturationVapourPressure,
    &SaveFileContents::ppmv,
    &SaveFileContents::ppmw,
    &SaveFileContents::mixingRatio,
    &SaveFileContents::vapourPressure,
    &SaveFileContents::enthalpy,
    &SaveFileContents::wetBulb,
    &SaveFileContents::csvFormat,
    &SaveFileContents::savingOn,
};

}  // namespace

std::int64_t ParseStoredInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so that the most negative value fits too.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value < (kMin + digit) / 10) {
            value = kMin;
        } else {
            value = value * 10 - digit;
        }
    }
    if (negative) return value;
    return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

double ParseStoredNumber(std::string_view text) {
    const std::size_t point = text.find('.');
    const bool hasPoint = point != std::string_view::npos;
    const bool secondPoint = hasPoint && text.find('.', point + 1) != std::string_view::npos;
    if ((hasPoint && point > kMaxIntegerChars) || (!hasPoint && text.size() > kMaxIntegerChars) ||
        text.size() > kMaxNumberChars || secondPoint) {
        return kRejectedNumber;
    }
    if (!hasPoint) return static_cast<double>(ParseStoredInteger(text));

    const std::string_view kept = text.substr(0, point + 1 + kMaxFractionDigits);
    const std::string_view fraction = kept.substr(point + 1);
    const double integerPart = static_cast<double>(ParseStoredInteger(kept.substr(0, point)));
    const double fractionDigits = static_cast<double>(ParseStoredInteger(fraction));
    double scale = 1.0;
    for (std::size_t k = 0; k < fraction.size(); ++k) scale *= 10.0;
    // The sign is taken from the text, not from the integer part, so that "-0.5"
    // keeps its sign although its integer part reads as 0.
    const bool negative = !text.empty() && text.front() == '-';
    return negative ? integerPart - fractionDigits / scale : integerPart + fractionDigits / scale;
}

SaveFileContents DecodeSaveFileCode(std::string_view code) {
    const std::int64_t bits = ParseStoredInteger(code);
    SaveFileContents contents;
    for (std::size_t i = 0; i < kSaveFileBits.size(); ++i) {
        contents.*kSaveFileBits[i] = (bits & (std::int64_t{1} << i)) != 0;
    }
    return contents;
}

std::string EncodeSaveFileCode(const SaveFileContents& contents) {
    std::int64_t bits = 0;
    for (std::size_t i = 0; i < kSaveFileBits.size(); ++i) {
        if (contents.*kSaveFileBits[i]) bits |= std::int64_t{1} << i;
    }
    return std::to_string(bits);
}

}  // namespace wegator
