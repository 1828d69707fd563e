// The simulator plays each instrument, faults included, and wegator-cli reads
// it: every reading must be a line the simulator logged as good, with its
// value, in the order sent, and no reading may come from a line it spoiled.
// Nothing here counts lines: how many arrive depends on the machine's pace.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/program_run.h"

namespace {

using nlohmann::json;
using wegator::test::Program;
using wegator::test::ReadFile;
using wegator::test::UserFolder;

// One "line" event of the simulator's log.
struct SentLine {
    std::string instrument;
    bool accepted = false;
    double value = 0.0;
    std::optional<double> humidity;
    std::optional<int> channel;
};

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

// Log fields: ms, instrument, port, "line", accept|drop, reason, value, humidity, channel, bytes.
std::vector<SentLine> SentLines(const std::string& log) {
    std::vector<SentLine> lines;
    std::istringstream in(log);
    for (std::string text; std::getline(in, text);) {
        const std::vector<std::string> f = Fields(text);
        if (f.size() < 9 || f[3] != "line") continue;
        SentLine line;
        line.instrument = f[1];
        line.accepted = f[4] == "accept";
        if (f[6] != "-") line.value = std::stod(f[6]);
        if (f[7] != "-") line.humidity = std::stod(f[7]);
        if (f[8] != "-") line.channel = std::stoi(f[8]);
        lines.push_back(line);
    }
    return lines;
}

// How often a "command" event with this text is in the log, and where.
std::vector<std::string> Commands(const std::string& log) {
    std::vector<std::string> commands;
    std::istringstream in(log);
    for (std::string text; std::getline(in, text);) {
        const std::vector<std::string> f = Fields(text);
        if (f.size() >= 5 && f[3] == "command") commands.push_back(f[4]);
    }
    return commands;
}

std::vector<json> Readings(const std::string& out) {
    std::vector<json> readings;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) readings.push_back(json::parse(line));
    return readings;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Each reading of `stream` is the next line the simulator sent as good from
// `instrument`, in order. Good lines may be missed (one in flight while the
// port opened, or late because this machine was busy), never invented.
void ExpectReadingsAreSentGoodLines(const std::vector<json>& readings, const std::vector<SentLine>& sent,
                                    const std::string& stream, const std::string& instrument, double tolerance) {
    std::size_t next = 0;
    int matched = 0;
    for (const json& reading : readings) {
        if (reading["stream"] != stream) continue;
        const double value = reading["raw"].get<double>();
        const auto found =
            std::find_if(sent.begin() + static_cast<std::ptrdiff_t>(next), sent.end(), [&](const SentLine& line) {
                return line.instrument == instrument && line.accepted && std::abs(line.value - value) <= tolerance &&
                       (!line.channel || reading.value("channel", -1) == *line.channel);
            });
        ASSERT_NE(found, sent.end()) << stream << ": " << reading.dump()
                                     << " is no good line sent after the previous reading";
        if (found->humidity) {
            EXPECT_NEAR(reading["humidity"].get<double>(), *found->humidity, 1e-9);
        }
        next = static_cast<std::size_t>(found - sent.begin()) + 1;
        ++matched;
    }
    EXPECT_GE(matched, 2) << stream << ": too few readings to judge";
}

class LabEndToEndTest : public ::testing::Test {
protected:
    // Starts the simulator and waits until its ports (and links) exist.
    void StartSimulator(const std::vector<std::string>& args) {
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--log", (folder_.Path() / "sim.log").string()});
        sim_ = std::make_unique<Program>(WEGATOR_SIM_PATH, all, folder_.Path(), "sim");
        for (int i = 0; i < 500 && sim_->Running() && sim_->Out().find('\n') == std::string::npos; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(sim_->Running()) << sim_->Err();
    }
    // Runs the reader to its end, then ends the simulator.
    int Read(const std::vector<std::string>& args) {
        Program cli(WEGATOR_CLI_PATH, args, folder_.Path(), "cli");
        const int status = cli.Wait(60000);
        out_ = cli.Out();
        err_ = cli.Err();
        sim_->Signal(SIGTERM);
        EXPECT_EQ(sim_->Wait(), 0) << sim_->Err();
        log_ = ReadFile(folder_.Path() / "sim.log");
        return status;
    }

    UserFolder folder_;
    std::unique_ptr<Program> sim_;
    std::string out_;
    std::string err_;
    std::string log_;
};

TEST_F(LabEndToEndTest, Dp30ReadingsThroughGarbageCorruptionAndLateLines) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator({"--instrument", "dp30", "--link", "COM7", "--value", "-12.34", "--noise",
                                            "0.5", "--fast", "--seed", "7", "--fault", "garbage:0.2", "--fault",
                                            "corrupt:0.2", "--fault", "late:4", "--fault", "split:20"}));
    ASSERT_EQ(Read({"lab", "read", "--dp30", "COM7", "--seconds", "3", "--json"}), 0) << err_;
    const std::vector<SentLine> sent = SentLines(log_);
    EXPECT_GT(std::count_if(sent.begin(), sent.end(), [](const SentLine& l) { return !l.accepted; }), 0) << log_;
    ExpectReadingsAreSentGoodLines(Readings(out_), sent, "dp30", "dp30", 1e-9);
}

