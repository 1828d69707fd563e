#include "pages/monte_carlo_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>
#include <vector>

#include "chart/histogram_painter.h"
#include "app/settings.h"
#include "pages/calculator_page.h"
#include "text/strings.h"
#include "widget_texts.h"

namespace wegator {

namespace {

constexpr int kTitle = 1620;            // "Monte Carlo – %s"
constexpr int kSeed = 1624;             // "&Ziarno:"
constexpr int kAdaptive = 1625;         // "&Adaptacyjnie, najwyżej %s losowań"
constexpr int kFixed = 1626;            // "Stała &liczba losowań:"
constexpr int kCoverage = 1627;         // "P&rawdopodobieństwo rozszerzenia:"
constexpr int kStart = 1628;            // "&Start"
constexpr int kCancel = 1629;           // "&Przerwij"
constexpr int kClose = 1630;            // "Za&mknij"
constexpr int kDrawingAdaptive = 1640;  // "Losowanie: %s z najwyżej %s (…)"
constexpr int kDrawingFixed = 1641;     // "Losowanie: %s z %s"
constexpr int kFailed = 1642;           // "Ocena metodą Monte Carlo nie powiodła się: %s"
constexpr int kOptionsGroup = 1646;     // "Losowanie"
constexpr int kHistogramTitle = 1647;   // "Histogram: %s"
constexpr int kTableTip = 1655;         // "Wybierz wiersz, …"
constexpr int kSeedTip = 1656;          // "Ziarno generatora: …"
constexpr int kColumns = 10;
// The table's headings ("Wielkość", "Kolumna", "Wartość", "u", … "Jednostka";
// those of the intervals name the coverage) and their tool-tips (0: none).
constexpr int kHeadings[kColumns] = {1631, 1657, 1632, 1633, 1634, 1635, 1636, 1637, 1638, 1639};
constexpr int kHeadingTips[kColumns] = {0, 0, 0, 1649, 1650, 1651, 1652, 1653, 1654, 0};
constexpr int kTimerMs = 100;
// Rows the table shows without scrolling: every result of one column of the page.
constexpr int kVisibleRows = 10;

// The coverage probabilities offered; the second is the default.
constexpr double kCoverages[] = {0.90, 0.95, 0.99};
constexpr int kDefaultCoverage = 1;
constexpr int kDefaultFixedDraws = 100000;

QString Text(int id) { return StringTableText(id); }
QString Text(int id, std::initializer_list<std::string_view> arguments) {
    return ToQString(FillIn(LoadString(id), arguments));
}

// The size a window opens with before the user chose one.
constexpr QSize kDefaultSize(900, 780);

// Where the windows keep their place: the program's settings once given.
Settings sessionPlace;
Settings* placeStore = &sessionPlace;

// A coverage probability in per cent ("95 %", "99,7 %").
std::string Percent(double p, std::string_view decimalSign) { return CoveragePercent(p, decimalSign) + "\u00a0%"; }

}  // namespace

// The histogram of the chosen row, drawn by the chart library.
class HistogramView : public QWidget {
public:
    explicit HistogramView(QWidget* parent) : QWidget(parent) {
        setMinimumSize(420, 220);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    void Show(std::optional<MonteCarloHistogram> picture) {
        picture_ = std::move(picture);
        update();
    }
    const std::optional<MonteCarloHistogram>& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (picture_) {
            PaintHistogram(painter, *picture_, QRectF(rect()));
        } else {
            painter.fillRect(rect(), Qt::white);
        }
    }

private:
    std::optional<MonteCarloHistogram> picture_;
};

// The number of draws with its thousands apart, as every count of draws
// reads ("2 000 000"): the locale's own grouping leaves the first four digits
// together ("2000 000").
class DrawCountBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override {
        return ToQString(DrawCount(static_cast<std::size_t>(std::max(value, 0))));
    }
    int valueFromText(const QString& text) const override { return Digits(text).toInt(); }
    QValidator::State validate(QString& input, int&) const override {
        const QString digits = Digits(input);
        if (digits.isEmpty()) return QValidator::Intermediate;
        bool number = false;
        const int value = digits.toInt(&number);
        if (!number || value > maximum()) return QValidator::Invalid;
        return value < minimum() ? QValidator::Intermediate : QValidator::Acceptable;
    }

private:
    static QString Digits(QString text) {
        text.remove(QChar(0x00A0));
        text.remove(QLatin1Char(' '));
        for (const QChar c : text) {
            if (!c.isDigit()) return QStringLiteral("x");
        }
        return text;
    }
};

