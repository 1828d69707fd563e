#include "pages/rh_page_widget.h"

#include <QComboBox>
#include <QLabel>

#include "pages/monte_carlo_window.h"
#include "numeric_edit.h"
#include "ui_rh_page.h"
#include "widget_texts.h"

namespace wegator {

namespace {
constexpr int kPageName = 1621;  // the page's name in the Monte Carlo window's title
}  // namespace

RhPageWidget::RhPageWidget(RelativeHumidityPage& model, QWidget* parent)
    : PageWidget(parent), ui_(std::make_unique<Ui::RhPage>()), model_(model) {
    ui_->setupUi(this);
    AttachToolTips(this);
    grid_.Bind(this);

    fields_ = {ui_->dewPointEdit, ui_->dewPointUncertaintyEdit, ui_->temperatureEdit,
               ui_->temperatureUncertaintyEdit, ui_->humidityEdit, ui_->humidityUncertaintyEdit,
               ui_->p1Edit, ui_->p1UncertaintyEdit, ui_->p2Edit};
    for (int f = 0; f < kRhFieldCount; ++f) {
        const auto field = static_cast<RhField>(f);
        connect(fields_[f], &QLineEdit::textEdited, this,
                [this, field](const QString& text) { FieldEdited(field, text); });
    }

    for (QLabel* unit : {ui_->dewPointUnitLabel, ui_->temperatureUnitLabel, ui_->humidityUnitLabel,
                         ui_->p1UnitLabel, ui_->p2UnitLabel}) {
        ReserveInputUnitWidth(unit);
    }
    BindHumidityPage(this, model_, Controls());
    ui_->monteCarloButton->setAutoDefault(true);
    connect(ui_->monteCarloButton, &QPushButton::clicked, this,
            [this] { ShowMonteCarloWindow(monteCarlo_, this, model_, StringTableText(kPageName)); });

    Refresh();
}

RhPageWidget::~RhPageWidget() = default;

HumidityPageControls RhPageWidget::Controls() const {
    return {ui_->temperatureUnitList, ui_->pressureUnitList, ui_->enthalpyUnitList, ui_->computeButton,
            ui_->printButton,       ui_->recomputeMarker,  ui_->resultsGroup,     ui_->logoLabel};
}

QPushButton* RhPageWidget::ComputeButton() const { return ui_->computeButton; }
QPushButton* RhPageWidget::PrintButton() const { return ui_->printButton; }
QPushButton* RhPageWidget::MonteCarloButton() const { return ui_->monteCarloButton; }
MonteCarloWindow* RhPageWidget::MonteCarlo() const { return monteCarlo_; }
RecomputeMarker* RhPageWidget::Marker() const { return ui_->recomputeMarker; }
QComboBox* RhPageWidget::TemperatureUnitList() const { return ui_->temperatureUnitList; }
QComboBox* RhPageWidget::PressureUnitList() const { return ui_->pressureUnitList; }
QComboBox* RhPageWidget::EnthalpyUnitList() const { return ui_->enthalpyUnitList; }
QGroupBox* RhPageWidget::ResultsGroup() const { return ui_->resultsGroup; }

void RhPageWidget::FieldEdited(RhField field, const QString& text) {
    model_.SetFieldText(field, text.toStdString());
    Refresh();
}

void RhPageWidget::Activate() {
    model_.Activate();
    Refresh();
}

bool RhPageWidget::PrintEnabled() const { return model_.PrintEnabled(); }

std::vector<PrintCell> RhPageWidget::PrintCells(const PrintTime& printedAt) const {
    return LayOut(model_.Printout(printedAt));
}

void RhPageWidget::Refresh() {
    for (int f = 0; f < kRhFieldCount; ++f) Show(fields_[f], model_.FieldText(static_cast<RhField>(f)));

    Show(ui_->dewPointUnitLabel, model_.FieldUnit(RhField::DewPoint));
    Show(ui_->temperatureUnitLabel, model_.FieldUnit(RhField::Temperature));
    Show(ui_->humidityUnitLabel, model_.FieldUnit(RhField::Humidity));
    Show(ui_->p1UnitLabel, model_.FieldUnit(RhField::P1));
    Show(ui_->p2UnitLabel, model_.FieldUnit(RhField::P2));

    FitEntryFields(fields_, model_.Format());
    ShowHumidityPage(model_, Controls(), grid_);
    ui_->monteCarloButton->setEnabled(model_.LastRequest().has_value());
}

}  // namespace wegator
