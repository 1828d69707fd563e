#include "laboratory/trend_choices.h"

#include <QLabel>
#include <sstream>

namespace wegator {

QList<int> QuantitiesFromKeys(const std::string& keys) {
    QList<int> out;
    std::istringstream words(keys);
    for (std::string key; words >> key;) {
        if (const auto q = lab::QuantityByKey(key); q && !out.contains(static_cast<int>(*q))) {
            out.push_back(static_cast<int>(*q));
        }
    }
    return out;
}

std::string KeysOf(const QList<int>& quantities) {
    std::string keys;
    for (int q : quantities) {
        if (q < 0 || q >= lab::kTrendQuantities) continue;
        if (!keys.empty()) keys += ' ';
        keys += lab::QuantityInfo(static_cast<lab::TrendQuantity>(q)).key;
    }
    return keys;
}

std::vector<lab::TrendQuantity> TrendQuantitiesOf(const QList<int>& quantities) {
    std::vector<lab::TrendQuantity> out;
    for (int q : quantities) {
        if (q >= 0 && q < lab::kTrendQuantities) out.push_back(static_cast<lab::TrendQuantity>(q));
    }
    return out;
}

std::vector<TrendChartWidget::Quantity> OfferedQuantities(const std::vector<lab::TrendQuantity>& quantities) {
    std::vector<TrendChartWidget::Quantity> out;
    for (lab::TrendQuantity q : quantities) {
        out.push_back({static_cast<int>(q), QString::fromStdString(lab::QuantityName(q))});
    }
    return out;
}

void ShowVerdict(QLabel* label, const std::string& text, bool stable) {
    const QString shown = QString::fromStdString(text);
    if (label->text() != shown) label->setText(shown);
    // The same dark red as the status line's warnings; a calm green for stable.
    const QString style = text.empty() ? QString()
                          : stable     ? QStringLiteral("color: #1b6e20; font-weight: bold;")
                                       : QStringLiteral("color: #800000; font-weight: bold;");
    if (label->styleSheet() != style) label->setStyleSheet(style);
}

}  // namespace wegator
