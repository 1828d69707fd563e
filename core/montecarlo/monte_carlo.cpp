#include "montecarlo/monte_carlo.h"

#include <algorithm>
#include <array>
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

// The bits of a finite value as a key that orders as the values do:
// negative values inverted, the sign bit of the others set.
std::uint64_t SortKey(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    return (bits >> 63) != 0 ? ~bits : bits | (1ull << 63);
}

// Sorts finite values ascending where they lie, by the bytes of their keys
// from the highest (an MSD radix sort that moves each value into its
// bucket by swaps, so no second copy of a few million values is needed: the
// values of one result are all the memory the sort takes). A byte that all
// values share (the high bits of values close together) costs one counting
// pass; short buckets are finished by a comparison sort.
void SortRange(std::span<double> values, int shift) {
    constexpr std::size_t kBuckets = 256;
    constexpr std::size_t kShort = 64;
    const auto keyLess = [](double a, double b) { return SortKey(a) < SortKey(b); };
    while (true) {
        const std::size_t n = values.size();
        if (n <= kShort) {
            std::sort(values.begin(), values.end(), keyLess);
            return;
        }
        const auto digit = [shift](double v) { return static_cast<std::size_t>((SortKey(v) >> shift) & 0xFF); };
        std::array<std::size_t, kBuckets> counts{};
        for (double v : values) ++counts[digit(v)];
        if (counts[digit(values[0])] == n) {
            if (shift == 0) return;
            shift -= 8;
            continue;
        }
        std::array<std::size_t, kBuckets> next{}, end{};
        std::size_t start = 0;
        for (std::size_t b = 0; b < kBuckets; ++b) {
            next[b] = start;
            start += counts[b];
            end[b] = start;
        }
        for (std::size_t b = 0; b < kBuckets; ++b) {
            while (next[b] < end[b]) {
                double v = values[next[b]];
                for (std::size_t d = digit(v); d != b; d = digit(v)) std::swap(v, values[next[d]++]);
                values[next[b]++] = v;
            }
        }
        if (shift == 0) return;
        std::size_t from = 0;
        for (std::size_t b = 0; b < kBuckets; ++b) {
            if (counts[b] > 1) SortRange(values.subspan(from, counts[b]), shift - 8);
            from += counts[b];
        }
        return;
    }
}

void SortValues(std::span<double> values) { SortRange(values, 56); }

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

// One block's draws and what they gave. A worker's block is used again for
// each block it draws, so its buffer is allocated once per run.
struct Block {
    std::size_t drawn = 0, refused = 0;
    int firstRefusal = 0;
    std::vector<double> firstRefusedInputs;
    // The accepted values, result after result: result k's at
    // [k·drawn, k·drawn + accepted), so one buffer serves every result.
    std::vector<double> values;
    std::vector<OutputSummary> figures;  // per output, from this block alone
    bool judged = false;                 // at least two accepted draws: figures hold
    std::size_t Accepted() const { return drawn - refused; }
    std::span<const double> Values(std::size_t k) const { return {values.data() + k * drawn, Accepted()}; }
};

// What the stop judges of a block once its values have joined the run's.
struct Judged {
    std::size_t accepted = 0;
    bool judged = false;
    std::vector<OutputSummary> figures;
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
    block.drawn = draws;
    block.refused = 0;
    block.firstRefusal = 0;
    block.firstRefusedInputs.clear();
    block.figures.clear();
    block.values.resize(draws * outputCount);
    std::vector<double> x(inputs.size()), y(outputCount);
    std::size_t accepted = 0;
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
        for (std::size_t k = 0; k < outputCount; ++k) block.values[k * draws + accepted] = y[k];
        ++accepted;
    }
    // Only an adaptive run judges the blocks one by one.
    block.judged = options.draws == 0 && accepted >= 2;
    if (!block.judged) return;
    std::vector<double> sorted;
    block.figures.reserve(outputCount);
    for (std::size_t k = 0; k < outputCount; ++k) {
        const std::span<const double> values = block.Values(k);
        sorted.assign(values.begin(), values.end());
        SortValues(sorted);
        block.figures.push_back(Summarise(sorted, options.coverage));
    }
}

// The stability measure of one output: for each of its six figures, twice
// the standard deviation that figure of all the draws so far has, estimated
// from the spread of the blocks' figures; the largest of the four that
// settle as N^(-1/2) and the larger of the shortest interval's two ends.
//
// The mean, the standard deviation and the ends of the symmetric interval
// converge as N^(-1/2): the standard deviation of the average of h block
// figures, s/√h, is theirs. The ends of the shortest interval do not: where
// that interval lies is chosen among nearly equal widths, and its place
// wanders as N^(-1/3) (both ends move together). A block's ends already
// show it at 10 000 draws, so the ends of all N draws have about s·h^(-1/3),
// not s/√h; judged by s/√h they were called stable while more than the
// tolerance away from the ends of ten million draws. s·h^(-1/3) bounds the
// ends' noise whenever it falls at least that fast.
struct Spread {
    double settled = 0.0;   // the mean, the standard deviation, the symmetric interval's ends
    double shortest = 0.0;  // the shortest interval's ends
};
Spread SpreadOf(const std::vector<const OutputSummary*>& figures) {
    const double h = static_cast<double>(figures.size());
    const double rootOfH = std::sqrt(h), cubeRootOfH = std::cbrt(h);
    Spread spread;
    for (double OutputSummary::*f : {&OutputSummary::mean, &OutputSummary::sd, &OutputSummary::shortestLow,
                                     &OutputSummary::shortestHigh, &OutputSummary::symmetricLow,
                                     &OutputSummary::symmetricHigh}) {
        double sum = 0.0;
        for (const OutputSummary* s : figures) sum += s->*f;
        const double mean = sum / h;
        double squares = 0.0;
        for (const OutputSummary* s : figures) squares += (s->*f - mean) * (s->*f - mean);
        const double blocks = 2.0 * std::sqrt(squares / (h - 1.0));
        if (f == &OutputSummary::shortestLow || f == &OutputSummary::shortestHigh) {
            spread.shortest = std::max(spread.shortest, blocks / cubeRootOfH);
        } else {
            spread.settled = std::max(spread.settled, blocks / rootOfH);
        }
    }
    return spread;
}

