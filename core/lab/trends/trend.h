// What the station keeps a trend of, and how a moment of the station's
// monotonic clock is placed on the user's calendar for a chart or a printout.
//
// Every quantity the station shows has a fixed id (its index in the history),
// a short key for the command line and JSON, a name in the string table and
// the kind of unit it is shown in; the stability criterion that applies to it
// follows from what it measures (a dew point, a temperature, a pressure, a
// relative humidity).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/settings.h"
#include "lab/trends/stability.h"
#include "lab/base/station_time.h"
#include "text/strings.h"

namespace wegator::lab {

enum class TrendQuantity : int {
    // The corrected instantaneous readings.
    DewPoint = 0,
    Temperature,
    Pressure,
    RoomTemperature,
    RoomHumidity,
    // The averaged inputs.
    DewPointAverage,
    TemperatureAverage,
    PressureAverage,
    // The QX-311 channels 1 … 8 and their spread tnmax − tnmin.
    Channel1,
    Channel2,
    Channel3,
    Channel4,
    Channel5,
    Channel6,
    Channel7,
    Channel8,
    ChannelSpread,
    // The results: dew or frost point, relative humidity over water, temperature.
    ResultDewPoint,
    ResultHumidity,
    ResultTemperature,
};
inline constexpr int kTrendQuantities = 20;

inline TrendQuantity ChannelQuantity(int channel) {  // channel 1 … 8
    return static_cast<TrendQuantity>(static_cast<int>(TrendQuantity::Channel1) + channel - 1);
}

// How a quantity's values are shown: a temperature (°C, K or °F, with
// offset), a temperature difference (no offset), a pressure, or a percentage.
enum class TrendUnit { Temperature, TemperatureDifference, Pressure, Percent };

struct TrendQuantityInfo {
    TrendQuantity quantity;
    std::string_view key;  // "dp", "t", "pb", "room-t", "room-rh", "dp-avg", … "ch1" … "ch8", "spread", "dp-result", "rh", "t-result"
    int nameId;            // its name in the string table, e.g. "DP/FP", "T"
    TrendUnit unit;
    StabilityQuantity kind;  // which criterion judges it
};

const TrendQuantityInfo& QuantityInfo(TrendQuantity quantity);
std::optional<TrendQuantity> QuantityByKey(std::string_view key);
// The quantity's name in the language in force.
std::string QuantityName(TrendQuantity quantity);

// The window and the criteria the station judges stability by.
struct StabilitySettings {
    std::int64_t windowMs = kDefaultStabilityWindowMs;
    // By StabilityQuantity: dew or frost point, temperature, pressure, relative humidity.
    std::array<StabilityCriterion, 4> criteria{
        DefaultCriterion(StabilityQuantity::DewOrFrostPoint), DefaultCriterion(StabilityQuantity::Temperature),
        DefaultCriterion(StabilityQuantity::Pressure), DefaultCriterion(StabilityQuantity::RelativeHumidity)};

    const StabilityCriterion& For(TrendQuantity quantity) const {
        return criteria[static_cast<std::size_t>(QuantityInfo(quantity).kind)];
    }
    StabilityCriterion& For(StabilityQuantity kind) { return criteria[static_cast<std::size_t>(kind)]; }
};
// From the stored settings (window in minutes, limits in K, kPa and %).
StabilitySettings StabilityFromSettings(const Settings& settings);

// The verdict on the station as a whole: every quantity it judges (the
// instantaneous readings of the inputs in use: dew or frost point unless only
// the temperature counts, the temperature) stable; `since` the latest of their
// "stable since" moments. `verdicts` lists each quantity judged, in order.
struct StationStability {
    bool stable = false;
    std::int64_t since = 0;  // monotonic ms, when stable
    std::vector<std::pair<TrendQuantity, StabilityVerdict>> verdicts;
};

// A drift or deviation of `quantity` (K, kPa, %) in the unit it is shown in
// (the page's temperature or pressure unit text), and that unit's name for a
// difference: "K" for °C and K, "°F", the pressure unit, "%".
double ShownDifference(TrendQuantity quantity, double value, std::string_view unit);
std::string DifferenceUnit(TrendQuantity quantity, std::string_view unit);

// A moment of the local calendar as milliseconds since 1970-01-01 00:00 of the
// same calendar (no time zone: the wall clock as read), so that chart ticks
// fall on round local times; and back.
std::int64_t CalendarMs(const CalendarTime& t);
CalendarTime CalendarFromMs(std::int64_t ms);
// The calendar moment of a monotonic moment, given the clock's "now" on both.
inline std::int64_t ChartTime(std::int64_t monotonicMs, std::int64_t nowMonotonicMs, const CalendarTime& nowCalendar) {
    return CalendarMs(nowCalendar) + (monotonicMs - nowMonotonicMs);
}

// The verdict in words, in the language in force and in the quantity's unit
// as shown (unit: the temperature or pressure unit text of the page, "°C",
// "K", "°F", "kPa", "hPa", … ), with the decimal sign:
//   "stabilna od 12:31 (7 min)" / "niestabilna: DP/FP dryft 0,05 K/min > 0,02"
// `nowCalendar` and `nowMonotonic` place "since" on the clock; `lookup` gives
// the texts (a test may ask for another language than the one in force).
std::string VerdictText(TrendQuantity quantity, const StabilityVerdict& verdict, std::string_view unit,
                        char decimalSign, std::int64_t nowMonotonicMs, const CalendarTime& nowCalendar,
                        StringLookup lookup = LoadString);

}  // namespace wegator::lab
