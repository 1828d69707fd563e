#include "sheet/settings_sheet.h"

#include <algorithm>
#include <cmath>

#include "sheet/laboratory_settings_target.h"
#include "sheet/settings_sheet_support.h"
#include "text/strings.h"
#include "lab/tables/cal_file.h"
#include "lab/lines/stream_use.h"
#include "pages/number_entry.h"
#include "physics/units.h"

namespace wegator {

using namespace sheet_detail;

namespace {

// What a fresh installation offers when "Użytkownik" is chosen on an empty field.
constexpr std::string_view kDefaultWaterUserConstant = "0.0006653286";
constexpr std::string_view kDefaultIceUserConstant = "0.0005750000";
// The constants are typed and shown with ten decimals.
constexpr int kConstantDecimals = 10;

// A user constant is kept as it was typed, in the decimal sign of its day; the
// sign may have changed since. It is shown in the sign in force, so that it
// reads back as the same constant.
std::string ConstantInSign(std::string text, std::string_view decimalSign) {
    std::replace(text.begin(), text.end(), ',', '.');
    return WithDecimalSign(text, decimalSign);
}

}  // namespace

// ---- HeldNumber -------------------------------------------------------------

HeldNumber::HeldNumber(Kind kind, std::optional<double> internal, std::string_view unit, const SheetContext& context)
    : kind_(kind), host_(&context.host), decimalSign_(context.decimalSign), exact_(internal) {
    Show(unit);
}

void HeldNumber::Edit(std::string text) {
    text_ = std::move(text);
    edited_ = true;
}

bool HeldNumber::Read(std::optional<double>& internal, bool report) const {
    if (!edited_) {
        internal = exact_;
        return true;
    }
    if (text_.empty()) {
        internal.reset();
        return true;
    }
    const EntryReading reading = GetValue(text_, kPrecision, decimalSign_);
    if (reading.messageId != 0) {
        if (report) Warn(*host_, reading.messageId);
        return false;
    }
    internal = kind_ == Kind::Pressure ? PressureToKilopascal(reading.value, unit_)
                                       : TemperatureDifferenceToCelsius(reading.value, unit_);
    return true;
}

bool HeldNumber::Settle() {
    std::optional<double> value;
    if (!Read(value)) return false;
    exact_ = value;
    edited_ = false;
    return true;
}

void HeldNumber::Show(std::string_view unit) {
    unit_ = unit;
    edited_ = false;
    text_.clear();
    if (!exact_) return;
    double shown = kind_ == Kind::Pressure ? PressureFromKilopascal(*exact_, unit_)
                                           : TemperatureDifferenceFromCelsius(*exact_, unit_);
    if (shown < 0.0 && shown > -1e-8) shown = 0.0;
    text_ = FormatFixed(shown, ShownDecimals(), decimalSign_);
}

int HeldNumber::ShownDecimals() const {
    if (kind_ != Kind::Pressure) return kShownDecimals;
    // A pressure keeps the resolution it has in kPa: a QX-316 uncertainty of
    // 0.05 kPa is 0.00005 MPa, which three decimals would show as nothing.
    const double kilopascalPerUnit = 1.0 / PressureFromKilopascal(1.0, unit_);
    const int more = static_cast<int>(std::lround(std::log10(kilopascalPerUnit)));
    return std::clamp(kShownDecimals + more, kShownDecimals, kPrecision);
}

// ---- "Ogólne" ---------------------------------------------------------------

GeneralSettingsPage::GeneralSettingsPage(const Settings& before, const SheetContext& context)
    : context_(context),
      waterUser_(before.globalAw != -1.0),
      iceUser_(before.globalAi != -1.0),
      water_(before.globalAw),
      ice_(before.globalAi),
      formulaSet_(before.usedFormulas == 0 ? 0 : 1),
      formulaUncertainty_(before.formulasUncertainty != 0) {
    // A constant in force is shown as it is used, and it becomes the user
    // text; otherwise the user text is shown, with the decimal sign in force.
    if (waterUser_) {
        EditConstantText(Phase::Water, FormatFixed(before.globalAw, kConstantDecimals, context_.decimalSign));
    } else {
        waterText_ = ConstantInSign(context_.live.globalAwUser, context_.decimalSign);
    }
    if (iceUser_) {
        EditConstantText(Phase::Ice, FormatFixed(before.globalAi, kConstantDecimals, context_.decimalSign));
    } else {
        iceText_ = ConstantInSign(context_.live.globalAiUser, context_.decimalSign);
    }
}

void GeneralSettingsPage::ChooseUserConstant(Phase bulb, bool user) {
    const bool water = bulb == Phase::Water;
    (water ? waterUser_ : iceUser_) = user;
    if (!user) {
        (water ? water_ : ice_) = -1.0;
        return;
    }
    if (ConstantText(bulb).empty()) {
        EditConstantText(
            bulb, WithDecimalSign(water ? kDefaultWaterUserConstant : kDefaultIceUserConstant, context_.decimalSign));
    }
}

void GeneralSettingsPage::EditConstantText(Phase bulb, std::string text) {
    if (bulb == Phase::Water) {
        waterText_ = std::move(text);
        context_.live.globalAwUser = waterText_;
    } else {
        iceText_ = std::move(text);
        context_.live.globalAiUser = iceText_;
    }
}

PsychrometerAdjustment GeneralSettingsPage::MakeAdjustment(Phase bulb) const {
    const SettingsRunState& run = context_.run;
    const bool water = bulb == Phase::Water;
    return PsychrometerAdjustment(bulb, formulaSet_, context_.decimalSign,
                                  water ? run.waterTemperatureUnit : run.iceTemperatureUnit,
                                  water ? run.waterPressureUnit : run.icePressureUnit, context_.host);
}

void GeneralSettingsPage::FinishAdjustment(const PsychrometerAdjustment& adjustment, bool accepted) {
    const Phase bulb = adjustment.Bulb();
    SettingsRunState& run = context_.run;
    (bulb == Phase::Water ? run.waterTemperatureUnit : run.iceTemperatureUnit) = adjustment.TemperatureUnit();
    (bulb == Phase::Water ? run.waterPressureUnit : run.icePressureUnit) = adjustment.PressureUnit();
    if (accepted && adjustment.Constant() > 0.0 && adjustment.ReferenceGiven()) {
        EditConstantText(bulb, FormatFixed(adjustment.Constant(), kConstantDecimals, context_.decimalSign));
    }
}

bool GeneralSettingsPage::CheckConstant(Phase bulb) {
    const bool water = bulb == Phase::Water;
    double& constant = water ? water_ : ice_;
    if (!UserConstant(bulb)) {
        constant = -1.0;
        return true;
    }
    // Ten decimals: with fewer, every constant would read as 0.000.
    const EntryReading reading = GetValue(ConstantText(bulb), kConstantDecimals, context_.decimalSign);
    constant = -1.0;
    if (reading.messageId != 0) {
        Warn(context_.host, reading.messageId);
        return false;
    }
    if (reading.value < PsychrometerAdjustment::kLowestConstant ||
        reading.value > PsychrometerAdjustment::kHighestConstant) {
        Warn(context_.host, water ? id::kWaterConstantOutOfRange : id::kIceConstantOutOfRange);
        return false;
    }
    constant = reading.value;
    return true;
}

bool GeneralSettingsPage::Check() { return CheckConstant(Phase::Water) && CheckConstant(Phase::Ice); }

void GeneralSettingsPage::ApplyTo(Settings& s) const {
    s.globalAw = waterUser_ ? water_ : -1.0;
    s.globalAi = iceUser_ ? ice_ : -1.0;
    s.usedFormulas = formulaSet_;
    SetFlag(s.formulasUncertainty, formulaUncertainty_);
}

// ---- "Znak dziesiętny" ------------------------------------------------------

namespace {
// Input and computed precision of each row of the page.
constexpr std::array<std::pair<std::int32_t Settings::*, std::int32_t Settings::*>, PrecisionSettingsPage::kRows>
    kPrecisionFields = {{
        {&Settings::rhPrecInput, &Settings::rhPrecCalcul},
        {&Settings::misturePrecInput, &Settings::misturePrecCalcul},
        {&Settings::psychometerPrecInput, &Settings::psychometerPrecCalcul},
        {&Settings::pressurePrecInput, &Settings::pressurePrecCalcul},
        {&Settings::laboratoryPrecInput, &Settings::laboratoryPrecCalcul},
    }};
}  // namespace

PrecisionSettingsPage::PrecisionSettingsPage(const Settings& before) : decimal_(before.decimal == "," ? "," : ".") {
    for (int row = 0; row < kRows; ++row) {
        for (bool computed : {false, true}) {
            const auto field = computed ? kPrecisionFields[row].second : kPrecisionFields[row].first;
            values_[Index(static_cast<Row>(row), computed)] = before.*field;
            texts_[Index(static_cast<Row>(row), computed)] = std::to_string(before.*field);
        }
    }
}

void PrecisionSettingsPage::EditText(Row row, bool computed, std::string text) {
    // Read in 64 bits: "4294967299" is not 3.
    const std::int64_t reading = ParseStoredInteger(text);
    if (reading >= 0) values_[Index(row, computed)] = static_cast<int>(std::min<std::int64_t>(reading, kMaxPrecision));
    texts_[Index(row, computed)] = std::move(text);
}

void PrecisionSettingsPage::ApplyTo(Settings& s) const {
    for (int row = 0; row < kRows; ++row) {
        s.*kPrecisionFields[row].first = values_[Index(static_cast<Row>(row), false)];
        s.*kPrecisionFields[row].second = values_[Index(static_cast<Row>(row), true)];
    }
    s.decimal = decimal_;
}

// ---- The sheet --------------------------------------------------------------

SettingsSheetModel::SettingsSheetModel(Settings& settings, SettingsRunState& run, SettingsSheetHost& host,
                                       LaboratorySettingsTarget* laboratory)
    : context_{settings, run, host, laboratory, settings.decimal == "," ? "," : "."},
      before_{settings, run.handPressure} {
    Open(kGeneralPage);
}

SettingsSheetModel::~SettingsSheetModel() = default;

bool SettingsSheetModel::Opened(int page) const {
    switch (page) {
        case kGeneralPage: return general_.has_value();
        case kPrecisionPage: return precision_.has_value();
        case kPortsPage: return ports_.has_value();
        case kLaboratoryPage: return laboratory_.has_value();
        case kFilePage: return file_.has_value();
        default: return false;
    }
}

void SettingsSheetModel::Open(int page) {
    if (Opened(page)) return;
    const Settings& before = before_.settings;
    switch (page) {
        case kGeneralPage: general_.emplace(before, context_); break;
        case kPrecisionPage: precision_.emplace(before); break;
        case kPortsPage: ports_.emplace(before, before_.handPressure, context_); break;
        case kLaboratoryPage:
            laboratory_.emplace(before, context_);
            laboratory_->SetTableEditorAvailable(tableEditor_);
            break;
        case kFilePage: file_.emplace(before, context_); break;
        default: break;
    }
}

void SettingsSheetModel::SetTableEditorAvailable(bool available) {
    tableEditor_ = available;
    if (laboratory_) laboratory_->SetTableEditorAvailable(available);
}

bool SettingsSheetModel::CheckPage(int page) {
    switch (page) {
        case kGeneralPage: return !general_ || general_->Check();
        case kPortsPage: return !ports_ || ports_->Check();
        case kLaboratoryPage: return !laboratory_ || laboratory_->Check();
        default: return true;  // precisions need no check; the data file is settled by OK only
    }
}

bool SettingsSheetModel::GoToPage(int page) {
    if (page < 0 || page >= kPageCount) return false;
    if (page == current_) return true;
    if (!CheckPage(current_)) return false;
    current_ = page;
    Open(page);
    return true;
}

bool SettingsSheetModel::Accept() {
    for (int page = 0; page < kFilePage; ++page) {
        if (!CheckPage(page)) {
            current_ = page;
            return false;
        }
    }
    // Whichever page OK was pressed on, an opened "Zapis" takes effect too, and
    // last, because it may open a file.
    if (file_ && !file_->Check()) {
        current_ = kFilePage;
        return false;
    }
    return true;
}

EditedSettings SettingsSheetModel::Result() const {
    EditedSettings result;
    result.settings = before_.settings;
    result.settings.globalAwUser = context_.live.globalAwUser;
    result.settings.globalAiUser = context_.live.globalAiUser;
    result.handPressure = before_.handPressure;
    if (general_) general_->ApplyTo(result.settings);
    if (precision_) precision_->ApplyTo(result.settings);
    if (ports_) ports_->ApplyTo(result.settings, result.handPressure);
    if (laboratory_) {
        laboratory_->ApplyTo(result.settings);
        result.tablesEdited = laboratory_->TablesEdited();
    }
    if (file_) {
        file_->ApplyTo(result.settings);
        result.dataFile = file_->Action();
    }
    return result;
}

}  // namespace wegator
