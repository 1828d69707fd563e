#include "pages/pressure_page.h"

#include <algorithm>
#include <utility>

#include "text/string_table.h"
#include "text/strings.h"

namespace wegator {

namespace {

bool IsUnitIndex(int index) { return index >= 0 && index < static_cast<int>(kPressurePageUnits.size()); }

}  // namespace

PressurePage::PressurePage(PageHost& host) : PressurePage(host, NumberFormat{}) {}

// The page opens converting 1 kPa.
PressurePage::PressurePage(PageHost& host, const NumberFormat& format)
    : host_(host), format_(format), input_(1, '1') {
    Compute();
}

void PressurePage::ApplySettings(const Settings& s) {
    format_.inputPrecision = s.pressurePrecInput;
    format_.resultPrecision = s.pressurePrecCalcul;
    format_.decimalSign.assign(1, s.decimal == "," ? ',' : '.');
}

std::string_view PressurePage::InputUnit() const {
    return IsUnitIndex(unit_) ? kPressurePageUnits[static_cast<std::size_t>(unit_)].text : std::string_view{};
}

void PressurePage::SetInputText(std::string text) {
    input_ = std::move(text);
    InputEdited();
}

void PressurePage::InputEdited() { MarkOutOfDate(); }

void PressurePage::ChangeInputUnit(int index) {
    unit_ = index;
    MarkOutOfDate();
}

void PressurePage::Compute() {
    if (!input_.empty()) {
        const double v = ReadEntry(input_, format_, host_);
        if (v == InvalidValue) return;  // the field has reported; results and state stay
        // A unit outside the list reads the number as kPa.
        const double kpa = IsUnitIndex(unit_) ? v * kPressurePageUnits[static_cast<std::size_t>(unit_)].toKilopascal : v;
        for (std::size_t i = 0; i < kPressurePageUnits.size(); ++i) {
            // Fixed point whatever the length: every unit keeps its full value.
            results_[i] = FormatFixed(kpa * kPressurePageUnits[i].fromKilopascal, format_.resultPrecision,
                                      format_.decimalSign);
        }
    }
    MarkValid();
}

std::string PressurePage::WidestResultText() const {
    // An entry has at most seven digits before its separator.
    constexpr double kLargestEntry = 9999999.9999999;
    double toKilopascal = 0.0, fromKilopascal = 0.0;
    for (const PressurePageUnit& unit : kPressurePageUnits) {
        toKilopascal = std::max(toKilopascal, unit.toKilopascal);
        fromKilopascal = std::max(fromKilopascal, unit.fromKilopascal);
    }
    std::string text = FormatFixed(-kLargestEntry * toKilopascal * fromKilopascal, format_.resultPrecision,
                                   format_.decimalSign);
    // Every digit as the widest one.
    for (char& c : text) {
        if (c >= '0' && c <= '9') c = '8';
    }
    return text;
}

void PressurePage::Activate() {
    if (stale_) MarkOutOfDate();
    host_.EnableMenuPrint(printEnabled_);
}

void PressurePage::MarkOutOfDate() {
    printEnabled_ = false;
    markerVisible_ = true;
    stale_ = false;
    host_.EnableMenuPrint(false);
}

void PressurePage::MarkValid() {
    printEnabled_ = true;
    markerVisible_ = false;
    stale_ = false;
    host_.EnableMenuPrint(true);
}

PressurePrintout PressurePage::Printout(const PrintTime& printedAt) const {
    PressurePrintout out;
    out.inputCaption = LoadString(msg::InputsCaption);
    out.inputUnit = InputUnit();
    out.inputValue = input_;
    out.resultsCaption = LoadString(msg::ResultsCaption);
    static_assert(std::tuple_size_v<decltype(out.results)> == kPressurePageUnits.size());
    // The printed order is the list order.
    for (std::size_t i = 0; i < kPressurePageUnits.size(); ++i) {
        out.results[i] = {std::string(kPressurePageUnits[i].text), results_[i]};
    }
    out.traceLines = PressureTraceLines(printedAt);
    return out;
}

}  // namespace wegator