std::optional<MonteCarloCalculation> MonteCarloCalculationOf(const CalculatorPage& page, const QString& pageName) {
    if (!page.LastRequest()) return std::nullopt;
    MonteCarloCalculation c;
    c.engine = page.Engine();
    c.request = *page.LastRequest();
    c.temperatureUnit = std::string(page.TemperatureUnit());
    c.enthalpyUnit = std::string(page.EnthalpyUnit());
    c.resultPrecision = page.Format().resultPrecision;
    c.decimalSign = page.Format().decimalSign;
    c.pageName = pageName;
    return c;
}

MonteCarloWindow::MonteCarloWindow(MonteCarloCalculation calculation, QWidget* parent)
    : QWidget(parent, Qt::Window),
      calculation_(std::move(calculation)),
      seed_(new QSpinBox(this)),
      adaptive_(new QRadioButton(this)),
      fixed_(new QRadioButton(this)),
      draws_(new DrawCountBox(this)),
      coverage_(new QComboBox(this)),
      start_(new QPushButton(Text(kStart), this)),
      cancel_(new QPushButton(Text(kCancel), this)),
      close_(new QPushButton(Text(kClose), this)),
      progress_(new QProgressBar(this)),
      status_(new QLabel(this)),
      table_(new QTableWidget(0, kColumns, this)),
      histogramGroup_(new QGroupBox(this)),
      histogram_(new HistogramView(histogramGroup_)),
      timer_(new QTimer(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Text(kTitle, {calculation_.pageName.toStdString()}));
    const montecarlo::Options defaults;

    // The options of a run.
    auto* options = new QGroupBox(Text(kOptionsGroup), this);
    auto* grid = new QGridLayout(options);
    auto* seedLabel = new QLabel(Text(kSeed), options);
    seedLabel->setBuddy(seed_);
    seed_->setRange(0, INT_MAX);
    seed_->setValue(static_cast<int>(defaults.seed));
    seed_->setToolTip(Text(kSeedTip));
    auto* coverageLabel = new QLabel(Text(kCoverage), options);
    coverageLabel->setBuddy(coverage_);
    for (double p : kCoverages) coverage_->addItem(ToQString(Percent(p, calculation_.decimalSign)), p);
    coverage_->setCurrentIndex(kDefaultCoverage);
    adaptive_->setText(Text(kAdaptive, {DrawCount(defaults.maxDraws)}));
    fixed_->setText(Text(kFixed));
    adaptive_->setChecked(true);
    auto* drawsGroup = new QButtonGroup(options);
    drawsGroup->addButton(adaptive_);
    drawsGroup->addButton(fixed_);
    // Every value drawn is kept for the intervals: no more than the adaptive run's cap.
    draws_->setRange(1000, static_cast<int>(defaults.maxDraws));
    draws_->setSingleStep(10000);
    draws_->setValue(kDefaultFixedDraws);
    draws_->setEnabled(false);
    connect(fixed_, &QRadioButton::toggled, draws_, &QWidget::setEnabled);
    grid->addWidget(seedLabel, 0, 0);
    grid->addWidget(seed_, 0, 1);
    grid->addWidget(adaptive_, 0, 3, 1, 2);
    grid->addWidget(coverageLabel, 1, 0);
    grid->addWidget(coverage_, 1, 1);
    grid->addWidget(fixed_, 1, 3);
    grid->addWidget(draws_, 1, 4);
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(5, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    grid->addLayout(buttons, 0, 6, 2, 1);

    progress_->setRange(0, 1000);
    progress_->setTextVisible(true);
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The results: one row per result the page shows.
    for (int c = 0; c < kColumns; ++c) {
        auto* item = new QTableWidgetItem;
        if (kHeadingTips[c] != 0) item->setToolTip(Text(kHeadingTips[c]));
        table_->setHorizontalHeaderItem(c, item);
    }
    ShowHeadings(ChosenOptions().coverage);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAlternatingRowColors(true);
    table_->setToolTip(Text(kTableTip));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The unit takes what width is left, so the rows run across the window.
    table_->horizontalHeader()->setSectionResizeMode(kColumns - 1, QHeaderView::Stretch);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) { ChooseRow(row); });

    auto* histogramLayout = new QVBoxLayout(histogramGroup_);
    histogramLayout->addWidget(histogram_);
    histogramGroup_->setTitle(Text(kHistogramTitle, {""}));

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close_);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(start_, &QPushButton::clicked, this, &MonteCarloWindow::Start);
    connect(cancel_, &QPushButton::clicked, this, &MonteCarloWindow::Cancel);
    connect(timer_, &QTimer::timeout, this, &MonteCarloWindow::Poll);
    for (QPushButton* b : {start_, cancel_, close_}) b->setAutoDefault(true);

    FitTable();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(options);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addWidget(table_);
    layout->addWidget(histogramGroup_, 1);
    layout->addLayout(bottom);

    Start();
}

MonteCarloWindow::~MonteCarloWindow() { StopWorker(); }

void MonteCarloWindow::closeEvent(QCloseEvent* event) {
    StopWorker();
    event->accept();
}

