// The texts the program shows, looked up by string-table number in the
// language in force. Polish is built in; the desktop program installs the
// English look-up at start when the user chose English.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace wegator {

// Returns the text of an id in the language in force; an empty view for an unknown id.
using StringLookup = std::string_view (*)(int id);

std::string_view LoadString(int id);
// Installs another language's look-up; nullptr restores the built-in Polish table.
void SetStringLookup(StringLookup lookup);

// Puts a formatted number in place of the "%.7f" of a range message and then
// swaps every decimal point of the whole text for the decimal sign. The pattern is never
// handed to printf, so a translated text with a stray "%" cannot do harm.
std::string FormatLimitMessage(std::string_view pattern, double limit, std::string_view decimalSign);
// A string-table text with each "%s" or "%d", in turn, replaced by the next
// argument. The text is never handed to printf, so a translation with a stray
// "%" cannot do harm.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> arguments);
// Every decimal point of a text (a "." between two digits) replaced by the decimal sign.
std::string WithDecimalSign(std::string_view text, std::string_view decimalSign);

}  // namespace wegator
