// The pressure page on screen, bound to its PressurePage model.
#pragma once

#include <array>
#include <memory>

#include "pages/page_widget.h"
#include "pages/pressure_page.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class PressurePage;
}

namespace wegator {

class NumericEdit;
class RecomputeMarker;

class PressurePageWidget : public PageWidget {
    Q_OBJECT
public:
    explicit PressurePageWidget(PressurePage& model, QWidget* parent = nullptr);
    ~PressurePageWidget() override;

    PressurePage& Model() { return model_; }

    void Activate() override;
    bool PrintEnabled() const override;
    void Refresh() override;
    std::vector<PrintCell> PrintCells(const PrintTime& printedAt) const override;

    NumericEdit* InputField() const;
    QComboBox* InputUnitList() const;
    // The result field of a unit, indexed like kPressurePageUnits.
    QLineEdit* ResultField(int unitIndex) const { return results_[unitIndex]; }
    QPushButton* ComputeButton() const;
    QPushButton* PrintButton() const;
    RecomputeMarker* Marker() const;

private:
    std::unique_ptr<Ui::PressurePage> ui_;
    PressurePage& model_;
    std::array<QLineEdit*, kPressurePageUnits.size()> results_{};
};

}  // namespace wegator
