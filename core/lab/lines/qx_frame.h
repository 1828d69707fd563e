// Frames of the QX-310, QX-311 and QX-316 instruments.
//
// A frame is 12 to 15 characters on a 7-bit line, the last one a carriage
// return. Each character carries odd parity in bit 64; its low six bits are
// the data. Position 0 is the frame start (data 0), position 1 the flag
// character, positions 2 to 5 the instrument identifier in hexadecimal
// ("0"-"9", ":"-"?" for 10-15), low byte first. The length tells the kind:
//
//   12  pressure      6-10 value (five digits, or "-" and four)
//   13  temperature   6 channel 0-8, 7-11 value (0.1 K steps)
//   14  environment   6-8 relative humidity (0.1 %), 9-12 temperature (0.1 K)
//   15  temperature   6 channel 0-8, 7-12 value (0.01 K steps), 13 "0"
#pragma once

#include <cstdint>
#include <span>

#include "lab/lines/reading.h"

namespace wegator::lab {

enum class QxKind : std::uint8_t {
    Environment = 0,  // QX-310: temperature and relative humidity
    Temperature = 1,  // QX-311: one channel's temperature
    Pressure = 2,     // QX-316: barometric pressure
};

struct QxFrame {
    QxKind kind = QxKind::Environment;
    std::uint16_t identifier = 0;
    // The flag bits the frame's kind keeps (pressure 1, 2, 4, 8; environment
    // 1, 2, 4; temperature 2, 4); carried, not interpreted.
    std::uint8_t flags = 0;
    double humidity = 0.0;     // environment: %
    double temperature = 0.0;  // environment and temperature frames: °C
    int channel = 0;           // temperature: 0 to 8
    int highResolution = 0;    // temperature: 0 for 13 characters, 1 for 15
    double pressure = 0.0;     // pressure: kPa
};

// Decodes one frame, carriage return included, from bytes already reduced to
// seven bits. Verdict::Accepted and the frame, or why the frame is no frame:
// Overlong (128 or more), Lead, Parity, Length, Flags, Digit, Channel, Format.
struct QxDecodeResult {
    Verdict verdict = Verdict::Length;
    QxFrame frame;
};
QxDecodeResult DecodeQxFrame(std::span<const std::uint8_t> line);

// The QX frame kind a stream reads: environment frames for both QX-310
// streams, temperature frames for the QX-311, pressure frames for the QX-316.
QxKind ExpectedQxKind(Stream stream);

}  // namespace wegator::lab
