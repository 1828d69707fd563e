#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "pages/humidity_monte_carlo.h"
#include "pages/moisture_page.h"
#include "pages/psychrometer_page.h"
#include "pages/rh_page.h"
#include "text/strings.h"

using namespace wegator;

namespace {

// A relative-humidity page computed from a dew point and a temperature at
// 101.325 kPa, with the formulas' uncertainty counted.
CalculationRequest RhRequest(const char* dp, const char* udp, const char* t, const char* ut) {
    RecordingHost host;
    RelativeHumidityPage page(host);
    for (auto [f, text] : {std::pair{RhField::P1, "101.325"}, {RhField::P2, "101.325"}, {RhField::DewPoint, dp},
                           {RhField::DewPointUncertainty, udp}, {RhField::Temperature, t},
                           {RhField::TemperatureUncertainty, ut}}) {
        page.SetFieldText(f, text);
    }
    page.Compute();
    EXPECT_TRUE(page.LastRequest().has_value());
    return page.LastRequest().value_or(CalculationRequest{});
}

std::size_t OutputOf(const HumidityMonteCarlo& mc, int row) {
    for (std::size_t i = 0; i < mc.outputs.size(); ++i) {
        if (mc.outputs[i].row == row && mc.outputs[i].phase == Phase::Water) return i;
    }
    ADD_FAILURE() << "no output for row " << row;
    return 0;
}

}  // namespace

// Where the propagation is linear, the two ways agree: u/σ_MC = 1 ± 0.02.
TEST(HumidityMonteCarlo, LinearPointAgreesWithThePropagatedUncertainty) {
    const CalculationRequest r = RhRequest("10", "0.1", "20", "0.1");
    montecarlo::Options o;
    o.draws = 200000;
    const HumidityMonteCarlo mc = RunMonteCarlo(HumidityEngine{}, r, o);
    EXPECT_EQ(mc.outcome.refused, 0u);
    ASSERT_EQ(mc.outputs.size(), 10u);  // the water column only at a dew point of 10 °C
    for (std::size_t i = 0; i < mc.outputs.size(); ++i) {
        const Quantity q = ResultRowQuantity(mc.outputs[i].row);
        const double u = r.result.Uncertainty(q, Phase::Water);
        EXPECT_NEAR(u / mc.outcome.outputs[i].sd, 1.0, 0.02) << ResultRowLabel(mc.outputs[i].row);
        EXPECT_NEAR(mc.outcome.outputs[i].mean, r.result.Value(q, Phase::Water), 0.05 * u);
    }
}

// Near saturation the states beyond it are refused, so RH never passes 100 %
// and its interval reaches further down than up.
TEST(HumidityMonteCarlo, NearSaturationTheIntervalStaysBelow100AndIsAsymmetric) {
    const CalculationRequest r = RhRequest("19.9", "0.2", "20", "0.1");
    montecarlo::Options o;
    o.threads = 1;
    o.significantDigits = 1;  // enough for the shape, and quick
    const HumidityMonteCarlo one = RunMonteCarlo(HumidityEngine{}, r, o);
    ASSERT_EQ(one.outcome.status, montecarlo::Status::Stable);
    const montecarlo::OutputSummary& rh = one.outcome.outputs[OutputOf(one, 2)];
    EXPECT_LE(rh.shortestHigh, 100.0);
    EXPECT_LE(rh.symmetricHigh, 100.0);
    EXPECT_LT(rh.shortestHigh - rh.mean, rh.mean - rh.shortestLow);
    // About a third of the draws put the dew point above the air temperature.
    EXPECT_GT(one.outcome.refused, one.outcome.drawn / 5);
    EXPECT_EQ(one.firstRefusalId, 8);
    EXPECT_FALSE(one.firstRefusal.empty());

    // Two threads share out the blocks; the digits are the same.
    o.threads = 2;
    const HumidityMonteCarlo two = RunMonteCarlo(HumidityEngine{}, r, o);
    EXPECT_EQ(two.outcome.drawn, one.outcome.drawn);
    EXPECT_EQ(two.outcome.refused, one.outcome.refused);
    for (std::size_t i = 0; i < one.outputs.size(); ++i) {
        EXPECT_EQ(two.outcome.outputs[i].mean, one.outcome.outputs[i].mean);
        EXPECT_EQ(two.outcome.outputs[i].sd, one.outcome.outputs[i].sd);
        EXPECT_EQ(two.outcome.outputs[i].shortestLow, one.outcome.outputs[i].shortestLow);
        EXPECT_EQ(two.outcome.outputs[i].shortestHigh, one.outcome.outputs[i].shortestHigh);
    }
    o.seed = 2;
    EXPECT_NE(RunMonteCarlo(HumidityEngine{}, r, o).outcome.outputs[0].mean, one.outcome.outputs[0].mean);
}

