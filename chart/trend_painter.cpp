#include "chart/trend_painter.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QSvgGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "app/files.h"
#include "lab/base/lab_messages.h"
#include "text/strings.h"

namespace wegator {

namespace {

using lab::ChartColumn;
using lab::ChartLayout;
using lab::ChartLine;
using lab::ChartMapping;
using lab::ChartPanel;
using lab::ChartRect;
using lab::TrendChart;

constexpr int kUnknownFileType = 1447;  // "nieznany rodzaj pliku „%s”: …"
constexpr int kCannotWrite = 1448;      // "nie można zapisać pliku"
constexpr int kHiddenMarkers = 1481;    // "(+%s)": labels left out beside a marker's

// Text in points, so that it keeps its size on paper and on screen alike.
constexpr double kFontPoints = 8.0;

QFont ChartFont() {
    QFont font;
    font.setPointSizeF(kFontPoints);
    return font;
}

// Device pixels of one screen pixel: pens stay as thick on a 600-dpi page as
// on the screen.
double PenScale(const QPaintDevice* device) {
    return device != nullptr ? std::max(1.0, device->logicalDpiY() / 96.0) : 1.0;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

QRectF ToQt(const ChartRect& r) { return QRectF(r.x, r.y, r.width, r.height); }

// The legend's entries in drawing order: the lines' colours and names.
struct LegendEntry {
    int colour;
    QString text;
};

std::vector<LegendEntry> LegendEntries(const TrendChart& chart) {
    std::vector<LegendEntry> out;
    for (const ChartPanel& panel : chart.panels) {
        for (const ChartLine& line : panel.lines) out.push_back({line.colour, Q(line.label)});
    }
    std::stable_sort(out.begin(), out.end(), [](const LegendEntry& a, const LegendEntry& b) { return a.colour < b.colour; });
    return out;
}

// The legend wraps at the area's width; where each entry starts, by row.
struct LegendPlace {
    double x;
    int row;
};

std::vector<LegendPlace> PlaceLegend(const std::vector<LegendEntry>& entries, const QFontMetricsF& fm, double width) {
    std::vector<LegendPlace> out;
    const double h = fm.height();
    double x = 0;
    int row = 0;
    for (const LegendEntry& e : entries) {
        const double w = 1.6 * h + fm.horizontalAdvance(e.text) + 1.2 * h;
        if (x > 0 && x + w > width) {
            x = 0;
            ++row;
        }
        out.push_back({x, row});
        x += w;
    }
    return out;
}

lab::ChartTextMetrics Metrics(const TrendChart& chart, const QFontMetricsF& fm, double width) {
    lab::ChartTextMetrics m;
    m.lineHeight = fm.height();
    double label = fm.horizontalAdvance(QStringLiteral("0"));
    for (const ChartPanel& panel : chart.panels) {
        label = std::max(label, fm.horizontalAdvance(Q(panel.unit)));
        for (const std::string& t : panel.tickLabels) label = std::max(label, fm.horizontalAdvance(Q(t)));
    }
    m.labelWidth = label;
    const std::vector<LegendPlace> legend = PlaceLegend(LegendEntries(chart), fm, width);
    m.legendHeight = legend.empty() ? 0 : (legend.back().row + 1) * fm.height();
    return m;
}

// Each column's spread is a vertical stroke from its lowest to its highest
// reading, as wide as a column, so the strokes of a dense chart join into a
// band; the mean runs over them. Thin lines without antialiasing keep a day's
// chart of six lines within a few milliseconds, redrawn every second.
void PaintLine(QPainter& painter, const ChartLine& line, const ChartMapping& map, double columnPixels, double scale) {
    const QColor colour = TrendLineColour(line.colour);
    QColor fill = colour;
    fill.setAlpha(70);
    const QPen meanPen = TrendLinePen(line.colour, scale);
    const QPen spreadPen(fill, std::max(scale, columnPixels), Qt::SolidLine, Qt::FlatCap);
    const auto& cols = line.columns;
    std::vector<QLineF> spread;
    spread.reserve(cols.size());
    QPolygonF mean;
    std::size_t begin = 0;
    while (begin < cols.size()) {
        std::size_t end = begin + 1;
        while (end < cols.size() && cols[end].joined) ++end;
        mean.clear();
        for (std::size_t i = begin; i < end; ++i) {
            const double x = map.X(cols[i].from + (cols[i].to - cols[i].from) / 2);
            if (cols[i].max > cols[i].min) spread.emplace_back(x, map.Y(cols[i].max), x, map.Y(cols[i].min));
            mean.append(QPointF(x, map.Y(cols[i].mean)));
        }
        if (!spread.empty()) {
            painter.setPen(spreadPen);
            painter.drawLines(spread.data(), static_cast<int>(spread.size()));
            spread.clear();
        }
        painter.setPen(meanPen);
        if (mean.size() == 1) {
            painter.drawPoint(mean[0]);
        } else {
            painter.drawPolyline(mean);
        }
        begin = end;
    }
}

// A small box of lines of text at `anchor` (its top left, or top right when
// it would leave `bounds`), with a colour swatch before the lines that have one.
void PaintTextBox(QPainter& painter, const QFontMetricsF& fm, double x, double y, const QRectF& bounds,
                  const std::vector<std::pair<int, QString>>& rows) {
    const double h = fm.height();
    double width = 0;
    for (const auto& [colour, text] : rows) width = std::max(width, fm.horizontalAdvance(text) + (colour >= 0 ? 1.2 * h : 0));
    QRectF box(x + 0.4 * h, y + 0.3 * h, width + 0.8 * h, static_cast<double>(rows.size()) * h + 0.4 * h);
    if (box.right() > bounds.right()) box.moveRight(x - 0.4 * h);
    if (box.left() < bounds.left()) box.moveLeft(bounds.left());
    painter.setPen(QPen(QColor(120, 120, 120), 0));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);
    double top = box.top() + 0.2 * h;
    for (const auto& [colour, text] : rows) {
        double left = box.left() + 0.4 * h;
        if (colour >= 0) {
            painter.fillRect(QRectF(left, top + 0.3 * h, 0.8 * h, 0.4 * h), TrendLineColour(colour));
            left += 1.2 * h;
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left, top, width, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        top += h;
    }
}

}  // namespace

QColor TrendLineColour(int colour) {
    // Hues that stay apart on white paper and on screen, the first ten the
    // most distinct: most charts have fewer lines.
    static const QColor palette[] = {
        QColor(31, 119, 180), QColor(214, 39, 40),   QColor(44, 160, 44),  QColor(255, 127, 14),
        QColor(148, 103, 189), QColor(140, 86, 75),  QColor(227, 119, 194), QColor(23, 190, 207),
        QColor(188, 189, 34),  QColor(0, 0, 0),      QColor(127, 127, 127), QColor(0, 90, 50),
        QColor(0, 0, 140),     QColor(150, 0, 90),   QColor(0, 128, 128),   QColor(170, 120, 0),
        QColor(100, 40, 0),    QColor(90, 90, 255),  QColor(120, 140, 60),  QColor(255, 80, 160),
    };
    constexpr int n = static_cast<int>(std::size(palette));
    static_assert(n == lab::kLineHues, "one colour for every hue a chart hands out");
    return palette[((colour % n) + n) % n];
}

QPen TrendLinePen(int colour, double width) {
    QPen pen(TrendLineColour(colour), width);
    if (colour >= lab::kLineHues) pen.setStyle((colour / lab::kLineHues) % 2 == 1 ? Qt::DashLine : Qt::DotLine);
    return pen;
}

void FitTrendChart(TrendChart& chart, const QRectF& area, const QPaintDevice* device) {
    const QFontMetricsF fm(ChartFont(), device);
    lab::FitTrendChart(chart, TrendChartLayout(chart, area, device), fm.height());
}

void FitTrendChart(TrendChart& chart, QSize size) {
    // A picture is drawn at 96 pixels an inch (a PDF at 300 on a page as
    // many points large): text and area keep their proportions.
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    probe.setDotsPerMeterX(3780);
    probe.setDotsPerMeterY(3780);
    size = size.expandedTo(QSize(200, 120));
    FitTrendChart(chart, QRectF(QPointF(0, 0), QSizeF(size)), &probe);
}

ChartLayout TrendChartLayout(const TrendChart& chart, const QRectF& area, const QPaintDevice* device) {
    const QFontMetricsF fm(ChartFont(), device);
    // A little white all round, so no text touches the edge of a picture.
    const double pad = 0.3 * fm.height();
    const QRectF inner = area.adjusted(pad, pad, -pad, -pad);
    return lab::LayoutTrendChart(chart, ChartRect{inner.x(), inner.y(), inner.width(), inner.height()},
                                 Metrics(chart, fm, inner.width()));
}

void PaintTrendChart(QPainter& painter, const TrendChart& given, const QRectF& area) {
    // A chart whose axes were not fitted to this area gets them on a copy;
    // the screen's chart comes fitted, so its every second costs no copy.
    std::optional<TrendChart> fitted;
    {
        const QFontMetricsF fm(ChartFont(), painter.device());
        if (!given.Empty() && !lab::FittedTo(given, TrendChartLayout(given, area, painter.device()), fm.height())) {
            fitted = given;
            FitTrendChart(*fitted, area, painter.device());
        }
    }
    const TrendChart& chart = fitted ? *fitted : given;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFont font = ChartFont();
    painter.setFont(font);
    const QFontMetricsF fm(font, painter.device());
    const double h = fm.height();
    const double scale = PenScale(painter.device());
    const ChartLayout layout = TrendChartLayout(chart, area, painter.device());
    painter.fillRect(area, Qt::white);

    if (!chart.title.empty()) {
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        painter.drawText(ToQt(layout.title), Qt::AlignLeft | Qt::AlignVCenter, Q(chart.title));
        painter.setFont(font);
    }
    if (chart.Empty()) {
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(area.adjusted(0, layout.title.height, 0, 0), Qt::AlignCenter, Q(chart.emptyText));
        painter.restore();
        return;
    }

    // Legend.
    const std::vector<LegendEntry> legend = LegendEntries(chart);
    const std::vector<LegendPlace> places = PlaceLegend(legend, fm, layout.legend.width);
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const double x = layout.legend.x + places[i].x;
        const double y = layout.legend.y + places[i].row * h;
        if (legend[i].colour < lab::kLineHues) {
            painter.fillRect(QRectF(x, y + 0.35 * h, 1.2 * h, 0.3 * h), TrendLineColour(legend[i].colour));
        } else {
            painter.setPen(TrendLinePen(legend[i].colour, 0.3 * h));
            painter.drawLine(QPointF(x, y + 0.5 * h), QPointF(x + 1.2 * h, y + 0.5 * h));
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + 1.6 * h, y, area.width(), h), Qt::AlignLeft | Qt::AlignVCenter, legend[i].text);
    }

