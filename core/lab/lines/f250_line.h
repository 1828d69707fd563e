// Lines of the ASL F-250 precision thermometer: 11 or 12 characters, ending
// in a carriage return, usually after the line feed of the previous line:
//
//   "\nA 23.456C\r"   input A, 23.456 °C
//   "\nB-12.345F\r"   input B, -12.345 °F
//
// An input letter ("A" or "B"), the value with a point and up to three digits
// on each side, and a unit letter ("C", "K" or "F"). An "R" after the point
// (a resistance reading) asks for the command "U0", which switches the
// instrument back to temperatures.
#pragma once

#include <cstdint>
#include <span>

#include "lab/lines/reading.h"

namespace wegator::lab {

inline constexpr std::size_t kF250ShortestLine = 11;
inline constexpr std::size_t kF250LongestLine = 12;

// Decodes one F-250 line, carriage return included: Accepted with the
// temperature in °C, or Length, Format (no input letter, point or unit) or
// Digit. unitCommands counts the "U0" commands the line asks for; a line can
// ask for them and still be dropped.
struct F250DecodeResult {
    Verdict verdict = Verdict::Length;
    double temperature = 0.0;  // °C
    int unitCommands = 0;
};
F250DecodeResult DecodeF250Line(std::span<const std::uint8_t> line);

}  // namespace wegator::lab
