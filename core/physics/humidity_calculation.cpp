// The complete humidity calculations: from a dew or frost point, an air
// temperature, a relative humidity or a moisture content at P1 (or a
// psychrometer reading at one pressure), every quantity at P2 over water and
// over ice, with standard uncertainties, and the range checks that name the
// limit of the input the user edited last.
//
// Uncertainties are propagated numerically: each uncertain input (and, when
// asked for, the formulas' own uncertainty) is moved up and down by its
// standard uncertainty, the whole state is evaluated again, the larger of the
// two one-sided changes of each result is taken, and the contributions are
// combined as a root sum of squares.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "text/string_table.h"
#include "text/strings.h"
#include "physics/humidity_engine.h"
#include "physics/limit_search.h"
#include "physics/route_evaluator.h"
#include "physics/saturation_formulas.h"
#include "physics/units.h"

namespace wegator {

namespace {

// Which pair of primary inputs describes the humidity state.
enum class Given {
    DewPointAndTemperature,
    TemperatureAndHumidity,
    DewPointAndHumidity,
    ContentAndTemperature,  // PPMV (from PPMV, PPMW or x) and the air temperature
    Psychrometer,           // dry and wet- or ice-bulb temperatures at one pressure Pb
};

// The five primary inputs in internal units, addressed by their input codes.
// A moisture content given as PPMV sits in `dp` (its input code is that of the
// dew point); a psychrometer's barometric pressure sits in both p1 and p2.
struct Inputs {
    double p1 = 0, t = 0, rh = 0, dp = 0, p2 = 0, tw = 0;

    double& operator[](int code) {
        switch (code) {
            case kInputP1: return p1;
            case kInputT: return t;
            case kInputRh: return rh;
            case kInputDewPoint: return dp;
            case kInputBulb: return tw;
            default: return p2;
        }
    }
};

// Which saturation pressure is moved by the formulas' uncertainty, and how
// far in multiples of it: the vapour pressure (evaluated at the dew point) or
// the saturation pressure at the air temperature. The propagation steps ±1;
// a Monte Carlo draw takes any multiple.
struct FormulaShift {
    double vapour = 0.0;
    double saturation = 0.0;
};
// A shift the memo can key: none, or the propagation's step either way.
bool MemoShift(double shift) { return shift == 0.0 || shift == 1.0 || shift == -1.0; }

// Substitutes that keep perturbed evaluations defined.
constexpr double kLowestPressure = 0.1;        // kPa, for a pressure lowered to zero or below
constexpr double kLowestVapourPressure = 0.001;  // Pa, before a dew- or frost-point inversion
constexpr double kLowestDenominator = 0.001;     // Pa, of the PPMV formula
constexpr double kLowestPpmw = 0.001;            // ppm, in the enthalpy
constexpr double kLowestRh = 0.001;              // %, an RH lowered to zero or below

constexpr double kMolarMassRatio = 0.622;  // M_water / M_dry air
// PPMV of one ppm by mass and of one g/kg of mixing ratio (1/0.622, 1/0.000622).
constexpr double kPpmvPerPpmw = 1.607717041800643;
constexpr double kPpmvPerMixingRatio = 1607.717041800643;
// Allowance when a psychrometer's vapour pressure is compared with saturation:
// at T = Tw the two differ only by the enhancement factor's move over the
// rounding of the inverted saturation temperature (its bisection stops within
// 1e-11 K). Relative, at least 1e-12; where the factor changes fast with
// temperature (high pressures, cold air) that move itself, with a margin.
constexpr double kSaturationRounding = 1e-12;
constexpr double kSaturationTemperatureSlack = 2e-11;  // K

struct Column {
    double wvp, swvp, rh, dpfp, t, ppmv, ppmw, enthalpy, x, bulb;
};
// Every quantity of a column, for the sums over all of them.
constexpr double Column::*kColumnFields[] = {&Column::wvp,  &Column::swvp,     &Column::rh, &Column::dpfp,
                                             &Column::t,    &Column::ppmv,     &Column::ppmw,
                                             &Column::enthalpy, &Column::x, &Column::bulb};
struct State {
    Column col[2];
    Column& operator[](Phase p) { return col[static_cast<int>(p)]; }
    const Column& operator[](Phase p) const { return col[static_cast<int>(p)]; }
};

constexpr Phase kPhases[2] = {Phase::Water, Phase::Ice};

// Results already computed in one calculation, looked up by their exact
// arguments: the checks and the perturbed states ask again and again for the
// same saturation pressures, dew points and bulb temperatures (a perturbation
// of one input leaves most of them as they were). A hit returns the very
// double computed before, so nothing changes but the time. Direct-mapped: a
// collision only costs a recomputation.
class Memo {
public:
    enum Kind : std::uint64_t {
        kMoistSaturation = 1,  // + 3·phase + shift + 1 (up to 6)
        kCondensation = 8,     // + phase
        kBulb = 10,            // + phase
        kSaturationPressure = 12,
        kSaturationTemperature = 14,  // + phase
    };
    explicit Memo(bool enabled) : enabled_(enabled) {}
    bool Enabled() const { return enabled_; }