// Whether output o of the blocks judged so far (at least two) is stable: the
// spread of each of its figures within the numerical tolerance of its u.
// The overall standard deviation sets the tolerance; the blocks' own,
// pooled, are as good a figure of it here.
struct Verdict {
    bool stable = false;                  // every figure
    bool stableApartFromShortest = false;  // all but the shortest interval's ends
};
Verdict OutputVerdict(const std::vector<Judged>& kept, std::size_t o, const Options& options) {
    std::vector<const OutputSummary*> figures;
    double pooled = 0.0, weight = 0.0;
    for (const Judged& b : kept) {
        if (!b.judged) continue;
        figures.push_back(&b.figures[o]);
        const double n = static_cast<double>(b.accepted);
        pooled += (n - 1.0) * b.figures[o].sd * b.figures[o].sd;
        weight += n - 1.0;
    }
    if (figures.size() < 2) return {};
    const Spread spread = SpreadOf(figures);
    const double tolerance = NumericalTolerance(std::sqrt(pooled / weight), options.significantDigits);
    const bool settled = spread.settled <= tolerance;
    return {settled && spread.shortest <= tolerance, settled};
}

}  // namespace

std::size_t BlockSize(double coverage) {
    const double j = std::ceil(100.0 / (1.0 - coverage));
    return std::max<std::size_t>(10000, std::isfinite(j) ? static_cast<std::size_t>(j) : 10000);
}

double NumericalTolerance(double u, int digits) {
    if (!(u > 0.0) || !std::isfinite(u) || digits < 1) return 0.0;
    // The place of u's last digit kept, 10^l: from its leading digit (the
    // logarithm may land a hair off at a power of ten, so that is checked)…
    int l = static_cast<int>(std::floor(std::log10(u))) - digits + 1;
    if (u < std::pow(10.0, l + digits - 1)) {
        --l;
    } else if (u >= std::pow(10.0, l + digits)) {
        ++l;
    }
    // …then u rounded to that place: 0.0996 K to two digits is 0.10 K, whose
    // last digit is a place higher (δ = 0.005 K, not 0.0005 K).
    if (std::round(u / std::pow(10.0, l)) >= std::pow(10.0, digits)) ++l;
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

    // The values of each output in one array, the blocks' in their order:
    // room for the most there can be is set aside at once (the system gives
    // memory to the pages written, not to the room), so no array is ever
    // copied to grow, and the sort works in place. 8 bytes a draw a result.
    out.sorted.resize(outputCount);
    for (std::vector<double>& values : out.sorted) values.reserve(limit);
    std::vector<Judged> kept;       // what the stop judges of the blocks joined, in order
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
            Block& b = batch[k];
            out.drawn += b.drawn;
            out.refused += b.refused;
            if (out.firstRefusal == 0 && b.refused > 0) {
                out.firstRefusal = b.firstRefusal;
                out.firstRefusedInputs = b.firstRefusedInputs;
            }
            for (std::size_t o = 0; o < outputCount; ++o) {
                const std::span<const double> values = b.Values(o);
                out.sorted[o].insert(out.sorted[o].end(), values.begin(), values.end());
            }
            kept.push_back({b.Accepted(), b.judged, std::move(b.figures)});
            ++next;
            if (!adaptive) continue;
            if (std::count_if(kept.begin(), kept.end(), [](const Judged& j) { return j.judged; }) < 2) continue;
            stable = true;
            for (std::size_t o = 0; o < outputCount && stable; ++o) stable = OutputVerdict(kept, o, options).stable;
        }
        if (progress && !progress(out.drawn, limit)) {
            Outcome cancelled;
            cancelled.status = Status::Cancelled;
            cancelled.drawn = out.drawn;
            cancelled.threads = threads;
            return cancelled;
        }
    }
    std::vector<Block>().swap(batch);  // the workers' buffers, before the sort

    out.accepted = out.drawn - out.refused;
    if (out.accepted == 0) {
        out.status = Status::NothingAccepted;
        out.sorted.clear();
        return out;
    }
    out.status = !adaptive ? Status::Fixed : stable ? Status::Stable : Status::CapReached;
    out.outputs.reserve(outputCount);
    for (std::size_t o = 0; o < outputCount; ++o) {
        SortValues(out.sorted[o]);
        out.outputs.push_back(Summarise(out.sorted[o], options.coverage));
        if (adaptive) {
            const Verdict verdict = OutputVerdict(kept, o, options);
            out.outputs.back().stable = verdict.stable;
            out.outputs.back().stableApartFromShortest = verdict.stableApartFromShortest;
        }
    }
    return out;
}

}  // namespace wegator::montecarlo
