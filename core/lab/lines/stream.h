// The six instrument streams of the laboratory, the line settings each one
// runs on, and the ASL F-250's commands. Shared by the decoders, the serial
// layer, the command line and the simulator, so that all of them agree on
// what each instrument sends and how fast.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace wegator::lab {

// One stream per instrument role, in the order of their window messages
// (1025 to 1030): the QX-310 appears twice, once as air thermometer and once
// as the room's temperature and humidity.
enum class Stream : std::uint8_t {
    Qx310Temperature,
    Qx311,
    Qx316,
    Dp30,
    F250,
    Qx310Environment,
};

inline constexpr std::size_t kStreamCount = 6;
inline constexpr Stream kAllStreams[kStreamCount] = {
    Stream::Qx310Temperature, Stream::Qx311, Stream::Qx316, Stream::Dp30, Stream::F250, Stream::Qx310Environment};

// Short names used on command lines and in logs: "qx310", "qx311", "qx316",
// "dp30", "f250", "qx310-env".
std::string_view StreamName(Stream stream);
std::optional<Stream> StreamFromName(std::string_view name);

// Serial line settings of a stream: 300 baud 7N1 for the QX instruments,
// 9600 8N1 for the DP30, 19200 8N1 for the F-250.
struct LineSettings {
    int baud;
    int dataBits;
    char parity;  // 'N': none
    int stopBits;
};
LineSettings StreamLineSettings(Stream stream);

// A line is accepted only if its carriage return comes less than this many
// milliseconds after the previous carriage return (or after the port opened):
// 5000 for the QX streams, 200 for the DP30, 4000 for the F-250.
std::int64_t LineWindowMs(Stream stream);

// Longest line a stream's assembly holds, carriage return included; more is
// discarded as overlong. QX: 127 characters; DP30 and F-250: 1000 entries.
std::size_t LineCapacity(Stream stream);

// QX lines travel on a 7-bit line with the parity in bit 64: only the low
// seven bits of a received byte belong to the line.
bool IsSevenBitStream(Stream stream);

// The ASL F-250's commands, by the names the settings and the laboratory use.
enum class F250Command : std::uint8_t {
    InputA,   // "A": measure input A
    InputB,   // "B": measure input B
    InputAB,  // "AB": measure both inputs
    Unit0,    // "U0": back to the temperature unit after a resistance reading
    Stop,     // "A4": sent before the port closes
};

inline constexpr F250Command kAllF250Commands[] = {F250Command::InputA, F250Command::InputB, F250Command::InputAB,
                                                   F250Command::Unit0, F250Command::Stop};

// "A", "B", "AB", "U0", "A4".
std::string_view F250CommandName(F250Command command);
std::optional<F250Command> F250CommandFromName(std::string_view name);
// The three bytes written to the instrument: "A0\n", "A1\n", "A3\n", "U0\n", "A4\n".
std::string_view F250CommandBytes(F250Command command);
// The bytes for a command name; empty for a name that is no command (nothing is sent).
std::string_view F250CommandBytes(std::string_view name);

}  // namespace wegator::lab