    template <typename Compute>
    double Get(std::uint64_t kind, double a, double b, double c, Compute&& compute) {
        if (!enabled_) return compute();
        const std::uint64_t ka = std::bit_cast<std::uint64_t>(a), kb = std::bit_cast<std::uint64_t>(b),
                            kc = std::bit_cast<std::uint64_t>(c);
        const std::uint64_t mixed =
            (ka * 0x9E3779B97F4A7C15ull) ^ (kb * 0xC2B2AE3D27D4EB4Full) ^ (kc * 0x165667B19E3779F9ull) ^ (kind << 32);
        Slot& slot = slots_[static_cast<std::size_t>((mixed * 0xD6E8FEB86659FD93ull) >> 58)];
        if (slot.kind == kind && slot.a == ka && slot.b == kb && slot.c == kc) return slot.value;
        const double value = compute();
        slot = {kind, ka, kb, kc, value};
        return value;
    }

private:
    struct Slot {
        std::uint64_t kind = 0, a = 0, b = 0, c = 0;
        double value = 0.0;
    };
    std::array<Slot, 64> slots_{};
    bool enabled_;
};

class Calculation {
public:
    // contentPage: the calculation of the moisture-content page, whose checks
    // consult the edit history differently.
    Calculation(const HumidityEngine& engine, Given given, ContentQuantity content = ContentQuantity::DewPoint,
                bool contentPage = false)
        : e_(engine),
          given_(given),
          content_(content),
          contentPage_(contentPage),
          memo_(engine.InversionMethod() == HumidityEngine::Inversions::Fast) {}

    // Sets one input; the psychrometer's single pressure is both P1 and P2.
    void Set(Inputs& in, int code, double value) const {
        in[code] = value;
        if (given_ == Given::Psychrometer && code == kInputP1) in.p2 = value;
    }

    // Water vapour pressure at P2 (Pa) of the given state, without the saturation
    // pressure at the air temperature (that one comes from Saturation()).
    double VapourFromDewPoint(Phase phase, const Inputs& in, double shift = 0.0) const {
        // The pressure ratio first: with P1 = P2 the vapour pressure is then exactly
        // the saturation pressure at the dew point, so DP = T is saturated, not beyond.
        return MoistSaturation(phase, in.dp, 1000.0 * in.p2, shift) * (in.p2 / in.p1);
    }
    double Saturation(Phase phase, double t, const Inputs& in, double shift = 0.0) const {
        return MoistSaturation(phase, t, 1000.0 * in.p2, shift);
    }
    // Above 0 °C the ice column's saturation pressures are water's, formulas'
    // uncertainty included: one entry serves both.
    static Phase SaturationPhase(Phase phase, double t) { return t > 0.0 ? Phase::Water : phase; }
    double MoistSaturation(Phase phase, double t, double p, double shift) const {
        if (!MemoShift(shift)) return e_.MoistSaturationPressure(phase, t, p, shift);
        const Phase key = SaturationPhase(phase, t);
        return memo_.Get(Memo::kMoistSaturation + 3 * static_cast<std::uint64_t>(key) +
                             static_cast<std::uint64_t>(static_cast<int>(shift) + 1),
                         t, p, 0.0, [&] { return e_.MoistSaturationPressure(phase, t, p, shift); });
    }
    // A frost point above 0 °C is the dew point of the same vapour pressure
    // when both bisections leave 0 °C upwards: the engine says when.
    double Condensation(Phase phase, double e, double p) const {
        if (phase == Phase::Ice && memo_.Enabled() && e_.FrostPointIsDewPoint(e, p)) phase = Phase::Water;
        return memo_.Get(Memo::kCondensation + static_cast<std::uint64_t>(phase), e, p, 0.0, [&] {
            return e_.Condensation(phase, e, p, &condensationHints_[static_cast<std::size_t>(phase)]);
        });
    }
    double SaturationTemperature(Phase phase, double e) const {
        return memo_.Get(Memo::kSaturationTemperature + static_cast<std::uint64_t>(phase), e, 0.0, 0.0, [&] {
            return phase == Phase::Ice ? e_.SaturationTemperatureIce(e) : e_.SaturationTemperatureWater(e);
        });
    }
    // Wet-bulb (water) or ice-bulb temperature at P2 of air at t whose dew
    // (frost) point is td.
    double Bulb(Phase phase, const Inputs& in, double t, double td) const {
        const bool ice = phase == Phase::Ice;
        const double e =
            memo_.Get(Memo::kSaturationPressure + static_cast<std::uint64_t>(SaturationPhase(phase, td)), td, 0.0,
                      0.0, [&] { return ice ? e_.SaturationPressureIce(td) : e_.SaturationPressureWater(td); });
        return memo_.Get(Memo::kBulb + static_cast<std::uint64_t>(phase), in.p2, t, e, [&] {
            return e_.BulbTemperature(phase, in.p2, t, e, &bulbHints_[static_cast<std::size_t>(phase)]);
        });
    }
    // Relative humidity moved from P1 to P2.
    static double MovedHumidity(const Inputs& in) { return in.rh * (in.p2 / in.p1); }

    // A psychrometer reading: the psychrometric pressure e (Pa), its saturation
    // temperature ts (°C) and the vapour pressure of the moist air (Pa).
    struct Reading {
        double e, ts, wvp;
    };
    // Vapour pressure of moist air from a psychrometer: the psychrometric pressure e
    // times the enhancement factor at the saturation temperature of e itself. The
    // formulas' uncertainty moves e by r at that temperature.
    Reading PsychrometricReading(Phase phase, const Inputs& in, double shift) const {
        const bool ice = phase == Phase::Ice;
        double e = ice ? e_.PsychrometricPressureIce(in.t, in.tw, in.p1)
                       : e_.PsychrometricPressureWater(in.t, in.tw, in.p1);
        double factorShift = 1.0;
        if (shift != 0.0) {
            const double ts = SaturationTemperature(phase, e);
            const engine_detail::FormulaErrorFactors error = engine_detail::FormulaError(
                shift, ice ? e_.FormulaUncertaintyIce(ts) : e_.FormulaUncertaintyWater(ts));
            e *= error.pressure;
            factorShift = error.enhancement;
        }
        const double ts = SaturationTemperature(phase, e);
        return {e, ts, e * e_.MoistAirFactor(phase, e, ts, 1000.0 * in.p1) * factorShift};
    }

