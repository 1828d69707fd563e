#include "instrument.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "encoders.h"

namespace wegator::sim {

namespace {

struct KindInfo {
    Kind kind;
    const char* name;
    int baud;
    int bitsPerCharacter;
    int windowMs;
    std::size_t capacity;  // the program's line buffer, carriage return included
    double defaultValue;
};

// QX: 300 baud, 7 data bits; DP30 9600 and F-250 19200 baud, 8 data bits; one
// start and one stop bit each.
constexpr KindInfo kKinds[] = {
    {Kind::Qx310, "qx310", 300, 9, 5000, 127, 20.0}, {Kind::Qx310Env, "qx310-env", 300, 9, 5000, 127, 22.5},
    {Kind::Qx311, "qx311", 300, 9, 5000, 127, 20.0}, {Kind::Qx316, "qx316", 300, 9, 5000, 127, 101.32},
    {Kind::Dp30, "dp30", 9600, 10, 200, 1000, 10.0}, {Kind::F250, "f250", 19200, 10, 4000, 1000, 20.0},
};

const KindInfo& Info(Kind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

bool IsQx(Kind kind) { return Info(kind).baud == 300; }

constexpr unsigned char kCr = '\r';
constexpr unsigned char kLf = '\n';
constexpr unsigned char kCorruptBit = 0x40;
constexpr unsigned char kHighBit = 0x80;
constexpr std::size_t kShortestGarbage = 2;
constexpr std::size_t kLongestGarbage = 40;

long Clamp(long v, FieldRange r) { return std::clamp(v, r.lowest, r.highest); }

long Counts(double value, int decimals, FieldRange range) {
    return Clamp(std::lround(value * std::pow(10.0, decimals)), range);
}

// Bytes that can never make a line the program takes: no line ends (on a 7-bit
// line either), no QX frame start (data 0), none of the letters that open a
// DP30 or F-250 line.
bool HarmlessGarbage(unsigned char b) {
    const unsigned char seven = b & 0x7F;
    return seven != kCr && seven != kLf && (b & 0x3F) != 0 && b != 'R' && b != 'A' && b != 'B';
}

}  // namespace

std::string KindName(Kind kind) { return Info(kind).name; }

std::optional<Kind> KindFromName(const std::string& name) {
    for (const KindInfo& k : kKinds) {
        if (name == k.name) return k.kind;
    }
    return std::nullopt;
}

int BitsPerCharacter(Kind kind) { return Info(kind).bitsPerCharacter; }
int Baud(Kind kind) { return Info(kind).baud; }
int WindowMs(Kind kind) { return Info(kind).windowMs; }
double DefaultValue(Kind kind) { return Info(kind).defaultValue; }

std::optional<Fault> ParseFault(const std::string& text, std::string& error) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ':');) parts.push_back(part);
    if (parts.empty()) parts.push_back("");
    auto number = [&](std::size_t i, double& out) {
        if (i >= parts.size()) return false;
        std::size_t used = 0;
        try {
            out = std::stod(parts[i], &used);
        } catch (...) {
            return false;
        }
        return used == parts[i].size() && std::isfinite(out) && out >= 0;
    };
    Fault f;
    const std::string& name = parts[0];
    double a = 0, b = 0;
    bool ok = false;
    if (name == "garbage" || name == "corrupt") {
        f.type = name == "garbage" ? Fault::Type::Garbage : Fault::Type::Corrupt;
        ok = parts.size() == 2 && number(1, a) && a <= 1.0;
        f.probability = a;
    } else if (name == "split") {
        f.type = Fault::Type::Split;
        ok = parts.size() == 2 && number(1, a) && a == std::floor(a);
        f.ms = static_cast<int>(a);
    } else if (name == "late" || name == "overlong" || name == "nocr") {
        f.type = name == "late" ? Fault::Type::Late : name == "overlong" ? Fault::Type::Overlong : Fault::Type::NoCr;
        ok = parts.size() == 2 && number(1, a) && a >= 1 && a == std::floor(a);
        f.every = static_cast<int>(a);
    } else if (name == "highbit") {
        f.type = Fault::Type::HighBit;
        ok = parts.size() == 1;
    } else if (name == "silence") {
        f.type = Fault::Type::Silence;
        ok = parts.size() == 3 && number(1, a) && number(2, b);
        f.atSeconds = a;
        f.forSeconds = b;
    } else if (name == "disconnect") {
        f.type = Fault::Type::Disconnect;
        ok = (parts.size() == 2 || parts.size() == 3) && number(1, a) && (parts.size() == 2 || number(2, b));
        f.atSeconds = a;
        f.forSeconds = parts.size() == 3 ? b : -1.0;
    } else {
        error = "unknown fault \"" + text + "\"";
        return std::nullopt;
    }
    if (!ok) {
        error = "fault \"" + text + "\" is malformed";
        return std::nullopt;
    }
    return f;
}

