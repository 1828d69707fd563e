#include "lab/station/observation_buffer.h"

#include <cmath>

namespace wegator::lab {

// The ring is empty when the newest index stands just before the oldest, and
// full one value earlier: the free slot tells the two apart.
int ObservationBuffer::Count() const { return (newest_ + 1 - oldest_ + kSlots) % kSlots; }

void ObservationBuffer::Push(double x) {
    if (Count() == kCapacity) return;
    newest_ = Next(newest_);
    slots_[static_cast<std::size_t>(newest_)] = x;
}

void ObservationBuffer::DropOldest() {
    if (Count() > 0) oldest_ = Next(oldest_);
}

void ObservationBuffer::Clear() {
    oldest_ = 0;
    newest_ = -1;
}

void ObservationBuffer::Trim(int n) {
    while (Count() > n) DropOldest();
}

double ObservationBuffer::Mean(int n) {
    if (n < 1) return kNoAverage;
    Trim(n);
    const int count = Count();
    if (count == 0) return 0.0;
    double sum = 0.0;
    for (int i = 0, at = oldest_; i < count; ++i, at = Next(at)) sum += slots_[static_cast<std::size_t>(at)] / count;
    return sum;
}

double ObservationBuffer::CombinedUncertainty(int n, double uI, double uC, double mean) {
    if (n < 1) return kNoAverage;
    Trim(n);
    const int count = Count();
    double s2 = 0.0;
    if (count >= 2) {
        double squares = 0.0;
        for (int i = 0, at = oldest_; i < count; ++i, at = Next(at)) {
            const double d = slots_[static_cast<std::size_t>(at)] - mean;
            squares += d * d;
        }
        s2 = squares / (count - 1);
    }
    return std::sqrt(s2 + uI * uI + uC * uC);
}

}  // namespace wegator::lab
