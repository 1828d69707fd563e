// The psychrometer page on screen, bound to its PsychrometerPage model: the
// dry temperature, the wet- or ice-bulb temperature and the barometric
// pressure in, the result grid of the relative-humidity page out.
#pragma once

#include <QPointer>
#include <array>
#include <memory>

#include "pages/humidity_page_view.h"
#include "pages/page_widget.h"
#include "pages/psychrometer_page.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class PsychrometerPage;
}

namespace wegator {

class MonteCarloWindow;
class NumericEdit;
class RecomputeMarker;

class PsychrometerPageWidget : public PageWidget {
    Q_OBJECT
public:
    explicit PsychrometerPageWidget(PsychrometerPage& model, QWidget* parent = nullptr);
    ~PsychrometerPageWidget() override;

    PsychrometerPage& Model() { return model_; }

    void Activate() override;
    bool PrintEnabled() const override;
    void Refresh() override;
    std::vector<PrintCell> PrintCells(const PrintTime& printedAt) const override;

    // The controls, for the screenshots and for tests. Result rows count from
    // 0 ("DP/FP") to 9 ("Tw/Ti").
    NumericEdit* Field(PsychrometerField field) const { return fields_[static_cast<int>(field)]; }
    QLabel* FieldUnitLabel(PsychrometerField field) const;
    QLineEdit* ResultField(int row, int column) const { return grid_.Field(row, column); }
    QLabel* ResultUnitLabel(int row) const { return grid_.UnitLabel(row); }
    QPushButton* ComputeButton() const;
    QPushButton* PrintButton() const;
    QPushButton* MonteCarloButton() const;
    // The page's Monte Carlo window while it is open.
    MonteCarloWindow* MonteCarlo() const;
    RecomputeMarker* Marker() const;
    QComboBox* TemperatureUnitList() const;
    QComboBox* PressureUnitList() const;
    QComboBox* EnthalpyUnitList() const;
    QGroupBox* ResultsGroup() const;

private:
    HumidityPageControls Controls() const;
    std::unique_ptr<Ui::PsychrometerPage> ui_;
    PsychrometerPage& model_;
    std::array<NumericEdit*, kPsychrometerFieldCount> fields_{};
    ResultGridView grid_;
    QPointer<MonteCarloWindow> monteCarlo_;
};

}  // namespace wegator