Instrument::Instrument(InstrumentOptions options, std::uint64_t seed)
    : options_(std::move(options)), random_(seed), unit_(options_.unit) {}

bool Instrument::Silent() const { return options_.kind == Kind::F250 && !measuring_; }

void Instrument::PortOpened() {
    lineStartsFresh_ = true;
    spoilNext_ = false;
}

void Instrument::Command(const std::string& command) {
    if (options_.kind != Kind::F250) return;
    // The program purges its side before it writes a command: its next line starts empty.
    lineStartsFresh_ = true;
    if (command == "A0" || command == "A1" || command == "A3") {
        measuring_ = true;
        inputs_ = command == "A0" ? 0 : command == "A1" ? 1 : 2;
        nextIsB_ = inputs_ == 1;
    } else if (command == "A4") {
        measuring_ = false;
    } else if (command == "U0" && unit_ == 'R') {
        unit_ = 'C';
    }
}

double Instrument::ValueAt(double seconds) {
    // A chamber driven to a new point and left there: the ramp, then a still value.
    const double ramping = options_.rampSeconds >= 0 ? std::min(seconds, options_.rampSeconds) : seconds;
    double v = options_.value.value_or(DefaultValue(options_.kind)) + options_.rampPerMinute * ramping / 60.0;
    if (options_.noise > 0) {
        // Box-Muller on the seeded generator, so a seed gives the same run everywhere.
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        const double u1 = 1.0 - uniform(random_), u2 = uniform(random_);
        v += options_.noise * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    }
    return v;
}

Line Instrument::QxLine(double seconds) {
    Line line;
    line.accept = true;
    const double v = ValueAt(seconds);
    switch (options_.kind) {
        case Kind::Qx316: {
            const long counts = Counts(v, options_.decimals, QxPressureRange());
            line.bytes = EncodeQxPressure({options_.identifier, counts, options_.decimals});
            line.value = static_cast<double>(counts) / std::pow(10.0, options_.decimals);
            break;
        }
        case Kind::Qx311: {
            const std::size_t i = channelIndex_++ % options_.channels.size();
            const bool fine = options_.resolution == 2;
            const double offset = i < options_.offsets.size() ? options_.offsets[i] : 0.0;
            const long counts = Counts(v + offset, fine ? 2 : 1, QxTemperatureRange(fine));
            line.bytes = EncodeQxTemperature({options_.identifier, options_.channels[i], fine, counts});
            line.value = static_cast<double>(counts) / (fine ? 100.0 : 10.0);
            line.channel = options_.channels[i];
            break;
        }
        default: {
            const long t = Counts(v, 1, QxEnvironmentTemperatureRange());
            const long rh = Counts(options_.humidity, 1, QxHumidityRange());
            line.bytes = EncodeQxEnvironment({options_.identifier, rh, t});
            line.value = static_cast<double>(t) / 10.0;
            line.humidity = static_cast<double>(rh) / 10.0;
            break;
        }
    }
    return line;
}

std::vector<Line> Instrument::Dp30Block(double seconds) {
    const long dew = Counts(ValueAt(seconds), 2, Dp30Range());
    // The block opens with the mirror temperature, a line the program does not
    // read; its carriage return starts the short window of the dew-point line.
    Line other;
    other.bytes = EncodeDp30Other(Clamp(dew + 2000, Dp30Range()));
    other.reason = "other";
    Line dewPoint;
    dewPoint.bytes = EncodeDp30DewPoint(dew);
    dewPoint.accept = true;
    dewPoint.value = static_cast<double>(dew) / 100.0;
    return {other, dewPoint};
}

Line Instrument::F250Line(double seconds) {
    Line line;
    const double celsius = ValueAt(seconds);
    double shown = celsius;
    switch (unit_) {
        case 'F': shown = celsius * 9.0 / 5.0 + 32.0; break;
        case 'K': shown = celsius + 273.15; break;
        case 'R': shown = 100.0 * (1.0 + 0.00385 * celsius); break;  // a Pt100's resistance in ohms
        default: break;
    }
    const long thousandths = Counts(shown, 3, F250Range());
    char input = 'A';
    if (inputs_ == 1 || (inputs_ == 2 && nextIsB_)) input = 'B';
    nextIsB_ = !nextIsB_;
    line.bytes = EncodeF250(input, thousandths, unit_);
    const double read = static_cast<double>(thousandths) / 1000.0;
    switch (unit_) {
        case 'F': line.value = (read - 32.0) * 5.0 / 9.0; break;
        case 'K': line.value = read - 273.15; break;
        case 'R': break;
        default: line.value = read; break;
    }
    line.accept = line.value.has_value();
    if (!line.accept) line.reason = "resistance";
    return line;
}

