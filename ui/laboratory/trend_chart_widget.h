// A live trend chart on screen. The owner (the laboratory or QX-311 page)
// builds the chart (lab/trends/trend_chart.h) when the widget asks for one of its
// current width and time window; the widget draws it, follows the mouse with
// a cursor that reads each line's value, and offers in its menu the time
// window, the quantities shown and an export to PNG, SVG or PDF. The menu is
// reached by the mouse's right button, from the keyboard by the menu key or
// Shift+F10 when the chart has the focus, and by the button in its corner
// (with an access key).
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lab/trends/trend_chart.h"

class QMenu;
class QTimer;
class QToolButton;

namespace wegator {

class TrendChartWidget : public QWidget {
    Q_OBJECT
public:
    // The time windows offered, by their index in the settings (labChartWindow).
    static constexpr int kWindows = lab::kChartWindows;
    static std::int64_t WindowMs(int window);  // 10 min, 1 h, 8 h, 24 h

    // What the widget asks the owner for: a chart of `columns` pixel columns
    // over the `windowMs` ending now, of the quantities `shown`.
    struct ChartRequest {
        std::size_t columns = 0;
        std::int64_t windowMs = 0;
        QList<int> shown;
    };
    using ChartSource = std::function<lab::TrendChart(const ChartRequest&)>;
    // A number that changes whenever the data behind the chart changes (a new
    // reading, a restart); the chart is rebuilt only then.
    using RevisionSource = std::function<std::uint64_t()>;
    // Asks for the file to export to; returns an empty path when cancelled and
    // sets *filter to the index of the chosen filter (PNG, SVG, PDF).
    using FileQuestion = std::function<QString(QWidget* parent, const QStringList& filters, int* filter)>;

    // A quantity the owner offers in the context menu.
    struct Quantity {
        int id = 0;
        QString name;
    };

    explicit TrendChartWidget(QWidget* parent = nullptr);
    ~TrendChartWidget() override;

    void SetChartSource(ChartSource source);
    void SetRevisionSource(RevisionSource revision);
    void SetFileQuestion(FileQuestion question);

    // The quantities offered and which of them are shown, in the offered order.
    void SetQuantities(const std::vector<Quantity>& offered, const QList<int>& shown);
    const QList<int>& ShownQuantities() const { return shown_; }
    void SetWindow(int window);  // 0 … kWindows - 1; others are taken as 0
    // Whether the context menu offers the time windows (a recorded file is drawn whole).
    void OfferWindows(bool offered) { windowsOffered_ = offered; }
    int Window() const { return window_; }

    // Asks for a new chart now (the owner changed what it shows).
    void Rebuild();
    const lab::TrendChart& Chart() const { return chart_; }
    // The cursor, chart time, while the mouse is over the plots.
    std::optional<std::int64_t> Cursor() const { return chart_.cursor; }

    // Writes the chart (without the cursor) to `path` at the widget's size;
    // `filter` (0 PNG, 1 SVG, 2 PDF) adds its extension to a name that has
    // none. Returns an empty text, or the message naming the file and reason.
    QString ExportChart(QString path, int filter = -1) const;
    // The context menu as it is offered now (the caller owns it).
    QMenu* CreateContextMenu(QWidget* parent);
    // The corner button that opens the same menu.
    QToolButton* MenuButton() const { return menuButton_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

signals:
    void WindowChanged(int window);
    void QuantitiesChanged(const QList<int>& shown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Tick();
    void BuildIfDirty();
    void Export();
    void ToggleQuantity(int id, bool on);
    void PlaceMenuButton();

    ChartSource source_;
    RevisionSource revision_;
    FileQuestion fileQuestion_;
    std::vector<Quantity> offered_;
    QList<int> shown_;
    int window_ = 0;
    bool windowsOffered_ = true;
    lab::TrendChart chart_;
    std::optional<std::uint64_t> builtRevision_;
    bool dirty_ = true;
    QTimer* timer_ = nullptr;
    QToolButton* menuButton_ = nullptr;
};

}  // namespace wegator