    // The vapour pressure at P2 over the phase, as each set of inputs defines it.
    double Vapour(Phase phase, const Inputs& in, FormulaShift shift = {}) const {
        switch (given_) {
            case Given::TemperatureAndHumidity:
                return std::min(MovedHumidity(in), 100.0) / 100.0 * Saturation(phase, in.t, in, shift.saturation);
            case Given::ContentAndTemperature:
                // A volume fraction does not change with compression: at P2 the
                // vapour pressure is the same fraction of P2.
                return 1000.0 * in.p2 * in.dp / (in.dp + 1e6);
            case Given::Psychrometer:
                return PsychrometricReading(phase, in, shift.vapour).wvp;
            default:
                return VapourFromDewPoint(phase, in, shift.vapour);
        }
    }
    // Calculations in which the air temperature is given and RH follows from it.
    bool TemperatureGiven() const {
        return given_ != Given::TemperatureAndHumidity && given_ != Given::DewPointAndHumidity;
    }

    // The air temperature of the phase's column: given, or (from a dew point
    // and a humidity) the temperature whose saturation pressure at P2 is 100·WVP/RH2.
    double AirTemperature(Phase phase, const Inputs& in, double wvp) const {
        if (given_ != Given::DewPointAndHumidity) return in.t;
        return Condensation(phase, AirSaturation(in, wvp), 1000.0 * in.p2);
    }
    // The saturation pressure the air temperature is found from (dew point and
    // humidity given): 100·WVP/RH2.
    static double AirSaturation(const Inputs& in, double wvp) {
        double rh2 = MovedHumidity(in);
        if (rh2 <= 0.0) rh2 = kLowestRh;
        return 100.0 * wvp / rh2;
    }

    // The vapour pressure a dew or frost point is taken of: a negative one
    // (a perturbation far below) counts as a trace.
    static double Condensing(double wvp) { return wvp < 0.0 ? kLowestVapourPressure : wvp; }
    double DewOrFrostPoint(Phase phase, double wvp, const Inputs& in) const {
        return Condensation(phase, Condensing(wvp), 1000.0 * in.p2);
    }

    // The vapour pressure whose dew or frost point is taken. A vapour pressure
    // given as a moisture content is exact, but finding its dew point inverts the
    // saturation formulas, which carry their own uncertainty: the formulas' shift
    // then moves the saturation curve instead, by r at the dew point.
    double InvertedVapour(Phase phase, double wvp, const Inputs& in, double shift) const {
        if (given_ != Given::ContentAndTemperature || shift == 0.0) return wvp;
        const double td = DewOrFrostPoint(phase, wvp, in);
        const engine_detail::FormulaErrorFactors error = engine_detail::FormulaError(
            shift, phase == Phase::Ice ? e_.FormulaUncertaintyIce(td) : e_.FormulaUncertaintyWater(td));
        return wvp / (error.pressure * error.enhancement);
    }

    // Every quantity of both columns. A nominal state, when given, lends the
    // dew points and bulb temperatures whose arguments did not change, so a
    // perturbation of one input costs only the inversions it really moves.
    // `only`, when given, limits the work to that column (the other stays zero).
    State Evaluate(const Inputs& in, FormulaShift shift, const State* nominal,
                   std::optional<Phase> only = std::nullopt) const {
        State s{};
        for (Phase phase : kPhases) {
            if (only && *only != phase) continue;
            Column& c = s[phase];
            c.wvp = Vapour(phase, in, shift);
            c.t = AirTemperature(phase, in, c.wvp);
            if (TemperatureGiven()) {
                const double reference = Saturation(phase, in.t, in);
                c.swvp = shift.saturation != 0.0 ? Saturation(phase, in.t, in, shift.saturation) : reference;
                c.rh = std::min(RelativeHumidityPercent(c.wvp, reference), 100.0);
            } else {
                c.swvp = Saturation(phase, c.t, in, shift.saturation);
                c.rh = std::min(MovedHumidity(in), 100.0);
            }
            const Column* n = nominal != nullptr ? &(*nominal)[phase] : nullptr;
            const double condensing = InvertedVapour(phase, c.wvp, in, shift.vapour);
            c.dpfp = n != nullptr && n->wvp == condensing ? n->dpfp : DewOrFrostPoint(phase, condensing, in);
            double denominator = 1000.0 * in.p2 - c.wvp;
            if (denominator <= 0.0) denominator = kLowestDenominator;
            c.ppmv = 1e6 * c.wvp / denominator;
            c.ppmw = kMolarMassRatio * c.ppmv;
            c.x = 0.001 * c.ppmw;
            c.enthalpy = Enthalpy(c.t, c.ppmw > 0.0 ? c.ppmw : kLowestPpmw);
            if (given_ == Given::Psychrometer) {
                c.bulb = in.tw;  // the reading itself
            } else if (n != nullptr && n->dpfp == c.dpfp && n->t == c.t) {
                c.bulb = n->bulb;
            } else {
                c.bulb = Bulb(phase, in, c.t, c.dpfp);
            }
        }
        return s;
    }

