// wegator-sim on real pseudo-terminals, read the way a serial port is read
// (plain POSIX calls) and decoded by the program's decoders. No count here
// depends on timing: only what was read is checked against what was sent.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "lab/lines/stream_decoder.h"

extern char** environ;

using namespace wegator;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

fs::path TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path dir =
        fs::temp_directory_path() / (std::string("wegator_sim_") + info->name() + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

// The simulator as a child process whose standard output the test reads.
class Sim {
public:
    Sim(const fs::path& config, std::vector<std::string> args) {
        int pipeFds[2];
        EXPECT_EQ(::pipe(pipeFds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        args.insert(args.begin(), WEGATOR_SIM_PATH);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> env = {"XDG_CONFIG_HOME=" + config.string()};
        for (char** e = environ; *e != nullptr; ++e) {
            if (std::string_view(*e).substr(0, 16) != "XDG_CONFIG_HOME=") env.emplace_back(*e);
        }
        std::vector<char*> envp;
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&pid_, WEGATOR_SIM_PATH, &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        out_ = pipeFds[0];
    }
    ~Sim() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            Wait();
        }
        ::close(out_);
    }

    // The next line of its output ("COMn /dev/pts/N"); empty after 10 s or at its end.
    std::string Line() {
        std::string line;
        const auto until = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < until) {
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            char c;
            if (::read(out_, &c, 1) != 1) break;
            if (c == '\n') return line;
            line += c;
        }
        return line;
    }

    int Wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

// A port opened as a serial port is: raw, not the controlling terminal.
int OpenPort(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(fd, 0) << device;
    termios t{};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

struct Port {
    int fd;
    lab::StreamDecoder decoder;
    std::vector<lab::Reading> readings;
};

// Reads every port until each has ended (the simulator closed it) or the time is up.
void ReadUntilClosed(std::vector<Port>& ports, std::chrono::seconds limit) {
    const auto until = Clock::now() + limit;
    std::size_t open = ports.size();
    while (open > 0 && Clock::now() < until) {
        std::vector<pollfd> fds;
        for (auto& p : ports) fds.push_back({p.fd, POLLIN, 0});
        ::poll(fds.data(), fds.size(), 100);
        for (std::size_t i = 0; i < ports.size(); ++i) {
            if (ports[i].fd < 0 || fds[i].revents == 0) continue;
            unsigned char buffer[512];
            const ssize_t n = ::read(ports[i].fd, buffer, sizeof buffer);
            if (n <= 0 && errno != EAGAIN) {
                ::close(ports[i].fd);
                ports[i].fd = -1;
                --open;
                continue;
            }
            const std::int64_t now = NowMs();
            for (ssize_t k = 0; k < n; ++k) {
                if (auto r = ports[i].decoder.Feed(buffer[k], now); r && r->reading) {
                    ports[i].readings.push_back(*r->reading);
                }
            }
        }
    }
}

struct LoggedLine {
    bool accept;
    double value;
};

// The simulator's log: per instrument, the lines with a value, and the other events.
struct Log {
    std::map<std::string, std::vector<LoggedLine>> lines;
    std::vector<std::string> events;
};

Log ReadLog(const fs::path& file) {
    Log log;
    std::ifstream in(file);
    for (std::string text; std::getline(in, text);) {
        std::vector<std::string> f;
        std::stringstream s(text);
        for (std::string field; std::getline(s, field, '\t');) f.push_back(field);
        if (f.size() >= 6 && f[3] == "line") {
            if (f[6] != "-") log.lines[f[1]].push_back({f[4] == "accept", std::stod(f[6])});
        } else if (f.size() >= 5) {
            log.events.push_back(f[1] + " " + f[3] + " " + f[4]);
        }
    }
    return log;
}

// Every reading is a line the simulator marked accept; none is a line it marked drop.
void ExpectReadingsMatchTheLog(const std::vector<lab::Reading>& readings, const std::vector<LoggedLine>& lines) {
    EXPECT_FALSE(readings.empty());
    for (const lab::Reading& r : readings) {
        bool accepted = false, dropped = false;
        for (const LoggedLine& l : lines) {
            if (std::fabs(l.value - r.value) > 1e-6) continue;
            (l.accept ? accepted : dropped) = true;
        }
        EXPECT_TRUE(accepted) << r.value;
        EXPECT_FALSE(dropped) << r.value;
    }
}

}  // namespace

TEST(SimOnPseudoTerminals, AStationOfSixInstrumentsReadAndDecoded) {
    const fs::path dir = TempFolder();
    const char* names[] = {"qx310", "qx311", "qx316", "dp30", "f250", "qx310-env"};
    {
        std::ofstream station(dir / "station");
        station << "# the whole laboratory\n";
        for (int i = 0; i < 6; ++i) {
            // A steady ramp makes every line's value its own.
            station << names[i] << " --link COM" << 241 + i << " --period 25 --ramp 600 --fault garbage:0.3"
                    << (i % 2 == 0 ? " --fault corrupt:0.3" : " --fault nocr:5") << "\n";
        }
    }
    Sim sim(dir, {"--station", (dir / "station").string(), "--fast", "--count", "40", "--seed", "11", "--log",
                  (dir / "log").string()});
    std::vector<Port> ports;
    for (int i = 0; i < 6; ++i) {
        std::istringstream line(sim.Line());
        std::string com, device;
        line >> com >> device;
        ASSERT_EQ(com, "COM" + std::to_string(241 + i));
        EXPECT_EQ(fs::read_symlink(dir / "TREVAN" / "ports" / com), device);
        ports.push_back({OpenPort(device), lab::StreamDecoder(*lab::StreamFromName(names[i])), {}});
        ports.back().decoder.Reset(NowMs());
    }
    ASSERT_EQ(::write(ports[4].fd, "A0\n", 3), 3);  // the F-250 waits to be told what to measure

    ReadUntilClosed(ports, std::chrono::seconds(30));
    EXPECT_EQ(sim.Wait(), 0);
    const Log log = ReadLog(dir / "log");
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(names[i]);
        ExpectReadingsMatchTheLog(ports[i].readings, log.lines.at(names[i]));
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "TREVAN" / "ports" / ("COM" + std::to_string(241 + i)))));
    }
    EXPECT_NE(std::find(log.events.begin(), log.events.end(), "f250 command A0"), log.events.end());
    fs::remove_all(dir);
}

