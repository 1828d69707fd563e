// Ends a long-running subcommand (lab read, lab run) after --seconds. A Qt
// timer holds at most 2^31 - 1 ms, about 24.8 days, and a longer interval
// wraps to a wrong one; the limit is therefore counted in steps of at most a
// day against the monotonic clock, so that any length ends when it should.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace wegator::cli {

class TimeLimit {
public:
    explicit TimeLimit(std::function<void()> onEnd);

    // Counts `seconds` (finite and positive) from now, then calls onEnd once.
    void Start(double seconds);

private:
    void Step();

    std::function<void()> onEnd_;
    QTimer timer_;
    QElapsedTimer clock_;
    double limitMs_ = 0.0;
};

}  // namespace wegator::cli