// In °F on input B: the thermometer is told "A1" first and "A4" last, and its
// readings come out in °C.
TEST_F(LabEndToEndTest, F250InFahrenheitOnInputB) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator({"--instrument", "f250", "--link", "COM5", "--unit", "F", "--value", "21.5",
                                            "--noise", "0.05", "--fast", "--period", "150"}));
    ASSERT_EQ(Read({"lab", "read", "--f250", "COM5", "--f250-input", "B", "--seconds", "2", "--json"}), 0) << err_;
    const std::vector<std::string> commands = Commands(log_);
    ASSERT_FALSE(commands.empty()) << log_;
    EXPECT_EQ(commands.front(), "A1");
    EXPECT_EQ(commands.back(), "A4");
    // The simulator logs °C with six decimals.
    ExpectReadingsAreSentGoodLines(Readings(out_), SentLines(log_), "f250", "f250", 1e-6);
    const std::string dialogue = ReadFile(folder_.Path() / "state" / "TREVAN" / "F250.txt");
    EXPECT_NE(dialogue.find("   A1\\n"), std::string::npos) << dialogue;
    EXPECT_NE(dialogue.find("B0x42 "), std::string::npos) << dialogue;
}

// The barometer with spoiled lines of every kind and a port that vanishes for
// a second: the loss and the reopening are reported once each.
TEST_F(LabEndToEndTest, Qx316ThroughFaultsAndADisconnection) {
    ASSERT_NO_FATAL_FAILURE(
        StartSimulator({"--instrument",    "qx316",    "--link",      "COM9",    "--noise",  "0.05",
                        "--fast",          "--period", "100",         "--seed",  "3",        "--fault",
                        "garbage:0.2",     "--fault",  "corrupt:0.2", "--fault", "split:30", "--fault",
                        "overlong:6",      "--fault",  "nocr:7",      "--fault", "highbit",  "--fault",
                        "disconnect:1.5:1"}));
    ASSERT_EQ(Read({"lab", "read", "--qx316", "COM9", "--seconds", "4.5", "--retry", "--json"}), 0) << err_;
    EXPECT_EQ(Occurrences(err_, "port lost"), 1u) << err_;
    EXPECT_EQ(Occurrences(err_, "reopened"), 1u) << err_;
    ExpectReadingsAreSentGoodLines(Readings(out_), SentLines(log_), "qx316", "qx316", 1e-9);
}

// Several instruments of one station at once: the QX-311's channels and the
// room's temperature and humidity keep their own fields.
TEST_F(LabEndToEndTest, Qx311ChannelsAndRoomConditionsTogether) {
    const auto station = folder_.Write("station.txt",
                                       "qx311 --link COM10 --resolution 2 --noise 0.2 --period 100\n"
                                       "qx310-env --link COM11 --noise 0.3 --rh 55 --period 100\n");
    ASSERT_NO_FATAL_FAILURE(StartSimulator({"--station", station.string(), "--fast"}));
    ASSERT_EQ(Read({"lab", "read", "--qx311", "COM10", "--qx310-env", "COM11", "--seconds", "3", "--json"}), 0) << err_;
    const std::vector<json> readings = Readings(out_);
    const std::vector<SentLine> sent = SentLines(log_);
    ExpectReadingsAreSentGoodLines(readings, sent, "qx311", "qx311", 1e-9);
    ExpectReadingsAreSentGoodLines(readings, sent, "qx310-env", "qx310-env", 1e-9);
}

}  // namespace
