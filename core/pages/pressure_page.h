// The pressure page: one pressure in any of twelve units, shown in all twelve.
#pragma once

#include <array>
#include <string>

#include "app/settings.h"
#include "pages/number_entry.h"
#include "pages/page_host.h"
#include "pages/print_layout.h"
#include "physics/units.h"

namespace wegator {

class PressurePage {
public:
    // Opens showing 1 kPa in every unit, with printing enabled.
    explicit PressurePage(PageHost& host);
    // The same with the page's precisions and decimal sign already known, so
    // the first results are shown in them.
    PressurePage(PageHost& host, const NumberFormat& format);

    void SetFormat(const NumberFormat& format) { format_ = format; }
    const NumberFormat& Format() const { return format_; }
    void ApplySettings(const Settings& s);

    const std::string& InputText() const { return input_; }
    // A user edit of the input field.
    void SetInputText(std::string text);
    void InputEdited();
    // Index into kPressurePageUnits; the number is read in the new unit at the next Compute.
    void ChangeInputUnit(int index);
    int InputUnitIndex() const { return unit_; }
    std::string_view InputUnit() const;
    void Compute();
    // A text as wide as the widest result the page can show in its format: the
    // largest entry in the largest unit, converted to the smallest.
    std::string WidestResultText() const;
    // One text per unit, indexed like kPressurePageUnits.
    const std::array<std::string, kPressurePageUnits.size()>& ResultTexts() const { return results_; }

    bool Stale() const { return stale_; }
    void SetStale() { stale_ = true; }
    bool PrintEnabled() const { return printEnabled_; }
    bool MarkerVisible() const { return markerVisible_; }
    void Activate();

    // What the "Drukuj" button prints at `printedAt`: the input and every unit's result as shown.
    PressurePrintout Printout(const PrintTime& printedAt) const;

private:
    void MarkOutOfDate();
    void MarkValid();

    PageHost& host_;
    NumberFormat format_{3, 3, ","};
    std::string input_;
    int unit_ = kPressurePageDefaultUnit;
    std::array<std::string, kPressurePageUnits.size()> results_{};
    bool stale_ = false;
    bool printEnabled_ = false;
    bool markerVisible_ = true;
};

}  // namespace wegator