// Every page's route, drawn with no spread, gives the page's own values: the
// evaluation runs the very calculation the page ran.
TEST(HumidityMonteCarlo, EveryRouteReproducesThePageAtItsInputs) {
    RecordingHost host;
    RelativeHumidityPage rh(host);
    MoistureContentPage moisture(host);
    PsychrometerPage psychrometer(host);
    std::vector<CalculationRequest> requests;
    const auto rhWith = [&](const char* dp, const char* t, const char* h) {
        for (auto [f, text] : {std::pair{RhField::P1, "100"}, {RhField::P2, "90"}, {RhField::DewPoint, dp},
                               {RhField::Temperature, t}, {RhField::Humidity, h}}) {
            rh.SetFieldText(f, text);
        }
        rh.Compute();
        ASSERT_TRUE(rh.LastRequest()) << dp << " " << t << " " << h;
        requests.push_back(*rh.LastRequest());
    };
    rhWith("-20", "5", "");
    rhWith("", "25", "60");
    rhWith("-5", "", "70");
    moisture.ChangeContentQuantity(static_cast<int>(ContentQuantity::Ppmw));
    for (auto [f, text] : {std::pair{MoistureField::Content, "500"}, {MoistureField::Temperature, "-10"},
                           {MoistureField::P1, "100"}, {MoistureField::P2, "120"}}) {
        moisture.SetFieldText(f, text);
    }
    moisture.Compute();
    ASSERT_TRUE(moisture.LastRequest());
    requests.push_back(*moisture.LastRequest());
    for (auto [f, text] : {std::pair{PsychrometerField::Temperature, "-2"}, {PsychrometerField::Bulb, "-3"},
                           {PsychrometerField::Pressure, "100"}}) {
        psychrometer.SetFieldText(f, text);
    }
    psychrometer.Compute();
    ASSERT_TRUE(psychrometer.LastRequest());
    requests.push_back(*psychrometer.LastRequest());

    const HumidityEngine engine;
    for (const CalculationRequest& r : requests) {
        RouteEvaluator route(engine, r.route, r.content);
        HumidityResult values;
        ASSERT_TRUE(route.Evaluate(r.values, 0.0, 0.0, values)) << static_cast<int>(r.route);
        for (std::size_t i = 0; i < r.result.values.size(); i += 2) {
            EXPECT_EQ(values.values[i], r.result.values[i]) << static_cast<int>(r.route) << " slot " << i;
        }
    }
}

// A run that ends at the cap names the results still unsettled, and says so
// when only their shortest intervals lack the digits (the rest may be read).
TEST(HumidityMonteCarlo, CappedRunSaysWhatIsStillUnsettled) {
    const std::string onlyShortest(LoadString(1588));
    const struct {
        bool firstStable, firstSettled, secondStable, secondSettled;
        bool told;
    } cases[] = {
        {true, true, false, true, true},    // the second lacks only its shortest interval
        {false, true, false, true, true},   // both do
        {true, true, false, false, false},  // the second lacks more
        {false, false, false, true, false},
    };
    for (const auto& c : cases) {
        HumidityMonteCarlo mc;
        mc.outputs = {{0, Phase::Water}, {2, Phase::Water}};
        mc.outcome.status = montecarlo::Status::CapReached;
        mc.outcome.drawn = mc.outcome.accepted = 2'000'000;
        mc.outcome.outputs.resize(2);
        mc.outcome.outputs[0].stable = c.firstStable;
        mc.outcome.outputs[0].stableApartFromShortest = c.firstSettled;
        mc.outcome.outputs[1].stable = c.secondStable;
        mc.outcome.outputs[1].stableApartFromShortest = c.secondSettled;
        const std::vector<std::string> lines = MonteCarloStatusLines(mc, montecarlo::Options{}, ",");
        EXPECT_EQ(std::count(lines.begin(), lines.end(), onlyShortest), c.told ? 1 : 0) << c.firstStable << c.secondSettled;
    }
}
