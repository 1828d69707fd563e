// Saturation vapour pressure of water and ice, the enhancement factor of
// moist air, their inverses (dew and frost point) and the psychrometer
// equation.
//
// Units throughout: temperatures t in °C (absolute T = t + 273.15 K), vapour
// pressures and total pressures in Pa, except the psychrometer operations,
// which take the air pressure P in kPa like the pages do.
//
// Two formula sets are offered:
//   0  Hardy (1998), "ITS-90 Formulations for Vapour Pressure, Frostpoint
//      Temperature, Dewpoint Temperature, and Enhancement Factors in the
//      Range -100 to +100 °C";
//   any other value: Sonntag (1990) as used in "A Guide to the Measurement
//      of Humidity", with its own enhancement-factor coefficients.
//
// Every operation is const, allocates nothing and cannot fail: inputs outside
// the formulas' range are clamped or give the documented sentinels, and every
// inversion is a bisection on a fixed interval that always returns a value.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

#include "physics/humidity_result.h"

namespace wegator {

class HumidityEngine {
public:
    // The exact value -1.0 (compared bit for bit) selects the default
    // psychrometer constant; every other value is used as given.
    static constexpr double kDefaultConstant = -1.0;

    // Where a previous inversion of the same kind ended, kept by a caller that
    // inverts many close neighbours (the uncertainty evaluation does): the next
    // search starts from it and leaves its own end there. It changes the work
    // done, never a result.
    struct InversionHint {
        double root = std::numeric_limits<double>::quiet_NaN();    // °C
        double target = std::numeric_limits<double>::quiet_NaN();  // the pressure there, Pa
        double slope = std::numeric_limits<double>::quiet_NaN();   // its change with temperature, Pa/K
        double air = std::numeric_limits<double>::quiet_NaN();     // bulb temperatures: the air temperature, °C
    };

    HumidityEngine() = default;
    virtual ~HumidityEngine() = default;

    // How the inversions (dew and frost points, saturation and bulb
    // temperatures, the psychrometer constants) find their results. Fast, the
    // default, certifies the root by Newton's method and replays the
    // bisection, evaluating only the midpoints next to the root; Bisection
    // evaluates every midpoint. Both give the same doubles: the plain
    // bisection is the reference the fast one is tested and timed against.
    enum class Inversions { Fast, Bisection };
    void SetInversions(Inversions method) { inversions_ = method; }
    Inversions InversionMethod() const { return inversions_; }
    // Evaluations of a saturation curve made by inversions on the calling
    // thread since it started (for the benchmark's counts).
    static std::uint64_t InversionEvaluations();

    void SetFormulaSet(std::int32_t set) { formulaSet_ = set; }
    std::int32_t FormulaSet() const { return formulaSet_; }
    void SetPsychrometerConstantWater(double a) { constantWater_ = a; }
    void SetPsychrometerConstantIce(double a) { constantIce_ = a; }
    double PsychrometerConstantWaterSetting() const { return constantWater_; }
    double PsychrometerConstantIceSetting() const { return constantIce_; }

    // e_w(t) over plane water, Pa.
    double SaturationPressureWater(double t) const;
    // e_i(t) over plane ice, Pa; above 0 °C the water value (at exactly 0 °C the ice formula).
    double SaturationPressureIce(double t) const;
    // f_w(e_s, t, P): e_s saturation pressure at t (Pa), P total pressure (Pa).
    double EnhancementFactorWater(double es, double t, double p) const;
    // f_i; at t >= 0 the water factor.
    double EnhancementFactorIce(double es, double t, double p) const;

    // Dew point over water of vapour pressure e (Pa) in air at P (Pa), °C.
    double DewPoint(double e, double p) const;
    // Frost point over ice of e at P, °C; a result above 0 °C is a dew point over water.
    double FrostPoint(double e, double p) const;
    // t with e_w(t) = es, without enhancement; -100 and 100 are sentinels for
    // pressures below e_w(-1000) and above e_w(1000).
    double SaturationTemperatureWater(double es) const;
    // t with e_i(t) = es, without enhancement; sentinels -100 and 100 as above (±500 °C).
    double SaturationTemperatureIce(double es) const;

    // Relative standard uncertainty of the saturation-pressure formula at t.
    double FormulaUncertaintyWater(double t) const;
    double FormulaUncertaintyIce(double t) const;

    // Psychrometer equation: vapour pressure (Pa) from the dry temperature T,
    // the wet-bulb Tw (or ice-bulb Ti) temperature in °C and the pressure P in kPa.
    double PsychrometricPressureWater(double t, double tw, double pKilopascal) const;
    double PsychrometricPressureIce(double t, double ti, double pKilopascal) const;
    // Inverse: the wet-bulb (ice-bulb) temperature that air at T with vapour
    // pressure e (Pa) shows at pressure P (kPa), °C.
    double WetBulbTemperature(double pKilopascal, double t, double e) const;
    double IceBulbTemperature(double pKilopascal, double t, double e) const;
    // Either of them: the wet bulb (Phase::Water) or the ice bulb (Phase::Ice).
    double BulbTemperature(Phase phase, double pKilopascal, double t, double e, InversionHint* hint = nullptr) const;
    // The psychrometer constant (1/K) that makes a reading T, Tw agree with a
    // reference dew point td (frost point tf) at P (kPa); -1.0 when the
    // constant would fall outside [0.000225, 0.002].
    double PsychrometerConstantWater(double t, double tw, double td, double pKilopascal) const;
    double PsychrometerConstantIce(double t, double ti, double tf, double pKilopascal) const;

