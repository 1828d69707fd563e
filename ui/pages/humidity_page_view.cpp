#include "pages/humidity_page_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <initializer_list>

#include "artwork.h"
#include "hyperlink_label.h"
#include "maker.h"
#include "pages/number_fields.h"
#include "numeric_edit.h"
#include "pages/recompute_marker.h"
#include "widget_texts.h"

namespace wegator {

void FitEntryFields(std::span<NumericEdit* const> fields, const NumberFormat& format) {
    const std::string widest = WidestEntryText(format);
    for (NumericEdit* field : fields) FitNumberField(field, widest);
}

void FillUnitList(QComboBox* list, std::span<const std::string_view> units) {
    // Sized by its entries from the start, not only once first shown, so that
    // a page not yet shown already has the width it will take.
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (std::string_view unit : units) list->addItem(ToQString(unit));
}

namespace {

// The units an input row or a result row may show besides the unit lists'.
constexpr std::array<std::string_view, 3> kFixedInputUnits = {"%", "ppm", "g/kg"};
constexpr std::array<std::string_view, 4> kFixedResultUnits = {"%", "ppm", "g/kg", "Pa"};

void ReserveWidth(QLabel* label, std::initializer_list<std::span<const std::string_view>> unitSets) {
    const QFontMetrics metrics(label->font());
    int width = 0;
    for (std::span<const std::string_view> units : unitSets) {
        for (std::string_view unit : units) width = std::max(width, metrics.horizontalAdvance(ToQString(unit)));
    }
    label->setMinimumWidth(width + 2 * label->margin());
}

}  // namespace

void ReserveInputUnitWidth(QLabel* label) {
    ReserveWidth(label, {kTemperatureUnits, kPressureUnits, kFixedInputUnits});
}

void ReserveResultUnitWidth(QLabel* label) {
    ReserveWidth(label, {kTemperatureUnits, kEnthalpyUnits, kFixedResultUnits});
}

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

void ResultGridView::Bind(QWidget* page) {
    for (int row = 0; row < CalculatorPage::kRows; ++row) {
        units_[row] = page->findChild<QLabel*>(QStringLiteral("resultUnit%1").arg(row));
        ReserveResultUnitWidth(units_[row]);
        for (int column = 0; column < 4; ++column) {
            QLineEdit* field = page->findChild<QLineEdit*>(QStringLiteral("result%1_%2").arg(row).arg(column));
            MakeResultField(field);
            fields_[4 * row + column] = field;
        }
    }
}

void ShowMakerLogo(HyperlinkLabel* logo) {
    logo->setPixmap(ProgramPicture(40, logo->devicePixelRatioF()));
    logo->SetTarget(QString::fromLatin1(maker::kWebSite));
}

void ShowHumidityPage(const CalculatorPage& model, const HumidityPageControls& c, const ResultGridView& grid) {
    Show(c.temperatureUnits, model.TemperatureUnitIndex());
    Show(c.pressureUnits, model.PressureUnitIndex());
    Show(c.enthalpyUnits, model.EnthalpyUnitIndex());
    c.results->setTitle(QString::fromStdString(model.ResultsCaption()));
    grid.Show(model);
    c.print->setEnabled(model.PrintEnabled());
    c.marker->SetShown(model.MarkerVisible());
}

void ResultGridView::Show(const CalculatorPage& model) const {
    const auto widest = WidestResultTexts(model.Format());
    for (QLineEdit* field : fields_) FitNumberField(field, widest);
    for (int row = 0; row < CalculatorPage::kRows; ++row) {
        wegator::Show(units_[row], model.RowUnit(row));
        for (int column = 0; column < 4; ++column) wegator::Show(Field(row, column), model.ResultText(row, column));
    }
}

}  // namespace wegator