std::vector<Line> Instrument::NextPeriod(double seconds) {
    if (Silent()) return {};
    // Bytes left without a line end by the previous period join the first line of this one.
    const bool joined = spoilNext_;
    spoilNext_ = false;
    std::vector<Line> lines;
    if (options_.kind == Kind::Dp30) {
        lines = Dp30Block(seconds);
    } else if (options_.kind == Kind::F250) {
        // A line the program can read starts after the LF of the line before;
        // after an open or a purge there is none, so a blank line goes first.
        if (lineStartsFresh_) {
            Line blank;
            blank.bytes = "\r\n";
            blank.logged = false;
            lines.push_back(blank);
            lineStartsFresh_ = false;
        }
        lines.push_back(F250Line(seconds));
    } else {
        lines.push_back(QxLine(seconds));
    }

    // Faults touch the line that carries the value.
    Line& line = lines.back();
    ++lineCount_;
    std::vector<Line> before;
    ApplyFaults(line);
    for (const Fault& f : options_.faults) {
        if (f.type == Fault::Type::Garbage && std::bernoulli_distribution(f.probability)(random_)) {
            std::uniform_int_distribution<std::size_t> length(kShortestGarbage, kLongestGarbage);
            std::uniform_int_distribution<int> byte(1, 255);
            std::string garbage;
            for (std::size_t n = length(random_); garbage.size() < n;) {
                const auto b = static_cast<unsigned char>(byte(random_));
                if (HarmlessGarbage(b)) garbage += static_cast<char>(b);
            }
            if (std::bernoulli_distribution(0.5)(random_)) {
                // A garbage line of its own: dropped, and the line after it is whole.
                // (The F-250 ends it like its lines, so the next line still starts after a LF.)
                Line g;
                g.bytes = garbage + (options_.kind == Kind::F250 ? "\r\n" : "\r");
                g.reason = "garbage";
                before.push_back(g);
            } else {
                // Garbage run into the line: the two are one line the program drops.
                line.bytes.insert(0, garbage);
                line.accept = false;
                line.reason = "garbage";
            }
        }
    }
    lines.insert(lines.end() - 1, before.begin(), before.end());
    if (joined && lines.front().accept) {
        lines.front().accept = false;
        lines.front().reason = "joined";
    }

    const bool highBit = std::any_of(options_.faults.begin(), options_.faults.end(),
                                     [](const Fault& f) { return f.type == Fault::Type::HighBit; });
    if (highBit) {
        for (Line& l : lines) {
            for (char& c : l.bytes) c = static_cast<char>(static_cast<unsigned char>(c) | kHighBit);
            // A 7-bit line never delivers bit 128; an 8-bit line delivers other characters.
            if (!IsQx(options_.kind) && l.accept) {
                l.accept = false;
                l.reason = "highbit";
            }
        }
    }
    return lines;
}

void Instrument::ApplyFaults(Line& line) {
    auto drop = [&](const char* reason) {
        if (line.accept) line.reason = reason;
        line.accept = false;
    };
    for (const Fault& f : options_.faults) {
        const std::size_t cr = std::min(line.bytes.rfind(static_cast<char>(kCr)), line.bytes.size());
        switch (f.type) {
            case Fault::Type::Corrupt:
                if (std::bernoulli_distribution(f.probability)(random_)) {
                    // A character the program reads, with bit 64 flipped: a parity
                    // error on a QX line, a non-digit or a wrong letter elsewhere.
                    std::vector<std::size_t> places;
                    const std::size_t first = IsQx(options_.kind) ? 1 : 0;
                    for (std::size_t i = first; i < cr; ++i) {
                        const bool pointOfDp30 = options_.kind == Kind::Dp30 && i == 9;
                        if (!pointOfDp30) places.push_back(i);
                    }
                    std::uniform_int_distribution<std::size_t> pick(0, places.size() - 1);
                    line.bytes[places[pick(random_)]] ^= static_cast<char>(kCorruptBit);
                    drop("corrupt");
                }
                break;
            case Fault::Type::Late:
                if (Every(f.every)) {
                    line.delayMs = WindowMs(options_.kind) + std::max(WindowMs(options_.kind) / 5, 200);
                    drop("late");
                }
                break;
            case Fault::Type::Overlong:
                if (Every(f.every)) {
                    std::string filler;
                    // Digits: no line end, no frame start, no letter a line begins with.
                    while (filler.size() < Info(options_.kind).capacity + 3) {
                        filler += static_cast<char>('1' + filler.size() % 9);
                    }
                    line.bytes.insert(0, filler);
                    drop("overlong");
                }
                break;
            case Fault::Type::NoCr:
                if (Every(f.every) && cr < line.bytes.size()) {
                    line.bytes.erase(cr, 1);
                    spoilNext_ = true;
                    drop("nocr");
                }
                break;
            case Fault::Type::Split:
                if (line.bytes.size() > 2) {
                    std::uniform_int_distribution<std::size_t> at(1, line.bytes.size() - 2);
                    line.splitAt = at(random_);
                    line.splitMs = f.ms;
                }
                break;
            default: break;
        }
    }
}

}  // namespace wegator::sim
