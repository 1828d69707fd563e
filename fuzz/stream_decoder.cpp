// Line assembly of the six instrument streams: bytes with arrival times.
//
// Input: one byte choosing the stream (modulo 6), then the received bytes;
// each byte also moves the clock on by its low five bits in milliseconds, so
// lines end both inside and outside their windows. Whatever arrived, a
// reading is well formed, only the F-250 asks for commands, the line in
// progress stays within the stream's buffer, and after a purge a good line is
// read again: no input can wedge a stream.
#include "lab/lines/stream_decoder.h"

#include <bit>
#include <cmath>
#include <string>

#include "fuzz_check.h"

namespace {

using namespace wegator::lab;

// A QX frame: start character, the body with odd parity in bit 64, CR.
std::string Qx(std::string_view body) {
    std::string frame = "@";
    for (char c : body) frame += static_cast<char>(std::popcount(static_cast<unsigned>(c)) % 2 ? c : c | 0x40);
    return frame + '\r';
}

std::string GoodLine(Stream s) {
    switch (s) {
        case Stream::Qx311: return Qx("03412302345");
        case Stream::Qx316: return Qx("0341210132");
        case Stream::Dp30: return "R**B*-012.34\r";
        case Stream::F250: return "\nA 23.456C\r";
        default: return Qx("034124561234");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Stream stream = kAllStreams[data[0] % kStreamCount];
    StreamDecoder decoder(stream);
    std::int64_t t = 1'000'000;
    decoder.Reset(t);
    for (std::size_t i = 1; i < size; ++i) {
        t += data[i] & 0x1F;
        const auto line = decoder.Feed(data[i], t);
        FUZZ_CHECK(decoder.PendingBytes() < LineCapacity(stream));
        if (!line) continue;
        FUZZ_CHECK(line->reading.has_value() == (line->verdict == Verdict::Accepted));
        for (F250Command c : line->commands) FUZZ_CHECK(stream == Stream::F250 && c == F250Command::Unit0);
        if (!line->reading) continue;
        const Reading& r = *line->reading;
        FUZZ_CHECK(r.stream == stream);
        FUZZ_CHECK(std::isfinite(r.value) && std::fabs(r.value) < 100000.0);
        FUZZ_CHECK(r.humidity >= 0.0 && r.humidity <= 99.9);
        if (stream == Stream::Qx311) {
            FUZZ_CHECK(r.channel >= 0 && r.channel <= 8 && (r.resolution == 1 || r.resolution == 2));
        } else {
            FUZZ_CHECK(r.channel == 0 && r.resolution == 0);
        }
    }
    decoder.Reset(t);
    std::optional<LineResult> last;
    for (char c : GoodLine(stream)) {
        if (auto line = decoder.Feed(static_cast<std::uint8_t>(c), t + 1)) last = line;
    }
    FUZZ_CHECK(last && last->verdict == Verdict::Accepted);
    return 0;
}
