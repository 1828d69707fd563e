// Propagation of distributions by the Monte Carlo method of Supplement 1 to
// the GUM: the inputs are drawn from their distributions, the model is
// evaluated at every draw, and the values it gives are the distribution of
// each output: its mean, standard deviation and coverage intervals.
//
// Where the propagation of standard uncertainties linearises the model, this
// keeps its curvature and its bounds: near saturation a relative humidity
// cannot pass 100 %, so its 95 % interval is asymmetric where y ± 2u would
// reach beyond.
//
// Reproducible: the draws are made in blocks, each block from its own
// generator seeded by the seed and the block's number, with a normal
// deviate computed here rather than by the standard library's distributions
// (whose algorithms differ between libraries). The same seed therefore gives
// the same draws, the same values and the same digits on every machine and
// with any number of threads: the threads only share out the blocks, and the
// blocks are combined in their order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <utility>
#include <vector>

namespace wegator::montecarlo {

// How one input is drawn. By the principle of maximum entropy an estimate
// and a standard uncertainty make a normal distribution; a quantity that
// cannot lie outside [low, high] (a pressure or a content below zero, a
// relative humidity above 100 %) is drawn from that normal cut to its domain
// (the truncated normal, the maximum-entropy distribution for a bounded
// quantity whose estimate and uncertainty are known). An input with u = 0 is
// exact: every draw is its value.
struct InputDistribution {
    double value = 0.0;
    double u = 0.0;
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();
};

// One evaluation of the model at drawn inputs: it fills `outputs` and returns
// 0, or returns the (non-zero) number of the message with which the
// calculation refuses those inputs. A refused draw is counted and reported;
// its values are never part of the statistics.
using Evaluator = std::function<int(std::span<const double> inputs, std::span<double> outputs)>;
// Makes one evaluator for each worker thread, so an evaluator may keep caches
// that never change a value.
using EvaluatorFactory = std::function<Evaluator()>;

// Called on the calling thread after each batch of blocks with the draws
// made so far and the most there will be; returning false cancels the run.
using Progress = std::function<bool(std::size_t drawn, std::size_t limit)>;

struct Options {
    std::uint64_t seed = 1;
    double coverage = 0.95;  // of the intervals, in (0, 1)
    // Adaptive: stop when the mean, the standard deviation and the interval
    // ends of every output are stable to this many significant digits of its
    // standard deviation.
    int significantDigits = 2;
    std::size_t draws = 0;              // a fixed number of draws; 0: adaptive
    // Adaptive: the draws never exceed this. The ends of a shortest interval
    // settle as N^(-1/3): to two significant digits of a standard deviation
    // whose two leading digits are about 25 or more they need more draws than
    // this, and the cap comes first. It keeps the time and the memory (8
    // bytes a draw for each result) in bounds, and the outcome says when it
    // came first.
    std::size_t maxDraws = 2'000'000;
    unsigned threads = 0;               // 0: one per core
};

// The distribution of one output over the accepted draws.
struct OutputSummary {
    double mean = 0.0;
    double sd = 0.0;  // standard deviation, n - 1
    double shortestLow = 0.0, shortestHigh = 0.0;    // the shortest coverage interval
    double symmetricLow = 0.0, symmetricHigh = 0.0;  // the probabilistically symmetric one
    // Adaptive: this output's figures reached the digits asked for (when the
    // cap came first, some may have and others not); false for a fixed run.
    bool stable = false;
    // Adaptive: the mean, the standard deviation and the symmetric interval
    // reached them, whatever the shortest interval's ends did (they settle
    // more slowly, as N^(-1/3)).
    bool stableApartFromShortest = false;
};

enum class Status {
    Stable,           // adaptive: every figure reached the digits asked for
    CapReached,       // adaptive: the hard cap came first; the figures are less sure
    Fixed,            // the fixed number of draws was made
    Cancelled,        // stopped by Progress; nothing else is filled in
    NothingAccepted,  // every draw was refused
};

struct Outcome {
    Status status = Status::Cancelled;
    std::size_t drawn = 0;     // draws made
    std::size_t accepted = 0;  // draws whose values make up the statistics
    std::size_t refused = 0;   // drawn - accepted
    // The first refused draw (in block order): its message and its inputs, so
    // a caller can say in the calculation's own words why it was refused.
    int firstRefusal = 0;
    std::vector<double> firstRefusedInputs;
    std::vector<OutputSummary> outputs;
    // Each output's accepted values in ascending order (for a histogram): 8
    // bytes a draw each, the run's memory; a caller done with them lets them go.
    std::vector<std::vector<double>> sorted;
    unsigned threads = 1;  // worker threads used
};

// Draws the inputs, evaluates the model and summarises each of its
// `outputCount` outputs.
Outcome Evaluate(std::span<const InputDistribution> inputs, std::size_t outputCount, const EvaluatorFactory& factory,
                 const Options& options, const Progress& progress = {});

// The draws of one block: max(10^4, ⌈100/(1 − p)⌉), so each block alone
// resolves the ends of a coverage interval of probability p.
std::size_t BlockSize(double coverage);

// The numerical tolerance of a standard deviation u to `digits` significant
// digits: with u rounded to that many digits written c·10^l, c a whole number
// of that many digits, ½·10^l (0.0996 is 10·10^-2 to two digits: 0.005).
double NumericalTolerance(double u, int digits);

// Coverage intervals of probability p from values sorted ascending: the
// shortest one, and the one with (1 − p)/2 of the values beyond each end.
std::pair<double, double> ShortestInterval(std::span<const double> sorted, double p);
std::pair<double, double> SymmetricInterval(std::span<const double> sorted, double p);

// A standard normal deviate from a uniform one in (0, 1): the inverse of the
// normal distribution function (Wichura's algorithm AS 241, 16 digits).
double NormalQuantile(double p);

}  // namespace wegator::montecarlo
