#include "options.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <sstream>

#include "pty_port.h"
#include "wegator_version.h"

namespace wegator::sim {

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

const char* const kDescription =
    "wegator-sim plays the laboratory's serial instruments on pseudo-terminals, so that wegator and\n"
    "wegator-cli read the real chain without hardware. Each instrument gets its own pseudo-terminal; its\n"
    "name is printed as \"COMn /dev/pts/N\" (or the device alone without --link). An instrument sends only\n"
    "while a program holds its port open, at the line's baud rate (--fast skips the pacing).\n"
    "Instruments: qx310 (air temperature), qx310-env (room temperature and humidity), qx311 (eight\n"
    "temperature channels), qx316 (barometer), dp30 (dew point), f250 (thermometer; silent until it is\n"
    "sent \"A0\", \"A1\" or \"A3\").\n"
    "Exit status: 0 after --count, --seconds, a signal, or when every instrument is unplugged for good;\n"
    "1 when a pseudo-terminal, a link, the log or the station file fails; 2 for a usage error, or when\n"
    "standard output cannot be written.";

const char* const kFaultHelp = "Make the instrument misbehave (repeatable; see Faults below)";

const char* const kFooter =
    "Faults:\n"
    "  garbage:P            garbage bytes before a line, with probability P (0 to 1)\n"
    "  split:MS             every line paused MS ms in its middle\n"
    "  corrupt:P            one character of a line spoiled, with probability P\n"
    "  late:N               every Nth line comes too late for the program's window\n"
    "  overlong:N           every Nth line comes after more bytes than a line holds\n"
    "  nocr:N               every Nth line without its CR (it runs into the next)\n"
    "  highbit              bit 128 set on every byte (harmless on the 7-bit QX lines)\n"
    "  silence:AT:FOR       no line from AT s after the start, for FOR s\n"
    "  disconnect:AT[:FOR]  the port vanishes at AT s; a new one under the same link after FOR s\n"
    "\n"
    "The log (--log) has one line per event, fields separated by tabs: milliseconds since the start,\n"
    "instrument, port, then \"line\", accept or drop, the reason for a drop, the value (°C, kPa for the\n"
    "qx316), the humidity, the QX-311 channel and the bytes; or \"command\" and the command received;\n"
    "or \"port\" and opened, closed, gone or back.\n"
    "\n"
    "Examples:\n"
    "  wegator-sim --instrument dp30 --link COM7 --value -12.34\n"
    "  wegator-sim --instrument qx316 --link COM3 --noise 0.02 --fault garbage:0.1 --fault disconnect:30:5\n"
    "  wegator-sim --station lab.txt --log sim.log     (lab.txt: \"f250 --link COM5 --unit F\" and so on)";

// Options that describe one instrument, shared by the command line and the station file.
struct InstrumentFlags {
    std::string link;
    std::vector<std::string> faults;
    std::string id;
    std::string unit;
    std::vector<int> channels;
    double valueNumber = 0.0;
    CLI::Option* value = nullptr;
    CLI::Option* rh = nullptr;
    CLI::Option* decimals = nullptr;
    CLI::Option* resolution = nullptr;
    CLI::Option* channelsOption = nullptr;
    CLI::Option* offsets = nullptr;
    CLI::Option* idOption = nullptr;
    CLI::Option* unitOption = nullptr;
};

void AddInstrumentOptions(CLI::App& app, InstrumentOptions& o, InstrumentFlags& f) {
    const std::string group = "Instrument";
    app.add_option("--link", f.link, "Link COMn (COM1-COM256) to the port in $XDG_CONFIG_HOME/TREVAN/ports/")
        ->type_name("COMn")
        ->group(group);
    f.value = app.add_option("--value", f.valueNumber,
                             "Value shown, °C (kPa for the qx316); default 20, qx310-env 22.5, qx316 101.32, dp30 10")
                  ->type_name("V")
                  ->group(group);
    app.add_option("--ramp", o.rampPerMinute, "Change of the value per minute")->type_name("V")->group(group);
    app.add_option("--ramp-for", o.rampSeconds,
                   "Seconds from the start the ramp lasts; the value then holds (default: the ramp never stops)")
        ->type_name("S")
        ->check(CLI::NonNegativeNumber.description(""))
        ->group(group);
    app.add_option("--noise", o.noise, "Standard deviation of a normal noise on the value")
        ->type_name("SD")
        ->check(CLI::NonNegativeNumber.description(""))
        ->group(group);
    app.add_option("--period", o.periodMs, "Milliseconds between lines (dp30: between blocks of lines)")
        ->type_name("MS")
        ->check(CLI::Range(1, 3600000).description(""))
        ->group(group);
    f.idOption = app.add_option("--id", f.id, "QX: the instrument's identifier, four hexadecimal digits (default 1234)")
                     ->type_name("HEX")
                     ->group(group);
    f.rh = app.add_option("--rh", o.humidity, "qx310, qx310-env: relative humidity in % (default 45)")
               ->type_name("RH")
               ->check(CLI::Range(0.0, 99.9).description(""))
               ->group(group);
    f.decimals = app.add_option("--decimals", o.decimals,
                                "qx316: decimals of the pressure field, set by the frame's flags (default 2)")
                     ->type_name("1..4")
                     ->check(CLI::Range(1, 4).description(""))
                     ->group(group);
    f.resolution =
        app.add_option("--resolution", o.resolution, "qx311: 1 for frames in 0.1 K (default), 2 for frames in 0.01 K")
            ->type_name("1|2")
            ->check(CLI::Range(1, 2).description(""))
            ->group(group);
    f.channelsOption = app.add_option("--channels", f.channels,
                                      "qx311: channels 0-8 reported in turn, e.g. 1,2,5 (default all of 1-8)")
                           ->delimiter(',')
                           ->check(CLI::Range(0, 8).description(""))
                           ->type_name("LIST")
                           ->group(group);
    f.offsets = app.add_option("--offsets", o.offsets, "qx311: K added to each listed channel, in the same order")
                    ->delimiter(',')
                    ->type_name("LIST")
                    ->group(group);
    f.unitOption =
        app.add_option("--unit", f.unit, "f250: unit of its lines (default C); R: resistances until sent \"U0\"")
            ->type_name("C|K|F|R")
            ->check(CLI::IsMember({"C", "K", "F", "R"}).description(""))
            ->group(group);
    app.add_option("--fault", f.faults, kFaultHelp)->type_name("FAULT")->group(group);
}

// Checks the instrument's options against its kind; empty when all is well.
std::string Finish(Kind kind, InstrumentOptions& o, InstrumentFlags& f) {
    o.kind = kind;
    const bool qx = kind != Kind::Dp30 && kind != Kind::F250;
    auto only = [&](CLI::Option* option, bool allowed, const char* who) -> std::string {
        if (option->count() > 0 && !allowed) return option->get_name() + " applies to the " + who + " only";
        return {};
    };
    for (const std::string& m :
         {only(f.idOption, qx, "QX instruments"),
          only(f.rh, kind == Kind::Qx310 || kind == Kind::Qx310Env, "qx310 and qx310-env"),
          only(f.decimals, kind == Kind::Qx316, "qx316"), only(f.resolution, kind == Kind::Qx311, "qx311"),
          only(f.channelsOption, kind == Kind::Qx311, "qx311"), only(f.offsets, kind == Kind::Qx311, "qx311"),
          only(f.unitOption, kind == Kind::F250, "f250")}) {
        if (!m.empty()) return m;
    }
    if (!f.link.empty()) {
        if (!ValidComName(f.link)) return "--link takes COM1 … COM256, not \"" + f.link + "\"";
        o.link = f.link;
    }
    if (!f.id.empty()) {
        std::size_t used = 0;
        unsigned long id = 0;
        try {
            id = std::stoul(f.id, &used, 16);
        } catch (...) {
            used = 0;
        }
        if (used != f.id.size() || id > 0xFFFF) return "--id takes four hexadecimal digits, not \"" + f.id + "\"";
        o.identifier = static_cast<std::uint16_t>(id);
    }
    if (f.value->count() > 0) o.value = f.valueNumber;
    if (!f.channels.empty()) o.channels = f.channels;
    if (o.offsets.size() > o.channels.size()) return "--offsets has more values than there are channels";
    if (!f.unit.empty()) o.unit = f.unit[0];
    for (const std::string& text : f.faults) {
        std::string error;
        const auto fault = ParseFault(text, error);
        if (!fault) return error;
        o.faults.push_back(*fault);
    }
    return {};
}

std::string KindList() { return "qx310, qx310-env, qx311, qx316, dp30, f250"; }

// Splits a station line at blanks; double quotes keep blanks inside a word.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

}  // namespace