void MonteCarloWindow::keyPressEvent(QKeyEvent* event) {
    // Escape leaves the window as Close does, cancelling a run under way.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MonteCarloWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    RememberPlace();
}

void MonteCarloWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RememberPlace();
}

// Kept as the user moves and sizes the window, so the place survives however
// the program ends (the window may still be open when the settings are saved).
void MonteCarloWindow::RememberPlace() {
    if (!isVisible() || isMinimized() || isMaximized()) return;
    const QRect place = geometry();
    placeStore->monteCarloLeft = place.x();
    placeStore->monteCarloTop = place.y();
    placeStore->monteCarloWidth = place.width();
    placeStore->monteCarloHeight = place.height();
}

void MonteCarloWindow::KeepPlaceIn(Settings* settings) { placeStore = settings != nullptr ? settings : &sessionPlace; }

void MonteCarloWindow::RestorePlace() {
    const Settings& s = *placeStore;
    if (s.monteCarloWidth <= 0 || s.monteCarloHeight <= 0) {
        resize(sizeHint().expandedTo(kDefaultSize));
        return;
    }
    const QRect stored(s.monteCarloLeft, s.monteCarloTop, s.monteCarloWidth, s.monteCarloHeight);
    // A screen unplugged since: the size stays, the desktop chooses the place.
    if (QGuiApplication::screenAt(stored.center()) != nullptr) {
        setGeometry(stored);
    } else {
        resize(stored.size());
    }
}

montecarlo::Options MonteCarloWindow::ChosenOptions() const {
    montecarlo::Options o;
    o.seed = static_cast<std::uint64_t>(seed_->value());
    o.coverage = coverage_->currentData().toDouble();
    o.draws = fixed_->isChecked() ? static_cast<std::size_t>(draws_->value()) : 0;
    return o;
}

void MonteCarloWindow::SetCalculation(MonteCarloCalculation calculation) {
    StopWorker();
    calculation_ = std::move(calculation);
    setWindowTitle(Text(kTitle, {calculation_.pageName.toStdString()}));
    Start();
}

void MonteCarloWindow::Start() {
    StopWorker();
    worker_ = std::make_unique<Worker>();
    Worker* w = worker_.get();
    w->options = ChosenOptions();
    w->limit = w->options.draws > 0 ? w->options.draws : w->options.maxDraws;
    // The thread works on copies of its own: the page may compute again, and
    // the window may take a new state, while it runs.
    w->thread = std::thread([w, c = calculation_] {
        try {
            w->outcome = RunMonteCarlo(c.engine, c.request, w->options, [w](std::size_t drawn, std::size_t limit) {
                w->drawn.store(drawn, std::memory_order_relaxed);
                w->limit.store(limit, std::memory_order_relaxed);
                return !w->cancel.load(std::memory_order_relaxed);
            });
            // Every result's histogram now, so the values drawn can go: the
            // window keeps no more than it shows.
            HumidityMonteCarlo& mc = *w->outcome;
            for (std::size_t i = 0; i < mc.outcome.sorted.size() && i < mc.outputs.size(); ++i) {
                w->histograms.push_back(HistogramOfOutput(c.request, mc, i, w->options.coverage, c.temperatureUnit,
                                                          c.enthalpyUnit, c.decimalSign));
                std::vector<double>().swap(mc.outcome.sorted[i]);
            }
            mc.outcome.sorted.clear();
        } catch (const std::exception& e) {
            w->failure = e.what();
        }
        w->done.store(true, std::memory_order_release);
    });
    failure_.clear();
    ShowRunning();
    timer_->start(kTimerMs);
}

void MonteCarloWindow::Cancel() {
    if (worker_) worker_->cancel.store(true, std::memory_order_relaxed);
    cancel_->setEnabled(false);
}

void MonteCarloWindow::StopWorker() {
    if (!worker_) return;
    worker_->cancel.store(true, std::memory_order_relaxed);
    if (worker_->thread.joinable()) worker_->thread.join();
    worker_.reset();
    timer_->stop();
}

void MonteCarloWindow::Poll() {
    if (!worker_) return;
    if (!worker_->done.load(std::memory_order_acquire)) {
        ShowRunning();
        return;
    }
    worker_->thread.join();
    result_ = std::move(worker_->outcome);
    histograms_ = std::move(worker_->histograms);
    resultOptions_ = worker_->options;
    failure_ = ToQString(worker_->failure);
    worker_.reset();
    timer_->stop();
    ShowResult();
    emit runEnded();
}

void MonteCarloWindow::ShowHeadings(double coverage) {
    const std::string percent = Percent(coverage, calculation_.decimalSign);
    for (int c = 0; c < kColumns; ++c) {
        table_->horizontalHeaderItem(c)->setText(Text(kHeadings[c], {percent}));
    }
}

