#include "encoders.h"

#include <bit>
#include <cstdio>
#include <cstdlib>

namespace wegator::sim {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr unsigned char kParityBit = 0x40;
constexpr unsigned char kFrameStart = 0x40;  // data 0, odd parity
constexpr unsigned char kFlagBase = 0x30;    // bits 16 and 32, present in every frame
constexpr unsigned char kFlag2 = 2, kFlag8 = 8;

// Odd parity over the low seven bits; the data characters used here all lie
// below 64, so bit 64 is free for it.
char WithParity(unsigned char data) {
    return static_cast<char>(std::popcount(static_cast<unsigned>(data)) % 2 == 1 ? data : data | kParityBit);
}

// A decimal field of `width` places, "-" in the first place for a negative value.
std::string Field(long value, int width) {
    char buffer[32];
    if (value < 0) {
        std::snprintf(buffer, sizeof buffer, "-%0*ld", width - 1, -value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%0*ld", width, value);
    }
    return buffer;
}

std::string Frame(unsigned char flags, std::uint16_t id, const std::string& fields) {
    std::string data;
    data += static_cast<char>(kFlagBase | flags);
    for (int shift : {4, 0, 12, 8}) data += static_cast<char>('0' + ((id >> shift) & 0xF));  // low byte first
    data += fields;
    std::string frame(1, static_cast<char>(kFrameStart));
    for (char c : data) frame += WithParity(static_cast<unsigned char>(c));
    frame += kCr;
    return frame;
}

std::string Dp30(const char* marker, long hundredths) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%c%03ld.%02ld\r", marker, hundredths < 0 ? '-' : ' ',
                  std::labs(hundredths) / 100, std::labs(hundredths) % 100);
    return buffer;
}

}  // namespace

std::string EncodeQxPressure(const QxPressure& f) {
    unsigned char flags = 0;
    switch (f.decimals) {
        case 1: flags = kFlag8; break;
        case 3: flags = kFlag2 | kFlag8; break;
        case 4: flags = kFlag2; break;
        default: break;
    }
    return Frame(flags, f.identifier, Field(f.counts, 5));
}

std::string EncodeQxEnvironment(const QxEnvironment& f) {
    return Frame(0, f.identifier, Field(f.humidityTenths, 3) + Field(f.temperatureTenths, 4));
}

std::string EncodeQxTemperature(const QxTemperature& f) {
    std::string fields(1, static_cast<char>('0' + f.channel));
    fields += Field(f.counts, f.fine ? 6 : 5);
    if (f.fine) fields += '0';
    return Frame(0, f.identifier, fields);
}

std::string EncodeDp30DewPoint(long hundredths) { return Dp30("R**B*", hundredths); }
std::string EncodeDp30Other(long hundredths) { return Dp30("T**B*", hundredths); }

std::string EncodeF250(char input, long thousandths, char unit) {
    char buffer[64];
    const long magnitude = std::labs(thousandths);
    char number[48];
    std::snprintf(number, sizeof number, "%s%ld.%03ld", thousandths < 0 ? "-" : "", magnitude / 1000, magnitude % 1000);
    std::snprintf(buffer, sizeof buffer, "%c%7s%c%c%c", input, number, unit, kCr, kLf);
    return buffer;
}

FieldRange QxPressureRange() { return {-9999, 99999}; }
FieldRange QxEnvironmentTemperatureRange() { return {-999, 9999}; }
FieldRange QxHumidityRange() { return {0, 999}; }
FieldRange QxTemperatureRange(bool fine) { return fine ? FieldRange{-99999, 999999} : FieldRange{-9999, 99999}; }
FieldRange Dp30Range() { return {-99999, 99999}; }
FieldRange F250Range() { return {-999999, 999999}; }

}  // namespace wegator::sim
