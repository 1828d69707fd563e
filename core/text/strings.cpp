#include "text/strings.h"

#include <cstdio>
#include <initializer_list>

#include "text/string_table.h"

namespace wegator {

namespace {
StringLookup gLookup = nullptr;
constexpr std::string_view kLimitPlaceholder = "%.7f";
}  // namespace

std::string_view LoadString(int id) {
    if (gLookup != nullptr) {
        const std::string_view text = gLookup(id);
        if (!text.empty()) return text;
    }
    return PolishString(id);
}

void SetStringLookup(StringLookup lookup) { gLookup = lookup; }

std::string WithDecimalSign(std::string_view text, std::string_view decimalSign) {
    // Every result text passes here; with the point as the sign it stays as it is.
    if (decimalSign == ".") return std::string(text);
    const auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Only a point between two digits is a decimal point: the "..." of a
        // range and the full stop ending a sentence stay as they are.
        if (text[i] == '.' && i > 0 && digit(i - 1) && digit(i + 1)) {
            out += decimalSign;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string FormatLimitMessage(std::string_view pattern, double limit, std::string_view decimalSign) {
    std::string text(pattern);
    const std::size_t at = text.find(kLimitPlaceholder);
    if (at != std::string::npos) {
        char number[64];
        std::snprintf(number, sizeof number, "%.7f", limit);
        text.replace(at, kLimitPlaceholder.size(), number);
    }
    return WithDecimalSign(text, decimalSign);
}

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string out;
    auto next = arguments.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == 'd') &&
            next != arguments.end()) {
            out += *next++;
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

}  // namespace wegator
