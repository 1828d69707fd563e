#include "lab/tables/calibration_table.h"

#include <algorithm>
#include <cmath>

namespace wegator::lab {

// One sort instead of an insertion per entry: a certificate written from the
// top of its range down would otherwise shift every entry inserted so far.
// Equal values end up as inserting one by one would leave them, the last one first.
CalibrationTable::CalibrationTable(std::span<const CalibrationEntry> entries)
    : entries_(entries.rbegin(), entries.rend()) {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const CalibrationEntry& a, const CalibrationEntry& b) { return a.value < b.value; });
}

void CalibrationTable::Insert(double value, double correction, double uncertainty) {
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), value,
                                     [](const CalibrationEntry& e, double v) { return e.value < v; });
    entries_.insert(at, CalibrationEntry{value, correction, uncertainty});
}

double CalibrationTable::Interpolate(double x, double CalibrationEntry::*column) const {
    if (entries_.empty()) return 0.0;
    const auto above = std::lower_bound(entries_.begin(), entries_.end(), x,
                                        [](const CalibrationEntry& e, double v) { return e.value < v; });
    if (above == entries_.begin()) return entries_.front().*column;
    if (above == entries_.end()) return entries_.back().*column;
    const CalibrationEntry& lo = *(above - 1);
    const CalibrationEntry& hi = *above;
    if (lo.value == hi.value) return lo.*column;
    // std::lerp stays between the two rows' numbers and gives the upper one
    // exactly at its point: an uncertainty falling to 0 never rounds below it.
    return std::lerp(lo.*column, hi.*column, (x - lo.value) / (hi.value - lo.value));
}

double CalibrationTable::Correction(double x) const { return Interpolate(x, &CalibrationEntry::correction); }

double CalibrationTable::Uncertainty(double x) const { return Interpolate(x, &CalibrationEntry::uncertainty); }

}  // namespace wegator::lab