TEST(SimOnPseudoTerminals, AnUnpluggedInstrumentComesBackUnderItsLink) {
    const fs::path dir = TempFolder();
    Sim sim(dir, {"--instrument", "qx316", "--link", "COM240", "--fast", "--period", "20", "--ramp", "60", "--fault",
                  "disconnect:0.6:0.4", "--seconds", "2", "--log", (dir / "log").string()});
    std::vector<lab::Reading> all;
    for (int round = 0; round < 2; ++round) {
        const std::string line = sim.Line();
        ASSERT_EQ(line.substr(0, 7), "COM240 ");
        const std::string device = line.substr(7);
        EXPECT_EQ(fs::read_symlink(dir / "TREVAN" / "ports" / "COM240"), device);
        std::vector<Port> ports;
        ports.push_back({OpenPort(device), lab::StreamDecoder(lab::Stream::Qx316), {}});
        ports[0].decoder.Reset(NowMs());
        ReadUntilClosed(ports, std::chrono::seconds(10));
        EXPECT_FALSE(ports[0].readings.empty()) << "round " << round;
        all.insert(all.end(), ports[0].readings.begin(), ports[0].readings.end());
    }
    EXPECT_EQ(sim.Wait(), 0);
    const Log log = ReadLog(dir / "log");
    ExpectReadingsMatchTheLog(all, log.lines.at("qx316"));
    EXPECT_NE(std::find(log.events.begin(), log.events.end(), "qx316 port gone"), log.events.end());
    EXPECT_NE(std::find(log.events.begin(), log.events.end(), "qx316 port back"), log.events.end());
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "TREVAN" / "ports" / "COM240")));
    fs::remove_all(dir);
}
