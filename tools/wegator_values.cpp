// Prints the engine's values for one dew point and air temperature: a quick
// look at the humidity physics until the desktop program is there.
//
//   wegator-values [dew point °C] [temperature °C] [pressure kPa] [formula set]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pages/input_limits.h"
#include "physics/humidity_engine.h"

namespace {
// A finite number and nothing else: "nan", "inf" and "1e999" are no temperatures.
bool ReadNumber(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(out);
}

// An argument inside a message: control characters escaped, at most 80 characters.
std::string Shown(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < 80; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else {
            out += text[i];
        }
    }
    return text.size() > 80 ? out + "…" : out;
}

// Everything printed must have reached standard output: a full disk or a
// closed pipe turn the run into a failure.
int Flushed(int status) {
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
    std::fputs("wegator-values: cannot write to standard output\n", stderr);
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::puts("usage: wegator-values [DEW_POINT_C] [TEMPERATURE_C] [PRESSURE_KPA] [FORMULA_SET]\n"
                  "Prints saturation vapour pressures, the enhancement factor, the vapour pressure,\n"
                  "relative humidity, frost point and wet-bulb temperature for a dew point and an\n"
                  "air temperature. Defaults: 10 °C, 20 °C, 101.325 kPa, formula set 0 (ITS-90);\n"
                  "formula set 1 selects the formulas of the humidity-measurement guide.\n"
                  "Temperatures lie within -100 to 100 °C, the pressure within 3 to 20000 kPa.");
        return Flushed(0);
    }
    double args[4] = {10.0, 20.0, 101.325, 0.0};
    if (argc > 5) {
        std::fputs("wegator-values: too many arguments (see --help)\n", stderr);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        if (!ReadNumber(argv[i], args[i - 1])) {
            std::fprintf(stderr, "wegator-values: not a finite number: '%s' (see --help)\n", Shown(argv[i]).c_str());
            return 2;
        }
    }
    if (args[3] != 0.0 && args[3] != 1.0) {
        std::fprintf(stderr, "wegator-values: the formula set is 0 (ITS-90) or 1 (the guide), not %s\n",
                     Shown(argv[4]).c_str());
        return 2;
    }
    // Outside these ranges the formulas give no humidity (a NaN or a meaningless number).
    namespace limits = wegator::input_limits;
    const char* const names[3] = {"dew point", "temperature", "pressure"};
    const double lows[3] = {limits::kLowestTemperature, limits::kLowestTemperature, limits::kLowestPressure};
    const double highs[3] = {limits::kHighestTemperature, limits::kHighestTemperature, limits::kHighestPressure};
    for (int i = 0; i < 3 && i + 1 < argc; ++i) {
        if (!limits::Within(args[i], lows[i], highs[i])) {
            std::fprintf(stderr, "wegator-values: the %s %s lies outside %g ... %g %s\n", names[i],
                         Shown(argv[i + 1]).c_str(), lows[i], highs[i], i == 2 ? "kPa" : "°C");
            return 2;
        }
    }
    const double td = args[0], t = args[1], pKpa = args[2];
    wegator::HumidityEngine engine;
    engine.SetFormulaSet(static_cast<std::int32_t>(args[3]));
    const double p = 1000.0 * pKpa;

    const double ewDew = engine.SaturationPressureWater(td);
    const double wvp = ewDew * engine.EnhancementFactorWater(ewDew, td, p);
    const double ewT = engine.SaturationPressureWater(t);
    const double swvp = ewT * engine.EnhancementFactorWater(ewT, t, p);
    const double frost = engine.FrostPoint(wvp, p);
    std::printf("formula set            %d\n", engine.FormulaSet());
    std::printf("dew point              %.6f °C\n", td);
    std::printf("air temperature        %.6f °C\n", t);
    std::printf("pressure               %.6f kPa\n", pKpa);
    std::printf("e_w(dew point)         %.6f Pa\n", ewDew);
    std::printf("f_w(dew point)         %.8f\n", engine.EnhancementFactorWater(ewDew, td, p));
    std::printf("e_i(dew point)         %.6f Pa\n", engine.SaturationPressureIce(td));
    std::printf("vapour pressure        %.6f Pa\n", wvp);
    std::printf("saturation pressure    %.6f Pa\n", swvp);
    std::printf("relative humidity      %.6f %%\n", 100.0 * wvp / swvp);
    std::printf("dew point (inverse)    %.9f °C\n", engine.DewPoint(wvp, p));
    std::printf("frost point            %.9f °C\n", frost);
    std::printf("wet-bulb temperature   %.6f °C\n", engine.WetBulbTemperature(pKpa, t, ewDew));
    return Flushed(0);
}
