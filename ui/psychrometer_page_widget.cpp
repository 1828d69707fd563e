#include "psychrometer_page_widget.h"

#include <QComboBox>
#include <QLabel>

#include "artwork.h"
#include "maker.h"
#include "numeric_edit.h"
#include "ui_psychrometer_page.h"
#include "widget_texts.h"

namespace wegator {

PsychrometerPageWidget::PsychrometerPageWidget(PsychrometerPage& model, QWidget* parent)
    : PageWidget(parent), ui_(std::make_unique<Ui::PsychrometerPage>()), model_(model) {
    ui_->setupUi(this);
    AttachToolTips(this);
    grid_.Bind(this);

    fields_ = {ui_->temperatureEdit, ui_->temperatureUncertaintyEdit, ui_->bulbEdit,
               ui_->bulbUncertaintyEdit, ui_->pressureEdit,          ui_->pressureUncertaintyEdit};
    for (int f = 0; f < kPsychrometerFieldCount; ++f) {
        const auto field = static_cast<PsychrometerField>(f);
        fields_[f]->setMinimumWidth(NumberFieldWidth(fields_[f], kLongestEntry));
        connect(fields_[f], &QLineEdit::textEdited, this, [this, field](const QString& text) {
            model_.SetFieldText(field, text.toStdString());
            Refresh();
        });
    }

    for (QLabel* unit : {ui_->temperatureUnitLabel, ui_->bulbUnitLabel, ui_->pressureUnitLabel}) {
        ReserveInputUnitWidth(unit);
    }
    BindUnitLists(this, model_, ui_->temperatureUnitList, ui_->pressureUnitList, ui_->enthalpyUnitList);

    connect(ui_->computeButton, &QPushButton::clicked, this, [this] {
        model_.Compute();
        Refresh();
    });
    connect(ui_->printButton, &QPushButton::clicked, this, &PageWidget::printRequested);

    ui_->logoLabel->setPixmap(ProgramPicture(40, devicePixelRatioF()));
    ui_->logoLabel->SetTarget(QString::fromLatin1(maker::kWebSite));

    Refresh();
}

PsychrometerPageWidget::~PsychrometerPageWidget() = default;

QLabel* PsychrometerPageWidget::FieldUnitLabel(PsychrometerField field) const {
    switch (field) {
        case PsychrometerField::Temperature:
        case PsychrometerField::TemperatureUncertainty: return ui_->temperatureUnitLabel;
        case PsychrometerField::Bulb:
        case PsychrometerField::BulbUncertainty: return ui_->bulbUnitLabel;
        case PsychrometerField::Pressure:
        case PsychrometerField::PressureUncertainty: return ui_->pressureUnitLabel;
    }
    return nullptr;
}
QPushButton* PsychrometerPageWidget::ComputeButton() const { return ui_->computeButton; }
QPushButton* PsychrometerPageWidget::PrintButton() const { return ui_->printButton; }
RecomputeMarker* PsychrometerPageWidget::Marker() const { return ui_->recomputeMarker; }
QComboBox* PsychrometerPageWidget::TemperatureUnitList() const { return ui_->temperatureUnitList; }
QComboBox* PsychrometerPageWidget::PressureUnitList() const { return ui_->pressureUnitList; }
QComboBox* PsychrometerPageWidget::EnthalpyUnitList() const { return ui_->enthalpyUnitList; }
QGroupBox* PsychrometerPageWidget::ResultsGroup() const { return ui_->resultsGroup; }

void PsychrometerPageWidget::Activate() {
    model_.Activate();
    Refresh();
}

bool PsychrometerPageWidget::PrintEnabled() const { return model_.PrintEnabled(); }

std::vector<PrintCell> PsychrometerPageWidget::PrintCells() const { return LayOut(model_.Printout()); }

void PsychrometerPageWidget::Refresh() {
    for (int f = 0; f < kPsychrometerFieldCount; ++f) {
        Show(fields_[f], model_.FieldText(static_cast<PsychrometerField>(f)));
    }

    ShowUnitLists(model_, ui_->temperatureUnitList, ui_->pressureUnitList, ui_->enthalpyUnitList);
    for (PsychrometerField field : {PsychrometerField::Temperature, PsychrometerField::Bulb,
                                    PsychrometerField::Pressure}) {
        Show(FieldUnitLabel(field), model_.FieldUnit(field));
    }

    ui_->resultsGroup->setTitle(QString::fromStdString(model_.ResultsCaption()));
    grid_.Show(model_);

    ui_->printButton->setEnabled(model_.PrintEnabled());
    ui_->recomputeMarker->SetShown(model_.MarkerVisible());
}

}  // namespace wegator
