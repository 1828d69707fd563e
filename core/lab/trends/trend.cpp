#include "lab/trends/trend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "lab/base/lab_messages.h"
#include "physics/units.h"
#include "text/strings.h"

namespace wegator::lab {

namespace {

using Q = TrendQuantity;
using K = StabilityQuantity;
using U = TrendUnit;

constexpr std::array<TrendQuantityInfo, kTrendQuantities> kQuantities{{
    {Q::DewPoint, "dp", msg::TrendDewPoint, U::Temperature, K::DewOrFrostPoint},
    {Q::Temperature, "t", msg::TrendDewPoint + 1, U::Temperature, K::Temperature},
    {Q::Pressure, "pb", msg::TrendDewPoint + 2, U::Pressure, K::Pressure},
    {Q::RoomTemperature, "room-t", msg::TrendDewPoint + 3, U::Temperature, K::Temperature},
    {Q::RoomHumidity, "room-rh", msg::TrendDewPoint + 4, U::Percent, K::RelativeHumidity},
    {Q::DewPointAverage, "dp-avg", msg::TrendDewPoint + 5, U::Temperature, K::DewOrFrostPoint},
    {Q::TemperatureAverage, "t-avg", msg::TrendDewPoint + 6, U::Temperature, K::Temperature},
    {Q::PressureAverage, "pb-avg", msg::TrendDewPoint + 7, U::Pressure, K::Pressure},
    {Q::Channel1, "ch1", msg::TrendDewPoint + 8, U::Temperature, K::Temperature},
    {Q::Channel2, "ch2", msg::TrendDewPoint + 9, U::Temperature, K::Temperature},
    {Q::Channel3, "ch3", msg::TrendDewPoint + 10, U::Temperature, K::Temperature},
    {Q::Channel4, "ch4", msg::TrendDewPoint + 11, U::Temperature, K::Temperature},
    {Q::Channel5, "ch5", msg::TrendDewPoint + 12, U::Temperature, K::Temperature},
    {Q::Channel6, "ch6", msg::TrendDewPoint + 13, U::Temperature, K::Temperature},
    {Q::Channel7, "ch7", msg::TrendDewPoint + 14, U::Temperature, K::Temperature},
    {Q::Channel8, "ch8", msg::TrendDewPoint + 15, U::Temperature, K::Temperature},
    {Q::ChannelSpread, "spread", msg::TrendDewPoint + 16, U::TemperatureDifference, K::Temperature},
    {Q::ResultDewPoint, "dp-result", msg::TrendDewPoint + 17, U::Temperature, K::DewOrFrostPoint},
    {Q::ResultHumidity, "rh", msg::TrendDewPoint + 18, U::Percent, K::RelativeHumidity},
    {Q::ResultTemperature, "t-result", msg::TrendDewPoint + 19, U::Temperature, K::Temperature},
}};

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::string Number(double v, int digits, char decimalSign) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, v);
    std::string text = buffer;
    if (text == "-0" || text.rfind("-0.", 0) == 0) {
        // A limit shown as -0,00 says nothing a plain 0,00 does not.
        bool zero = true;
        for (char c : text) zero = zero && (c == '-' || c == '0' || c == '.');
        if (zero) text.erase(0, 1);
    }
    for (char& c : text) {
        if (c == '.') c = decimalSign;
    }
    return text;
}

// Enough digits to tell a figure from its limit: two significant digits of the limit.
int DigitsFor(double limit) {
    if (!(limit > 0)) return 2;
    const int d = 1 - static_cast<int>(std::floor(std::log10(limit)));
    return std::clamp(d, 0, 6);
}

}  // namespace

const TrendQuantityInfo& QuantityInfo(TrendQuantity quantity) {
    return kQuantities.at(static_cast<std::size_t>(quantity));
}

std::optional<TrendQuantity> QuantityByKey(std::string_view key) {
    for (const TrendQuantityInfo& info : kQuantities) {
        if (info.key == key) return info.quantity;
    }
    return std::nullopt;
}

std::string QuantityName(TrendQuantity quantity) { return std::string(LoadString(QuantityInfo(quantity).nameId)); }

