// The simulator's lines read by the program's decoders: encoders at the edges
// of their fields, and every fault's "accept"/"drop" mark against the verdict.
#include "encoders.h"

#include <gtest/gtest.h>

#include "instrument.h"
#include "lab/lines/stream_decoder.h"
#include "options.h"

using namespace wegator;

namespace {

// The reading a fresh decoder makes of one line (an F-250 line after the LF of the previous one).
std::optional<lab::Reading> Read(lab::Stream stream, const std::string& line) {
    lab::StreamDecoder d(stream);
    d.Reset(0);
    std::optional<lab::LineResult> last;
    const std::string bytes = (stream == lab::Stream::F250 ? "\n" : "") + line;
    for (char c : bytes) {
        if (auto r = d.Feed(static_cast<std::uint8_t>(c), 10)) last = r;
    }
    EXPECT_TRUE(last) << line;
    return last ? last->reading : std::nullopt;
}

double Value(lab::Stream stream, const std::string& line) {
    const auto r = Read(stream, line);
    EXPECT_TRUE(r) << line;
    return r ? r->value : -1e300;
}

}  // namespace

TEST(SimEncoders, FieldEdgesReadBack) {
    using lab::Stream;
    for (int decimals = 1; decimals <= 4; ++decimals) {
        for (long counts : {sim::QxPressureRange().lowest, -1L, 0L, sim::QxPressureRange().highest}) {
            const double scale = std::pow(10.0, decimals);
            EXPECT_DOUBLE_EQ(Value(Stream::Qx316, sim::EncodeQxPressure({0xFFFF, counts, decimals})), counts / scale);
        }
    }
    for (long rh : {0L, 999L}) {
        for (long t : {-999L, 0L, 9999L}) {
            const auto r = Read(Stream::Qx310Environment, sim::EncodeQxEnvironment({0, rh, t}));
            ASSERT_TRUE(r);
            EXPECT_DOUBLE_EQ(r->value, t / 10.0);
            EXPECT_DOUBLE_EQ(r->humidity, rh / 10.0);
        }
    }
    for (bool fine : {false, true}) {
        const sim::FieldRange range = sim::QxTemperatureRange(fine);
        for (int channel : {0, 8}) {
            for (long counts : {range.lowest, -1L, range.highest}) {
                const auto r = Read(Stream::Qx311, sim::EncodeQxTemperature({0xA5C3, channel, fine, counts}));
                ASSERT_TRUE(r);
                EXPECT_DOUBLE_EQ(r->value, counts / (fine ? 100.0 : 10.0));
                EXPECT_EQ(r->channel, channel);
                EXPECT_EQ(r->resolution, fine ? 2 : 1);
                EXPECT_EQ(r->identifier, 0xA5C3);
            }
        }
    }
    for (long h : {sim::Dp30Range().lowest, -1L, 0L, 10000L, sim::Dp30Range().highest}) {
        EXPECT_DOUBLE_EQ(Value(Stream::Dp30, sim::EncodeDp30DewPoint(h)), h / 100.0);
    }
    EXPECT_FALSE(Read(Stream::Dp30, sim::EncodeDp30Other(1234)));
    for (long th : {sim::F250Range().lowest, -10000L, -1L, 0L, 9999L, sim::F250Range().highest}) {
        for (char input : {'A', 'B'}) {
            EXPECT_DOUBLE_EQ(Value(Stream::F250, sim::EncodeF250(input, th, 'C')), th / 1000.0);
        }
        EXPECT_NEAR(Value(Stream::F250, sim::EncodeF250('A', th, 'K')), th / 1000.0 - 273.15, 1e-9);
        EXPECT_NEAR(Value(Stream::F250, sim::EncodeF250('A', th, 'F')), (th / 1000.0 - 32) * 5 / 9, 1e-9);
    }
}

TEST(SimInstruments, EveryMarkMatchesTheDecodersVerdict) {
    const std::vector<std::string> faults = {"garbage:0.5", "corrupt:0.5", "overlong:3", "nocr:4", "late:5", "split:5"};
    for (sim::Kind kind : {sim::Kind::Qx310, sim::Kind::Qx310Env, sim::Kind::Qx311, sim::Kind::Qx316, sim::Kind::Dp30,
                           sim::Kind::F250}) {
        for (const std::string& spec : {std::string("none"), faults[0], faults[1], faults[2], faults[3], faults[4],
                                        faults[5], std::string("highbit"), std::string("all")}) {
            SCOPED_TRACE(sim::KindName(kind) + " " + spec);
            sim::InstrumentOptions o;
            o.kind = kind;
            o.rampPerMinute = 60;
            o.noise = 0.5;
            std::string error;
            for (const std::string& f : spec == "all" ? faults : std::vector<std::string>{spec}) {
                if (f != "none") o.faults.push_back(*sim::ParseFault(f, error));
            }
            sim::Instrument instrument(o, 7);
            instrument.Command("A3");

            const lab::Stream stream = *lab::StreamFromName(sim::KindName(kind));
            lab::StreamDecoder decoder(stream);
            decoder.Reset(0);
            std::int64_t t = 0;
            int accepted = 0, dropped = 0;
            for (int period = 0; period < 60; ++period) {
                t += 50;
                for (const sim::Line& line : instrument.NextPeriod(period * 0.05)) {
                    t += line.delayMs + line.splitMs + 1;
                    std::optional<lab::LineResult> outcome;
                    for (char c : line.bytes) {
                        if (auto r = decoder.Feed(static_cast<std::uint8_t>(c), t)) outcome = r;
                    }
                    if (!line.logged) continue;
                    const bool taken = outcome && outcome->verdict == lab::Verdict::Accepted;
                    EXPECT_EQ(taken, line.accept)
                        << line.reason << " " << (outcome ? lab::VerdictName(outcome->verdict) : "no CR");
                    if (taken) {
                        EXPECT_NEAR(outcome->reading->value, *line.value, 1e-9);
                        EXPECT_EQ(outcome->reading->channel, line.channel.value_or(0));
                        EXPECT_DOUBLE_EQ(outcome->reading->humidity, line.humidity.value_or(0.0));
                    }
                    (line.accept ? accepted : dropped) += 1;
                }
            }
            // Bit 128 spoils every line of an 8-bit line and none of a 7-bit one.
            const bool eightBit = stream == lab::Stream::Dp30 || stream == lab::Stream::F250;
            const bool highBit = spec == "highbit";
            if (!(highBit && eightBit)) {
                EXPECT_GT(accepted, 0);
            }
            if (spec != "none" && spec != "split:5" && !(highBit && !eightBit)) {
                EXPECT_GT(dropped, 0);
            }
        }
    }
}

