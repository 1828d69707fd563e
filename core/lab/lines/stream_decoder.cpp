#include "lab/lines/stream_decoder.h"

#include <span>

#include "lab/lines/dp30_line.h"
#include "lab/lines/f250_line.h"
#include "lab/lines/qx_frame.h"

namespace wegator::lab {

namespace {

constexpr std::uint8_t kCarriageReturn = 13;
constexpr std::uint8_t kSevenBits = 0x7F;

LineResult Dropped(Verdict verdict) { return LineResult{verdict, std::nullopt, {}}; }

LineResult Accepted(const Reading& reading) { return LineResult{Verdict::Accepted, reading, {}}; }

LineResult QxLine(Stream stream, std::span<const std::uint8_t> line, bool late) {
    const QxDecodeResult decoded = DecodeQxFrame(line);
    if (decoded.verdict != Verdict::Accepted) return Dropped(decoded.verdict);
    const QxFrame& f = decoded.frame;
    if (f.kind != ExpectedQxKind(stream)) return Dropped(Verdict::Kind);
    if (late) return Dropped(Verdict::Late);

    Reading r;
    r.stream = stream;
    r.identifier = f.identifier;
    r.flags = f.flags;
    switch (f.kind) {
        case QxKind::Environment:
            r.value = f.temperature;
            r.humidity = f.humidity;
            break;
        case QxKind::Temperature:
            r.value = f.temperature;
            r.channel = f.channel;
            r.resolution = f.highResolution + 1;
            break;
        case QxKind::Pressure: r.value = f.pressure; break;
    }
    return Accepted(r);
}

LineResult Dp30Line(std::span<const std::uint8_t> line, bool late) {
    if (line.size() != kDp30LineLength) return Dropped(Verdict::Length);
    if (late) return Dropped(Verdict::Late);
    const Dp30DecodeResult decoded = DecodeDp30Line(line);
    if (decoded.verdict != Verdict::Accepted) return Dropped(decoded.verdict);
    Reading r;
    r.stream = Stream::Dp30;
    r.value = decoded.dewPoint;
    return Accepted(r);
}

LineResult F250Line(std::span<const std::uint8_t> line, bool late) {
    if (line.size() < kF250ShortestLine || line.size() > kF250LongestLine) return Dropped(Verdict::Length);
    if (late) return Dropped(Verdict::Late);
    const F250DecodeResult decoded = DecodeF250Line(line);
    LineResult result = Dropped(decoded.verdict);
    if (decoded.verdict == Verdict::Accepted) {
        Reading r;
        r.stream = Stream::F250;
        r.value = decoded.temperature;
        result = Accepted(r);
    }
    result.commands.assign(static_cast<std::size_t>(decoded.unitCommands), F250Command::Unit0);
    return result;
}

}  // namespace

std::string_view VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Accepted: return "accepted";
        case Verdict::Late: return "late";
        case Verdict::Overlong: return "overlong";
        case Verdict::Length: return "length";
        case Verdict::Lead: return "lead";
        case Verdict::Parity: return "parity";
        case Verdict::Flags: return "flags";
        case Verdict::Digit: return "digit";
        case Verdict::Channel: return "channel";
        case Verdict::Format: return "format";
        case Verdict::Kind: return "kind";
    }
    return "?";
}

StreamDecoder::StreamDecoder(Stream stream)
    : stream_(stream),
      capacity_(LineCapacity(stream)),
      windowMs_(LineWindowMs(stream)),
      sevenBit_(IsSevenBitStream(stream)) {}

void StreamDecoder::Reset(std::int64_t nowMs) {
    previousCrMs_ = nowMs;
    count_ = 0;
    overflowed_ = false;
}

std::optional<LineResult> StreamDecoder::Feed(std::uint8_t byte, std::int64_t nowMs) {
    if (sevenBit_) byte &= kSevenBits;
    if (byte != kCarriageReturn) {
        // A line that outgrew the buffer is garbage to its very end: its tail
        // must not pass for a line of its own.
        if (overflowed_) return std::nullopt;
        if (count_ + 1 >= capacity_) {
            count_ = 0;
            overflowed_ = true;
            return std::nullopt;
        }
        line_[count_++] = byte;
        return std::nullopt;
    }

    const bool late = nowMs - previousCrMs_ >= windowMs_;
    previousCrMs_ = nowMs;
    if (overflowed_) {
        overflowed_ = false;
        return Dropped(Verdict::Overlong);
    }
    line_[count_++] = byte;
    const std::span<const std::uint8_t> line(line_.data(), count_);
    count_ = 0;
    switch (stream_) {
        case Stream::Dp30: return Dp30Line(line, late);
        case Stream::F250: return F250Line(line, late);
        default: return QxLine(stream_, line, late);
    }
}

}  // namespace wegator::lab
