#include "pages/moisture_page_widget.h"

#include <QComboBox>
#include <QLabel>

#include "pages/monte_carlo_window.h"
#include "numeric_edit.h"
#include "ui_moisture_page.h"
#include "widget_texts.h"

namespace wegator {

namespace {
constexpr int kPageName = 1622;  // the page's name in the Monte Carlo window's title
}  // namespace

MoisturePageWidget::MoisturePageWidget(MoistureContentPage& model, QWidget* parent)
    : PageWidget(parent), ui_(std::make_unique<Ui::MoisturePage>()), model_(model) {
    ui_->setupUi(this);
    AttachToolTips(this);
    grid_.Bind(this);

    fields_ = {ui_->contentEdit, ui_->contentUncertaintyEdit, ui_->temperatureEdit, ui_->temperatureUncertaintyEdit,
               ui_->p1Edit,      ui_->p1UncertaintyEdit,     ui_->p2Edit};
    for (int f = 0; f < kMoistureFieldCount; ++f) {
        const auto field = static_cast<MoistureField>(f);
        connect(fields_[f], &QLineEdit::textEdited, this, [this, field](const QString& text) {
            model_.SetFieldText(field, text.toStdString());
            Refresh();
        });
    }

    for (QLabel* unit : {ui_->contentUnitLabel, ui_->temperatureUnitLabel, ui_->p1UnitLabel, ui_->p2UnitLabel}) {
        ReserveInputUnitWidth(unit);
    }
    FillUnitList(ui_->contentQuantityList, kContentQuantities);
    connect(ui_->contentQuantityList, &QComboBox::activated, this, [this](int index) {
        model_.ChangeContentQuantity(index);
        Refresh();
    });
    BindHumidityPage(this, model_, Controls());
    ui_->monteCarloButton->setAutoDefault(true);
    connect(ui_->monteCarloButton, &QPushButton::clicked, this,
            [this] { ShowMonteCarloWindow(monteCarlo_, this, model_, StringTableText(kPageName)); });

    Refresh();
}

MoisturePageWidget::~MoisturePageWidget() = default;

HumidityPageControls MoisturePageWidget::Controls() const {
    return {ui_->temperatureUnitList, ui_->pressureUnitList, ui_->enthalpyUnitList, ui_->computeButton,
            ui_->printButton,       ui_->recomputeMarker,  ui_->resultsGroup,     ui_->logoLabel};
}

QLabel* MoisturePageWidget::FieldUnitLabel(MoistureField field) const {
    switch (field) {
        case MoistureField::Content:
        case MoistureField::ContentUncertainty: return ui_->contentUnitLabel;
        case MoistureField::Temperature:
        case MoistureField::TemperatureUncertainty: return ui_->temperatureUnitLabel;
        case MoistureField::P1:
        case MoistureField::P1Uncertainty: return ui_->p1UnitLabel;
        case MoistureField::P2: return ui_->p2UnitLabel;
    }
    return nullptr;
}
QComboBox* MoisturePageWidget::ContentQuantityList() const { return ui_->contentQuantityList; }
QPushButton* MoisturePageWidget::ComputeButton() const { return ui_->computeButton; }
QPushButton* MoisturePageWidget::PrintButton() const { return ui_->printButton; }
QPushButton* MoisturePageWidget::MonteCarloButton() const { return ui_->monteCarloButton; }
MonteCarloWindow* MoisturePageWidget::MonteCarlo() const { return monteCarlo_; }
RecomputeMarker* MoisturePageWidget::Marker() const { return ui_->recomputeMarker; }
QComboBox* MoisturePageWidget::TemperatureUnitList() const { return ui_->temperatureUnitList; }
QComboBox* MoisturePageWidget::PressureUnitList() const { return ui_->pressureUnitList; }
QComboBox* MoisturePageWidget::EnthalpyUnitList() const { return ui_->enthalpyUnitList; }
QGroupBox* MoisturePageWidget::ResultsGroup() const { return ui_->resultsGroup; }

void MoisturePageWidget::Activate() {
    model_.Activate();
    Refresh();
}

bool MoisturePageWidget::PrintEnabled() const { return model_.PrintEnabled(); }

std::vector<PrintCell> MoisturePageWidget::PrintCells(const PrintTime& printedAt) const {
    return LayOut(model_.Printout(printedAt));
}

void MoisturePageWidget::Refresh() {
    for (int f = 0; f < kMoistureFieldCount; ++f) Show(fields_[f], model_.FieldText(static_cast<MoistureField>(f)));

    Show(ui_->contentQuantityList, model_.ContentQuantityIndex());
    for (MoistureField field : {MoistureField::Content, MoistureField::Temperature, MoistureField::P1,
                                MoistureField::P2}) {
        Show(FieldUnitLabel(field), model_.FieldUnit(field));
    }

    FitEntryFields(fields_, model_.Format());
    ShowHumidityPage(model_, Controls(), grid_);
    ui_->monteCarloButton->setEnabled(model_.LastRequest().has_value());
}

}  // namespace wegator
