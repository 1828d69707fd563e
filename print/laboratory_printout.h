// The laboratory's printout: the results sheet every humidity page prints,
// then a sheet with the stability figures and the trend the screen shows
// (never less than the assessment window), then the record sheet (readings,
// tables, ports, files).
// The desktop program and `wegator-cli lab run --print-pdf` print the same
// three sheets.
#pragma once

#include <cstdint>
#include <vector>

#include "lab/station/laboratory_page.h"
#include "print/printout_painter.h"

namespace wegator {

// `quantities`: the lines of the trend (those the station judges when empty);
// `windowMs`: the time the screen's chart shows (the settings' window when 0).
std::vector<PrintSheet> LaboratorySheets(const lab::LaboratoryPage& page, const PrintTime& printedAt,
                                         const std::vector<lab::TrendQuantity>& quantities = {},
                                         std::int64_t windowMs = 0);

}  // namespace wegator
