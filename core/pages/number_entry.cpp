#include "pages/number_entry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

#include "text/strings.h"
#include "pages/page_host.h"

namespace wegator {

namespace {

inline constexpr int kTooLongInput = 14;
inline constexpr int kBadInputFormat = 15;

// An optional sign, then decimal digits up to the first other character; no
// digits gives 0. Entries are short enough (under 16 characters) that 64 bits
// never overflow.
std::int64_t IntegerReading(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

// The text printf's "%.*f" (fixed) or "%.*e" (scientific) gives, written by
// std::to_chars: the same digits, without parsing a format string and looking
// up the locale for each of the forty numbers of a result grid.
std::string Printed(double value, std::chars_format form, int decimals) {
    if (decimals < 0) decimals = 6;  // what printf does with a negative precision
    char buffer[512];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, form, decimals);
    if (written.ec == std::errc()) return std::string(buffer, written.ptr);
    // Huge values in fixed point (up to about 310 digits plus decimals).
    std::string big(static_cast<std::size_t>(decimals) + 400, '\0');
    const auto wide = std::to_chars(big.data(), big.data() + big.size(), value, form, decimals);
    big.resize(static_cast<std::size_t>(wide.ptr - big.data()));
    return big;
}

// "%.4e" with the exponent written with at least three digits: 1.2346e+007.
std::string ExponentForm(double value) {
    std::string text = Printed(value, std::chars_format::scientific, 4);
    const std::size_t e = text.find('e');
    if (e == std::string::npos || e + 2 > text.size()) return text;  // inf, nan
    std::string digits = text.substr(e + 2);
    while (digits.size() < 3) digits.insert(digits.begin(), '0');
    return text.substr(0, e + 2) + digits;
}

}  // namespace

EntryReading GetValue(std::string_view text, int precision, std::string_view decimalSign) {
    using Index = std::ptrdiff_t;
    const Index n = static_cast<Index>(text.size());
    const Index p = precision < 0 ? 0 : precision;

    auto findFrom = [&](char c, Index from) -> Index {
        const std::size_t at = text.find(c, static_cast<std::size_t>(from));
        return at == std::string_view::npos ? -1 : static_cast<Index>(at);
    };

    // The decimal separator: the first "." or ",", whichever comes first.
    const Index point = findFrom('.', 0);
    const Index comma = findFrom(',', 0);
    Index s = -1;
    if (point >= 0 && comma >= 0) {
        s = point < comma ? point : comma;
    } else {
        s = point >= 0 ? point : comma;
    }

    // A second separator after the first, and a minus anywhere but in front.
    Index s2 = -1;
    if (s >= 0) {
        s2 = findFrom('.', s + 1);
        if (s2 < 0) s2 = findFrom(',', s + 1);
    }
    const Index minus = n > 1 ? findFrom('-', 1) : -1;

    EntryReading reading;
    if (s >= 8 || (s < 0 && n >= 8) || n >= 16) {
        reading.messageId = kTooLongInput;
        return reading;
    }
    if (s2 >= 0 || minus >= 0) {
        reading.messageId = kBadInputFormat;
        return reading;
    }

    double value = 0.0;
    if (s < 0) {
        value = static_cast<double>(IntegerReading(text));
    } else {
        // Extra decimals are dropped, never rounded.
        const std::string_view cut = text.substr(0, static_cast<std::size_t>(std::min(n, s + p + 1)));
        const std::string_view before = cut.substr(0, static_cast<std::size_t>(s));
        const std::string_view after = cut.substr(static_cast<std::size_t>(s) + 1);
        const double ip = static_cast<double>(IntegerReading(before));
        const double fraction =
            static_cast<double>(IntegerReading(after)) / std::pow(10.0, static_cast<double>(after.size()));
        // The sign of "-0,5" lives only in the first character.
        value = (!text.empty() && text.front() == '-') ? ip - fraction : ip + fraction;
    }

    reading.value = value;
    reading.rewritten = FormatInput(value, static_cast<int>(p), decimalSign);
    return reading;
}

double ReadEntry(std::string& text, const NumberFormat& format, PageHost& host) {
    EntryReading reading = GetValue(text, format.inputPrecision, format.decimalSign);
    if (reading.messageId != 0) {
        host.ShowWarning(reading.messageId, std::string(LoadString(reading.messageId)));
        return InvalidValue;
    }
    text = std::move(reading.rewritten);
    return reading.value;
}

std::string FormatResult(double value, int resultPrecision, std::string_view decimalSign) {
    std::string text = Printed(value, std::chars_format::fixed, resultPrecision);
    if (text.size() > 11) text = ExponentForm(value);
    return WithDecimalSign(text, decimalSign);
}

std::string FormatInput(double value, int inputPrecision, std::string_view decimalSign) {
    return FormatFixed(value, inputPrecision, decimalSign);
}

std::string FormatFixed(double value, int decimals, std::string_view decimalSign) {
    return WithDecimalSign(Printed(value, std::chars_format::fixed, decimals), decimalSign);
}

namespace {
// The widest digit stands for every digit of a text that only sizes a field.
constexpr char kWideDigit = '8';
// Characters GetValue accepts in an entry and before its separator.
constexpr std::size_t kLongestEntry = 15;
constexpr std::size_t kEntryIntegerDigits = 7;
// A fixed-point result longer than this is shown in exponent form.
constexpr std::size_t kLongestFixedResult = 11;
}  // namespace

std::string WidestEntryText(const NumberFormat& format) {
    const std::size_t decimals = static_cast<std::size_t>(std::max(format.inputPrecision, 0));
    const std::size_t rewritten = 1 + kEntryIntegerDigits + format.decimalSign.size() + decimals;
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "-" + std::string(...).
    std::string text(1, '-');
    text.append(kEntryIntegerDigits, kWideDigit);
    text += format.decimalSign;
    text.append(std::max(rewritten, kLongestEntry) - text.size(), kWideDigit);
    return text;
}

std::array<std::string, 2> WidestResultTexts(const NumberFormat& format) {
    std::string fixed(1, '-');
    fixed.append(kLongestFixedResult - 1, kWideDigit);
    return {fixed, WithDecimalSign(ExponentForm(-8.8888e+88), format.decimalSign)};
}

bool IsNumericEntryCharacter(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'.' || c == U',' || c == U'-' || c == U'\b';
}

std::string FilterNumericText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        // Backspace is a key, not something to keep in a text; every byte of a
        // multi-byte UTF-8 character is above 0x7f and is dropped.
        if (c != '\b' && IsNumericEntryCharacter(static_cast<unsigned char>(c))) out += c;
    }
    return out;
}

}  // namespace wegator
