// Instrument lines built by hand from the line formats, fed byte by byte
// through the stream decoders.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "lab/lines/qx_frame.h"
#include "lab/lines/stream_decoder.h"
#include "lab_test_support.h"

using namespace wegator::lab;
namespace support = wegator::lab::testing;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

// A QX frame from its data characters: the frame start "@" (data 0), then the
// flag character and the fields as written, with odd parity in bit 64, then CR.
Bytes Qx(std::string_view body) { return Text(support::QxLine(body)); }

// Feeds every byte at time t and returns the outcomes of the carriage returns.
std::vector<LineResult> Feed(StreamDecoder& d, const Bytes& bytes, std::int64_t t) {
    std::vector<LineResult> out;
    for (std::uint8_t b : bytes) {
        if (auto r = d.Feed(b, t)) out.push_back(std::move(*r));
    }
    return out;
}

// The one outcome of a single line fed into a fresh decoder opened at 0, ending at 100 ms.
LineResult One(Stream s, const Bytes& bytes) {
    StreamDecoder d(s);
    d.Reset(0);
    auto out = Feed(d, bytes, 100);
    EXPECT_EQ(out.size(), 1u);
    return out.empty() ? LineResult{} : out.front();
}

}  // namespace

TEST(QxFrame, EveryKindAndLength) {
    // Identifier 0x1234 written low byte first: "34" then "12".
    struct Case {
        std::string body;
        QxKind kind;
        double value;  // pressure or temperature
        double humidity;
        int channel, highResolution;
    };
    const Case cases[] = {
        {"0341210132", QxKind::Pressure, 101.32, 0, 0, 0},
        {"03412-0013", QxKind::Pressure, -0.13, 0, 0, 0},
        {"834121013"
         "2",
         QxKind::Pressure, 1013.2, 0, 0, 0},                // flag 8: one tenth only
        {"2341210132", QxKind::Pressure, 1.0132, 0, 0, 0},  // flag 2: thousandths and a tenth
        {"034124561234", QxKind::Environment, 123.4, 45.6, 0, 0},
        {"03412999-123", QxKind::Environment, -12.3, 99.9, 0, 0},
        {"034123"
         "02345",
         QxKind::Temperature, 234.5, 0, 3, 0},
        {"034120-0001", QxKind::Temperature, -0.1, 0, 0, 0},
        {"034128-012340", QxKind::Temperature, -123.4 / 10, 0, 8, 1},
        {"0341210123450", QxKind::Temperature, 1234.5 / 10, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const QxDecodeResult r = DecodeQxFrame(Qx(c.body));
        ASSERT_EQ(r.verdict, Verdict::Accepted) << VerdictName(r.verdict);
        EXPECT_EQ(r.frame.kind, c.kind);
        EXPECT_EQ(r.frame.identifier, 0x1234);
        const double v = c.kind == QxKind::Pressure ? r.frame.pressure : r.frame.temperature;
        EXPECT_DOUBLE_EQ(v, c.value);
        EXPECT_DOUBLE_EQ(r.frame.humidity, c.humidity);
        EXPECT_EQ(r.frame.channel, c.channel);
        EXPECT_EQ(r.frame.highResolution, c.highResolution);
    }
    // Hexadecimal digits ":" to "?" in the identifier; flag bits kept per kind.
    const QxDecodeResult r = DecodeQxFrame(Qx("?:;<=10132"));
    EXPECT_EQ(r.frame.identifier, 0xCDAB);
    EXPECT_EQ(r.frame.flags, 0x0F);
    EXPECT_DOUBLE_EQ(r.frame.pressure, 10.132);
    EXPECT_EQ(DecodeQxFrame(Qx("700004561234")).frame.flags, 0x07);
    EXPECT_EQ(DecodeQxFrame(Qx("60000302345")).frame.flags, 0x06);
}

TEST(QxFrame, ParityBrokenAtEveryPositionDropsTheFrame) {
    for (std::string_view body : {"0341210132", "034124561234", "03412302345", "034128-012340"}) {
        const Bytes good = Qx(body);
        for (std::size_t i = 1; i + 1 < good.size(); ++i) {
            Bytes bad = good;
            bad[i] ^= 0x40;
            EXPECT_EQ(DecodeQxFrame(bad).verdict, Verdict::Parity) << body << " at " << i;
        }
        // The frame start carries data 0 whatever its bit 64.
        Bytes lead = good;
        lead[0] = 0;
        EXPECT_EQ(DecodeQxFrame(lead).verdict, Verdict::Accepted);
    }
}

TEST(QxFrame, EachReasonToDrop) {
    struct Case {
        Bytes line;
        Verdict verdict;
    };
    Bytes badLead = Qx("0341210132");
    badLead[0] = 'A';
    const Case cases[] = {
        {badLead, Verdict::Lead},
        {Qx("034121013"), Verdict::Length},
        {Qx("034128-0123400"), Verdict::Length},
        {Qx("\x10"
            "341210132"),
         Verdict::Flags},  // bit 32 missing
        {Qx("\x20"
            "341210132"),
         Verdict::Flags},                        // bit 16 missing
        {Qx("834124561234"), Verdict::Flags},    // environment with bit 8
        {Qx("13412302345"), Verdict::Flags},     // temperature with bit 1
        {Qx("83412302345"), Verdict::Flags},     // temperature with bit 8
        {Qx("0341210:32"), Verdict::Digit},      // a hexadecimal digit is no decimal one
        {Qx("03412 0132"), Verdict::Digit},      // a blank is no 0
        {Qx("03412101-2"), Verdict::Digit},      // "-" only in the first place
        {Qx("03412-561234"), Verdict::Digit},    // humidity has no sign
        {Qx("0341@10132"), Verdict::Digit},      // identifier
        {Qx("03412 02345"), Verdict::Digit},     // channel
        {Qx("03412902345"), Verdict::Channel},   // channel 9
        {Qx("0341230123451"), Verdict::Format},  // the 15-character frame ends in "0"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeQxFrame(c.line).verdict, c.verdict)
            << std::string(c.line.begin(), c.line.end()) << " gave " << VerdictName(DecodeQxFrame(c.line).verdict);
    }
}

TEST(StreamDecoder, QxStreamsTakeTheirKindOnly) {
    const Bytes env = Qx("034124561234"), temp = Qx("03412302345"), press = Qx("0341210132");
    EXPECT_EQ(One(Stream::Qx310Temperature, env).reading->value, 123.4);
    const LineResult e = One(Stream::Qx310Environment, env);
    EXPECT_EQ(e.reading->humidity, 45.6);
    EXPECT_EQ(e.reading->stream, Stream::Qx310Environment);
    const LineResult t = One(Stream::Qx311, temp);
    EXPECT_EQ(t.reading->channel, 3);
    EXPECT_EQ(t.reading->resolution, 1);
    EXPECT_EQ(t.reading->identifier, 0x1234);
    EXPECT_EQ(One(Stream::Qx311, Qx("034128-012340")).reading->resolution, 2);
    EXPECT_EQ(One(Stream::Qx316, press).reading->value, 101.32);

    EXPECT_EQ(One(Stream::Qx316, temp).verdict, Verdict::Kind);
    EXPECT_EQ(One(Stream::Qx311, env).verdict, Verdict::Kind);
    EXPECT_EQ(One(Stream::Qx310Temperature, press).verdict, Verdict::Kind);
    EXPECT_FALSE(One(Stream::Qx316, temp).reading);

    // A 7-bit line delivers no bit 128: what arrives with it set is read without it.
    Bytes high = press;
    for (auto& b : high) b |= 0x80;
    EXPECT_EQ(One(Stream::Qx316, high).verdict, Verdict::Accepted);
}

TEST(StreamDecoder, Dp30Lines) {
    struct Case {
        std::string line;
        Verdict verdict;
        double value;
    };
    const Case cases[] = {
        {"R**B* 012.34\r", Verdict::Accepted, 12.34},
        {"R**B*-012.34\r", Verdict::Accepted, -12.34},
        {"R**B* 112.34\r", Verdict::Accepted, 112.34},
        {"R**B*-000.05\r", Verdict::Accepted, -0.05},
        {"R**B*+012.34\r", Verdict::Accepted, 12.34},
        {"R**B* 012,34\r", Verdict::Accepted, 12.34},  // the point's place is not read
        {"R**B* 12.34\r", Verdict::Length, 0},
        {"R**B* 0012.34\r", Verdict::Length, 0},
        {"R*xB* 012.34\r", Verdict::Format, 0},
        {"R**B*=012.34\r", Verdict::Format, 0},
        {"R**B* 0 2.34\r", Verdict::Digit, 0},  // a blank never counts as 0
        {"R**B* 012.3x\r", Verdict::Digit, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const LineResult r = One(Stream::Dp30, Text(c.line));
        EXPECT_EQ(r.verdict, c.verdict) << VerdictName(r.verdict);
        if (c.verdict == Verdict::Accepted) {
            EXPECT_DOUBLE_EQ(r.reading->value, c.value);
        }
        EXPECT_TRUE(r.commands.empty());
    }
    // An 8-bit line: a byte with bit 128 set is another character.
    Bytes high = Text("R**B* 012.34\r");
    high[7] |= 0x80;
    EXPECT_EQ(One(Stream::Dp30, high).verdict, Verdict::Digit);
}

TEST(StreamDecoder, F250Lines) {
    struct Case {
        std::string line;
        Verdict verdict;
        double value;
        std::size_t unitCommands = 0;
    };
    const Case cases[] = {
        {"\nA 23.456C\r", Verdict::Accepted, 23.456},
        {"\nB-23.456C\r", Verdict::Accepted, -23.456},
        {"\nA -3.456C\r", Verdict::Accepted, -3.456},
        {"\nA- 3.456C\r", Verdict::Accepted, -3.456},
        {"\nA 123.456C\r", Verdict::Accepted, 123.456},
        {"\nA  3.456C\r", Verdict::Accepted, 3.456},
        {"\nA 74.300F\r", Verdict::Accepted, (74.3 - 32) * 0.5555555555555556},
        {"\nA -4.000F\r", Verdict::Accepted, (-4.0 - 32) * 0.5555555555555556},
        {"\nA 296.15K\r", Verdict::Accepted, 296.15 - 273.15},
        {"\nA  23.45C\r", Verdict::Accepted, 23.45},
        {"\n  23.456C\r", Verdict::Format, 0},     // no input letter
        {"\nA 23456CC\r", Verdict::Format, 0},     // no point
        {"\nA 23.456 \r", Verdict::Format, 0},     // no unit
        {"\nA 23.456R\r", Verdict::Format, 0, 1},  // a resistance: back to temperatures
        {"\nA 2.4R6RC\r", Verdict::Digit, 0, 2},
        {"\nA 2x.456C\r", Verdict::Digit, 0},   // a letter is no 0
        {"\nA 2-3.456C\r", Verdict::Digit, 0},  // a "-" after a digit is no sign
        {"\nA 1234.5C\r", Verdict::Digit, 0},   // four whole digits
        {"\nA 23.4 6C\r", Verdict::Digit, 0},
        {"\nA 3.456C\r", Verdict::Length, 0},
        {"\nA 123.4567C\r", Verdict::Length, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const LineResult r = One(Stream::F250, Text(c.line));
        EXPECT_EQ(r.verdict, c.verdict) << VerdictName(r.verdict);
        if (c.verdict == Verdict::Accepted) {
            EXPECT_DOUBLE_EQ(r.reading->value, c.value);
        }
        EXPECT_EQ(r.commands, std::vector<F250Command>(c.unitCommands, F250Command::Unit0));
    }
}

namespace {

// One good line of each stream.
Bytes GoodLine(Stream s) {
    switch (s) {
        case Stream::Qx311: return Qx("03412302345");
        case Stream::Qx316: return Qx("0341210132");
        case Stream::Dp30: return Text("R**B* 012.34\r");
        case Stream::F250: return Text("\nA 23.456C\r");
        default: return Qx("034124561234");
    }
}

Verdict VerdictAt(StreamDecoder& d, const Bytes& line, std::int64_t t) {
    const auto out = Feed(d, line, t);
    return out.size() == 1 ? out.front().verdict : Verdict::Length;
}

}  // namespace

TEST(StreamDecoder, WindowsOnTheMonotonicClockToTheMillisecond) {
    for (Stream s : kAllStreams) {
        SCOPED_TRACE(StreamName(s));
        const std::int64_t w = LineWindowMs(s), open = 86'399'000;  // any origin will do
        StreamDecoder d(s);
        d.Reset(open);
        EXPECT_EQ(VerdictAt(d, GoodLine(s), open + w - 1), Verdict::Accepted);      // first line after opening
        EXPECT_EQ(VerdictAt(d, GoodLine(s), open + 2 * w - 1), Verdict::Late);      // exactly the window: late
        EXPECT_EQ(VerdictAt(d, GoodLine(s), open + 3 * w - 2), Verdict::Accepted);  // a late CR still counts
        d.Reset(open + 10 * w);
        EXPECT_EQ(VerdictAt(d, GoodLine(s), open + 11 * w), Verdict::Late);
    }
}

TEST(StreamDecoder, OverlongLinesAreDroppedWholeAndTheNextLineIsRead) {
    for (Stream s : kAllStreams) {
        SCOPED_TRACE(StreamName(s));
        const std::size_t cap = LineCapacity(s);  // carriage return included
        StreamDecoder d(s);
        d.Reset(0);
        // Exactly the capacity still ends as a line (of the wrong length).
        Bytes full(cap - 1, '5');
        full.push_back('\r');
        EXPECT_NE(VerdictAt(d, full, 10), Verdict::Overlong);
        // One more: dropped as overlong, and so is its tail, even a whole line at its end.
        Bytes over(cap, '5');
        const Bytes good = GoodLine(s);
        over.insert(over.end(), good.begin(), good.end());
        EXPECT_EQ(VerdictAt(d, over, 20), Verdict::Overlong);
        EXPECT_EQ(d.PendingBytes(), 0u);
        EXPECT_EQ(VerdictAt(d, good, 30), Verdict::Accepted);
    }
}

TEST(StreamDecoder, ResetForgetsTheLineInProgress) {
    // Half a line before a purge and half after must not splice into one reading.
    StreamDecoder f250(Stream::F250);
    f250.Reset(0);
    EXPECT_TRUE(Feed(f250, Text("\nA 23."), 10).empty());
    f250.Reset(20);
    EXPECT_EQ(f250.PendingBytes(), 0u);
    EXPECT_EQ(VerdictAt(f250, Text("456C\r"), 30), Verdict::Length);
    EXPECT_EQ(VerdictAt(f250, Text("\nA 23.456C\r"), 40), Verdict::Accepted);
}
