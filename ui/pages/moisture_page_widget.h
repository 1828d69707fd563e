// The moisture-content page on screen, bound to its MoistureContentPage
// model. The first input row is labelled by the quantity list (DP/FP, PPMV,
// PPMW, x); otherwise the page looks and works like the relative-humidity page.
#pragma once

#include <QPointer>
#include <array>
#include <memory>

#include "pages/humidity_page_view.h"
#include "pages/page_widget.h"
#include "pages/moisture_page.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class MoisturePage;
}

namespace wegator {

class MonteCarloWindow;
class NumericEdit;
class RecomputeMarker;

class MoisturePageWidget : public PageWidget {
    Q_OBJECT
public:
    explicit MoisturePageWidget(MoistureContentPage& model, QWidget* parent = nullptr);
    ~MoisturePageWidget() override;

    MoistureContentPage& Model() { return model_; }

    void Activate() override;
    bool PrintEnabled() const override;
    void Refresh() override;
    std::vector<PrintCell> PrintCells(const PrintTime& printedAt) const override;

    // The controls, for the screenshots and for tests. Result rows count from
    // 0 ("DP/FP") to 9 ("Tw/Ti").
    NumericEdit* Field(MoistureField field) const { return fields_[static_cast<int>(field)]; }
    QLabel* FieldUnitLabel(MoistureField field) const;
    QComboBox* ContentQuantityList() const;
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
    std::unique_ptr<Ui::MoisturePage> ui_;
    MoistureContentPage& model_;
    std::array<NumericEdit*, kMoistureFieldCount> fields_{};
    ResultGridView grid_;
    QPointer<MonteCarloWindow> monteCarlo_;
};

}  // namespace wegator
