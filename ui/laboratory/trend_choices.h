// The trend charts of the laboratory and QX-311 pages: the quantities they
// offer and show (stored as short keys, "dp t ch1"), and the verdict line
// beside them in words and colour.
#pragma once

#include <QList>
#include <string>
#include <vector>

#include "lab/trends/trend.h"
#include "laboratory/trend_chart_widget.h"

class QLabel;

namespace wegator {

// The quantities of a stored key list; unknown keys are skipped.
QList<int> QuantitiesFromKeys(const std::string& keys);
std::string KeysOf(const QList<int>& quantities);
std::vector<lab::TrendQuantity> TrendQuantitiesOf(const QList<int>& quantities);
// The quantities as a chart's context menu offers them, with their names.
std::vector<TrendChartWidget::Quantity> OfferedQuantities(const std::vector<lab::TrendQuantity>& quantities);
// The verdict in words: green when stable, dark red when not, plain while
// there is nothing to judge.
void ShowVerdict(QLabel* label, const std::string& text, bool stable);

}  // namespace wegator
