#include "laboratory/laboratory_page_widget.h"

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include "laboratory/calibration_dialog.h"
#include "print/laboratory_printout.h"
#include "laboratory/trend_chart_widget.h"
#include "laboratory/trend_choices.h"
#include "hyperlink_label.h"
#include "pages/number_fields.h"
#include "ui_laboratory_page.h"
#include "widget_texts.h"

namespace wegator {

using lab::LabInput;
using lab::LabValue;

namespace {
// The longest age the page shows (its counts are shorter).
constexpr const char* kLongestAge = "999999s";
}  // namespace

LaboratoryPageWidget::LaboratoryPageWidget(lab::LaboratoryPage& model, QWidget* parent)
    : PageWidget(parent), ui_(std::make_unique<Ui::LaboratoryPage>()), model_(model) {
    ui_->setupUi(this);
    AttachToolTips(this);
    grid_.Bind(this);

    values_ = {ui_->dewPointValue, ui_->temperatureValue, ui_->pressureValue, ui_->environmentTemperatureValue,
               ui_->environmentHumidityValue};
    ages_ = {ui_->dewPointAge, ui_->temperatureAge, ui_->pressureAge, ui_->environmentTemperatureAge,
             ui_->environmentHumidityAge};
    valueUnits_ = {ui_->dewPointUnit, ui_->temperatureUnit, ui_->pressureUnit, ui_->environmentTemperatureUnit,
                   ui_->environmentHumidityUnit};
    counts_ = {ui_->dewPointCount, ui_->temperatureCount, ui_->pressureCount};
    averages_ = {ui_->averageDewPointValue, ui_->averageTemperatureValue, ui_->averagePressureValue};
    uncertainties_ = {ui_->averageDewPointUncertainty, ui_->averageTemperatureUncertainty,
                      ui_->averagePressureUncertainty};
    averageUnits_ = {ui_->averageDewPointUnit, ui_->averageTemperatureUnit, ui_->averagePressureUnit};
    tableStatus_ = {ui_->dp30TableStatus, ui_->f250TableStatus, ui_->qx310TableStatus, ui_->qx311TableStatus};

    for (QLineEdit* field : values_) field->setMinimumWidth(NumberFieldWidth(field, kLongestEntry));
    for (QLineEdit* field : ages_) field->setFixedWidth(NumberFieldWidth(field, kLongestAge));
    for (QLineEdit* field : counts_) field->setFixedWidth(NumberFieldWidth(field, kLongestAge));
    // The unit lists keep the width of their entries.
    ui_->unitGrid->setColumnStretch(2, 1);
    for (auto* fields : {&averages_, &uncertainties_}) {
        for (QLineEdit* field : *fields) field->setMinimumWidth(NumberFieldWidth(field, kLongestEntry));
    }
    for (QLabel* unit : valueUnits_) ReserveInputUnitWidth(unit);
    for (QLabel* unit : averageUnits_) ReserveInputUnitWidth(unit);
    // Readings and results are the station's: they look like the calculator grids.
    MakeResultFields(this);
    EnterPressesFocusedButtons();

    FillUnitList(ui_->temperatureUnitList, kTemperatureUnits);
    FillUnitList(ui_->enthalpyUnitList, kEnthalpyUnits);
    FillUnitList(ui_->pressureUnitList, kPressureUnits);
    connect(ui_->temperatureUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangeTemperatureUnit(index);
        Refresh();
    });
    connect(ui_->enthalpyUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangeEnthalpyUnit(index);
        Refresh();
    });
    connect(ui_->pressureUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangePressureUnit(index);
        Refresh();
    });
    connect(ui_->clearButton, &QPushButton::clicked, this, [this] {
        model_.Clear();
        Refresh();
    });
    connect(ui_->calibrationButton, &QPushButton::clicked, this, &LaboratoryPageWidget::RunCalibration);
    connect(ui_->printButton, &QPushButton::clicked, this, &PageWidget::printRequested);
    ShowMakerLogo(ui_->logoLabel);

    // Under the status line: what the data file gets and when it got it.
    recording_ = new QLabel(this);
    recording_->setObjectName(QStringLiteral("recordingLine"));
    recording_->setWordWrap(true);
    recording_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui_->resultGrid->addWidget(recording_, 13, 0, 1, 6);
    // Under the results: has it settled? The verdict, then the trend.
    verdict_ = new QLabel(this);
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chart_ = new TrendChartWidget(this);
    ui_->resultGrid->addWidget(verdict_, 14, 0, 1, 6);
    ui_->resultGrid->addWidget(chart_, 15, 0, 1, 6);
    ui_->resultGrid->setRowStretch(15, 1);
    chart_->SetChartSource([this](const TrendChartWidget::ChartRequest& r) {
        return model_.Chart(TrendQuantitiesOf(r.shown), r.windowMs, r.columns);
    });
    chart_->SetRevisionSource([this] { return model_.Revision(); });
    connect(chart_, &TrendChartWidget::QuantitiesChanged, this,
            [this](const QList<int>& shown) { chartKeys_ = KeysOf(shown); });
    SetChartChoices(model_.CurrentSettings().labChartQuantities, model_.CurrentSettings().labChartWindow);
    Refresh();
}

LaboratoryPageWidget::~LaboratoryPageWidget() = default;

void LaboratoryPageWidget::SetChartChoices(const std::string& keys, int window) {
    chartKeys_ = keys;
    RefreshChartQuantities();
    chart_->SetWindow(window);
}

void LaboratoryPageWidget::RefreshChartQuantities() {
    chart_->SetQuantities(OfferedQuantities(model_.TrendQuantitiesInUse()), QuantitiesFromKeys(chartKeys_));
}