    // The constant in use at a wet-bulb temperature tw: the stored one, or the
    // default 0.000653·(1 + 0.000944·tw).
    double EffectiveConstantWater(double tw) const;
    // The constant in use over ice: the stored one, or the default 0.000575.
    double EffectiveConstantIce() const;

    // The enhancement factor of moist air as the calculations use it: the fit
    // of the phase down to -100 °C; below, where the fit is extrapolated and
    // e_s·f would stop rising with t, the factor of saturated air at -100 °C.
    double MoistAirFactor(Phase phase, double es, double t, double p) const;
    // ∂(ln f)/∂t of MoistAirFactor at fixed e_s and P, 1/K: how much the
    // factor moves when its temperature is off by a little.
    double MoistAirFactorSlope(Phase phase, double es, double t, double p) const;
    // Moist-air saturation pressure e_s(t)·f(e_s, t, P) over the phase, Pa
    // (P in Pa), with f from MoistAirFactor. formulaShift +1 or -1 moves it by
    // the formulas' own relative uncertainty (the saturation pressure by r(t),
    // the enhancement factor by 0.0008); 0 gives the nominal value, and any
    // other multiple moves them by that many uncertainties (a Monte Carlo
    // draw of the formulas' error). It rises with t everywhere, so its
    // inverses below have a single root.
    double MoistSaturationPressure(Phase phase, double t, double p, double formulaShift = 0.0) const;
    // Dew point over water (Phase::Water) or frost point (Phase::Ice) of e at P (Pa).
    double Condensation(Phase phase, double e, double p, InversionHint* hint = nullptr) const;
    // Whether Condensation(phase, e, p) lies below -100 °C, or above 100 °C:
    // the same answers, from the few midpoints of its bisection that decide them.
    bool CondensesBelowMinus100(Phase phase, double e, double p) const;
    // Whether FrostPoint(e, p) is DewPoint(e, p): both bisections move their
    // lower end to 0 °C first, and above it they evaluate the same function.
    bool FrostPointIsDewPoint(double e, double p) const;
    bool CondensesAbove100(Phase phase, double e, double p) const;

    // Complete calculations: from one humidity state at P1 every quantity at
    // P2 with uncertainties. Temperatures in °C, uncertainties in K, RH in %,
    // pressures in kPa. The preference list (most recent edit first) and the
    // units and decimal sign only serve the message of a failed range check.
    HumidityResult ComputeFromDewPointAndTemperature(double t, double ut, double dp, double udp, double p1,
                                                     double up1, double p2, bool formulaUncertainty,
                                                     const PreferenceList& preference,
                                                     std::string_view temperatureUnit,
                                                     std::string_view pressureUnit,
                                                     std::string_view decimalSign) const;
    HumidityResult ComputeFromTemperatureAndHumidity(double t, double ut, double rh, double urh, double p1,
                                                     double up1, double p2, bool formulaUncertainty,
                                                     const PreferenceList& preference,
                                                     std::string_view temperatureUnit,
                                                     std::string_view pressureUnit,
                                                     std::string_view decimalSign) const;
    HumidityResult ComputeFromDewPointAndHumidity(double rh, double urh, double dp, double udp, double p1,
                                                  double up1, double p2, bool formulaUncertainty,
                                                  const PreferenceList& preference,
                                                  std::string_view temperatureUnit,
                                                  std::string_view pressureUnit,
                                                  std::string_view decimalSign) const;

    // The moisture-content page: air temperature and a content (in its own unit:
    // °C, ppm or g/kg) with their uncertainties at P1, every quantity at P2.
    HumidityResult ComputeFromMoistureContent(ContentQuantity quantity, double content, double uContent,
                                              double t, double ut, double p1, double up1, double p2,
                                              bool formulaUncertainty, const PreferenceList& preference,
                                              std::string_view temperatureUnit, std::string_view pressureUnit,
                                              std::string_view decimalSign) const;
    // The psychrometer page: dry temperature T and wet- or ice-bulb temperature
    // Tw/Ti (°C) with uncertainties at the barometric pressure Pb (kPa); the
    // water column reads the bulb as wet, the ice column as iced. The preference
    // list holds the three most recent edits (T 1, Tw/Ti 5, Pb 0).
    HumidityResult ComputeFromPsychrometer(double t, double ut, double tw, double utw, double pb, double upb,
                                           bool formulaUncertainty, const std::array<int, 3>& preference,
                                           std::string_view temperatureUnit, std::string_view pressureUnit,
                                           std::string_view decimalSign) const;

private:
    bool Its90() const { return formulaSet_ == 0; }
    double SaturationTemperature(Phase phase, double es) const;

    // Field order follows the stored settings: ice constant, water constant, formula set.
    double constantIce_ = kDefaultConstant;
    double constantWater_ = kDefaultConstant;
    std::int32_t formulaSet_ = 0;
    Inversions inversions_ = Inversions::Fast;
};

// Elementary relations of the result grid.
// 100/es × e, %.
double RelativeHumidityPercent(double e, double es);
// a/b × 100.
double PercentRatio(double a, double b);
// a × b × 0.01.
double PercentOf(double a, double b);
// Enthalpy I(1+x) of moist air at t (°C) with PPMW (ppm), kcal/kg.
double Enthalpy(double t, double ppmw);

// True when a stored psychrometer constant selects the default (bit pattern of -1.0).
bool IsDefaultConstant(double a);

}  // namespace wegator