void MonteCarloWindow::FitTable() {
    const int frame = 2 * table_->frameWidth();
    const int rows = std::min(table_->rowCount(), kVisibleRows);
    const bool scrolls = table_->rowCount() > rows;
    table_->setFixedHeight(frame + table_->horizontalHeader()->sizeHint().height() +
                           std::max(rows, 1) * table_->verticalHeader()->defaultSectionSize());
    // As wide as its columns, so no result is cut off; the window widens with it.
    // (Measured with every column at its contents, the unit then stretched again.)
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(kColumns - 1, QHeaderView::ResizeToContents);
    header->resizeSections(QHeaderView::ResizeToContents);
    table_->setMinimumWidth(frame + header->length() + (scrolls ? table_->verticalScrollBar()->sizeHint().width() : 0));
    header->setSectionResizeMode(kColumns - 1, QHeaderView::Stretch);
}

void MonteCarloWindow::UpdateButtons() {
    start_->setEnabled(!Running());
    cancel_->setEnabled(Running() && !worker_->cancel.load(std::memory_order_relaxed));
}

void MonteCarloWindow::ShowRunning() {
    const std::size_t drawn = worker_->drawn.load(std::memory_order_relaxed);
    const std::size_t limit = std::max<std::size_t>(1, worker_->limit.load(std::memory_order_relaxed));
    progress_->setValue(static_cast<int>(std::min<std::size_t>(1000, drawn * 1000 / limit)));
    const bool adaptive = worker_->options.draws == 0;
    status_->setText(Text(adaptive ? kDrawingAdaptive : kDrawingFixed, {DrawCount(drawn), DrawCount(limit)}));
    UpdateButtons();
}

void MonteCarloWindow::ShowResult() {
    UpdateButtons();
    table_->setRowCount(0);
    histogram_->Show(std::nullopt);
    histogramGroup_->setTitle(Text(kHistogramTitle, {""}));
    if (!result_ || !failure_.isEmpty()) {
        progress_->setValue(0);
        status_->setText(Text(kFailed, {failure_.toStdString()}));
        result_.reset();
        return;
    }
    const HumidityMonteCarlo& mc = *result_;
    const bool cancelled = mc.outcome.status == montecarlo::Status::Cancelled;
    progress_->setValue(cancelled ? 0 : 1000);
    QStringList lines;
    for (const std::string& line : MonteCarloStatusLines(mc, resultOptions_, calculation_.decimalSign)) lines << ToQString(line);
    status_->setText(lines.join(QLatin1Char('\n')));
    if (cancelled || mc.outcome.status == montecarlo::Status::NothingAccepted) return;

    // The headings name the coverage the run was made with.
    ShowHeadings(resultOptions_.coverage);
    table_->setRowCount(static_cast<int>(mc.outputs.size()));
    for (std::size_t i = 0; i < mc.outputs.size(); ++i) {
        const MonteCarloRowTexts t =
            FormatMonteCarloRow(calculation_.request, mc, i, calculation_.temperatureUnit, calculation_.enthalpyUnit,
                                calculation_.resultPrecision, calculation_.decimalSign);
        const std::string cells[kColumns] = {
            t.label, t.column, t.value, t.u, t.mean, t.sd, t.shortestLow + " … " + t.shortestHigh,
            t.symmetricLow + " … " + t.symmetricHigh, t.ratio, t.unit};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(ToQString(cells[c]));
            const bool text = c <= 1 || c == kColumns - 1;
            item->setTextAlignment((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            table_->setItem(static_cast<int>(i), c, item);
        }
    }
    FitTable();
    {
        const QSignalBlocker quiet(table_);
        table_->setCurrentCell(0, 0);
    }
    ChooseRow(0);
}

const MonteCarloHistogram* MonteCarloWindow::HistogramOf(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= histograms_.size()) return nullptr;
    return &histograms_[static_cast<std::size_t>(row)];
}

void MonteCarloWindow::ChooseRow(int row) {
    const MonteCarloHistogram* picture = HistogramOf(row);
    if (picture == nullptr) return;
    if (table_->currentRow() != row) {
        table_->setCurrentCell(row, 0);  // comes back here through currentCellChanged
        return;
    }
    histogramGroup_->setTitle(Text(kHistogramTitle, {picture->name}));
    histogram_->Show(*picture);
}

MonteCarloWindow* ShowMonteCarloWindow(QPointer<MonteCarloWindow>& window, QWidget* page, const CalculatorPage& model,
                                       const QString& pageName) {
    std::optional<MonteCarloCalculation> calculation = MonteCarloCalculationOf(model, pageName);
    if (!calculation) return nullptr;
    if (window) {
        window->SetCalculation(std::move(*calculation));
    } else {
        window = new MonteCarloWindow(std::move(*calculation), page);
        window->RestorePlace();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace wegator
