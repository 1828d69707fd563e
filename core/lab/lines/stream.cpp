#include "lab/lines/stream.h"

namespace wegator::lab {

namespace {

struct StreamInfo {
    std::string_view name;
    LineSettings line;
    std::int64_t windowMs;
    std::size_t capacity;
};

// QX instruments: 300 baud, 7 data bits, frames of at most 127 characters and
// one every few seconds. The DP30 sends its line in one burst right after the
// previous one's end, the F-250 about once a second.
constexpr std::size_t kQxCapacity = 127;
constexpr std::size_t kListCapacity = 1000;
constexpr LineSettings kQxLine{300, 7, 'N', 1};

constexpr StreamInfo kStreams[kStreamCount] = {
    {"qx310", kQxLine, 5000, kQxCapacity},
    {"qx311", kQxLine, 5000, kQxCapacity},
    {"qx316", kQxLine, 5000, kQxCapacity},
    {"dp30", {9600, 8, 'N', 1}, 200, kListCapacity},
    {"f250", {19200, 8, 'N', 1}, 4000, kListCapacity},
    {"qx310-env", kQxLine, 5000, kQxCapacity},
};

const StreamInfo& Info(Stream stream) { return kStreams[static_cast<std::size_t>(stream)]; }

struct CommandInfo {
    std::string_view name;
    std::string_view bytes;
};

constexpr CommandInfo kCommands[] = {
    {"A", "A0\n"}, {"B", "A1\n"}, {"AB", "A3\n"}, {"U0", "U0\n"}, {"A4", "A4\n"},
};

const CommandInfo& Info(F250Command command) { return kCommands[static_cast<std::size_t>(command)]; }

}  // namespace

std::string_view StreamName(Stream stream) { return Info(stream).name; }

std::optional<Stream> StreamFromName(std::string_view name) {
    for (Stream s : kAllStreams) {
        if (StreamName(s) == name) return s;
    }
    return std::nullopt;
}

LineSettings StreamLineSettings(Stream stream) { return Info(stream).line; }
std::int64_t LineWindowMs(Stream stream) { return Info(stream).windowMs; }
std::size_t LineCapacity(Stream stream) { return Info(stream).capacity; }
bool IsSevenBitStream(Stream stream) { return Info(stream).line.dataBits == 7; }

std::string_view F250CommandName(F250Command command) { return Info(command).name; }

std::optional<F250Command> F250CommandFromName(std::string_view name) {
    for (F250Command c : kAllF250Commands) {
        if (F250CommandName(c) == name) return c;
    }
    return std::nullopt;
}

std::string_view F250CommandBytes(F250Command command) { return Info(command).bytes; }

std::string_view F250CommandBytes(std::string_view name) {
    const auto command = F250CommandFromName(name);
    return command ? F250CommandBytes(*command) : std::string_view{};
}

}  // namespace wegator::lab