    const HumidityEngine& Engine() const { return e_; }
    Given Kind() const { return given_; }
    ContentQuantity Content() const { return content_; }
    bool ContentPage() const { return contentPage_; }

private:
    const HumidityEngine& e_;
    Given given_;
    ContentQuantity content_;
    bool contentPage_;
    mutable Memo memo_;
    // Where the last dew (frost) point and bulb temperature of each column
    // ended: the perturbed states' ones lie close by.
    mutable std::array<HumidityEngine::InversionHint, 2> condensationHints_{}, bulbHints_{};
};

// ---------------------------------------------------------------------------
// Range checks

// One range check: the condition that must hold, and for each input code the
// message that names that input's limit (0: the check has no limit in it).
using Condition = bool (*)(const Calculation&, const Inputs&);
struct Check {
    Condition holds;
    std::array<int, 6> messageByCode;  // indexed by input code P1, T, RH, DP/FP, P2, Tw/Ti
    // RH interval of the limit search: up to 100 for the checks of RH itself.
    bool rhUpTo100 = false;
    // How many entries of the preference list the check consults.
    int consulted = 4;
    // The condition whose boundary is the limit of each input; none: `holds` itself.
    std::array<Condition, 6> limitCondition{};
};

template <Phase P>
bool NotSupersaturated(const Calculation& c, const Inputs& in) {
    return !(c.Vapour(P, in) > c.Saturation(P, in.t, in));
}
bool HumidityAtMost100(const Calculation&, const Inputs& in) {
    return !(Calculation::MovedHumidity(in) > 100.0);
}
// The range of a dew or frost point (and of an air temperature found as one)
// is judged from the midpoints of its bisection that decide it.
bool DewPointAtMost100(const Calculation& c, const Inputs& in) {
    return !c.Engine().CondensesAbove100(Phase::Water, Calculation::Condensing(c.Vapour(Phase::Water, in)),
                                         1000.0 * in.p2);
}
bool FrostPointAtLeastMinus100(const Calculation& c, const Inputs& in) {
    return !c.Engine().CondensesBelowMinus100(Phase::Ice, Calculation::Condensing(c.Vapour(Phase::Ice, in)),
                                              1000.0 * in.p2);
}
bool FrostPointAtMost100(const Calculation& c, const Inputs& in) {
    return !c.Engine().CondensesAbove100(Phase::Ice, Calculation::Condensing(c.Vapour(Phase::Ice, in)),
                                         1000.0 * in.p2);
}
template <Phase P>
bool BelowTotalPressure(const Calculation& c, const Inputs& in) {
    return 1000.0 * in.p2 - c.Vapour(P, in) > 0.0;
}
template <Phase P>
bool VapourPositive(const Calculation& c, const Inputs& in) {
    return c.Vapour(P, in) > 0.0;
}
template <Phase P>
bool VapourNotNegative(const Calculation& c, const Inputs& in) {
    return c.Vapour(P, in) >= 0.0;
}
template <Phase P>
bool ReadingNotSupersaturated(const Calculation& c, const Inputs& in) {
    const Calculation::Reading r = c.PsychrometricReading(P, in, 0);
    const double slope = c.Engine().MoistAirFactorSlope(P, r.e, r.ts, 1000.0 * in.p1);
    const double allowance = std::max(kSaturationRounding, kSaturationTemperatureSlack * std::abs(slope));
    return !(r.wvp > c.Saturation(P, in.t, in) * (1.0 + allowance));
}
template <Phase P>
bool NotAboveTotalPressure(const Calculation& c, const Inputs& in) {
    return 1000.0 * in.p2 - c.Vapour(P, in) >= 0.0;
}
bool FrostPointInRange(const Calculation& c, const Inputs& in) {
    return FrostPointAtLeastMinus100(c, in) && FrostPointAtMost100(c, in);
}
template <Phase P>
bool TemperatureAtMost100(const Calculation& c, const Inputs& in) {
    if (c.Kind() != Given::DewPointAndHumidity) return !(in.t > 100.0);
    return !c.Engine().CondensesAbove100(P, Calculation::AirSaturation(in, c.Vapour(P, in)), 1000.0 * in.p2);
}
template <Phase P>
bool TemperatureAtLeastMinus100(const Calculation& c, const Inputs& in) {
    if (c.Kind() != Given::DewPointAndHumidity) return !(in.t < -100.0);
    return !c.Engine().CondensesBelowMinus100(P, Calculation::AirSaturation(in, c.Vapour(P, in)), 1000.0 * in.p2);
}

//                                         P1   T    RH   DP   P2
constexpr Check kDtChecks[] = {
    {NotSupersaturated<Phase::Water>,      {99, 101, 0, 102, 100, 0}},
    {NotSupersaturated<Phase::Ice>,        {108, 107, 0, 112, 109, 0}},
    {DewPointAtMost100,                    {0, 0, 0, 0, 0, 0}},
    {FrostPointAtLeastMinus100,            {105, 0, 0, 113, 106, 0}},
    {BelowTotalPressure<Phase::Water>,     {92, 0, 0, 91, 93, 0}},
    {BelowTotalPressure<Phase::Ice>,       {115, 0, 0, 114, 116, 0}},
};

constexpr Check kThChecks[] = {
    {HumidityAtMost100,                    {74, 0, 73, 0, 75, 0}, true},
    {HumidityAtMost100,                    {118, 0, 117, 0, 119, 0}, true},
    {DewPointAtMost100,                    {0, 0, 0, 0, 0, 0}},
    {FrostPointAtLeastMinus100,            {105, 120, 134, 0, 106, 0}},
    {BelowTotalPressure<Phase::Ice>,       {115, 122, 121, 0, 116, 0}},
    {BelowTotalPressure<Phase::Water>,     {92, 95, 96, 0, 93, 0}},
};

constexpr Check kDhChecks[] = {
    {HumidityAtMost100,                    {74, 0, 73, 0, 75, 0}, true},
    {DewPointAtMost100,                    {81, 0, 0, 80, 82, 0}},
    {FrostPointAtLeastMinus100,            {105, 0, 0, 113, 106, 0}},
    {FrostPointAtMost100,                  {124, 0, 0, 123, 125, 0}},
    {TemperatureAtMost100<Phase::Water>,   {89, 0, 87, 88, 90, 0}},
    {TemperatureAtLeastMinus100<Phase::Water>, {85, 0, 83, 84, 86, 0}},
    {TemperatureAtLeastMinus100<Phase::Ice>,   {128, 0, 126, 127, 129, 0}},
    {TemperatureAtMost100<Phase::Ice>,     {132, 0, 130, 131, 133, 0}},
    {BelowTotalPressure<Phase::Ice>,       {115, 0, 0, 114, 116, 0}},
    {BelowTotalPressure<Phase::Water>,     {92, 0, 0, 91, 93, 0}},
    {HumidityAtMost100,                    {118, 0, 117, 0, 119, 0}, true},
};

// Moisture content given as a dew or frost point: the checks of the dew point
// and temperature, the supersaturation ones consulting three entries only.
constexpr Check kContentDewPointChecks[] = {
    {NotSupersaturated<Phase::Water>,      {99, 101, 0, 102, 100, 0}, false, 3},
    {NotSupersaturated<Phase::Ice>,        {108, 107, 0, 112, 109, 0}, false, 3},
    {DewPointAtMost100,                    {0, 0, 0, 0, 0, 0}},
    {FrostPointAtMost100,                  {0, 0, 0, 0, 0, 0}},
    {FrostPointAtLeastMinus100,            {105, 0, 0, 113, 106, 0}},
    {BelowTotalPressure<Phase::Water>,     {92, 0, 0, 91, 93, 0}},
    {BelowTotalPressure<Phase::Ice>,       {115, 0, 0, 114, 116, 0}},
};

// Moisture content given as PPMV, PPMW or x: the same checks, whose messages
// name the content in the quantity the user chose.
constexpr Check ContentCheck(Condition holds, int p1, int t, int content, int p2, int consulted) {
    return {holds, {p1, t, 0, content, p2, 0}, false, consulted, {}};
}
#define WEGATOR_CONTENT_CHECKS(swW, swI, frost, ppmvW, ppmvI)                        \
    {                                                                                   \
        ContentCheck(NotSupersaturated<Phase::Water>, 99, 101, swW, 100, 4),            \
        ContentCheck(NotSupersaturated<Phase::Ice>, 108, 107, swI, 109, 4),             \
        ContentCheck(DewPointAtMost100, 0, 0, 0, 0, 4),                                 \
        ContentCheck(FrostPointAtMost100, 0, 0, 0, 0, 4),                               \
        ContentCheck(FrostPointAtLeastMinus100, 105, 0, frost, 106, 4),                 \
        ContentCheck(BelowTotalPressure<Phase::Water>, 92, 0, ppmvW, 93, 3),            \
        ContentCheck(BelowTotalPressure<Phase::Ice>, 115, 0, ppmvI, 116, 3),            \
    }
constexpr Check kPpmvChecks[] = WEGATOR_CONTENT_CHECKS(110, 111, 104, 159, 160);
constexpr Check kPpmwChecks[] = WEGATOR_CONTENT_CHECKS(153, 154, 155, 161, 162);
constexpr Check kMixingRatioChecks[] = WEGATOR_CONTENT_CHECKS(156, 157, 158, 163, 164);
#undef WEGATOR_CONTENT_CHECKS

// Psychrometer: the limits of Pb, T and Tw/Ti each follow their own condition.
constexpr Check PsychrometerCheck(Condition holds, int pb, int t, int tw, Condition pbLimit, Condition tLimit,
                                  Condition twLimit) {
    return {holds, {pb, t, 0, 0, 0, tw}, false, 3, {pbLimit, tLimit, nullptr, nullptr, nullptr, twLimit}};
}
constexpr Check kPsychrometerChecks[] = {
    PsychrometerCheck(VapourPositive<Phase::Water>, 135, 136, 137, VapourPositive<Phase::Water>,
                      VapourPositive<Phase::Water>, VapourNotNegative<Phase::Water>),
    PsychrometerCheck(VapourPositive<Phase::Ice>, 138, 139, 140, VapourPositive<Phase::Ice>,
                      VapourPositive<Phase::Ice>, VapourNotNegative<Phase::Ice>),
    PsychrometerCheck(ReadingNotSupersaturated<Phase::Water>, 141, 142, 143,
                      ReadingNotSupersaturated<Phase::Water>, VapourPositive<Phase::Water>,
                      VapourNotNegative<Phase::Water>),
    PsychrometerCheck(ReadingNotSupersaturated<Phase::Ice>, 144, 145, 146, ReadingNotSupersaturated<Phase::Ice>,
                      VapourPositive<Phase::Ice>, VapourNotNegative<Phase::Ice>),
    PsychrometerCheck(DewPointAtMost100, 0, 0, 0, nullptr, nullptr, nullptr),
    PsychrometerCheck(FrostPointInRange, 0, 0, 0, nullptr, nullptr, nullptr),
    PsychrometerCheck(BelowTotalPressure<Phase::Water>, 147, 148, 149, NotAboveTotalPressure<Phase::Water>,
                      NotAboveTotalPressure<Phase::Water>, BelowTotalPressure<Phase::Water>),
    PsychrometerCheck(BelowTotalPressure<Phase::Ice>, 150, 151, 152, NotAboveTotalPressure<Phase::Ice>,
                      NotAboveTotalPressure<Phase::Ice>, BelowTotalPressure<Phase::Ice>),
};

std::span<const Check> ChecksOf(const Calculation& calc) {
    switch (calc.Kind()) {
        case Given::DewPointAndTemperature:
            return calc.ContentPage() ? std::span<const Check>(kContentDewPointChecks) : std::span<const Check>(kDtChecks);
        case Given::TemperatureAndHumidity: return kThChecks;
        case Given::DewPointAndHumidity: return kDhChecks;
        case Given::Psychrometer: return kPsychrometerChecks;
        case Given::ContentAndTemperature:
            switch (calc.Content()) {
                case ContentQuantity::Ppmw: return kPpmwChecks;
                case ContentQuantity::MixingRatio: return kMixingRatioChecks;
                default: return kPpmvChecks;
            }
    }
    return kDtChecks;
}

// The psychrometer's pressure is searched over the range a barometer may show.
constexpr SearchInterval kBarometricSearch = {2.9, 20500.0};

// The limit of one input for a failed check, in internal units, before the
// 5e-8 shift; nullopt when the condition has no boundary in the search interval.
std::optional<double> FindLimit(const Calculation& calc, const Check& check, const Inputs& in, int code) {
    const HumidityEngine& e = calc.Engine();
    // From a dew point and a temperature the supersaturation limits of T and of the
    // dew point have closed forms: the dew (frost) point of the vapour pressure,
    // and of the saturation pressure brought back to P1.
    if (calc.Kind() == Given::DewPointAndTemperature &&
        (check.holds == NotSupersaturated<Phase::Water> || check.holds == NotSupersaturated<Phase::Ice>)) {
        const Phase phase = check.holds == NotSupersaturated<Phase::Water> ? Phase::Water : Phase::Ice;
        if (code == kInputT) return e.Condensation(phase, calc.Vapour(phase, in), 1000.0 * in.p2);
        if (code == kInputDewPoint) {
            return e.Condensation(phase, calc.Saturation(phase, in.t, in) * in.p1 / in.p2, 1000.0 * in.p2);
        }
    }
    const bool psychrometer = calc.Kind() == Given::Psychrometer;
    const bool content = calc.Kind() == Given::ContentAndTemperature;
    SearchInterval interval{};
    switch (code) {
        case kInputT:
        case kInputBulb: interval = kTemperatureSearch; break;
        case kInputDewPoint: interval = content ? kPpmvSearch : kTemperatureSearch; break;
        case kInputRh: interval = check.rhUpTo100 ? kHumiditySearchTo100 : kHumiditySearch; break;
        case kInputP1: interval = psychrometer ? kBarometricSearch : InputPressureSearch(in.p2); break;
        case kInputP2: interval = OutputPressureSearch(in.p1); break;
        default: return std::nullopt;
    }
    const Condition condition = check.limitCondition[static_cast<std::size_t>(code)] != nullptr
                                    ? check.limitCondition[static_cast<std::size_t>(code)]
                                    : check.holds;
    return FindBoundary(interval, [&](double x) {
        Inputs moved = in;
        calc.Set(moved, code, x);
        return condition(calc, moved);
    });
}

// Whether the input of a code is a temperature in this calculation.
bool IsTemperature(const Calculation& calc, int code) {
    if (code == kInputT || code == kInputBulb) return true;
    return code == kInputDewPoint && calc.Kind() != Given::ContentAndTemperature;
}

double ToDisplayUnit(const Calculation& calc, int code, double limit, const MessageFormat& format) {
    if (IsTemperature(calc, code)) return TemperatureFromCelsius(limit, format.temperatureUnit);
    if (code == kInputP1 || code == kInputP2) return PressureFromKilopascal(limit, format.pressureUnit);
    if (code == kInputDewPoint && calc.Content() == ContentQuantity::Ppmw) return limit / kPpmvPerPpmw;
    if (code == kInputDewPoint && calc.Content() == ContentQuantity::MixingRatio) return limit / kPpmvPerMixingRatio;
    return limit;
}

bool Admissible(const Calculation& calc, int code, double limit, const Inputs& in) {
    if (IsTemperature(calc, code)) return TemperatureLimitAdmissible(limit);
    if (calc.Kind() == Given::Psychrometer) return true;
    if (code == kInputP1) return PressureRatioAdmissible(in.p2 / limit);
    if (code == kInputP2) return PressureRatioAdmissible(limit / in.p1);
    return true;
}

HumidityResult Failure(int id, std::string text) {
    HumidityResult r;
    r.failed = true;
    r.messageId = id;
    r.message = std::move(text);
    return r;
}

// Builds the message of a failed check from the first input of the preference
// list that has an admissible limit, or message 26 when none has.
HumidityResult FailCheck(const Calculation& calc, const Check& check, const Inputs& in,
                         const PreferenceList& preference, const MessageFormat& format) {
    for (int i = 0; i < check.consulted && i < static_cast<int>(preference.size()); ++i) {
        const int code = preference[static_cast<std::size_t>(i)];
        if (code < 0 || code > kInputBulb) continue;
        const int id = check.messageByCode[static_cast<std::size_t>(code)];
        if (id == 0) continue;
        const std::optional<double> found = FindLimit(calc, check, in, code);
        if (!found) continue;
        const double limit = *found - kLimitShift;
        if (!Admissible(calc, code, limit, in)) continue;
        return Failure(id, FormatLimitMessage(LoadString(id), ToDisplayUnit(calc, code, limit, format),
                                              format.decimalSign));
    }
    return Failure(msg::InputsOutOfRange, WithDecimalSign(LoadString(msg::InputsOutOfRange), format.decimalSign));
}

// ---------------------------------------------------------------------------
// Uncertainty

// Larger one-sided change of each result between a pair of perturbed states,
// squared and added to the running sums.
void AddContribution(const State& nominal, const State& a, const State& b, State& sumSquares) {
    for (Phase phase : kPhases) {
        for (double Column::*field : kColumnFields) {
            const double y0 = nominal[phase].*field, ya = a[phase].*field, yb = b[phase].*field;
            const double up = std::max(ya, yb);
            const double down = std::min(ya, yb);
            const double change = std::max(up - y0, y0 - down);
            sumSquares[phase].*field += change * change;
        }
    }
}

struct InputUncertainty {
    int code;
    double u;
};

HumidityResult Calculate(const Calculation& calc, Inputs in, std::initializer_list<InputUncertainty> uncertainties,
                         bool formulaUncertainty, const PreferenceList& preference, const MessageFormat& format) {
    const Given given = calc.Kind();
    for (const Check& check : ChecksOf(calc)) {
        if (!check.holds(calc, in)) return FailCheck(calc, check, in, preference, format);
    }

    const State nominal = calc.Evaluate(in, {}, nullptr);
    State sums{};
    double inputUncertaintyT = 0.0, inputUncertaintyBulb = 0.0;
    for (const InputUncertainty& input : uncertainties) {
        if (input.code == kInputT) inputUncertaintyT = input.u;
        if (input.code == kInputBulb) inputUncertaintyBulb = input.u;
        const double u = std::abs(input.u);
        if (u == 0.0) continue;
        Inputs up = in, down = in;
        const double nominalValue = in[input.code];
        double lowered = nominalValue - u;
        if (input.code == kInputP1 && lowered <= 0.0) lowered = kLowestPressure;
        if (input.code == kInputRh && lowered <= 0.0) lowered = kLowestRh;
        // A moisture content lowered to nothing keeps a trace, like a lowered PPMW.
        if (input.code == kInputDewPoint && given == Given::ContentAndTemperature && lowered <= 0.0) {
            lowered = kLowestPpmw;
        }
        calc.Set(up, input.code, nominalValue + u);
        calc.Set(down, input.code, lowered);
        AddContribution(nominal, calc.Evaluate(up, {}, &nominal), calc.Evaluate(down, {}, &nominal), sums);
    }
    if (formulaUncertainty) {
        // The vapour pressure from a dew point (or its inversion, for a moisture
        // content) carries the formulas' uncertainty at the dew point; the
        // saturation pressure at the air temperature its own.
        if (given != Given::TemperatureAndHumidity) {
            AddContribution(nominal, calc.Evaluate(in, {+1, 0}, &nominal), calc.Evaluate(in, {-1, 0}, &nominal),
                            sums);
        }
        AddContribution(nominal, calc.Evaluate(in, {0, +1}, &nominal), calc.Evaluate(in, {0, -1}, &nominal), sums);
    }

    HumidityResult result;
    for (Phase phase : kPhases) {
        const Column& v = nominal[phase];
        const Column& s = sums[phase];
        const double uPpmv = std::sqrt(s.ppmv);
        const double uPpmw = kMolarMassRatio * uPpmv;
        result.Set(Quantity::VapourPressure, phase, {v.wvp, std::sqrt(s.wvp)});
        result.Set(Quantity::SaturationVapourPressure, phase, {v.swvp, std::sqrt(s.swvp)});
        result.Set(Quantity::RelativeHumidity, phase, {v.rh, std::min(std::sqrt(s.rh), 100.0)});
        result.Set(Quantity::DewFrostPoint, phase, {v.dpfp, std::sqrt(s.dpfp)});
        // A given air temperature is shown with its own uncertainty, made non-negative.
        const double uT = given == Given::DewPointAndHumidity ? std::sqrt(s.t) : std::abs(inputUncertaintyT);
        result.Set(Quantity::Temperature, phase, {v.t, uT});
        result.Set(Quantity::Ppmv, phase, {v.ppmv, uPpmv});
        result.Set(Quantity::Ppmw, phase, {v.ppmw, uPpmw});
        result.Set(Quantity::Enthalpy, phase, {v.enthalpy, std::sqrt(s.enthalpy)});
        result.Set(Quantity::MixingRatio, phase, {v.x, 0.001 * uPpmw});
        const double uBulb = given == Given::Psychrometer ? std::abs(inputUncertaintyBulb) : std::sqrt(s.bulb);
        result.Set(Quantity::BulbTemperature, phase, {v.bulb, uBulb});
    }
    // Every perturbed state stays finite, but a result that is shown must be a
    // number: say so rather than show an infinity. A column the page blanks is
    // not judged (the over-water half of a dew point far below zero, say).
    for (Phase phase : kPhases) {
        if (!PhaseShown(result, phase)) continue;
        for (std::size_t i = 0; i < 2 * kQuantityCount; ++i) {
            const std::size_t index = HumidityResult::Index(static_cast<Quantity>(i / 2), phase) + i % 2;
            if (!std::isfinite(result.values[index])) {
                return Failure(msg::InputsOutOfRange,
                               WithDecimalSign(LoadString(msg::InputsOutOfRange), format.decimalSign));
            }
        }
    }
    result.failed = false;
    return result;
}

}  // namespace

HumidityResult HumidityEngine::ComputeFromDewPointAndTemperature(
    double t, double ut, double dp, double udp, double p1, double up1, double p2, bool formulaUncertainty,
    const PreferenceList& preference, std::string_view temperatureUnit, std::string_view pressureUnit,
    std::string_view decimalSign) const {
    Inputs in;
    in.t = t, in.dp = dp, in.p1 = p1, in.p2 = p2;
    HumidityResult r = Calculate(Calculation(*this, Given::DewPointAndTemperature), in,
                                 {{kInputT, ut}, {kInputDewPoint, udp}, {kInputP1, up1}}, formulaUncertainty,
                                 preference, {temperatureUnit, pressureUnit, decimalSign});
    return r;
}

HumidityResult HumidityEngine::ComputeFromTemperatureAndHumidity(
    double t, double ut, double rh, double urh, double p1, double up1, double p2, bool formulaUncertainty,
    const PreferenceList& preference, std::string_view temperatureUnit, std::string_view pressureUnit,
    std::string_view decimalSign) const {
    Inputs in;
    in.t = t, in.rh = rh, in.p1 = p1, in.p2 = p2;
    return Calculate(Calculation(*this, Given::TemperatureAndHumidity), in,
                     {{kInputT, ut}, {kInputRh, urh}, {kInputP1, up1}}, formulaUncertainty, preference,
                     {temperatureUnit, pressureUnit, decimalSign});
}

HumidityResult HumidityEngine::ComputeFromDewPointAndHumidity(
    double rh, double urh, double dp, double udp, double p1, double up1, double p2, bool formulaUncertainty,
    const PreferenceList& preference, std::string_view temperatureUnit, std::string_view pressureUnit,
    std::string_view decimalSign) const {
    Inputs in;
    in.rh = rh, in.dp = dp, in.p1 = p1, in.p2 = p2;
    return Calculate(Calculation(*this, Given::DewPointAndHumidity), in,
                     {{kInputRh, urh}, {kInputDewPoint, udp}, {kInputP1, up1}}, formulaUncertainty, preference,
                     {temperatureUnit, pressureUnit, decimalSign});
}

HumidityResult HumidityEngine::ComputeFromMoistureContent(
    ContentQuantity quantity, double content, double uContent, double t, double ut, double p1, double up1, double p2,
    bool formulaUncertainty, const PreferenceList& preference, std::string_view temperatureUnit,
    std::string_view pressureUnit, std::string_view decimalSign) const {
    Inputs in;
    in.t = t, in.p1 = p1, in.p2 = p2;
    double scale = 1.0;
    if (quantity == ContentQuantity::Ppmw) scale = kPpmvPerPpmw;
    if (quantity == ContentQuantity::MixingRatio) scale = kPpmvPerMixingRatio;
    in.dp = content * scale;
    // From a dew or frost point the page runs the dew-point-and-temperature calculation.
    const Given given =
        quantity == ContentQuantity::DewPoint ? Given::DewPointAndTemperature : Given::ContentAndTemperature;
    return Calculate(Calculation(*this, given, quantity, true), in,
                     {{kInputT, ut}, {kInputDewPoint, uContent * scale}, {kInputP1, up1}}, formulaUncertainty,
                     preference, {temperatureUnit, pressureUnit, decimalSign});
}

HumidityResult HumidityEngine::ComputeFromPsychrometer(double t, double ut, double tw, double utw, double pb,
                                                      double upb, bool formulaUncertainty,
                                                      const std::array<int, 3>& preference,
                                                      std::string_view temperatureUnit,
                                                      std::string_view pressureUnit,
                                                      std::string_view decimalSign) const {
    Inputs in;
    in.t = t, in.tw = tw, in.p1 = pb, in.p2 = pb;
    const PreferenceList consulted = {preference[0], preference[1], preference[2], -1};
    return Calculate(Calculation(*this, Given::Psychrometer), in,
                     {{kInputT, ut}, {kInputBulb, utw}, {kInputP1, upb}}, formulaUncertainty, consulted,
                     {temperatureUnit, pressureUnit, decimalSign});
}

}  // namespace wegator

