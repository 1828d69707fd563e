#include "lab/lines/qx_frame.h"

#include <bit>

namespace wegator::lab {

namespace {

// Frame lengths, carriage return included.
constexpr std::size_t kPressureLength = 12;
constexpr std::size_t kTemperatureLength = 13;
constexpr std::size_t kEnvironmentLength = 14;
constexpr std::size_t kFineTemperatureLength = 15;
constexpr std::size_t kLongestFrame = 127;

// Positions.
constexpr std::size_t kLeadPos = 0;
constexpr std::size_t kFlagsPos = 1;
constexpr std::size_t kIdLowHighPos = 2;   // high nibble of the low byte
constexpr std::size_t kIdLowLowPos = 3;    // low nibble of the low byte
constexpr std::size_t kIdHighHighPos = 4;  // high nibble of the high byte
constexpr std::size_t kIdHighLowPos = 5;   // low nibble of the high byte
constexpr std::size_t kFieldsPos = 6;
constexpr std::size_t kPressureDigits = 5;
constexpr std::size_t kHumidityDigits = 3;
constexpr std::size_t kEnvTemperaturePos = 9;
constexpr std::size_t kEnvTemperatureDigits = 4;
constexpr std::size_t kChannelPos = 6;
constexpr std::size_t kTemperaturePos = 7;
constexpr std::size_t kTemperatureDigits = 5;
constexpr std::size_t kFineTemperatureDigits = 6;
constexpr std::size_t kFineTrailerPos = 13;
constexpr int kHighestChannel = 8;

// Each character's data is its low six bits; bit 64 carries the parity.
constexpr std::uint8_t kDataBits = 0x3F;
constexpr std::uint8_t kParityBits = 0x7F;
constexpr int kZero = '0';
constexpr int kMinus = '-';

// Flag character bits.
constexpr std::uint8_t kFlag1 = 1;
constexpr std::uint8_t kFlag2 = 2;
constexpr std::uint8_t kFlag4 = 4;
constexpr std::uint8_t kFlag8 = 8;
constexpr std::uint8_t kFlagsAlwaysSet = 16 | 32;

int Data(std::uint8_t c) { return c & kDataBits; }

// Value of a hexadecimal digit "0"-"9", ":"-"?" (0 to 15), or -1.
int HexDigit(std::uint8_t c) {
    const int d = Data(c) - kZero;
    return d >= 0 && d <= 15 ? d : -1;
}

int DecimalDigit(std::uint8_t c) {
    const int d = Data(c) - kZero;
    return d >= 0 && d <= 9 ? d : -1;
}

bool OddParity(std::uint8_t c) { return std::popcount(static_cast<unsigned>(c & kParityBits)) % 2 == 1; }

// A number field, most significant digit first; a "-" in its first place
// makes it negative. Any other character drops the frame.
bool ReadNumber(std::span<const std::uint8_t> line, std::size_t pos, std::size_t width, bool signAllowed, double& out) {
    bool negative = false;
    long value = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (i == pos && signAllowed && Data(line[i]) == kMinus) {
            negative = true;
            continue;
        }
        const int d = DecimalDigit(line[i]);
        if (d < 0) return false;
        value = value * 10 + d;
    }
    out = static_cast<double>(negative ? -value : value);
    return true;
}

std::uint16_t Identifier(std::span<const std::uint8_t> line) {
    return static_cast<std::uint16_t>(HexDigit(line[kIdHighHighPos]) * 4096 + HexDigit(line[kIdHighLowPos]) * 256 +
                                      HexDigit(line[kIdLowHighPos]) * 16 + HexDigit(line[kIdLowLowPos]));
}

bool IdentifierValid(std::span<const std::uint8_t> line) {
    for (std::size_t i = kIdLowHighPos; i <= kIdHighLowPos; ++i) {
        if (HexDigit(line[i]) < 0) return false;
    }
    return true;
}

Verdict PressureFields(std::span<const std::uint8_t> line, std::uint8_t flags, QxFrame& f) {
    if ((flags & kFlagsAlwaysSet) != kFlagsAlwaysSet) return Verdict::Flags;
    double v = 0.0;
    if (!ReadNumber(line, kFieldsPos, kPressureDigits, true, v)) return Verdict::Digit;
    // Flag 2: thousandths, else tenths; without flag 8 a further tenth. Divided,
    // not multiplied by 0.1, so 10132 hundredths is the double nearest 101.32.
    double divisor = (flags & kFlag2) ? 1000.0 : 10.0;
    if (!(flags & kFlag8)) divisor *= 10.0;
    v /= divisor;
    f.kind = QxKind::Pressure;
    f.flags = flags & (kFlag1 | kFlag2 | kFlag4 | kFlag8);
    f.pressure = v;
    return Verdict::Accepted;
}

Verdict EnvironmentFields(std::span<const std::uint8_t> line, std::uint8_t flags, QxFrame& f) {
    if ((flags & kFlagsAlwaysSet) != kFlagsAlwaysSet || (flags & kFlag8)) return Verdict::Flags;
    double rh = 0.0, t = 0.0;
    if (!ReadNumber(line, kFieldsPos, kHumidityDigits, false, rh) ||
        !ReadNumber(line, kEnvTemperaturePos, kEnvTemperatureDigits, true, t)) {
        return Verdict::Digit;
    }
    f.kind = QxKind::Environment;
    f.flags = flags & (kFlag1 | kFlag2 | kFlag4);
    f.humidity = rh / 10.0;
    f.temperature = t / 10.0;
    return Verdict::Accepted;
}

Verdict TemperatureFields(std::span<const std::uint8_t> line, std::uint8_t flags, bool fine, QxFrame& f) {
    if ((flags & kFlagsAlwaysSet) != kFlagsAlwaysSet || (flags & (kFlag1 | kFlag8))) return Verdict::Flags;
    const int channel = DecimalDigit(line[kChannelPos]);
    double t = 0.0;
    if (channel < 0 ||
        !ReadNumber(line, kTemperaturePos, fine ? kFineTemperatureDigits : kTemperatureDigits, true, t)) {
        return Verdict::Digit;
    }
    if (channel > kHighestChannel) return Verdict::Channel;
    if (fine && Data(line[kFineTrailerPos]) != kZero) return Verdict::Format;
    f.kind = QxKind::Temperature;
    f.flags = flags & (kFlag2 | kFlag4);
    f.channel = channel;
    f.highResolution = fine ? 1 : 0;
    f.temperature = t / (fine ? 100.0 : 10.0);
    return Verdict::Accepted;
}

}  // namespace

