#include "app/strings.h"

#include <cstdio>

#include "app/string_table.h"

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
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '.') {
            out += decimalSign;
        } else {
            out += c;
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

}  // namespace wegator
