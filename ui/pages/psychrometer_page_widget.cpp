#include "pages/psychrometer_page_widget.h"

#include <QComboBox>
#include <QLabel>

#include "pages/monte_carlo_window.h"
#include "numeric_edit.h"
#include "ui_psychrometer_page.h"
#include "widget_texts.h"

namespace wegator {

namespace {
constexpr int kPageName = 1623;  // the page's name in the Monte Carlo window's title
}  // namespace

PsychrometerPageWidget::PsychrometerPageWidget(PsychrometerPage& model, QWidget* parent)
    : PageWidget(parent), ui_(std::make_unique<Ui::PsychrometerPage>()), model_(model) {
    ui_->setupUi(this);
    AttachToolTips(this);
    grid_.Bind(this);

    fields_ = {ui_->temperatureEdit, ui_->temperatureUncertaintyEdit, ui_->bulbEdit,
               ui_->bulbUncertaintyEdit, ui_->pressureEdit,          ui_->pressureUncertaintyEdit};
    for (int f = 0; f < kPsychrometerFieldCount; ++f) {
        const auto field = static_cast<PsychrometerField>(f);
        connect(fields_[f], &QLineEdit::textEdited, this, [this, field](const QString& text) {
            model_.SetFieldText(field, text.toStdString());
            Refresh();
        });
    }

    for (QLabel* unit : {ui_->temperatureUnitLabel, ui_->bulbUnitLabel, ui_->pressureUnitLabel}) {
        ReserveInputUnitWidth(unit);
    }
    BindHumidityPage(this, model_, Controls());
    ui_->monteCarloButton->setAutoDefault(true);
    connect(ui_->monteCarloButton, &QPushButton::clicked, this,
            [this] { ShowMonteCarloWindow(monteCarlo_, this, model_, StringTableText(kPageName)); });

    Refresh();
}

PsychrometerPageWidget::~PsychrometerPageWidget() = default;

HumidityPageControls PsychrometerPageWidget::Controls() const {
    return {ui_->temperatureUnitList, ui_->pressureUnitList, ui_->enthalpyUnitList, ui_->computeButton,
            ui_->printButton,       ui_->recomputeMarker,  ui_->resultsGroup,     ui_->logoLabel};
}

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
QPushButton* PsychrometerPageWidget::MonteCarloButton() const { return ui_->monteCarloButton; }
MonteCarloWindow* PsychrometerPageWidget::MonteCarlo() const { return monteCarlo_; }
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

std::vector<PrintCell> PsychrometerPageWidget::PrintCells(const PrintTime& printedAt) const {
    return LayOut(model_.Printout(printedAt));
}

void PsychrometerPageWidget::Refresh() {
    for (int f = 0; f < kPsychrometerFieldCount; ++f) {
        Show(fields_[f], model_.FieldText(static_cast<PsychrometerField>(f)));
    }

    for (PsychrometerField field : {PsychrometerField::Temperature, PsychrometerField::Bulb,
                                    PsychrometerField::Pressure}) {
        Show(FieldUnitLabel(field), model_.FieldUnit(field));
    }

    FitEntryFields(fields_, model_.Format());
    ShowHumidityPage(model_, Controls(), grid_);
    ui_->monteCarloButton->setEnabled(model_.LastRequest().has_value());
}

}  // namespace wegator
