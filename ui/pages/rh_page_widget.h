// The relative-humidity page on screen, bound to its RelativeHumidityPage
// model: every edit, button and unit choice goes to the model, and then the
// page shows again what the model holds.
#pragma once

#include <QPointer>
#include <array>
#include <memory>

#include "pages/humidity_page_view.h"
#include "pages/page_widget.h"
#include "pages/rh_page.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class RhPage;
}

namespace wegator {

class MonteCarloWindow;
class NumericEdit;
class RecomputeMarker;

class RhPageWidget : public PageWidget {
    Q_OBJECT
public:
    explicit RhPageWidget(RelativeHumidityPage& model, QWidget* parent = nullptr);
    ~RhPageWidget() override;

    RelativeHumidityPage& Model() { return model_; }

    void Activate() override;
    bool PrintEnabled() const override;
    void Refresh() override;
    std::vector<PrintCell> PrintCells(const PrintTime& printedAt) const override;

    // The controls, for the main window's start-up sample and for tests.
    NumericEdit* Field(RhField field) const { return fields_[static_cast<int>(field)]; }
    QLineEdit* ResultField(RhRow row, int column) const { return grid_.Field(static_cast<int>(row), column); }
    QLabel* ResultUnitLabel(RhRow row) const { return grid_.UnitLabel(static_cast<int>(row)); }
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
    void FieldEdited(RhField field, const QString& text);

    std::unique_ptr<Ui::RhPage> ui_;
    RelativeHumidityPage& model_;
    std::array<NumericEdit*, kRhFieldCount> fields_{};
    ResultGridView grid_;
    QPointer<MonteCarloWindow> monteCarlo_;
};

}  // namespace wegator
