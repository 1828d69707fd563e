// Has it settled? The stability figures of one quantity over a window of its
// history (by default the last 10 minutes): the least-squares drift, the
// standard deviation, the peak-to-peak and the number of readings; a criterion
// (a drift and a standard-deviation limit in the quantity's unit) and its
// verdict, "stable since …" or "not stable: which figure, its value, its limit",
// as data for the page, the printout and the command line to put in words.
#pragma once

#include <cstdint>
#include <vector>

#include "axis/nice_axis.h"
#include "lab/trends/history.h"

namespace wegator::lab {

inline constexpr std::int64_t kDefaultStabilityWindowMs = 10 * 60 * 1000;

// The figures of the readings in the window [to - window, to], cut short at the
// latest restart marker of the quantity: readings from before a restart say
// nothing of the state after it.
struct StabilityFigures {
    std::int64_t from = 0;  // ms, start of the window used
    std::int64_t to = 0;    // ms
    std::int64_t count = 0;
    double mean = 0;
    double drift = 0;              // slope of the least-squares line, unit per minute (0 below two readings)
    double standardDeviation = 0;  // of the readings about their mean, n - 1 (0 below two readings)
    double peakToPeak = 0;
    // The window is covered: the history reaches back to its start, and no
    // restart falls inside it.
    bool full = false;
};

StabilityFigures Figures(const History& history, int quantity, std::int64_t now,
                         std::int64_t windowMs = kDefaultStabilityWindowMs);

// The limits a quantity must keep to count as stable, in its own unit (K, kPa, % RH).
struct StabilityCriterion {
    double driftLimit = 0.02;   // unit per minute, on the magnitude of the drift
    double sdLimit = 0.02;      // unit
    std::int64_t minReadings = 10;
};

enum class StabilityQuantity { DewOrFrostPoint, Temperature, Pressure, RelativeHumidity };

// Limits a humidity laboratory uses: dew/frost point and temperature
// 0.02 K/min and 0.02 K, pressure 0.05 kPa/min and 0.05 kPa, relative humidity
// 0.1 %/min and 0.1 %.
StabilityCriterion DefaultCriterion(StabilityQuantity quantity);

// The figure that kept a window from being stable, the first one checked in
// this order.
enum class StabilityFigure {
    None,               // stable
    Window,             // value: minutes covered, limit: the window's minutes
    Readings,           // value: readings in the window, limit: the fewest allowed
    Drift,              // value: drift (signed), limit: the drift limit
    StandardDeviation,  // value: standard deviation, limit: its limit
};

struct StabilityVerdict {
    bool stable = false;
    StabilityFigure exceeded = StabilityFigure::Window;
    double value = 0;
    double limit = 0;
    // When stable: the moment it has been stable since, ms (see StableSince),
    // and for how long, now - since.
    std::int64_t since = 0;
    std::int64_t stableForMs = 0;
    StabilityFigures figures;
};

// The verdict on one window's figures alone; `since` stays 0.
StabilityVerdict Judge(const StabilityFigures& figures, const StabilityCriterion& criterion,
                       std::int64_t windowMs = kDefaultStabilityWindowMs);

// "Stable since S". The windows judged are those ending at the time of each
// reading of the quantity held in the history; in its older tier, where single
// readings are no longer held, at the last reading of each bucket, the window
// then taking the buckets that lie wholly inside it. S is the earliest of these
// end times from which the window ending there and the window ending at every
// later one met the criterion. When that run reaches back to the start of the
// kept history or to a restart, S is the end of the first full window. Walking
// back stops at the first window that fails, so the cost is bounded by the
// history's fixed size (at most one step per bucket and recent reading).
// S is exact while the windows reach no further back than the recent tier
// (a run up to 10 minutes with the default 10-minute window); beyond, it is
// right to within a bucket (15 s).
// Returns -1 when the window ending at the latest reading fails.
std::int64_t StableSince(const History& history, int quantity, const StabilityCriterion& criterion,
                         std::int64_t windowMs = kDefaultStabilityWindowMs);

// The verdict now: the window ending now judged; when it passes, `since` is
// StableSince (or now when the window ending at the latest reading failed and
// only the current one passes).
StabilityVerdict Evaluate(const History& history, int quantity, std::int64_t now, const StabilityCriterion& criterion,
                          std::int64_t windowMs = kDefaultStabilityWindowMs);

// The axis of a trend chart is the common round-number axis.
using wegator::ChartAxis;
using wegator::NiceAxis;

}  // namespace wegator::lab