std::optional<InstrumentOptions> ParseStationLine(const std::string& line, std::string& message) {
    std::vector<std::string> words = Words(line);
    if (words.empty()) {
        message = "no instrument";
        return std::nullopt;
    }
    const auto kind = KindFromName(words[0]);
    if (!kind) {
        message = "unknown instrument \"" + words[0] + "\" (" + KindList() + ")";
        return std::nullopt;
    }
    CLI::App app{"station line"};
    InstrumentOptions o;
    InstrumentFlags f;
    AddInstrumentOptions(app, o, f);
    std::vector<std::string> args(words.rbegin(), words.rend() - 1);  // CLI11 takes them last first
    try {
        app.parse(args);
    } catch (const CLI::ParseError& e) {
        message = e.what();
        return std::nullopt;
    } catch (const std::exception&) {
        message = "a number is malformed";
        return std::nullopt;
    }
    message = Finish(*kind, o, f);
    if (!message.empty()) return std::nullopt;
    return o;
}

ParseResult ParseCommandLine(int argc, const char* const* argv) {
    CLI::App app{kDescription, "wegator-sim"};
    app.get_formatter()->column_width(30);
    app.footer(kFooter);
    app.set_version_flag("--version", std::string("wegator-sim ") + wegator::kVersion,
                         "Print the program's version and exit");
    SimOptions sim;
    InstrumentOptions o;
    InstrumentFlags f;
    std::string instrument, station;
    auto* instrumentOption =
        app.add_option("--instrument", instrument, "Instrument to play: " + KindList())->type_name("NAME");
    auto* stationOption =
        app.add_option("--station", station, "Several instruments, one per line: NAME and Instrument options")
            ->type_name("FILE")
            ->excludes(instrumentOption);
    app.add_flag("--fast", sim.fast, "Send each line at once, not paced at the baud rate");
    app.add_option("--seed", sim.seed, "Seed of the noise and the faults (default 1)");
    app.add_option("--log", sim.logFile, "Log every line sent (accept or drop) and command received")
        ->type_name("FILE");
    app.add_option("--count", sim.count, "Stop after N periods of each instrument")
        ->type_name("N")
        ->check(CLI::PositiveNumber.description(""));
    app.add_option("--seconds", sim.seconds, "Stop after S seconds")
        ->type_name("S")
        ->check(CLI::PositiveNumber.description(""));
    AddInstrumentOptions(app, o, f);

    ParseResult result;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        result.message = app.help();
        return result;
    } catch (const CLI::CallForVersion& e) {
        result.message = std::string(e.what()) + "\n";
        return result;
    } catch (const CLI::ParseError& e) {
        result.message = std::string(e.what()) + "\nRun with --help for more information.";
        result.exitCode = kExitUsage;
        return result;
    } catch (const std::exception&) {
        result.message = "a number is malformed\nRun with --help for more information.";
        result.exitCode = kExitUsage;
        return result;
    }

    if (instrumentOption->count() > 0) {
        const auto kind = KindFromName(instrument);
        if (!kind) {
            result.message = "unknown instrument \"" + instrument + "\" (" + KindList() + ")";
            result.exitCode = kExitUsage;
            return result;
        }
        result.message = Finish(*kind, o, f);
        if (!result.message.empty()) {
            result.exitCode = kExitUsage;
            return result;
        }
        sim.instruments.push_back(o);
    } else if (stationOption->count() > 0) {
        for (const CLI::Option* opt : app.get_options()) {
            if (opt->get_group() == "Instrument" && opt->count() > 0) {
                result.message = opt->get_name() + " belongs in the station file with --station";
                result.exitCode = kExitUsage;
                return result;
            }
        }
        std::ifstream in(station);
        if (!in) {
            result.message = "cannot read the station file " + station;
            result.exitCode = kExitFailure;
            return result;
        }
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
            if (line.find_first_not_of(" \t") == std::string::npos) continue;
            std::string message;
            const auto parsed = ParseStationLine(line, message);
            if (!parsed) {
                result.message = station + ", line " + std::to_string(number) + ": " + message;
                result.exitCode = kExitUsage;
                return result;
            }
            sim.instruments.push_back(*parsed);
        }
        if (sim.instruments.empty()) {
            result.message = "the station file " + station + " names no instrument";
            result.exitCode = kExitUsage;
            return result;
        }
    } else {
        result.message =
            "say which instrument to play: --instrument NAME or --station FILE\n"
            "Run with --help for more information.";
        result.exitCode = kExitUsage;
        return result;
    }
    for (std::size_t i = 0; i < sim.instruments.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (!sim.instruments[i].link.empty() && sim.instruments[i].link == sim.instruments[j].link) {
                result.message = "two instruments cannot share the link " + sim.instruments[i].link;
                result.exitCode = kExitUsage;
                return result;
            }
        }
    }
    result.options = sim;
    return result;
}

}  // namespace wegator::sim