StabilitySettings StabilityFromSettings(const Settings& s) {
    StabilitySettings out;
    out.windowMs = static_cast<std::int64_t>(std::clamp(s.settingsLabStabilityWindow, 1, 240)) * 60000;
    out.For(K::DewOrFrostPoint) = {s.settingsLabStabilityDpDrift, s.settingsLabStabilityDpSd, 10};
    out.For(K::Temperature) = {s.settingsLabStabilityTDrift, s.settingsLabStabilityTSd, 10};
    out.For(K::Pressure) = {s.settingsLabStabilityPDrift, s.settingsLabStabilityPSd, 10};
    out.For(K::RelativeHumidity) = {s.settingsLabStabilityRhDrift, s.settingsLabStabilityRhSd, 10};
    return out;
}

std::int64_t CalendarMs(const CalendarTime& t) {
    const std::int64_t days = DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day));
    return ((days * 24 + t.hour) * 60 + t.minute) * 60000 + static_cast<std::int64_t>(t.second) * 1000;
}

CalendarTime CalendarFromMs(std::int64_t ms) {
    std::int64_t seconds = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
    std::int64_t days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    std::int64_t rest = seconds - days * 86400;
    // Civil date from days since 1970-01-01.
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    CalendarTime t;
    t.year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
    t.month = static_cast<int>(m);
    t.day = static_cast<int>(d);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

double ShownDifference(TrendQuantity quantity, double value, std::string_view unit) {
    switch (QuantityInfo(quantity).unit) {
        case U::Temperature:
        case U::TemperatureDifference: return TemperatureDifferenceFromCelsius(value, unit);
        case U::Pressure: return PressureFromKilopascal(value, unit);
        case U::Percent: break;
    }
    return value;
}

std::string DifferenceUnit(TrendQuantity quantity, std::string_view unit) {
    switch (QuantityInfo(quantity).unit) {
        case U::Temperature:
        case U::TemperatureDifference: return unit == "°F" ? "°F" : "K";
        // "hPa, mbar" names two units for a list; a figure says the first.
        case U::Pressure: return std::string(unit.substr(0, unit.find(',')));
        case U::Percent: break;
    }
    return "%";
}

std::string VerdictText(TrendQuantity quantity, const StabilityVerdict& v, std::string_view unit, char decimalSign,
                        std::int64_t nowMonotonicMs, const CalendarTime& nowCalendar, StringLookup lookup) {
    const TrendQuantityInfo& info = QuantityInfo(quantity);
    const std::string name(lookup(info.nameId));
    auto Text = [lookup](int id, std::initializer_list<std::string_view> arguments) {
        return FillIn(lookup(id), arguments);
    };
    if (v.stable) {
        const CalendarTime since = CalendarFromMs(ChartTime(v.since, nowMonotonicMs, nowCalendar));
        char clock[16];
        std::snprintf(clock, sizeof clock, "%02d:%02d", since.hour, since.minute);
        // Stable for less than a minute: no "(0 min)".
        if (v.stableForMs < 60000) return Text(msg::StableJustNow, {name, clock});
        return Text(msg::StableSince, {name, clock, std::to_string(v.stableForMs / 60000)});
    }
    // Figures in the unit shown: a temperature's drift and deviation are differences.
    const std::string shownUnit = DifferenceUnit(quantity, unit);
    auto shown = [&](double x) { return ShownDifference(quantity, x, unit); };
    switch (v.exceeded) {
        case StabilityFigure::Drift: {
            const double limit = shown(v.limit);
            const int digits = DigitsFor(limit);
            return Text(msg::UnstableDrift, {name, Number(shown(v.value), digits, decimalSign), shownUnit,
                                             Number(limit, digits, decimalSign)});
        }
        case StabilityFigure::StandardDeviation: {
            const double limit = shown(v.limit);
            const int digits = DigitsFor(limit);
            return Text(msg::UnstableDeviation, {name, Number(shown(v.value), digits, decimalSign), shownUnit,
                                                 Number(limit, digits, decimalSign)});
        }
        case StabilityFigure::Readings:
            return Text(msg::UnstableReadings, {name, std::to_string(static_cast<long long>(v.value)),
                                                std::to_string(static_cast<long long>(v.limit))});
        case StabilityFigure::Window:
        case StabilityFigure::None: break;
    }
    // A window of whole minutes is said so; `lab run --stability-window` may give half a minute.
    const int windowDigits = v.limit == std::round(v.limit) ? 0 : 1;
    return Text(msg::UnstableWindow,
                {name, Number(v.value, 1, decimalSign), Number(v.limit, windowDigits, decimalSign)});
}

}  // namespace wegator::lab