namespace wegator {

namespace {

// The moisture page's content in PPMV, the unit its calculation runs in.
double ContentScale(ContentQuantity content) {
    if (content == ContentQuantity::Ppmw) return kPpmvPerPpmw;
    if (content == ContentQuantity::MixingRatio) return kPpmvPerMixingRatio;
    return 1.0;
}

Given GivenOf(Route route, ContentQuantity content) {
    switch (route) {
        case Route::TemperatureAndHumidity: return Given::TemperatureAndHumidity;
        case Route::DewPointAndHumidity: return Given::DewPointAndHumidity;
        case Route::Psychrometer: return Given::Psychrometer;
        case Route::MoistureContent:
            // From a dew or frost point the page runs the dew-point-and-temperature calculation.
            return content == ContentQuantity::DewPoint ? Given::DewPointAndTemperature
                                                        : Given::ContentAndTemperature;
        case Route::DewPointAndTemperature: break;
    }
    return Given::DewPointAndTemperature;
}

}  // namespace

struct RouteEvaluator::Impl {
    Impl(const HumidityEngine& engine, Route route, ContentQuantity content)
        : route(route),
          scale(route == Route::MoistureContent ? ContentScale(content) : 1.0),
          calc(engine, GivenOf(route, content), content, route == Route::MoistureContent) {}
    Route route;
    double scale;
    Calculation calc;
    std::optional<Phase> only;
};

void RouteEvaluator::OnlyColumn(std::optional<Phase> phase) { impl_->only = phase; }

RouteEvaluator::RouteEvaluator(const HumidityEngine& engine, Route route, ContentQuantity content)
    : impl_(std::make_unique<Impl>(engine, route, content)) {}

RouteEvaluator::~RouteEvaluator() = default;

bool RouteEvaluator::Evaluate(const RouteInputs& given, double zVapour, double zSaturation,
                              HumidityResult& out) const {
    const Calculation& calc = impl_->calc;
    Inputs in;
    in.t = given.t, in.rh = given.rh, in.dp = given.dp * impl_->scale, in.tw = given.tw;
    in.p1 = given.p1;
    in.p2 = impl_->route == Route::Psychrometer ? given.p1 : given.p2;
    out.failed = true;
    for (const Check& check : ChecksOf(calc)) {
        if (!check.holds(calc, in)) return false;
    }
    const State s = calc.Evaluate(in, {zVapour, zSaturation}, nullptr, impl_->only);
    for (Phase phase : kPhases) {
        const Column& v = s[phase];
        out.Set(Quantity::VapourPressure, phase, {v.wvp, 0.0});
        out.Set(Quantity::SaturationVapourPressure, phase, {v.swvp, 0.0});
        out.Set(Quantity::RelativeHumidity, phase, {v.rh, 0.0});
        out.Set(Quantity::DewFrostPoint, phase, {v.dpfp, 0.0});
        out.Set(Quantity::Temperature, phase, {v.t, 0.0});
        out.Set(Quantity::Ppmv, phase, {v.ppmv, 0.0});
        out.Set(Quantity::Ppmw, phase, {v.ppmw, 0.0});
        out.Set(Quantity::Enthalpy, phase, {v.enthalpy, 0.0});
        out.Set(Quantity::MixingRatio, phase, {v.x, 0.0});
        out.Set(Quantity::BulbTemperature, phase, {v.bulb, 0.0});
    }
    // As the complete calculation: a shown result must be a number.
    for (Phase phase : kPhases) {
        if ((impl_->only && *impl_->only != phase) || !PhaseShown(out, phase)) continue;
        for (std::size_t q = 0; q < kQuantityCount; ++q) {
            if (!std::isfinite(out.Value(static_cast<Quantity>(q), phase))) return false;
        }
    }
    out.failed = false;
    return true;
}

}  // namespace wegator
