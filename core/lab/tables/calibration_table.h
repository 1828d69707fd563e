// A correction table from an instrument's calibration certificate: for a set
// of readings, the correction to add and its standard uncertainty, looked up
// by linear interpolation between the certificate's points.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace wegator::lab {

// One certificate point; all three in the instrument's unit (°C for the
// thermometers and the hygrometer).
struct CalibrationEntry {
    double value = 0.0;        // the reading at which the certificate gives a correction
    double correction = 0.0;   // to add to a reading at this point
    double uncertainty = 0.0;  // standard uncertainty of the correction

    bool operator==(const CalibrationEntry&) const = default;
};

class CalibrationTable {
public:
    CalibrationTable() = default;
    // The entries in any order; they end up as Insert would place them one by one.
    explicit CalibrationTable(std::span<const CalibrationEntry> entries);

    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const CalibrationEntry& Entry(std::size_t index) const { return entries_[index]; }
    // Ascending by value; equal values keep the order in which they were inserted last-first.
    std::span<const CalibrationEntry> Entries() const { return entries_; }

    void Clear() { entries_.clear(); }
    // Places the entry before the first entry whose value is greater than or
    // equal to the new value (at the end when there is none).
    void Insert(double value, double correction, double uncertainty);
    void Insert(const CalibrationEntry& entry) { Insert(entry.value, entry.correction, entry.uncertainty); }

    // Correction for a reading x, interpolated linearly between the two
    // neighbouring points; outside the table the nearest end point's
    // correction; 0 for an empty table. No extrapolation.
    double Correction(double x) const;
    // The same rule on the uncertainty column.
    double Uncertainty(double x) const;

    bool operator==(const CalibrationTable&) const = default;

private:
    double Interpolate(double x, double CalibrationEntry::*column) const;

    std::vector<CalibrationEntry> entries_;
};

}  // namespace wegator::lab
