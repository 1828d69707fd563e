#include "chart/histogram_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <vector>

#include "pages/number_entry.h"

namespace wegator {

namespace {

// Text in points, as on the trend charts, so both kinds of chart read alike.
constexpr double kFontPoints = 8.0;

const QColor kBarFill(158, 197, 232);
const QColor kBarEdge(74, 127, 176);
const QColor kInterval(214, 95, 0);
const QColor kCompare(40, 40, 40);
const QColor kGrid(225, 225, 225);

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Device pixels of one screen pixel: pens stay as thick on paper as on the screen.
double PenScale(const QPaintDevice* device) {
    return device != nullptr ? std::max(1.0, device->logicalDpiY() / 96.0) : 1.0;
}

QColor Translucent(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

// One entry of the legend: its swatch is drawn by `swatch` into the square given.
struct LegendEntry {
    QString text;
    void (*swatch)(QPainter&, const QRectF&, double scale);
};

void IntervalSwatch(QPainter& painter, const QRectF& r, double scale) {
    painter.fillRect(r, Translucent(kInterval, 60));
    painter.setPen(QPen(kInterval, 2 * scale));
    painter.drawLine(QLineF(r.left(), r.top(), r.left(), r.bottom()));
    painter.drawLine(QLineF(r.right(), r.top(), r.right(), r.bottom()));
}

void CompareSwatch(QPainter& painter, const QRectF& r, double scale) {
    painter.setPen(QPen(kCompare, 1.5 * scale, Qt::DashLine));
    painter.drawLine(QLineF(r.left(), r.center().y(), r.right(), r.center().y()));
}

}  // namespace

void PaintHistogram(QPainter& painter, const MonteCarloHistogram& picture, const QRectF& area) {
    const montecarlo::Histogram& hist = picture.histogram;
    painter.save();
    QFont font;
    font.setPointSizeF(kFontPoints);
    painter.setFont(font);
    const QFontMetricsF fm(font, painter.device());
    const double h = fm.height();
    const double scale = PenScale(painter.device());
    painter.fillRect(area, Qt::white);

    // The legend on one line above the bars (wrapping when narrow), the far
    // tails' count after it.
    std::vector<LegendEntry> legend = {{Q(picture.intervalLegend), &IntervalSwatch},
                                       {Q(picture.compareLegend), &CompareSwatch}};
    const QRectF inner = area.adjusted(0.6 * h, 0.4 * h, -0.6 * h, -0.4 * h);
    double x = inner.left(), y = inner.top();
    auto place = [&](double width) {
        if (x > inner.left() && x + width > inner.right()) {
            x = inner.left();
            y += 1.2 * h;
        }
        const double at = x;
        x += width + 1.2 * h;
        return at;
    };
    for (const LegendEntry& e : legend) {
        const double left = place(2.0 * h + fm.horizontalAdvance(e.text));
        e.swatch(painter, QRectF(left, y + 0.15 * h, 1.4 * h, 0.7 * h), scale);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left + 2.0 * h, y, fm.horizontalAdvance(e.text) + 1, h), Qt::AlignLeft | Qt::AlignVCenter,
                         e.text);
    }
    if (!picture.tailsNote.empty()) {
        const QString note = Q(picture.tailsNote);
        const double left = place(fm.horizontalAdvance(note));
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(QRectF(left, y, fm.horizontalAdvance(note) + 1, h), Qt::AlignLeft | Qt::AlignVCenter, note);
    }

    // Tick labels under the axis; the outermost ones may reach half their
    // width beyond the bars.
    std::vector<QString> labels;
    double widest = 0;
    for (double t : hist.axis.ticks) {
        labels.push_back(Q(FormatFixed(t, hist.decimals, picture.decimalSign)));
        widest = std::max(widest, fm.horizontalAdvance(labels.back()));
    }
    const double side = widest / 2 + 0.2 * h;
    const QRectF plot(inner.left() + side, y + 1.6 * h, inner.width() - 2 * side,
                      inner.bottom() - (y + 1.6 * h) - 2.8 * h);
    if (plot.width() < 10 || plot.height() < 10 || !(hist.axis.high > hist.axis.low)) {
        painter.restore();
        return;
    }
    const double span = hist.axis.high - hist.axis.low;
    auto mapX = [&](double v) { return plot.left() + (v - hist.axis.low) / span * plot.width(); };

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kGrid, scale));
    for (double t : hist.axis.ticks) painter.drawLine(QLineF(mapX(t), plot.top(), mapX(t), plot.bottom()));

    // The shaded band first, so the bars stay readable through it.
    const double bandLeft = std::clamp(mapX(picture.intervalLow), plot.left(), plot.right());
    const double bandRight = std::clamp(mapX(picture.intervalHigh), plot.left(), plot.right());
    painter.fillRect(QRectF(bandLeft, plot.top(), bandRight - bandLeft, plot.height()), Translucent(kInterval, 40));

    if (hist.peak > 0) {
        const double top = plot.top() + 0.04 * plot.height();
        const double fullHeight = plot.bottom() - top;
        painter.setPen(QPen(kBarEdge, scale));
        painter.setBrush(kBarFill);
        for (std::size_t i = 0; i < hist.counts.size(); ++i) {
            if (hist.counts[i] == 0) continue;
            const double left = mapX(hist.binLow + static_cast<double>(i) * hist.binWidth);
            const double right = mapX(hist.binLow + static_cast<double>(i + 1) * hist.binWidth);
            const double height = fullHeight * static_cast<double>(hist.counts[i]) / static_cast<double>(hist.peak);
            painter.drawRect(QRectF(left, plot.bottom() - height, right - left, height));
        }
        painter.setBrush(Qt::NoBrush);
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(plot.adjusted(-2 * scale, -2 * scale, 2 * scale, 2 * scale));
    painter.setPen(QPen(kInterval, 2 * scale));
    for (double v : {picture.intervalLow, picture.intervalHigh}) {
        painter.drawLine(QLineF(mapX(v), plot.top(), mapX(v), plot.bottom()));
    }
    painter.setPen(QPen(kCompare, 1.5 * scale, Qt::DashLine));
    for (double v : {picture.compareLow, picture.compareHigh}) {
        painter.drawLine(QLineF(mapX(v), plot.top(), mapX(v), plot.bottom()));
    }
    painter.setClipping(false);

    // The axis, its ticks and their labels, and its title.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, scale));
    painter.drawLine(QLineF(plot.left(), plot.bottom(), plot.right(), plot.bottom()));
    for (std::size_t i = 0; i < hist.axis.ticks.size(); ++i) {
        const double tx = mapX(hist.axis.ticks[i]);
        painter.drawLine(QLineF(tx, plot.bottom(), tx, plot.bottom() + 0.35 * h));
        const double w = fm.horizontalAdvance(labels[i]) + 1;
        painter.drawText(QRectF(tx - w / 2, plot.bottom() + 0.4 * h, w, h), Qt::AlignCenter, labels[i]);
    }
    const QString title = Q(picture.axisTitle);
    painter.drawText(QRectF(plot.left(), plot.bottom() + 1.5 * h, plot.width(), h), Qt::AlignHCenter | Qt::AlignVCenter,
                     title);
    painter.restore();
}

}  // namespace wegator
