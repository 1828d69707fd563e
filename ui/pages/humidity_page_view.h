// What the three humidity pages (relative humidity, moisture content,
// psychrometer) show alike: entry fields, unit lists and the grid of results.
// Everything here writes what a page model holds onto the widgets without it
// counting as a user edit.
#pragma once

#include <QComboBox>
#include <QObject>
#include <QPushButton>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "pages/number_fields.h"
#include "pages/page_widget.h"
#include "pages/calculator_page.h"
#include "physics/units.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace wegator {

class HyperlinkLabel;
class NumericEdit;
class RecomputeMarker;

// Entry fields wide enough for the longest entry in the page's format.
void FitEntryFields(std::span<NumericEdit* const> fields, const NumberFormat& format);

// Fills a list of units (or quantities) and sizes it to its entries.
void FillUnitList(QComboBox* list, std::span<const std::string_view> units);

// Unit labels keep the width of the longest unit they may show, so that
// nothing on the page moves when a unit changes.
void ReserveInputUnitWidth(QLabel* label);
void ReserveResultUnitWidth(QLabel* label);

// A text the model holds; a field that already shows it keeps its cursor.
void Show(QLineEdit* edit, const std::string& text);
void Show(NumericEdit* edit, const std::string& text);
void Show(QLabel* label, std::string_view text);
// The list's entry the model holds, without it counting as the user's choice.
void Show(QComboBox* list, int index);

// The ten rows of four result fields and their unit labels, found in a page's
// layout by their names: result<row>_<column> and resultUnit<row>.
class ResultGridView {
public:
    // Finds the fields under `page` (once its layout is set up) and makes
    // them look read-only.
    void Bind(QWidget* page);

    QLineEdit* Field(int row, int column) const { return fields_[4 * row + column]; }
    QLabel* UnitLabel(int row) const { return units_[row]; }

    // The grid and its unit labels as the model holds them, each field wide
    // enough for the longest result in the model's format.
    void Show(const CalculatorPage& model) const;

private:
    std::array<QLineEdit*, 4 * CalculatorPage::kRows> fields_{};
    std::array<QLabel*, CalculatorPage::kRows> units_{};
};

// The controls every humidity page has besides its entry fields.
struct HumidityPageControls {
    QComboBox* temperatureUnits;
    QComboBox* pressureUnits;
    QComboBox* enthalpyUnits;
    QPushButton* compute;
    QPushButton* print;
    RecomputeMarker* marker;
    QGroupBox* results;
    HyperlinkLabel* logo;
};

// The maker's picture, opening the maker's web site when clicked.
void ShowMakerLogo(HyperlinkLabel* logo);

// Fills the unit lists and hands every choice and the "Oblicz" button to the
// model, after which the page shows the model again; "Drukuj" asks the main
// window to print; the maker's logo opens the maker's web site.
template <typename Model>
void BindHumidityPage(PageWidget* page, Model& model, const HumidityPageControls& c) {
    FillUnitList(c.temperatureUnits, kTemperatureUnits);
    FillUnitList(c.pressureUnits, kPressureUnits);
    FillUnitList(c.enthalpyUnits, kEnthalpyUnits);
    QObject::connect(c.temperatureUnits, &QComboBox::activated, page, [page, &model](int index) {
        model.ChangeTemperatureUnit(index);
        page->Refresh();
    });
    QObject::connect(c.pressureUnits, &QComboBox::activated, page, [page, &model](int index) {
        model.ChangePressureUnit(index);
        page->Refresh();
    });
    QObject::connect(c.enthalpyUnits, &QComboBox::activated, page, [page, &model](int index) {
        model.ChangeEnthalpyUnit(index);
        page->Refresh();
    });
    QObject::connect(c.compute, &QPushButton::clicked, page, [page, &model] {
        model.Compute();
        page->Refresh();
    });
    QObject::connect(c.print, &QPushButton::clicked, page, &PageWidget::printRequested);
    page->SetButtons(c.compute, {c.print});
    ShowMakerLogo(c.logo);
}

// The unit lists, results caption, grid, print button and recompute marker as
// the model holds them.
void ShowHumidityPage(const CalculatorPage& model, const HumidityPageControls& c, const ResultGridView& grid);

}  // namespace wegator