QxKind ExpectedQxKind(Stream stream) {
    switch (stream) {
        case Stream::Qx311: return QxKind::Temperature;
        case Stream::Qx316: return QxKind::Pressure;
        default: return QxKind::Environment;
    }
}

QxDecodeResult DecodeQxFrame(std::span<const std::uint8_t> line) {
    QxDecodeResult r;
    if (line.size() > kLongestFrame) {
        r.verdict = Verdict::Overlong;
        return r;
    }
    if (line.empty() || Data(line[kLeadPos]) != 0) {
        r.verdict = line.size() <= 1 ? Verdict::Length : Verdict::Lead;
        return r;
    }
    // Every character between the frame start and the carriage return.
    for (std::size_t i = kFlagsPos; i + 1 < line.size(); ++i) {
        if (!OddParity(line[i])) {
            r.verdict = Verdict::Parity;
            return r;
        }
    }
    if (line.size() < kPressureLength || line.size() > kFineTemperatureLength) {
        r.verdict = Verdict::Length;
        return r;
    }
    if (!IdentifierValid(line)) {
        r.verdict = Verdict::Digit;
        return r;
    }
    r.frame.identifier = Identifier(line);
    const std::uint8_t flags = static_cast<std::uint8_t>(Data(line[kFlagsPos]));
    switch (line.size()) {
        case kPressureLength: r.verdict = PressureFields(line, flags, r.frame); break;
        case kEnvironmentLength: r.verdict = EnvironmentFields(line, flags, r.frame); break;
        case kTemperatureLength: r.verdict = TemperatureFields(line, flags, false, r.frame); break;
        default: r.verdict = TemperatureFields(line, flags, true, r.frame); break;
    }
    return r;
}

}  // namespace wegator::lab