std::string LaboratoryPageWidget::ChartKeys() const { return chartKeys_; }
int LaboratoryPageWidget::ChartWindow() const { return chart_->Window(); }
std::vector<lab::TrendQuantity> LaboratoryPageWidget::ChartQuantities() const {
    return TrendQuantitiesOf(chart_->ShownQuantities());
}

QLabel* LaboratoryPageWidget::StatusLine() const { return ui_->statusLine; }
QPushButton* LaboratoryPageWidget::ClearButton() const { return ui_->clearButton; }
QPushButton* LaboratoryPageWidget::CalibrationButton() const { return ui_->calibrationButton; }
QPushButton* LaboratoryPageWidget::PrintButton() const { return ui_->printButton; }
QComboBox* LaboratoryPageWidget::TemperatureUnitList() const { return ui_->temperatureUnitList; }

void LaboratoryPageWidget::Activate() {
    const bool shown = model_.Activate();
    Refresh();
    if (!shown) emit activationRefused();
}

bool LaboratoryPageWidget::PrintEnabled() const { return model_.PrintEnabled(); }

std::vector<PrintCell> LaboratoryPageWidget::PrintCells(const PrintTime& printedAt) const {
    return LayOut(model_.Printout(printedAt));
}

std::vector<PrintSheet> LaboratoryPageWidget::PrintSheets(const PrintTime& printedAt) const {
    return LaboratorySheets(model_, printedAt, ChartQuantities(), lab::ChartWindowMs(chart_->Window()));
}

void LaboratoryPageWidget::RefreshIfChanged() {
    if (model_.Revision() != shownRevision_) ShowFields();
    if (!verdictJudged_.isValid() || verdictJudged_.elapsed() >= 1000) {
        ShowStability();
        // The first record's time comes with the clock, not with a change.
        ShowRecording();
    }
    if (dialog_ != nullptr) dialog_->Refresh();
}

void LaboratoryPageWidget::Refresh() {
    ShowFields();
    ShowStability();
}

void LaboratoryPageWidget::ShowFields() {
    shownRevision_ = model_.Revision();
    for (int v = 0; v < lab::kLabValues; ++v) {
        const auto value = static_cast<LabValue>(v);
        Show(values_[v], model_.ValueText(value));
        Show(ages_[v], model_.AgeText(value));
        Show(valueUnits_[v], model_.ValueUnit(value));
    }
    for (int i = 0; i < lab::kLabInputs; ++i) {
        const auto input = static_cast<LabInput>(i);
        Show(counts_[i], model_.ObservationText(input));
        Show(averages_[i], model_.AverageText(input));
        Show(uncertainties_[i], model_.AverageUncertaintyText(input));
        Show(averageUnits_[i], model_.InputUnit(input));
    }
    for (int f = 0; f < static_cast<int>(lab::kTableFamilyCount); ++f) {
        const lab::TableStatus status = model_.TableStatusLine(static_cast<lab::TableFamily>(f));
        Show(tableStatus_[f], status.text);
        tableStatus_[f]->setToolTip(QString::fromStdString(status.tooltip));
    }
    Show(ui_->temperatureUnitList, model_.TemperatureUnitIndex());
    Show(ui_->enthalpyUnitList, model_.EnthalpyUnitIndex());
    Show(ui_->pressureUnitList, model_.PressureUnitIndex());
    ui_->resultsGroup->setTitle(QString::fromStdString(model_.ResultsCaption()));
    const bool stale = model_.ResultsStale();
    for (int row = 0; row < kResultRows; ++row) {
        Show(grid_.UnitLabel(row), ResultRowUnit(row, model_.TemperatureUnit(), model_.EnthalpyUnit()));
        for (int column = 0; column < kResultColumns; ++column) {
            Show(grid_.Field(row, column), model_.ResultText(row, column));
            // Results that stand on a stale input are shown greyed, as out of date.
            grid_.Field(row, column)->setEnabled(!stale);
        }
    }
    Show(ui_->statusLine, model_.StatusText());
    // Trouble on the status line is told in the colour of a warning.
    QPalette statusPalette = ui_->statusLine->palette();
    statusPalette.setColor(QPalette::WindowText, stale || !model_.CalculationState().ok
                                                     ? QColor(Qt::darkRed)
                                                     : palette().color(QPalette::WindowText));
    ui_->statusLine->setPalette(statusPalette);
    ui_->printButton->setEnabled(model_.PrintEnabled());
    ShowRecording();
}

void LaboratoryPageWidget::ShowRecording() {
    const lab::LaboratoryPage::RecordingLine line = model_.RecordingStatus();
    Show(recording_, line.text);
    recording_->setVisible(!line.text.empty());
    QPalette recordingPalette = recording_->palette();
    recordingPalette.setColor(QPalette::WindowText,
                              line.warning ? QColor(Qt::darkRed) : palette().color(QPalette::WindowText));
    recording_->setPalette(recordingPalette);
}

void LaboratoryPageWidget::ShowStability() {
    verdictJudged_.start();
    const lab::StationStability station = model_.StationVerdict();
    ShowVerdict(verdict_, model_.Acquiring() ? model_.StationVerdictText(station) : std::string(), station.stable);
}

void LaboratoryPageWidget::RunCalibration() {
    model_.PrepareRun();
    Refresh();
    CalibrationDialog dialog(model_, this);
    dialog_ = &dialog;
    // Modal for the user; readings and ticks go on meanwhile.
    dialog.exec();
    dialog_ = nullptr;
    model_.RunDialogClosed();
    emit calibrationFolderChosen(QString::fromStdString(model_.CurrentSettings().calibrFilePath));
    Refresh();
}

}  // namespace wegator
