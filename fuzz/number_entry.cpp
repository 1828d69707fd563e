// Number entry: the keystroke filter of an entry field, GetValue reading the
// field's text, and the display forms of a value.
//
// Input: one byte choosing the input precision (0..7, low three bits) and the
// decimal sign (bit 3), then the typed or pasted text. The same bytes, read
// as a double when there are enough, go through the display forms.
#include "pages/number_entry.h"

#include <cmath>
#include <cstring>
#include <string>

#include "fuzz_check.h"

namespace {

using wegator::EntryReading;
using wegator::GetValue;
using wegator::InvalidValue;

// Reading a field rewrites it in its normalised form; reading that form again
// must give the same number and leave the text as it is, or a field would
// change (or be refused) each time the user presses "Oblicz".
void CheckReading(std::string_view text, int precision, std::string_view sign) {
    const EntryReading reading = GetValue(text, precision, sign);
    if (reading.messageId != 0) {
        FUZZ_CHECK(reading.messageId == 14 || reading.messageId == 15);
        FUZZ_CHECK(reading.value == InvalidValue);
        FUZZ_CHECK(reading.rewritten.empty());
        return;
    }
    FUZZ_CHECK(std::isfinite(reading.value));
    FUZZ_CHECK(!reading.rewritten.empty());
    const char other = sign == "," ? '.' : ',';
    FUZZ_CHECK(reading.rewritten.find(other) == std::string::npos);
    const EntryReading again = GetValue(reading.rewritten, precision, sign);
    FUZZ_CHECK(again.messageId == 0);
    FUZZ_CHECK(again.value == reading.value);
    FUZZ_CHECK(again.rewritten == reading.rewritten);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int precision = data[0] & 7;
    const std::string_view sign = (data[0] & 8) != 0 ? "," : ".";
    const std::string_view typed = wegator::fuzz::AsText(data + 1, size - 1);

    // The filter keeps only what can be typed, and what it kept passes again unchanged.
    const std::string filtered = wegator::FilterNumericText(typed);
    for (const char c : filtered) {
        FUZZ_CHECK(c != '\b' && wegator::IsNumericEntryCharacter(static_cast<unsigned char>(c)));
    }
    FUZZ_CHECK(wegator::FilterNumericText(filtered) == filtered);

    CheckReading(typed, precision, sign);
    CheckReading(filtered, precision, sign);

    if (size >= 1 + sizeof(double)) {
        double value;
        std::memcpy(&value, data + 1, sizeof value);
        const std::string result = wegator::FormatResult(value, precision, sign);
        // A result field holds at most "-1.2346e+307": longer texts switch to the exponent form.
        if (std::isfinite(value)) FUZZ_CHECK(!result.empty() && result.size() <= 12);
        wegator::FormatInput(value, precision, sign);
    }
    return 0;
}
