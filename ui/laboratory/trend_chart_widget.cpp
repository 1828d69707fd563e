#include "laboratory/trend_chart_widget.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSizePolicy>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "chart/trend_painter.h"
#include "lab/base/lab_messages.h"
#include "text/string_table.h"
#include "widget_texts.h"

namespace wegator {

namespace {

// The widget's texts in the string table.
constexpr int kWindowTexts = 1436;   // "10 min", "1 h", "8 h", "24 h"
constexpr int kWindowMenu = 1440;    // "Okno czasu"
constexpr int kQuantityMenu = 1441;  // "Wielkości"
constexpr int kExport = 1442;        // "Eksportuj wykres…"
constexpr int kFilters = 1443;       // PNG, SVG, PDF filters
constexpr int kExportFailed = 1446;  // "Nie udało się zapisać wykresu do %s: %s"
constexpr int kSaveTitle = 1449;     // "Zapisz wykres"
constexpr int kMenuButton = 1482;    // "Wyk&res"
constexpr int kMenuHint = 1483;      // what the button offers, and the keys

constexpr const char* kExtensions[] = {"png", "svg", "pdf"};

QString AskExportFile(QWidget* parent, const QStringList& filters, int* filter) {
    QFileDialog dialog(parent, StringTableText(kSaveTitle), QString(), filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    *filter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::int64_t TrendChartWidget::WindowMs(int window) { return lab::ChartWindowMs(window); }

TrendChartWidget::TrendChartWidget(QWidget* parent)
    : QWidget(parent), fileQuestion_(AskExportFile), timer_(new QTimer(this)), menuButton_(new QToolButton(this)) {
    setMouseTracking(true);
    // Tab reaches the chart; the menu key or Shift+F10 then opens its menu.
    setFocusPolicy(Qt::StrongFocus);
    menuButton_->setObjectName(QStringLiteral("chartMenuButton"));
    menuButton_->setText(StringTableText(kMenuButton));
    menuButton_->setToolTip(StringTableText(kMenuHint));
    menuButton_->setAutoRaise(true);
    menuButton_->setFocusPolicy(Qt::TabFocus);
    connect(menuButton_, &QToolButton::clicked, this, [this] {
        QMenu* menu = CreateContextMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(menuButton_->mapToGlobal(QPoint(0, menuButton_->height())));
    });
    PlaceMenuButton();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    // A second is as often as the station takes readings; a chart whose data
    // did not change is not rebuilt.
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &TrendChartWidget::Tick);
    timer_->start();
}

TrendChartWidget::~TrendChartWidget() = default;

void TrendChartWidget::SetChartSource(ChartSource source) {
    source_ = std::move(source);
    Rebuild();
}

void TrendChartWidget::SetRevisionSource(RevisionSource revision) { revision_ = std::move(revision); }

void TrendChartWidget::SetFileQuestion(FileQuestion question) { fileQuestion_ = std::move(question); }

void TrendChartWidget::SetQuantities(const std::vector<Quantity>& offered, const QList<int>& shown) {
    offered_ = offered;
    shown_.clear();
    for (const Quantity& q : offered_) {
        if (shown.contains(q.id)) shown_.append(q.id);
    }
    Rebuild();
}

void TrendChartWidget::SetWindow(int window) {
    window_ = window >= 0 && window < kWindows ? window : 0;
    Rebuild();
}

void TrendChartWidget::Rebuild() {
    dirty_ = true;
    update();
}

void TrendChartWidget::Tick() {
    if (!revision_) return;
    const std::uint64_t now = revision_();
    if (!builtRevision_ || *builtRevision_ != now) Rebuild();
}

void TrendChartWidget::BuildIfDirty() {
    if (!dirty_) return;
    dirty_ = false;
    const std::optional<std::int64_t> cursor = chart_.cursor;
    if (revision_) builtRevision_ = revision_();
    if (source_) {
        ChartRequest request;
        request.columns = static_cast<std::size_t>(std::max(1, width()));
        request.windowMs = WindowMs(window_);
        request.shown = shown_;
        chart_ = source_(request);
        // The value axes for the plots' heights now: as many ticks as labels
        // fit, so the chart drawn is the chart the cursor reads.
        FitTrendChart(chart_, QRectF(rect()), this);
    } else {
        chart_ = lab::TrendChart{};
    }
    chart_.cursor = cursor;
}

void TrendChartWidget::paintEvent(QPaintEvent*) {
    BuildIfDirty();
    QPainter painter(this);
    PaintTrendChart(painter, chart_, QRectF(rect()));
    if (hasFocus()) {
        // The focus on a chart shows as a frame, as on any control.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void TrendChartWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceMenuButton();
    Rebuild();
}

void TrendChartWidget::PlaceMenuButton() {
    menuButton_->adjustSize();
    menuButton_->move(width() - menuButton_->width() - 2, 2);
    menuButton_->raise();
}

void TrendChartWidget::keyPressEvent(QKeyEvent* event) {
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (event->key() == Qt::Key_Menu || shiftF10) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(0, 0), mapToGlobal(QPoint(0, 0)));
        contextMenuEvent(&menu);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TrendChartWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TrendChartWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TrendChartWidget::mouseMoveEvent(QMouseEvent* event) {
    BuildIfDirty();
    std::optional<std::int64_t> cursor;
    const lab::ChartLayout layout = TrendChartLayout(chart_, QRectF(rect()), this);
    const QPointF at = event->position();
    if (!chart_.Empty() && !layout.panels.empty()) {
        const lab::ChartRect& first = layout.panels.front();
        const lab::ChartRect& last = layout.panels.back();
        if (at.x() >= first.x && at.x() <= first.Right() && at.y() >= first.y && at.y() <= last.Bottom()) {
            cursor = lab::ChartMapping(chart_, chart_.panels.front(), first).Time(at.x());
        }
    }
    if (cursor != chart_.cursor) {
        chart_.cursor = cursor;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void TrendChartWidget::leaveEvent(QEvent* event) {
    if (chart_.cursor) {
        chart_.cursor.reset();
        update();
    }
    QWidget::leaveEvent(event);
}

QMenu* TrendChartWidget::CreateContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    QMenu* windows = menu->addMenu(StringTableText(kWindowMenu));
    windows->menuAction()->setVisible(windowsOffered_);
    auto* group = new QActionGroup(windows);
    for (int w = 0; w < kWindows; ++w) {
        QAction* action = windows->addAction(StringTableText(kWindowTexts + w));
        action->setCheckable(true);
        action->setChecked(w == window_);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, w] {
            if (w == window_) return;
            SetWindow(w);
            emit WindowChanged(w);
        });
    }
    if (!offered_.empty()) {
        QMenu* quantities = menu->addMenu(StringTableText(kQuantityMenu));
        for (const Quantity& q : offered_) {
            QAction* action = quantities->addAction(q.name);
            action->setCheckable(true);
            action->setChecked(shown_.contains(q.id));
            connect(action, &QAction::toggled, this, [this, id = q.id](bool on) { ToggleQuantity(id, on); });
        }
    }
    menu->addSeparator();
    QAction* exportAction = menu->addAction(StringTableText(kExport));
    exportAction->setEnabled(!chart_.Empty());
    connect(exportAction, &QAction::triggered, this, &TrendChartWidget::Export);
    return menu;
}

void TrendChartWidget::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // From the keyboard the menu opens at the chart's corner, where the
    // button is, not wherever the mouse was left.
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                   : mapToGlobal(QPoint(menuButton_->x(), menuButton_->geometry().bottom()));
    menu->popup(at);
}

void TrendChartWidget::ToggleQuantity(int id, bool on) {
    QList<int> shown;
    for (const Quantity& q : offered_) {
        if (q.id == id ? on : shown_.contains(q.id)) shown.append(q.id);
    }
    if (shown == shown_) return;
    shown_ = shown;
    Rebuild();
    emit QuantitiesChanged(shown_);
}

QString TrendChartWidget::ExportChart(QString path, int filter) const {
    if (filter >= 0 && filter < 3 && QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1Char('.') + QLatin1String(kExtensions[filter]);
    }
    lab::TrendChart chart = chart_;
    chart.cursor.reset();
    std::string reason;
    if (WriteTrendChart(path.toStdString(), chart, size(), &reason)) return {};
    return ToQString(lab::MessageText(kExportFailed, {path.toStdString(), reason}));
}

void TrendChartWidget::Export() {
    const QStringList filters{StringTableText(kFilters), StringTableText(kFilters + 1), StringTableText(kFilters + 2)};
    int filter = -1;
    const QString path = fileQuestion_ ? fileQuestion_(this, filters, &filter) : QString();
    if (path.isEmpty()) return;
    const QString failure = ExportChart(path, filter);
    if (failure.isEmpty()) return;
    QMessageBox box(QMessageBox::Warning, StringTableText(msg::ProgramTitle), failure, QMessageBox::Ok, this);
    box.exec();
}

QSize TrendChartWidget::minimumSizeHint() const {
    const int em = fontMetrics().height();
    return {24 * em, 12 * em};
}

QSize TrendChartWidget::sizeHint() const {
    const int em = fontMetrics().height();
    return {48 * em, 24 * em};
}

}  // namespace wegator
