// "Monte Carlo…" of the humidity pages: the page's last computed state
// evaluated by drawing its inputs from their distributions, in a window of
// its own beside the page. A table gives, for every result the page shows,
// its value and propagated uncertainty beside the Monte Carlo mean, standard
// deviation and coverage intervals; a histogram shows the values of the
// chosen row with its shortest interval and the value ± 2u.
//
// The evaluation runs on a thread of its own (which shares its draws out
// over the cores), so the window stays responsive; the thread only stores
// its progress in atomics, which the window reads on a timer. Cancel, a new
// state, Escape or closing the window stops it within a fraction of a second.
//
// When a run ends its thread also draws the histogram of every result and
// then lets the values go: a window left open after a run of millions of
// draws holds its figures and pictures, not the draws.
//
// The window opens where the user last left it (its place and size are kept
// with the settings).
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "montecarlo/monte_carlo.h"
#include "pages/humidity_monte_carlo.h"
#include "physics/humidity_engine.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace wegator {

class CalculatorPage;
class HistogramView;
struct Settings;

// What a page computed and how it shows its numbers, copied when the window
// opens: the window keeps to it while the page goes on.
struct MonteCarloCalculation {
    HumidityEngine engine;
    CalculationRequest request;
    std::string temperatureUnit, enthalpyUnit;
    int resultPrecision = 3;
    std::string decimalSign = ",";
    QString pageName;  // for the window's title
};

// The page's state as the window takes it; empty when the page holds no result.
std::optional<MonteCarloCalculation> MonteCarloCalculationOf(const CalculatorPage& page, const QString& pageName);

class MonteCarloWindow : public QWidget {
    Q_OBJECT
public:
    // Opens on `calculation` and starts its evaluation with the default options.
    explicit MonteCarloWindow(MonteCarloCalculation calculation, QWidget* parent = nullptr);
    ~MonteCarloWindow() override;

    // A new state of the page: the run under way is cancelled and the new
    // state evaluated with the options the window shows.
    void SetCalculation(MonteCarloCalculation calculation);
    // Starts an evaluation with the options shown ("Start").
    void Start();
    // Stops the evaluation under way ("Cancel"); its thread ends soon after.
    void Cancel();
    bool Running() const { return worker_ != nullptr; }

    // The options the controls show.
    montecarlo::Options ChosenOptions() const;
    // The last finished (or cancelled) run, if any.
    const std::optional<HumidityMonteCarlo>& Result() const { return result_; }
    // Shows the histogram of a row of the table.
    void ChooseRow(int row);
    // The histogram of a row as the run left it (none before a run ends).
    const MonteCarloHistogram* HistogramOf(int row) const;

    // Where every Monte Carlo window keeps its place and size (the program's
    // settings); until one is given, they are kept for the session only.
    static void KeepPlaceIn(Settings* settings);
    // Takes the place and size last left, or a default size.
    void RestorePlace();

    // The controls, for tests and the screenshots.
    QTableWidget* Table() const { return table_; }
    QSpinBox* SeedBox() const { return seed_; }
    QRadioButton* AdaptiveChoice() const { return adaptive_; }
    QRadioButton* FixedChoice() const { return fixed_; }
    QSpinBox* DrawsBox() const { return draws_; }
    QComboBox* CoverageList() const { return coverage_; }
    QPushButton* StartButton() const { return start_; }
    QPushButton* CancelButton() const { return cancel_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QLabel* StatusLabel() const { return status_; }

signals:
    // A run ended: finished, refused or cancelled.
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The evaluation under way: the worker writes `drawn`, `limit` and, last,
    // `outcome` before `done`; the window reads `outcome` only once `done` is set.
    struct Worker {
        std::atomic<std::size_t> drawn{0};
        std::atomic<std::size_t> limit{0};
        std::atomic<bool> cancel{false};
        std::atomic<bool> done{false};
        std::optional<HumidityMonteCarlo> outcome;  // its values let go once drawn
        std::vector<MonteCarloHistogram> histograms;  // one per result
        std::string failure;  // what went wrong when the run could not be made
        montecarlo::Options options;
        std::thread thread;
    };

    void Poll();
    void StopWorker();
    void ShowRunning();
    void ShowResult();
    void UpdateButtons();
    void RememberPlace();
    // The table's headings, naming the coverage probability of the intervals.
    void ShowHeadings(double coverage);
    // The table as high as its rows (up to a page's column of results) and as wide as its columns.
    void FitTable();

    MonteCarloCalculation calculation_;
    std::unique_ptr<Worker> worker_;
    std::optional<HumidityMonteCarlo> result_;
    std::vector<MonteCarloHistogram> histograms_;
    montecarlo::Options resultOptions_;
    QString failure_;

    QSpinBox* seed_;
    QRadioButton* adaptive_;
    QRadioButton* fixed_;
    QSpinBox* draws_;
    QComboBox* coverage_;
    QPushButton* start_;
    QPushButton* cancel_;
    QPushButton* close_;
    QProgressBar* progress_;
    QLabel* status_;
    QTableWidget* table_;
    QGroupBox* histogramGroup_;
    HistogramView* histogram_;
    QTimer* timer_;
};

// The page's "Monte Carlo…": opens the page's window on its last computed
// state, or brings the open one forward with that state. Nothing when the
// page holds no result.
MonteCarloWindow* ShowMonteCarloWindow(QPointer<MonteCarloWindow>& window, QWidget* page, const CalculatorPage& model,
                                       const QString& pageName);

}  // namespace wegator
