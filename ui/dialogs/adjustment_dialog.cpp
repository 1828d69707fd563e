#include "dialogs/adjustment_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <array>

#include "text/string_table.h"
#include "artwork.h"
#include "pages/humidity_page_view.h"
#include "numeric_edit.h"
#include "physics/units.h"
#include "ui_adjustment_dialog.h"
#include "widget_texts.h"

namespace wegator {

using AdjustmentField = PsychrometerAdjustment::Field;

AdjustmentDialog::AdjustmentDialog(PsychrometerAdjustment& model, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::AdjustmentDialog>()), model_(model) {
    ui_->setupUi(this);
    setWindowIcon(ProgramIcon());
    const bool water = model_.Bulb() == Phase::Water;
    // The symbols are the same in both languages.
    ui_->bulbLabel->setText(water ? QStringLiteral("T&w") : QStringLiteral("T&i"));
    ui_->referenceLabel->setText(water ? QStringLiteral("&DP") : QStringLiteral("&FP"));
    ui_->resultLabel->setText(StringTableText(water ? msg::OverWaterHeading : msg::OverIceHeading));
    FillUnitList(ui_->temperatureUnitList, kTemperatureUnits);
    FillUnitList(ui_->pressureUnitList, kPressureUnits);
    for (QLabel* unit : {ui_->temperatureUnit, ui_->bulbUnit, ui_->referenceUnit, ui_->pressureUnit}) {
        ReserveInputUnitWidth(unit);
    }
    ui_->resultEdit->setMinimumWidth(NumberFieldWidth(ui_->resultEdit, "0,0000000000"));
    MakeResultField(ui_->resultEdit);

    for (int f = 0; f < PsychrometerAdjustment::kFieldCount; ++f) {
        NumericEdit* field = Field(static_cast<AdjustmentField>(f));
        field->setMinimumWidth(NumberFieldWidth(field, kLongestEntry));
        connect(field, &QLineEdit::textEdited, this, [this, f](const QString& text) {
            model_.EditField(static_cast<AdjustmentField>(f), text.toStdString());
            Refresh();
        });
    }
    connect(ui_->temperatureUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangeTemperatureUnit(index);
        Refresh();
    });
    connect(ui_->pressureUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangePressureUnit(index);
        Refresh();
    });
    connect(ui_->computeButton, &QPushButton::clicked, this, [this] {
        model_.Compute();
        Refresh();
    });
    connect(ui_->okButton, &QPushButton::clicked, this, [this] {
        if (model_.Accept()) accept();
    });
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

AdjustmentDialog::~AdjustmentDialog() = default;

NumericEdit* AdjustmentDialog::Field(AdjustmentField f) const {
    const std::array<NumericEdit*, PsychrometerAdjustment::kFieldCount> fields = {
        ui_->temperatureEdit, ui_->bulbEdit, ui_->referenceEdit, ui_->pressureEdit};
    return fields[static_cast<std::size_t>(f)];
}

QLineEdit* AdjustmentDialog::ResultField() const { return ui_->resultEdit; }
QPushButton* AdjustmentDialog::ComputeButton() const { return ui_->computeButton; }
QPushButton* AdjustmentDialog::OkButton() const { return ui_->okButton; }
QPushButton* AdjustmentDialog::CancelButton() const { return ui_->cancelButton; }
QComboBox* AdjustmentDialog::TemperatureUnitList() const { return ui_->temperatureUnitList; }
QComboBox* AdjustmentDialog::PressureUnitList() const { return ui_->pressureUnitList; }

void AdjustmentDialog::Refresh() {
    for (int f = 0; f < PsychrometerAdjustment::kFieldCount; ++f) {
        Show(Field(static_cast<AdjustmentField>(f)), model_.FieldText(static_cast<AdjustmentField>(f)));
    }
    Show(ui_->resultEdit, model_.ResultText());
    ui_->okButton->setEnabled(model_.OkEnabled());
    // Enter in a field computes until there is a constant to take, then takes it.
    (model_.OkEnabled() ? ui_->okButton : ui_->computeButton)->setDefault(true);
    Show(ui_->temperatureUnitList, model_.TemperatureUnitIndex());
    Show(ui_->pressureUnitList, model_.PressureUnitIndex());
    for (QLabel* unit : {ui_->temperatureUnit, ui_->bulbUnit, ui_->referenceUnit}) Show(unit, model_.TemperatureUnit());
    Show(ui_->pressureUnit, model_.PressureUnit());
}

}  // namespace wegator
