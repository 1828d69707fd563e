#include "print/laboratory_printout.h"

namespace wegator {

std::vector<PrintSheet> LaboratorySheets(const lab::LaboratoryPage& page, const PrintTime& printedAt,
                                         const std::vector<lab::TrendQuantity>& quantities, std::int64_t windowMs) {
    std::vector<PrintSheet> sheets;
    sheets.push_back({LayOut(page.Printout(printedAt)), std::nullopt});
    lab::LaboratoryPage::TrendPrintout trends = page.PrintTrends(printedAt, quantities, windowMs);
    PrintSheet second{std::move(trends.cells), std::move(trends.chart)};
    second.chartK = trends.chartK;
    second.chartN = trends.chartN;
    second.chartWidth = trends.chartWidth;
    second.chartHeight = trends.chartHeight;
    sheets.push_back(std::move(second));
    sheets.push_back({page.PrintRecord(printedAt), std::nullopt});
    return sheets;
}

}  // namespace wegator
