// One calculation route of the humidity pages evaluated for its values only,
// many times over at nearby inputs: what a Monte Carlo evaluation runs at
// every draw. The range checks and the formulas are the very ones of the
// complete calculations (HumidityEngine::ComputeFrom…), so at the nominal
// inputs with no formula error the values are the same doubles.
#pragma once

#include <memory>
#include <optional>

#include "physics/humidity_engine.h"
#include "physics/humidity_result.h"

namespace wegator {

// The calculation a page runs.
enum class Route {
    DewPointAndTemperature,  // relative-humidity page
    TemperatureAndHumidity,  // relative-humidity page
    DewPointAndHumidity,     // relative-humidity page
    MoistureContent,         // moisture-content page (its quantity chosen apart)
    Psychrometer,            // psychrometer page: T, Tw/Ti at Pb (in p1)
};

// The primary inputs of a route in internal units: temperatures °C, RH %,
// pressures kPa; `dp` holds a dew or frost point, or the moisture page's
// content in its own unit (°C, ppm or g/kg). Inputs a route does not use are ignored.
struct RouteInputs {
    double t = 0.0, dp = 0.0, rh = 0.0, tw = 0.0, p1 = 0.0, p2 = 0.0;
};

class RouteEvaluator {
public:
    // The engine must outlive the evaluator; it is only read.
    RouteEvaluator(const HumidityEngine& engine, Route route, ContentQuantity content = ContentQuantity::DewPoint);
    ~RouteEvaluator();
    RouteEvaluator(const RouteEvaluator&) = delete;
    RouteEvaluator& operator=(const RouteEvaluator&) = delete;

    // The values of both columns at `in` into out.values (uncertainties 0).
    // zVapour and zSaturation are the formulas' errors in multiples of their
    // standard uncertainty: of the saturation pressure the vapour pressure is
    // taken from (at the dew point, or the psychrometric pressure) and of the
    // one at the air temperature. False, with out.failed set, when the
    // complete calculation would refuse `in` (a range check fails, or a result
    // of a column the page shows is not a number).
    bool Evaluate(const RouteInputs& in, double zVapour, double zSaturation, HumidityResult& out) const;
    // Computes only the values of one column (the other is left at zero), when
    // only that one is wanted: the work of the other's inversions is saved.
    // Its range checks still run in full, as the page runs them.
    void OnlyColumn(std::optional<Phase> phase);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace wegator
