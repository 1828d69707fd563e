// The observations of one averaged input of the laboratory page (pressure,
// dew point, temperature): a ring of the most recent observations, their mean
// over the last n and the standard uncertainty of that mean's input, which
// combines the scatter of the observations with the instrument's and the
// calibration table's own uncertainty.
#pragma once

#include <array>
#include <cstddef>

namespace wegator::lab {

// The result of Mean and CombinedUncertainty when n < 1: no average exists.
inline constexpr double kNoAverage = -1000.0;
// An instrument value that has never been read. Neither marker ever enters a
// calculation, an uncertainty, a list or a file.
inline constexpr double kNoReading = -10000.0;

class ObservationBuffer {
public:
    // 150 slots; one always stays free, so the ring holds at most 149 values.
    static constexpr int kSlots = 150;
    static constexpr int kCapacity = kSlots - 1;

    // Stores x as the newest value; a full ring drops x.
    void Push(double x);
    // Forgets the oldest value (nothing when empty).
    void DropOldest();
    void Clear();

    int Count() const;
    bool Empty() const { return Count() == 0; }
    // The newest value; only when not empty.
    double Newest() const { return slots_[static_cast<std::size_t>((newest_ + kSlots) % kSlots)]; }

    // The mean of the last n values (fewer when fewer are held). Values older
    // than the last n are dropped for good. kNoAverage when n < 1; 0 when empty.
    double Mean(int n);
    // sqrt(s² + uI² + uC²), s the standard deviation of the last n values
    // about `mean` (0 for fewer than two values); trims like Mean. uI is the
    // instrument's standard uncertainty, uC the calibration table's.
    double CombinedUncertainty(int n, double uI, double uC, double mean);

private:
    void Trim(int n);
    static int Next(int index) { return index + 1 >= kSlots ? 0 : index + 1; }

    std::array<double, kSlots> slots_{};
    int oldest_ = 0;
    int newest_ = -1;  // just before oldest_: empty
};

}  // namespace wegator::lab
