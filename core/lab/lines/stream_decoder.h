// Line assembly of one instrument stream: bytes go in one at a time with
// their arrival time, and every carriage return gives the line's verdict and,
// when accepted, its reading. Constant work per byte; a line is parsed only
// when it ends.
//
//   StreamDecoder decoder(Stream::Dp30);
//   decoder.Reset(nowMs);                       // the port has just opened
//   for each received byte b:
//       if (auto line = decoder.Feed(b, nowMs)) { ... line->verdict, line->reading ... }
//
// Times are milliseconds of a monotonic clock (std::chrono::steady_clock or
// QElapsedTimer), never the wall clock: a line that straddles midnight or a
// clock adjustment is judged by the time that really passed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "lab/lines/reading.h"
#include "lab/lines/stream.h"

namespace wegator::lab {

class StreamDecoder {
public:
    // A decoder for one stream, as if its port had opened at time 0.
    explicit StreamDecoder(Stream stream);

    Stream Kind() const { return stream_; }

    // One received byte at monotonic time nowMs. Returns nothing until the
    // byte is a carriage return; then the verdict of the line it ends. QX
    // bytes are reduced to their low seven bits first. A line that outgrows the
    // stream's capacity is dropped as a whole: everything up to its carriage
    // return is discarded and that carriage return gives Verdict::Overlong.
    std::optional<LineResult> Feed(std::uint8_t byte, std::int64_t nowMs);

    // The port was (re)opened or purged at nowMs: the line in progress is
    // forgotten, and the next line's window starts now.
    void Reset(std::int64_t nowMs);

    // Bytes of the line in progress (tests, diagnostics).
    std::size_t PendingBytes() const { return count_; }

private:
    // The longest line of any stream (the DP30's and the F-250's 1000 entries).
    static constexpr std::size_t kBufferSize = 1000;

    Stream stream_;
    std::size_t capacity_;
    std::int64_t windowMs_;
    bool sevenBit_;
    std::int64_t previousCrMs_ = 0;
    std::size_t count_ = 0;
    bool overflowed_ = false;
    std::array<std::uint8_t, kBufferSize> line_{};
};

}  // namespace wegator::lab