TEST(SimInstruments, F250CommandsAndUnits) {
    sim::InstrumentOptions o;
    o.kind = sim::Kind::F250;
    o.unit = 'R';
    o.value = 0.0;
    sim::Instrument f250(o, 1);
    EXPECT_TRUE(f250.NextPeriod(0).empty());  // silent until told to measure
    f250.Command("A1");
    auto lines = f250.NextPeriod(1);
    ASSERT_EQ(lines.size(), 2u);  // a blank line first: the program's line starts empty
    EXPECT_EQ(lines[0].bytes, "\r\n");
    EXPECT_EQ(lines[1].bytes, "B100.000R\r\n");
    EXPECT_FALSE(lines[1].accept);
    f250.Command("U0");
    lines = f250.NextPeriod(2);
    EXPECT_EQ(lines.back().bytes, "B  0.000C\r\n");
    EXPECT_EQ(f250.NextPeriod(3).size(), 1u);
    f250.Command("A3");
    f250.NextPeriod(4);
    EXPECT_EQ(f250.NextPeriod(5).back().bytes[0], 'B');  // both inputs in turn
    f250.Command("A4");
    EXPECT_TRUE(f250.NextPeriod(6).empty());
}

TEST(SimOptions, FaultsAndCommandLines) {
    std::string error;
    struct Good {
        const char* text;
        sim::Fault::Type type;
    };
    for (const Good g :
         {Good{"garbage:0.1", sim::Fault::Type::Garbage}, Good{"split:30", sim::Fault::Type::Split},
          Good{"late:7", sim::Fault::Type::Late}, Good{"highbit", sim::Fault::Type::HighBit},
          Good{"silence:10:6", sim::Fault::Type::Silence}, Good{"disconnect:20", sim::Fault::Type::Disconnect}}) {
        const auto f = sim::ParseFault(g.text, error);
        ASSERT_TRUE(f) << g.text << ": " << error;
        EXPECT_EQ(f->type, g.type);
    }
    EXPECT_EQ(sim::ParseFault("disconnect:20:5", error)->forSeconds, 5.0);
    EXPECT_EQ(sim::ParseFault("disconnect:20", error)->forSeconds, -1.0);
    for (const char* bad : {"garbage", "garbage:2", "late:0", "late:1.5", "split:x", "highbit:1", "silence:1",
                            "disconnect", "noise:1", ""}) {
        EXPECT_FALSE(sim::ParseFault(bad, error)) << bad;
    }

    auto parse = [](std::vector<const char*> args) {
        args.insert(args.begin(), "wegator-sim");
        return sim::ParseCommandLine(static_cast<int>(args.size()), args.data());
    };
    const auto ok = parse({"--instrument", "qx311", "--channels", "1,3", "--offsets", "0.5,-0.5", "--resolution", "2",
                           "--id", "BEEF", "--link", "COM256", "--fault", "garbage:0.1", "--fault", "late:3"});
    ASSERT_TRUE(ok.options) << ok.message;
    const sim::InstrumentOptions& q = ok.options->instruments.at(0);
    EXPECT_EQ(q.channels, (std::vector<int>{1, 3}));
    EXPECT_EQ(q.identifier, 0xBEEF);
    EXPECT_EQ(q.faults.size(), 2u);
    EXPECT_EQ(parse({"--help"}).exitCode, 0);
    for (auto args : std::vector<std::vector<const char*>>{
             {},
             {"--instrument", "dp31"},
             {"--instrument", "dp30", "--unit", "F"},
             {"--instrument", "qx316", "--decimals", "5"},
             {"--instrument", "qx316", "--link", "COM257"},
             {"--instrument", "qx316", "--link", "COM07"},
             {"--instrument", "qx310", "--id", "12345"},
             {"--instrument", "f250", "--fault", "late"},
             {"--instrument", "qx311", "--channels", "1,2", "--offsets", "1,2,3"},
             {"--instrument", "dp30", "--station", "x"},
         }) {
        const auto r = parse(args);
        EXPECT_FALSE(r.options);
        EXPECT_EQ(r.exitCode, 2) << r.message;
    }
    EXPECT_EQ(parse({"--station", "/nonexistent/station"}).exitCode, 1);

    std::string message;
    const auto line = sim::ParseStationLine("f250 --link COM5 --unit F --fault \"split:20\"", message);
    ASSERT_TRUE(line) << message;
    EXPECT_EQ(line->unit, 'F');
    EXPECT_EQ(line->link, "COM5");
    EXPECT_FALSE(sim::ParseStationLine("f250 --decimals 2", message));
    EXPECT_EQ(message, "--decimals applies to the qx316 only");
}
