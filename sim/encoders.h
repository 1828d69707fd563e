// The lines each simulated instrument sends, written from the instruments'
// line formats. Deliberately independent of the program's decoders: the
// simulator is the other side of the wire, and a mistake shared by both could
// never show in a test.
#pragma once

#include <cstdint>
#include <string>

namespace wegator::sim {

// ---- QX-310, QX-311, QX-316 ------------------------------------------------
// A frame: start character (data 0), flag character, the identifier in four
// hexadecimal characters "0"-"?" (low byte first), the fields, CR. Every
// character but the CR carries odd parity in bit 64.

// QX-316 pressure: `decimals` 1 to 4 chooses the flag bits that scale the
// five-digit field (1: bit 8; 2: none; 3: bits 2 and 8; 4: bit 2).
struct QxPressure {
    std::uint16_t identifier = 0;
    long counts = 0;  // the field: -9999 … 99999
    int decimals = 2;
};
std::string EncodeQxPressure(const QxPressure& f);

// QX-310 environment: relative humidity in 0.1 % (0 … 999), temperature in
// 0.1 °C (-999 … 9999).
struct QxEnvironment {
    std::uint16_t identifier = 0;
    long humidityTenths = 0;
    long temperatureTenths = 0;
};
std::string EncodeQxEnvironment(const QxEnvironment& f);

// QX-311 channel temperature: 13 characters in 0.1 °C (-9999 … 99999), or,
// with fine resolution, 15 characters in 0.01 °C (-99999 … 999999).
struct QxTemperature {
    std::uint16_t identifier = 0;
    int channel = 1;  // 0 … 8
    bool fine = false;
    long counts = 0;
};
std::string EncodeQxTemperature(const QxTemperature& f);

// ---- MBW DP30 ----------------------------------------------------------------
// "R**B*", the sign (blank or "-"), the dew point as "ddd.dd", CR. hundredths: -99999 … 99999.
std::string EncodeDp30DewPoint(long hundredths);
// Another line of the instrument's block (mirror temperature "T**B*…"), which
// the program does not read.
std::string EncodeDp30Other(long hundredths);

// ---- ASL F-250 ---------------------------------------------------------------
// The input letter, the value right-aligned in seven places with three
// decimals, the unit letter ("C", "K", "F", or "R" for a resistance in ohms),
// CR LF. thousandths: -999999 … 999999.
std::string EncodeF250(char input, long thousandths, char unit);

// The range each field can carry, for clamping values before encoding.
struct FieldRange {
    long lowest;
    long highest;
};
FieldRange QxPressureRange();
FieldRange QxEnvironmentTemperatureRange();
FieldRange QxHumidityRange();
FieldRange QxTemperatureRange(bool fine);
FieldRange Dp30Range();
FieldRange F250Range();

}  // namespace wegator::sim
