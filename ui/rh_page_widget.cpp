#include "rh_page_widget.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QSignalBlocker>

#include "artwork.h"
#include "maker.h"
#include "numeric_edit.h"
#include "physics/units.h"
#include "ui_rh_page.h"
#include "widget_texts.h"

namespace wegator {

namespace {

template <std::size_t N>
void FillUnitList(QComboBox* list, const std::array<std::string_view, N>& units) {
    for (std::string_view unit : units) list->addItem(ToQString(unit));
}

// Writes a text the model holds without it counting as an edit; a field that
// already shows it keeps its cursor.
void Show(QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() == shown) return;
    const QSignalBlocker blocker(edit);
    edit->setText(shown);
}

void Show(NumericEdit* edit, const std::string& text) { edit->ShowText(QString::fromStdString(text)); }

void Show(QLabel* label, std::string_view text) { label->setText(ToQString(text)); }

void Show(QComboBox* list, int index) {
    if (list->currentIndex() == index) return;
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(index);
}

// Wide enough for the longest text a number can take: the exponent form of a
// negative value or an entry of fifteen characters.
int NumberFieldWidth(const QWidget* field, const char* longest) {
    return QFontMetrics(field->font()).horizontalAdvance(QString::fromLatin1(longest)) + 14;
}

}  // namespace

RhPageWidget::RhPageWidget(RelativeHumidityPage& model, QWidget* parent)
    : PageWidget(parent), ui_(std::make_unique<Ui::RhPage>()), model_(model) {
    ui_->setupUi(this);
    AttachToolTips(this);

    fields_ = {ui_->dewPointEdit, ui_->dewPointUncertaintyEdit, ui_->temperatureEdit,
               ui_->temperatureUncertaintyEdit, ui_->humidityEdit, ui_->humidityUncertaintyEdit,
               ui_->p1Edit, ui_->p1UncertaintyEdit, ui_->p2Edit};
    for (int f = 0; f < kRhFieldCount; ++f) {
        const auto field = static_cast<RhField>(f);
        fields_[f]->setMinimumWidth(NumberFieldWidth(fields_[f], "-0000000,0000"));
        connect(fields_[f], &QLineEdit::textEdited, this,
                [this, field](const QString& text) { FieldEdited(field, text); });
    }

    for (int row = 0; row < CalculatorPage::kRows; ++row) {
        resultUnits_[row] = findChild<QLabel*>(QStringLiteral("resultUnit%1").arg(row));
        for (int column = 0; column < 4; ++column) {
            QLineEdit* field = findChild<QLineEdit*>(QStringLiteral("result%1_%2").arg(row).arg(column));
            field->setMinimumWidth(NumberFieldWidth(field, "-1,2346e+007"));
            results_[4 * row + column] = field;
        }
    }

    FillUnitList(ui_->temperatureUnitList, kTemperatureUnits);
    FillUnitList(ui_->pressureUnitList, kPressureUnits);
    FillUnitList(ui_->enthalpyUnitList, kEnthalpyUnits);
    connect(ui_->temperatureUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangeTemperatureUnit(index);
        Refresh();
    });
    connect(ui_->pressureUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangePressureUnit(index);
        Refresh();
    });
    connect(ui_->enthalpyUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangeEnthalpyUnit(index);
        Refresh();
    });

    connect(ui_->computeButton, &QPushButton::clicked, this, [this] {
        model_.Compute();
        Refresh();
    });
    connect(ui_->printButton, &QPushButton::clicked, this, &PageWidget::printRequested);

    ui_->logoLabel->setPixmap(ProgramPicture(40, devicePixelRatioF()));
    ui_->logoLabel->SetTarget(QString::fromLatin1(maker::kWebSite));

    Refresh();
}

RhPageWidget::~RhPageWidget() = default;

QLineEdit* RhPageWidget::ResultField(RhRow row, int column) const {
    return results_[4 * static_cast<int>(row) + column];
}
QPushButton* RhPageWidget::ComputeButton() const { return ui_->computeButton; }
QPushButton* RhPageWidget::PrintButton() const { return ui_->printButton; }
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

void RhPageWidget::Refresh() {
    for (int f = 0; f < kRhFieldCount; ++f) Show(fields_[f], model_.FieldText(static_cast<RhField>(f)));

    Show(ui_->temperatureUnitList, model_.TemperatureUnitIndex());
    Show(ui_->pressureUnitList, model_.PressureUnitIndex());
    Show(ui_->enthalpyUnitList, model_.EnthalpyUnitIndex());
    Show(ui_->dewPointUnitLabel, model_.FieldUnit(RhField::DewPoint));
    Show(ui_->temperatureUnitLabel, model_.FieldUnit(RhField::Temperature));
    Show(ui_->humidityUnitLabel, model_.FieldUnit(RhField::Humidity));
    Show(ui_->p1UnitLabel, model_.FieldUnit(RhField::P1));
    Show(ui_->p2UnitLabel, model_.FieldUnit(RhField::P2));

    ui_->resultsGroup->setTitle(QString::fromStdString(model_.ResultsCaption()));
    for (int row = 0; row < CalculatorPage::kRows; ++row) {
        Show(resultUnits_[row], model_.RowUnit(static_cast<RhRow>(row)));
        for (int column = 0; column < 4; ++column) Show(results_[4 * row + column], model_.ResultText(row, column));
    }

    ui_->printButton->setEnabled(model_.PrintEnabled());
    ui_->recomputeMarker->SetShown(model_.MarkerVisible());
}

}  // namespace wegator
