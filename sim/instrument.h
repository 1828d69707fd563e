// A simulated instrument: what it sends each period, with the values it is
// told to show and the faults it is told to make, and what it does with the
// commands it receives. Time and randomness come from the caller, so every
// behaviour can be tested without a port.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace wegator::sim {

enum class Kind { Qx310, Qx310Env, Qx311, Qx316, Dp30, F250 };

// "qx310", "qx310-env", "qx311", "qx316", "dp30", "f250".
std::string KindName(Kind kind);
std::optional<Kind> KindFromName(const std::string& name);

// Line settings: bits per character on the wire (start, data, stop) and baud.
int BitsPerCharacter(Kind kind);
int Baud(Kind kind);
// The program drops a line whose carriage return comes this long after the
// previous one: 5000 ms for the QX instruments, 200 for the DP30, 4000 for the F-250.
int WindowMs(Kind kind);

struct Fault {
    enum class Type { Garbage, Split, Corrupt, Late, Overlong, NoCr, HighBit, Silence, Disconnect };
    Type type = Type::Garbage;
    double probability = 0.0;  // garbage, corrupt: per line
    int every = 0;             // late, overlong, nocr: every Nth line
    int ms = 0;                // split: the pause inside the line
    double atSeconds = 0.0;    // silence, disconnect: from the simulator's start
    double forSeconds = -1.0;  // silence, disconnect: how long (-1: a disconnect for good)
};

// Parses "garbage:P", "split:MS", "corrupt:P", "late:N", "overlong:N",
// "nocr:N", "highbit", "silence:AT:FOR", "disconnect:AT[:FOR]"; nothing
// (with a reason in `error`) for anything else.
std::optional<Fault> ParseFault(const std::string& text, std::string& error);

struct InstrumentOptions {
    Kind kind = Kind::Dp30;
    std::string link;                   // "COMn", or empty
    std::optional<double> value;        // °C, kPa for the QX-316; a default per instrument otherwise
    double rampPerMinute = 0.0;         // added per minute since the start
    double rampSeconds = -1.0;          // the ramp stops after this many seconds (-1: never), the value then holds
    double noise = 0.0;                 // standard deviation of a normal noise
    double humidity = 45.0;             // QX-310: % RH
    std::uint16_t identifier = 0x1234;  // QX: the instrument identifier
    int decimals = 2;                   // QX-316: decimals of the pressure field, 1 … 4
    int resolution = 1;                 // QX-311: 1 (0.1 K, 13 characters) or 2 (0.01 K, 15 characters)
    std::vector<int> channels = {1, 2, 3, 4, 5, 6, 7, 8};  // QX-311: channels reported, in turn
    std::vector<double> offsets;                           // QX-311: K added to each listed channel
    char unit = 'C';                                       // F-250: "C", "K", "F", or "R" (resistance until "U0")
    int periodMs = 1000;                                   // one line (DP30: one block of lines) per period
    std::vector<Fault> faults;
};

double DefaultValue(Kind kind);

// One line as the simulator sends it, and what it expects the program to make of it.
struct Line {
    std::string bytes;
    // Pause inside the line (a split): after `splitAt` bytes, wait `splitMs`.
    std::size_t splitAt = 0;
    int splitMs = 0;
    // Pause before the line (a late line).
    int delayMs = 0;
    // Whether the program takes the line, judged from its shape alone; the
    // time check comes when its carriage return is written.
    bool accept = false;
    std::string reason;  // why it is dropped: the fault, or the line's own shape
    bool logged = true;  // false for bytes that are no line of their own (the F-250's leading CR LF)
    // What an accepted line reads: °C (kPa for the QX-316), % RH, the QX-311 channel.
    std::optional<double> value;
    std::optional<double> humidity;
    std::optional<int> channel;
};

class Instrument {
public:
    Instrument(InstrumentOptions options, std::uint64_t seed);

    const InstrumentOptions& Options() const { return options_; }
    Kind GetKind() const { return options_.kind; }

    // The lines of the next period at `seconds` since the start (a DP30 block
    // has two); empty while the instrument is silent (an F-250 not yet started).
    std::vector<Line> NextPeriod(double seconds);

    // The port was (re)opened: the program's line starts empty.
    void PortOpened();
    // A command line received (without its line end). The F-250 acts on "A0",
    // "A1", "A3" (measure A, B, both), "A4" (stop) and "U0" (temperatures after
    // a resistance); the QX and DP30 ignore everything.
    void Command(const std::string& command);
    bool Silent() const;

private:
    double ValueAt(double seconds);
    Line QxLine(double seconds);
    std::vector<Line> Dp30Block(double seconds);
    Line F250Line(double seconds);
    void ApplyFaults(Line& line);
    bool Every(int n) const { return n > 0 && lineCount_ % n == 0; }

    InstrumentOptions options_;
    std::mt19937_64 random_;
    long lineCount_ = 0;            // value lines so far, from 1
    bool spoilNext_ = false;        // the previous line left bytes that the next one joins
    std::size_t channelIndex_ = 0;  // QX-311
    // F-250 state.
    bool measuring_ = false;
    int inputs_ = 0;  // 0: A, 1: B, 2: both in turn
    bool nextIsB_ = false;
    char unit_ = 'C';
    bool lineStartsFresh_ = true;  // the program's line holds no LF from a previous line end
};

}  // namespace wegator::sim
