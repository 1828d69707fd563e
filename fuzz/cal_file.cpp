// The .cal reader on any text. A refused text names a line; an accepted one,
// written back as the editor saves it, reads back to the same rows to the
// three decimals a table keeps, and (for numbers a double holds to well
// within a thousandth, below 2^42) writing those again gives the same text;
// its table gives finite corrections and uncertainties for any reading.
#include <cmath>
#include <vector>

#include "fuzz_check.h"
#include "lab/tables/cal_file.h"

using namespace wegator::lab;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = wegator::fuzz::AsText(data, size);
    const CalParseResult r = ParseCalText(text);
    if (!r.ok) {
        FUZZ_CHECK(r.badLine >= 1 && r.rows.empty());
        return 0;
    }
    const std::string written = FormatCalText(r.rows);
    const CalParseResult back = ParseCalText(written);
    FUZZ_CHECK(back.ok && back.rows.size() == r.rows.size());
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        for (auto column : {&CalibrationEntry::value, &CalibrationEntry::correction, &CalibrationEntry::uncertainty}) {
            const double a = r.rows[i].*column, b = back.rows[i].*column;
            FUZZ_CHECK(std::fabs(a - b) <= 0.0005 + std::fabs(a) * 1e-15);
        }
    }
    bool ordinary = true;
    for (const CalibrationEntry& e : r.rows) {
        for (double v : {e.value, e.correction, e.uncertainty}) ordinary = ordinary && std::fabs(v) < 0x1p42;
    }
    if (ordinary) FUZZ_CHECK(FormatCalText(back.rows) == written);
    // Every correction and uncertainty an accepted table gives is finite: at
    // its points, between them and far beyond its ends.
    const CalibrationTable table(r.rows);
    std::vector<double> readings = {-1e300, 1e300};
    for (std::size_t i = 0; i < table.Count(); ++i) {
        readings.push_back(table.Entry(i).value);
        if (i > 0) readings.push_back(table.Entry(i - 1).value / 2 + table.Entry(i).value / 2);
    }
    for (const double x : readings) {
        FUZZ_CHECK(std::isfinite(table.Correction(x)) && std::isfinite(table.Uncertainty(x)));
        FUZZ_CHECK(table.Uncertainty(x) >= 0);
    }
    return 0;
}
