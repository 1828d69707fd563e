#include "time_limit.h"

#include <algorithm>
#include <cmath>

namespace wegator::cli {

namespace {
constexpr double kLongestStepMs = 24.0 * 3600.0 * 1000.0;
}  // namespace

TimeLimit::TimeLimit(std::function<void()> onEnd) : onEnd_(std::move(onEnd)) {
    timer_.setSingleShot(true);
    // A coarse timer may be late by 5 % of its interval: hours on a step of a day.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
}

void TimeLimit::Start(double seconds) {
    limitMs_ = seconds * 1000.0;
    clock_.start();
    Step();
}

void TimeLimit::Step() {
    const double remaining = limitMs_ - static_cast<double>(clock_.elapsed());
    if (!(remaining > 0.0)) {
        onEnd_();
        return;
    }
    timer_.start(static_cast<int>(std::ceil(std::min(remaining, kLongestStepMs))));
}

}  // namespace wegator::cli
