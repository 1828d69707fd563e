// How numbers are typed, read and shown on every page: the entry-field rules
// (what text is a number, truncation to the input precision, the normalised
// text written back) and the display forms of inputs and results.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace wegator {

class PageHost;

// Returned by GetValue, and nothing else, after it rejected a text; callers
// compare with exact equality.
inline constexpr double InvalidValue = 3.1521e-10;

// Digits after the decimal sign, and the sign itself, of one page.
struct NumberFormat {
    int inputPrecision = 3;
    int resultPrecision = 3;
    std::string decimalSign = ",";
};

// What reading an entry field gives.
struct EntryReading {
    double value = InvalidValue;  // InvalidValue when the text was rejected
    int messageId = 0;            // 14 (too long) or 15 (bad format) when rejected, else 0
    std::string rewritten;        // the normalised text the field shows afterwards; empty when rejected
};

// Reads a field's text with the field's precision: accepts "." and "," as the
// separator, truncates (never rounds) to `precision` decimals and gives the text
// to write back in fixed-point form with the decimal sign.
EntryReading GetValue(std::string_view text, int precision, std::string_view decimalSign);

// GetValue as a page uses it on one of its fields: a rejected text is
// reported through the host (warning 14 or 15) and left as typed, and
// InvalidValue is returned; an accepted text is replaced by its normalised form.
double ReadEntry(std::string& text, const NumberFormat& format, PageHost& host);

// Display of a computed value: fixed point with the result precision, or
// exponent form (1.2346e+007) when the fixed text would exceed 11 characters.
std::string FormatResult(double value, int resultPrecision, std::string_view decimalSign);
// Display of an input value the page converted itself: fixed point with the input precision.
std::string FormatInput(double value, int inputPrecision, std::string_view decimalSign);
// Fixed point with `decimals`, whatever the length (the pressure page).
std::string FormatFixed(double value, int decimals, std::string_view decimalSign);

// Texts as wide as the widest a field may have to show whole, for sizing it:
// an entry field (fifteen typed characters, or seven digits before the sign
// rewritten with the input precision) and a humidity result (the widest fixed
// form of FormatResult, and its exponent form of a negative value).
std::string WidestEntryText(const NumberFormat& format);
std::array<std::string, 2> WidestResultTexts(const NumberFormat& format);

// The keystroke filter of an entry field: digits, ".", "," and "-" pass, every
// other character is dropped. Pasted text goes through the same filter.
bool IsNumericEntryCharacter(char32_t c);
std::string FilterNumericText(std::string_view text);

}  // namespace wegator
