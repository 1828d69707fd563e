#include "lab/tables/table_editor.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "text/string_table.h"
#include "text/strings.h"
#include "lab/tables/cal_file.h"
#include "pages/number_entry.h"

namespace wegator::lab {

namespace {

constexpr std::string_view kValuePlaceholder = "%s";
constexpr std::string_view kCalExtension = ".cal";
// The list shows, and the file keeps, three decimals.
constexpr int kTablePrecision = 3;
constexpr int kFirstQx311Channel = 1;
constexpr int kLastQx311Channel = 8;

// The list holds what its cells show, which is what the file will keep.
CalibrationEntry AsShown(const CalibrationEntry& e) {
    return {StoredCalNumber(e.value), StoredCalNumber(e.correction), StoredCalNumber(e.uncertainty)};
}

// A row the saved file could not be loaded with (a negative uncertainty, a
// number beyond a million) is refused with its message: true when refused.
bool RefuseEntry(const CalibrationEntry& shown, TableEditorHost& host) {
    int id = 0;
    switch (CheckCalEntry(shown)) {
        case CalLineFault::None: return false;
        case CalLineFault::NegativeUncertainty: id = msg::TableNegativeUncertainty; break;
        default: id = msg::TableNumberOutOfRange; break;
    }
    host.ShowWarning(id, std::string(LoadString(id)));
    return true;
}

// The settings keep a table's file name on one line: a name with a line
// break could never be stored whole, so such a file is refused like one that
// cannot be used.
bool HasLineBreak(std::string_view name) { return name.find_first_of("\r\n") != std::string_view::npos; }

// A name typed without an extension gets ".cal".
std::string WithCalExtension(std::string name) {
    if (std::filesystem::path(name).extension().empty()) name += kCalExtension;
    return name;
}

}  // namespace

TableEditor::TableEditor(TableEditorHost& host, const CalibrationTable& table, std::string fileName)
    : host_(host), fileName_(std::move(fileName)) {
    for (const CalibrationEntry& e : table.Entries()) rows_.push_back(AsShown(e));
}

TableEditor::Row TableEditor::RowTexts(std::size_t index) const {
    const CalibrationEntry& e = rows_[index];
    return {FormatCalNumber(e.value), FormatCalNumber(e.correction), FormatCalNumber(e.uncertainty)};
}

std::optional<std::size_t> TableEditor::PlaceFor(double value) {
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), value,
                                     [](const CalibrationEntry& e, double v) { return e.value < v; });
    if (at != rows_.end() && at->value == value) {
        std::string text(LoadString(msg::ValueAlreadyExists));
        if (const std::size_t p = text.find(kValuePlaceholder); p != std::string::npos) {
            text.replace(p, kValuePlaceholder.size(), FormatCalNumber(value));
        }
        host_.ShowWarning(msg::ValueAlreadyExists, text);
        return std::nullopt;
    }
    return static_cast<std::size_t>(at - rows_.begin());
}

bool TableEditor::Add(const CalibrationEntry& entry) {
    const CalibrationEntry row = AsShown(entry);
    if (RefuseEntry(row, host_)) return false;
    const auto place = PlaceFor(row.value);
    if (!place) return false;
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(*place), row);
    modified_ = true;
    return true;
}

bool TableEditor::Edit(std::size_t index, const CalibrationEntry& entry) {
    if (index >= rows_.size()) return false;
    const CalibrationEntry row = AsShown(entry);
    if (RefuseEntry(row, host_)) return false;
    // The row leaves the list while its new place is sought, so keeping its
    // own value is no duplicate; a clash with another row puts it back untouched.
    const CalibrationEntry old = rows_[index];
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    const auto place = PlaceFor(row.value);
    if (!place) {
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), old);
        return false;
    }
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(*place), row);
    modified_ = true;
    return true;
}

bool TableEditor::Remove(std::size_t index) {
    if (index >= rows_.size()) return false;
    if (!host_.AskYesNo(msg::DeleteRecordQuestion, std::string(LoadString(msg::DeleteRecordQuestion)))) return false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    modified_ = true;
    return true;
}

void TableEditor::OpenFile() {
    const auto chosen = host_.ChooseFileToOpen();
    if (!chosen) return;
    const std::string name = WithCalExtension(*chosen);
    const CalParseResult file = HasLineBreak(name) ? CalParseResult{} : ReadCalFile(name);
    if (!file.ok) {
        if (file.badLine > 0) {
            const CalFileMessage m = CalLoadFailureMessage(file, name);
            host_.ShowWarning(m.messageId, m.text);
        } else {
            host_.ShowWarning(msg::ChosenFileUnavailable, std::string(LoadString(msg::ChosenFileUnavailable)));
        }
        return;
    }
    const CalibrationTable sorted(file.rows);
    rows_.clear();
    for (const CalibrationEntry& e : sorted.Entries()) rows_.push_back(AsShown(e));
    fileName_ = name;
}

bool TableEditor::Ok() {
    if (modified_) {
        const auto chosen = host_.ChooseFileToSave();
        if (!chosen) {
            host_.ShowWarning(msg::TableMustBeSaved, std::string(LoadString(msg::TableMustBeSaved)));
            return false;
        }
        const std::string name = WithCalExtension(*chosen);
        if (HasLineBreak(name) || !WriteCalFile(name, rows_)) {
            host_.ShowWarning(msg::ChosenFileUnavailable, std::string(LoadString(msg::ChosenFileUnavailable)));
            return false;
        }
        fileName_ = name;
        modified_ = false;
    }
    return true;
}

CalibrationTable TableEditor::Table() const { return CalibrationTable(rows_); }

std::optional<CalibrationEntry> ReadEntryFields(std::array<std::string, 3>& fields, std::string_view decimalSign,
                                                TableEditorHost& host) {
    std::array<double, 3> v{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const EntryReading r = GetValue(fields[i], kTablePrecision, decimalSign);
        if (r.messageId != 0) {
            host.ShowWarning(r.messageId, std::string(LoadString(r.messageId)));
            return std::nullopt;
        }
        fields[i] = r.rewritten;
        v[i] = r.value;
    }
    const CalibrationEntry entry{v[0], v[1], v[2]};
    if (RefuseEntry(AsShown(entry), host)) return std::nullopt;
    return entry;
}

std::array<std::string, 3> EntryFieldTexts(const CalibrationEntry& entry, std::string_view decimalSign) {
    return {WithDecimalSign(FormatCalNumber(entry.value), decimalSign),
            WithDecimalSign(FormatCalNumber(entry.correction), decimalSign),
            WithDecimalSign(FormatCalNumber(entry.uncertainty), decimalSign)};
}

std::optional<int> ReadQx311Channel(std::string_view choice, TableEditorHost& host) {
    int channel = 0;
    const auto [end, error] = std::from_chars(choice.data(), choice.data() + choice.size(), channel);
    if (error == std::errc{} && end == choice.data() + choice.size() && channel >= kFirstQx311Channel &&
        channel <= kLastQx311Channel) {
        return channel;
    }
    host.ShowWarning(msg::BadQx311Channel, std::string(LoadString(msg::BadQx311Channel)));
    return std::nullopt;
}

}  // namespace wegator::lab
