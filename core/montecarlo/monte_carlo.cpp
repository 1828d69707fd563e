#include "montecarlo/monte_carlo.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <exception>
#include <random>
#include <thread>
#include <utility>

namespace wegator::montecarlo {

namespace {

// A 64-bit mix (SplitMix64's finaliser): neighbouring block numbers give
// unrelated seeds for their generators.
std::uint64_t Mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A uniform deviate in (0, 1) from the generator's 53 high bits: never 0 or 1,
// so its normal quantile is always finite.
double Uniform(std::mt19937_64& generator) {
    return (static_cast<double>(generator() >> 11) + 0.5) * 0x1.0p-53;
}

// Sorts finite values ascending by the digits of their bit patterns (an LSD
// radix sort, 11 bits a pass): a million values in a fraction of the time a
// comparison sort takes, and digit passes shared by every value (the high
// bits of values close together) are skipped.
void SortValues(std::vector<double>& values) {
    const std::size_t n = values.size();
    if (n < 256) {
        std::sort(values.begin(), values.end());
        return;
    }
    // Keys that order as the doubles do: negative values inverted, the sign
    // bit of the others set.
    std::vector<std::uint64_t> keys(n), spare(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto bits = std::bit_cast<std::uint64_t>(values[i]);
        keys[i] = (bits >> 63) != 0 ? ~bits : bits | (1ull << 63);
    }
    constexpr int kBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kBits;
    std::vector<std::size_t> counts(kBuckets);
    for (int shift = 0; shift < 64; shift += kBits) {
        std::fill(counts.begin(), counts.end(), 0);
        for (std::uint64_t k : keys) ++counts[(k >> shift) & (kBuckets - 1)];
        if (counts[(keys[0] >> shift) & (kBuckets - 1)] == n) continue;
        std::size_t start = 0;
        for (std::size_t& c : counts) start += std::exchange(c, start);
        for (std::uint64_t k : keys) spare[counts[(k >> shift) & (kBuckets - 1)]++] = k;
        keys.swap(spare);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t k = keys[i];
        values[i] = std::bit_cast<double>((k >> 63) != 0 ? k & ~(1ull << 63) : ~k);
    }
}

double NormalCdf(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

// An input's distribution made ready for drawing: a normal cut to [lo, hi]
// in standard measure, by the inverse of its distribution function. A domain
// lying wholly above the mean is drawn mirrored, in the lower tail, where the
// distribution function keeps its digits.
struct Sampler {
    explicit Sampler(const InputDistribution& d) : d(d) {
        if (!(d.u > 0.0)) return;
        const double a = (d.low - d.value) / d.u;
        const double b = (d.high - d.value) / d.u;
        truncated = a != -INFINITY || b != INFINITY;
        if (!truncated) return;
        mirrored = a > 0.0;
        lo = mirrored ? -b : a;
        hi = mirrored ? -a : b;
        cdfLo = NormalCdf(lo);
        cdfWidth = NormalCdf(hi) - cdfLo;
    }
    double Draw(double uniform) const {
        if (!(d.u > 0.0)) return d.value;
        if (!truncated) return d.value + d.u * NormalQuantile(uniform);
        double z = std::clamp(NormalQuantile(cdfLo + uniform * cdfWidth), lo, hi);
        if (mirrored) z = -z;
        return std::clamp(d.value + d.u * z, d.low, d.high);
    }
    InputDistribution d;
    bool truncated = false, mirrored = false;
    double lo = 0.0, hi = 0.0, cdfLo = 0.0, cdfWidth = 1.0;
};

// One block's draws and what they gave.
struct Block {
    std::size_t drawn = 0, refused = 0;
    int firstRefusal = 0;
    std::vector<double> firstRefusedInputs;
    std::vector<std::vector<double>> values;  // accepted values per output
    std::vector<OutputSummary> figures;       // per output, from this block alone
    bool judged = false;                      // at least two accepted draws: figures hold
};

// The figures of values sorted ascending (summed in that order, so the digits
// do not depend on the order the values were drawn in).
OutputSummary Summarise(std::span<const double> sorted, double coverage) {
    OutputSummary s;
    const auto n = static_cast<double>(sorted.size());
    double sum = 0.0;
    for (double v : sorted) sum += v;
    s.mean = sum / n;
    double squares = 0.0;
    for (double v : sorted) squares += (v - s.mean) * (v - s.mean);
    s.sd = sorted.size() > 1 ? std::sqrt(squares / (n - 1.0)) : 0.0;
    std::tie(s.shortestLow, s.shortestHigh) = ShortestInterval(sorted, coverage);
    std::tie(s.symmetricLow, s.symmetricHigh) = SymmetricInterval(sorted, coverage);
    return s;
}

void RunBlock(std::size_t index, std::size_t draws, std::span<const Sampler> inputs,
              std::size_t outputCount, const Evaluator& evaluate, const Options& options, Block& block) {
    std::mt19937_64 generator(Mix(options.seed ^ Mix(index)));
    block = Block{};
    block.values.assign(outputCount, {});
    for (auto& v : block.values) v.reserve(draws);
    std::vector<double> x(inputs.size()), y(outputCount);
    for (std::size_t i = 0; i < draws; ++i) {
        // One uniform per input, exact ones too, so each input keeps its own
        // stream whatever the others' uncertainties are.
        for (std::size_t k = 0; k < inputs.size(); ++k) x[k] = inputs[k].Draw(Uniform(generator));
        const int refusal = evaluate(x, y);
        if (refusal != 0) {
            if (block.refused++ == 0) {
                block.firstRefusal = refusal;
                block.firstRefusedInputs = x;
            }
            continue;
        }
        for (std::size_t k = 0; k < outputCount; ++k) block.values[k].push_back(y[k]);
    }
    block.drawn = draws;
    // Only an adaptive run judges the blocks one by one.
    const std::size_t accepted = draws - block.refused;
    block.judged = options.draws == 0 && accepted >= 2;
    if (!block.judged) return;
    std::vector<double> sorted;
    block.figures.reserve(outputCount);
    for (std::size_t k = 0; k < outputCount; ++k) {
        sorted = block.values[k];
        SortValues(sorted);
        block.figures.push_back(Summarise(sorted, options.coverage));
    }
}

// Twice the standard deviation of the average of the blocks' figures, the
// largest over the six figures of one output (the S1 stability measure).
double Spread(const std::vector<const OutputSummary*>& figures) {
    const double h = static_cast<double>(figures.size());
    double widest = 0.0;
    for (double OutputSummary::*f : {&OutputSummary::mean, &OutputSummary::sd, &OutputSummary::shortestLow,
                                     &OutputSummary::shortestHigh, &OutputSummary::symmetricLow,
                                     &OutputSummary::symmetricHigh}) {
        double sum = 0.0;
        for (const OutputSummary* s : figures) sum += s->*f;
        const double mean = sum / h;
        double squares = 0.0;
        for (const OutputSummary* s : figures) squares += (s->*f - mean) * (s->*f - mean);
        widest = std::max(widest, 2.0 * std::sqrt(squares / (h * (h - 1.0))));
    }
    return widest;
}

// Whether output o of the blocks judged so far (at least two) is stable: 2·s
// of each of its figures within the numerical tolerance of its u. The
// overall standard deviation sets the tolerance; the blocks' own, pooled,
// are as good a figure of it here.
bool OutputStable(const std::vector<Block>& kept, std::size_t o, const Options& options) {
    std::vector<const OutputSummary*> figures;
    double pooled = 0.0, weight = 0.0;
    for (const Block& b : kept) {
        if (!b.judged) continue;
        figures.push_back(&b.figures[o]);
        const double n = static_cast<double>(b.values[o].size());
        pooled += (n - 1.0) * b.figures[o].sd * b.figures[o].sd;
        weight += n - 1.0;
    }
    if (figures.size() < 2) return false;
    return Spread(figures) <= NumericalTolerance(std::sqrt(pooled / weight), options.significantDigits);
}

}  // namespace

std::size_t BlockSize(double coverage) {
    const double j = std::ceil(100.0 / (1.0 - coverage));
    return std::max<std::size_t>(10000, std::isfinite(j) ? static_cast<std::size_t>(j) : 10000);
}

double NumericalTolerance(double u, int digits) {
    if (!(u > 0.0) || !std::isfinite(u)) return 0.0;
    const int l = static_cast<int>(std::floor(std::log10(u))) - digits + 1;
    return 0.5 * std::pow(10.0, l);
}

namespace {

// How many of m values a coverage interval of probability p spans: p·m when
// that is whole, else ⌊p·m + ½⌋.
std::size_t CoveredCount(std::size_t m, double p) {
    const double pm = p * static_cast<double>(m);
    return static_cast<std::size_t>(pm == std::floor(pm) ? pm : std::floor(pm + 0.5));
}

}  // namespace

std::pair<double, double> ShortestInterval(std::span<const double> sorted, double p) {
    const std::size_t m = sorted.size();
    if (m == 0) return {0.0, 0.0};
    const std::size_t q = CoveredCount(m, p);
    if (q >= m) return {sorted.front(), sorted.back()};
    std::size_t best = 0;
    for (std::size_t r = 1; r + q < m; ++r) {
        if (sorted[r + q] - sorted[r] < sorted[best + q] - sorted[best]) best = r;
    }
    return {sorted[best], sorted[best + q]};
}

std::pair<double, double> SymmetricInterval(std::span<const double> sorted, double p) {
    const std::size_t m = sorted.size();
    if (m == 0) return {0.0, 0.0};
    const std::size_t q = CoveredCount(m, p);
    if (q >= m) return {sorted.front(), sorted.back()};
    // 1-based r = (M − q)/2, or ⌊(M − q + 1)/2⌋ when that is not whole.
    const std::size_t rest = m - q;
    const std::size_t r = std::max<std::size_t>(1, rest % 2 == 0 ? rest / 2 : (rest + 1) / 2);
    return {sorted[r - 1], sorted[std::min(r + q, m) - 1]};
}

double NormalQuantile(double p) {
    // Wichura (1988), algorithm AS 241 (PPND16).
    const double q = p - 0.5;
    if (std::abs(q) <= 0.425) {
        const double r = 0.180625 - q * q;
        return q *
               (((((((2509.0809287301226727 * r + 33430.575583588128105) * r + 67265.770927008700853) * r +
                    45921.953931549871457) * r + 13731.693765509461125) * r + 1971.5909503065514427) * r +
                 133.14166789178437745) * r + 3.387132872796366608) /
               (((((((5226.495278852545925 * r + 28729.085735721942674) * r + 39307.89580009271061) * r +
                    21213.794301586595867) * r + 5394.1960214247511077) * r + 687.1870074920579083) * r +
                 42.313330701600911252) * r + 1.0);
    }
    double r = q < 0.0 ? p : 1.0 - p;
    if (!(r > 0.0)) return q < 0.0 ? -INFINITY : INFINITY;
    r = std::sqrt(-std::log(r));
    double z;
    if (r <= 5.0) {
        r -= 1.6;
        z = (((((((7.7454501427834140764e-4 * r + 0.0227238449892691845833) * r + 0.24178072517745061177) * r +
                1.27045825245236838258) * r + 3.64784832476320460504) * r + 5.7694972214606914055) * r +
              4.6303378461565452959) * r + 1.42343711074968357734) /
            (((((((1.05075007164441684324e-9 * r + 5.475938084995344946e-4) * r + 0.0151986665636164571966) * r +
                 0.14810397642748007459) * r + 0.68976733498510000455) * r + 1.6763848301838038494) * r +
              2.05319162663775882187) * r + 1.0);
    } else {
        r -= 5.0;
        z = (((((((2.01033439929228813265e-7 * r + 2.71155556874348757815e-5) * r + 0.0012426609473880784386) * r +
                0.026532189526576123093) * r + 0.29656057182850489123) * r + 1.7848265399172913358) * r +
              5.4637849111641143699) * r + 6.6579046435011037772) /
            (((((((2.04426310338993978564e-15 * r + 1.4215117583164458887e-7) * r + 1.8463183175100546818e-5) * r +
                 7.868691311456132591e-4) * r + 0.0148753612908506148525) * r + 0.13692988092273580531) * r +
              0.59983220655588793769) * r + 1.0);
    }
    return q < 0.0 ? -z : z;
}

Outcome Evaluate(std::span<const InputDistribution> inputs, std::size_t outputCount, const EvaluatorFactory& factory,
                 const Options& options, const Progress& progress) {
    Outcome out;
    const std::size_t blockSize = BlockSize(options.coverage);
    const bool adaptive = options.draws == 0;
    const std::size_t limit = adaptive ? std::max(options.maxDraws, 2 * blockSize) : options.draws;
    unsigned threads = options.threads != 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    threads = std::max(1u, std::min(threads, static_cast<unsigned>((limit + blockSize - 1) / blockSize)));
    out.threads = threads;

    const std::vector<Sampler> samplers(inputs.begin(), inputs.end());
    std::vector<Evaluator> evaluators;
    for (unsigned k = 0; k < threads; ++k) evaluators.push_back(factory());

    std::vector<Block> kept;        // the blocks whose draws count, in order
    std::size_t next = 0;           // number of the next block to draw
    bool stable = false;
    std::vector<Block> batch(threads);
    while (out.drawn < limit && !stable) {
        // Up to one block per thread, never past the limit.
        std::vector<std::size_t> sizes;
        for (std::size_t drawn = out.drawn; sizes.size() < threads && drawn < limit; drawn += sizes.back()) {
            sizes.push_back(std::min(blockSize, limit - drawn));
        }
        std::vector<std::exception_ptr> errors(sizes.size());
        auto work = [&](std::size_t k) {
            try {
                RunBlock(next + k, sizes[k], samplers, outputCount, evaluators[k], options, batch[k]);
            } catch (...) {
                errors[k] = std::current_exception();
            }
        };
        if (sizes.size() == 1) {
            work(0);
        } else {
            std::vector<std::thread> workers;
            for (std::size_t k = 1; k < sizes.size(); ++k) workers.emplace_back(work, k);
            work(0);
            for (std::thread& w : workers) w.join();
        }
        for (const std::exception_ptr& e : errors) {
            if (e) std::rethrow_exception(e);
        }
        // The blocks join in their order; after each the run may be stable,
        // and the blocks drawn beside it are then left out, so the outcome
        // is the one a single thread would give.
        for (std::size_t k = 0; k < sizes.size() && !stable; ++k) {
            out.drawn += batch[k].drawn;
            kept.push_back(std::move(batch[k]));
            ++next;
            if (!adaptive) continue;
            if (std::count_if(kept.begin(), kept.end(), [](const Block& b) { return b.judged; }) < 2) continue;
            stable = true;
            for (std::size_t o = 0; o < outputCount && stable; ++o) stable = OutputStable(kept, o, options);
        }
        if (progress && !progress(out.drawn, limit)) {
            out.status = Status::Cancelled;
            return out;
        }
    }

    for (const Block& b : kept) {
        out.refused += b.refused;
        if (out.firstRefusal == 0 && b.refused > 0) {
            out.firstRefusal = b.firstRefusal;
            out.firstRefusedInputs = b.firstRefusedInputs;
        }
    }
    out.accepted = out.drawn - out.refused;
    if (out.accepted == 0) {
        out.status = Status::NothingAccepted;
        return out;
    }
    out.status = !adaptive ? Status::Fixed : stable ? Status::Stable : Status::CapReached;
    out.outputs.reserve(outputCount);
    out.sorted.resize(outputCount);
    for (std::size_t o = 0; o < outputCount; ++o) {
        const bool outputStable = adaptive && OutputStable(kept, o, options);
        std::vector<double> sorted;
        sorted.reserve(out.accepted);
        for (Block& b : kept) {
            sorted.insert(sorted.end(), b.values[o].begin(), b.values[o].end());
            std::vector<double>().swap(b.values[o]);
        }
        SortValues(sorted);
        out.outputs.push_back(Summarise(sorted, options.coverage));
        out.outputs.back().stable = outputStable;
        out.sorted[o] = std::move(sorted);
    }
    return out;
}

}  // namespace wegator::montecarlo
