// "Regulacja" on screen: the psychrometer-constant adjustment over water or
// over ice, bound to its PsychrometerAdjustment model.
#pragma once

#include <QDialog>
#include <memory>

#include "sheet/psychrometer_adjustment.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class AdjustmentDialog;
}

namespace wegator {

class NumericEdit;

class AdjustmentDialog : public QDialog {
    Q_OBJECT
public:
    explicit AdjustmentDialog(PsychrometerAdjustment& model, QWidget* parent = nullptr);
    ~AdjustmentDialog() override;

    NumericEdit* Field(PsychrometerAdjustment::Field f) const;
    QLineEdit* ResultField() const;
    QPushButton* ComputeButton() const;
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;
    QComboBox* TemperatureUnitList() const;
    QComboBox* PressureUnitList() const;

private:
    void Refresh();

    std::unique_ptr<Ui::AdjustmentDialog> ui_;
    PsychrometerAdjustment& model_;
};

}  // namespace wegator
