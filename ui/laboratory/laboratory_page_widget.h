// The laboratory page on screen (SWega5PP), bound to its LaboratoryPage
// model: the instruments' instantaneous values with their ages and
// observation counts, the averaged inputs, the results with their status
// line, the calibration tables' status, the unit lists and the buttons
// "Wyczyść", "Kalibracja" and "Drukuj". Everything it shows comes from the
// model; it only forwards the user's choices.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QElapsedTimer>

#include "pages/humidity_page_view.h"
#include "lab/station/laboratory_page.h"
#include "pages/page_widget.h"

class QLabel;
class QLineEdit;

namespace Ui {
class LaboratoryPage;
}

namespace wegator {

class CalibrationDialog;
class TrendChartWidget;

class LaboratoryPageWidget : public PageWidget {
    Q_OBJECT
public:
    explicit LaboratoryPageWidget(lab::LaboratoryPage& model, QWidget* parent = nullptr);
    ~LaboratoryPageWidget() override;

    lab::LaboratoryPage& Model() { return model_; }

    void Activate() override;
    bool PrintEnabled() const override;
    void Refresh() override;
    std::vector<PrintCell> PrintCells(const PrintTime& printedAt) const override;
    // The results sheet, then the stability figures with the trend of the last window.
    std::vector<PrintSheet> PrintSheets(const PrintTime& printedAt) const override;
    // Shows the model again when something changed since the last look.
    void RefreshIfChanged();
    // The trend chart's choices, as stored: the quantities' keys and the window.
    void SetChartChoices(const std::string& keys, int window);
    // The instruments in use changed: the chart offers their quantities.
    void RefreshChartQuantities();
    std::string ChartKeys() const;
    int ChartWindow() const;
    std::vector<lab::TrendQuantity> ChartQuantities() const;
    TrendChartWidget* Chart() const { return chart_; }
    QLabel* VerdictLine() const { return verdict_; }
    // "Zapis: …": the data file, its interval and its last record, or a warning.
    QLabel* RecordingLine() const { return recording_; }

    // The controls, for tests and screenshots.
    QLineEdit* ValueField(lab::LabValue value) const { return values_[static_cast<std::size_t>(value)]; }
    QLineEdit* AgeField(lab::LabValue value) const { return ages_[static_cast<std::size_t>(value)]; }
    QLineEdit* CountField(lab::LabInput input) const { return counts_[static_cast<std::size_t>(input)]; }
    QLineEdit* AverageField(lab::LabInput input) const { return averages_[static_cast<std::size_t>(input)]; }
    QLineEdit* UncertaintyField(lab::LabInput input) const {
        return uncertainties_[static_cast<std::size_t>(input)];
    }
    QLineEdit* ResultField(int row, int column) const { return grid_.Field(row, column); }
    QLabel* StatusLine() const;
    QPushButton* ClearButton() const;
    QPushButton* CalibrationButton() const;
    QPushButton* PrintButton() const;
    QComboBox* TemperatureUnitList() const;
    // The "Kalibracja" dialog while it is open, else nullptr.
    CalibrationDialog* OpenDialog() const { return dialog_; }

signals:
    // The page may not be shown (no instruments): the main window goes back.
    void activationRefused();
    // A calibration run's dialog closed; its folder is the one to keep.
    void calibrationFolderChosen(const QString& folder);

private:
    void RunCalibration();
    void ShowStability();
    void ShowFields();
    void ShowRecording();
    std::unique_ptr<Ui::LaboratoryPage> ui_;
    lab::LaboratoryPage& model_;
    std::array<QLineEdit*, lab::kLabValues> values_{};
    std::array<QLineEdit*, lab::kLabValues> ages_{};
    std::array<QLabel*, lab::kLabValues> valueUnits_{};
    std::array<QLineEdit*, lab::kLabInputs> counts_{};
    std::array<QLineEdit*, lab::kLabInputs> averages_{};
    std::array<QLineEdit*, lab::kLabInputs> uncertainties_{};
    std::array<QLabel*, lab::kLabInputs> averageUnits_{};
    std::array<QLabel*, lab::kTableFamilyCount> tableStatus_{};
    ResultGridView grid_;
    CalibrationDialog* dialog_ = nullptr;
    TrendChartWidget* chart_ = nullptr;
    QLabel* verdict_ = nullptr;
    QLabel* recording_ = nullptr;
    // The user's choice as stored, also the quantities not offered now.
    std::string chartKeys_;
    // When the verdict was last judged: readings come many times a second,
    // the verdict is judged once a second.
    QElapsedTimer verdictJudged_;
    std::uint64_t shownRevision_ = 0;
};

}  // namespace wegator