    if (!chart.note.empty()) {
        painter.setPen(QColor(128, 0, 0));
        painter.drawText(ToQt(layout.note), Qt::AlignLeft | Qt::AlignVCenter, Q(chart.note));
    }

    const QColor grid(225, 225, 225);
    const QColor frame(110, 110, 110);
    for (std::size_t p = 0; p < chart.panels.size(); ++p) {
        const ChartPanel& panel = chart.panels[p];
        const QRectF plot = ToQt(layout.panels[p]);
        const ChartMapping map(chart, panel, layout.panels[p]);

        // Grid and the value labels on the left; the unit above them.
        painter.setPen(QPen(grid, scale));
        for (double v : panel.axis.ticks) painter.drawLine(QPointF(plot.left(), map.Y(v)), QPointF(plot.right(), map.Y(v)));
        for (const lab::TimeTick& t : chart.ticks) painter.drawLine(QPointF(map.X(t.time), plot.top()), QPointF(map.X(t.time), plot.bottom()));
        painter.setPen(Qt::black);
        for (std::size_t i = 0; i < panel.axis.ticks.size() && i < panel.tickLabels.size(); ++i) {
            if (panel.tickLabels[i].empty()) continue;
            const double y = map.Y(panel.axis.ticks[i]);
            painter.drawText(QRectF(layout.legend.x, y - h / 2, plot.left() - layout.legend.x - 0.4 * h, h),
                             Qt::AlignRight | Qt::AlignVCenter, Q(panel.tickLabels[i]));
        }
        painter.drawText(QRectF(layout.legend.x, plot.top() - 1.6 * h, plot.right() - layout.legend.x, h),
                         Qt::AlignLeft | Qt::AlignBottom, Q(panel.unit));

        painter.save();
        painter.setClipRect(plot);
        for (const lab::ChartBand& b : panel.bands) {
            QColor colour = TrendLineColour(panel.lines[b.line].colour);
            colour.setAlpha(35);
            const QRectF rect(QPointF(map.X(b.from), map.Y(b.high)), QPointF(map.X(b.to), map.Y(b.low)));
            painter.fillRect(rect, colour);
            colour.setAlpha(160);
            painter.setPen(QPen(colour, scale, Qt::DashLine));
            painter.drawLine(rect.topLeft(), rect.topRight());
            painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        }
        const double columnPixels = plot.width() / static_cast<double>(std::max<std::size_t>(chart.columns, 1));
        for (const ChartLine& line : panel.lines) PaintLine(painter, line, map, columnPixels, scale);
        painter.restore();

        // Restarts: dashed across every panel, named in the first, in rows
        // so that no name is written over another.
        QPen dashed(QColor(90, 90, 90), scale, Qt::DashLine);
        for (const lab::ChartMarker& m : chart.markers) {
            const double x = map.X(m.time);
            painter.setPen(dashed);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
        if (p == 0 && !chart.markers.empty()) {
            std::vector<double> widths;
            widths.reserve(chart.markers.size());
            for (const lab::ChartMarker& m : chart.markers) widths.push_back(fm.horizontalAdvance(Q(m.label)));
            const QString countSample = Q(lab::MessageText(kHiddenMarkers, {"99"}));
            const std::vector<lab::MarkerLabelPlace> places = lab::PlaceMarkerLabels(
                chart, layout.panels[p], widths, h, fm.horizontalAdvance(QStringLiteral(" ") + countSample));
            for (std::size_t i = 0; i < places.size(); ++i) {
                if (!places[i].shown) continue;
                QString text = Q(chart.markers[i].label);
                if (places[i].hidden > 0) {
                    text += QStringLiteral(" ") + Q(lab::MessageText(kHiddenMarkers, {std::to_string(places[i].hidden)}));
                }
                const QRectF label(places[i].x, places[i].y, places[i].width, h);
                painter.fillRect(label, QColor(255, 255, 255, 210));
                painter.setPen(QColor(60, 60, 60));
                painter.drawText(label.adjusted(0.1 * h, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
            }
        }
        painter.setPen(QPen(frame, scale));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(plot);
    }

    // The time axis under the last panel.
    const QRectF last = ToQt(layout.panels.back());
    const ChartMapping timeMap(chart, chart.panels.back(), layout.panels.back());
    for (const lab::TimeTick& t : chart.ticks) {
        const double x = timeMap.X(t.time);
        painter.setPen(QPen(frame, scale));
        painter.drawLine(QPointF(x, last.bottom()), QPointF(x, last.bottom() + 0.25 * h));
        painter.setPen(Qt::black);
        const QRectF label(x - 3 * h, layout.timeLabels.y + 0.25 * h, 6 * h, h);
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, Q(t.label));
        if (!t.date.empty()) painter.drawText(label.translated(0, h), Qt::AlignHCenter | Qt::AlignTop, Q(t.date));
    }

    if (chart.cursor) {
        const double x = timeMap.X(std::clamp(*chart.cursor, chart.from, chart.to));
        painter.setPen(QPen(Qt::black, scale));
        for (const ChartRect& r : layout.panels) painter.drawLine(QPointF(x, r.y), QPointF(x, r.Bottom()));
        const lab::TrendCursor readout = lab::CursorReadout(chart, *chart.cursor);
        std::vector<std::pair<int, QString>> rows{{-1, Q(readout.timeLabel)}};
        for (const lab::CursorValue& v : readout.values) rows.emplace_back(v.colour, Q(v.label + ": " + v.text));
        const QRectF first = ToQt(layout.panels.front());
        PaintTextBox(painter, fm, x, first.top(), QRectF(area.left(), first.top(), area.width(), area.height()), rows);
    }
    painter.restore();
}

bool WriteTrendChart(const std::string& path, const TrendChart& chart, QSize size, std::string* error) {
    const QFileInfo info(QString::fromStdString(path));
    const QString suffix = info.suffix().toLower();
    const auto fail = [&](std::string reason) {
        if (error != nullptr) *error = std::move(reason);
        return false;
    };
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") && suffix != QLatin1String("pdf")) {
        return fail(lab::MessageText(kUnknownFileType, {info.fileName().toStdString()}));
    }
    size = size.expandedTo(QSize(200, 120));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPainter painter;
    if (suffix == QLatin1String("png")) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        if (painter.begin(&image)) {
            PaintTrendChart(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)));
            painter.end();
        }
        if (!image.save(&buffer, "PNG")) return fail(std::string(LoadString(kCannotWrite)));
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(QString::fromStdString(chart.title));
        if (!painter.begin(&svg)) return fail(std::string(LoadString(kCannotWrite)));
        PaintTrendChart(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
    } else {
        // A page of the picture's size (at 96 pixels an inch), drawn at 300 dpi.
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QString::fromStdString(chart.title));
        if (!painter.begin(&pdf)) return fail(std::string(LoadString(kCannotWrite)));
        PaintTrendChart(painter, chart, QRectF(0, 0, pdf.width(), pdf.height()));
        painter.end();
    }
    buffer.close();
    errno = 0;
    if (!ReplaceFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                               FileAccess::LikeTheOld)) {
        std::string reason(LoadString(kCannotWrite));
        if (errno != 0) reason += std::string(": ") + std::strerror(errno);
        return fail(reason);
    }
    return true;
}

}  // namespace wegator
