// What a stream decoder says about each line that ends: the verdict, and for
// an accepted line the reading it carries.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "lab/lines/stream.h"

namespace wegator::lab {

// Why a line was accepted or dropped. A dropped line changes nothing: the
// previous reading stays, and the next good line is read as if the bad one
// never came.
enum class Verdict : std::uint8_t {
    Accepted,
    Late,      // a good line, but its carriage return came too long after the previous one
    Overlong,  // the line outgrew the stream's buffer before its carriage return
    Length,    // the line is not as long as any line of the instrument
    Lead,      // QX: the first character is no frame start
    Parity,    // QX: a character with even parity
    Flags,     // QX: the flag character lacks the bits the frame's kind requires
    Digit,     // a number field holds a character that is not a digit
    Channel,   // QX-311: channel digit 9 or above
    Format,    // a fixed character is wrong or missing (DP30 "R**B*", F-250 channel, point or unit)
    Kind,      // a well-formed QX frame of another kind than the stream reads
};

// "accepted", "late", "overlong", "length", "lead", "parity", "flags",
// "digit", "channel", "format", "kind": words for logs and scripts.
std::string_view VerdictName(Verdict verdict);

// One accepted instrument reading, before any calibration correction.
struct Reading {
    Stream stream = Stream::Dp30;
    // °C for every stream but the QX-316, whose value is a pressure in kPa.
    double value = 0.0;
    // Relative humidity in %, from the QX-310's frames (both QX-310 streams); 0 otherwise.
    double humidity = 0.0;
    // QX-311: the channel 0 to 8 and the resolution code, 1 for the 13-character
    // frame (0.1 K steps) and 2 for the 15-character frame (0.01 K); 0 otherwise.
    int channel = 0;
    int resolution = 0;
    // QX streams: the instrument's 16-bit identifier and the frame's kept flag
    // bits; carried with the reading, used in no computation.
    std::uint16_t identifier = 0;
    std::uint8_t flags = 0;

    bool operator==(const Reading&) const = default;
};

// The outcome of one carriage return.
struct LineResult {
    Verdict verdict = Verdict::Length;
    std::optional<Reading> reading;  // present exactly when the line was accepted
    // Commands the instrument must be sent now, in order (the F-250's "U0" for
    // every "R" after the point of a line); empty for every other stream.
    std::vector<F250Command> commands;
};

}  // namespace wegator::lab
