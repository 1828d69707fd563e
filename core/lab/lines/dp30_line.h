// Lines of the MBW DP30 chilled-mirror hygrometer: 13 characters,
//
//   R * * B * s h t u . d c CR       e.g. "R**B* 012.34\r" = 12.34 °C
//   0 1 2 3 4 5 6 7 8 9 ...
//
// s the sign (blank or "-"), then hundreds, tens, units, the point (not
// read), tenths and hundredths of the dew point in °C.
#pragma once

#include <cstdint>
#include <span>

#include "lab/lines/reading.h"

namespace wegator::lab {

inline constexpr std::size_t kDp30LineLength = 13;

// Decodes one DP30 line, carriage return included: Accepted with the dew
// point, or Length, Format (a marker or the sign character) or Digit.
struct Dp30DecodeResult {
    Verdict verdict = Verdict::Length;
    double dewPoint = 0.0;  // °C
};
Dp30DecodeResult DecodeDp30Line(std::span<const std::uint8_t> line);

}  // namespace wegator::lab
