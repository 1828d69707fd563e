// The correction-table editor ("Tablica korekcji i ich niepewności"): a list
// of rows the user adds to, edits, removes or fills from a file, saved to a
// .cal file on OK. The model works on its own copy of the rows and touches
// the table only when it closes with OK; the dialog only binds to it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lab/tables/calibration_table.h"

namespace wegator::lab {

// What the editor needs from the window around it.
class TableEditorHost {
public:
    virtual ~TableEditorHost() = default;
    // A box with the exclamation icon and OK (messageId: string-table number).
    virtual void ShowWarning(int messageId, const std::string& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(int messageId, const std::string& text) = 0;
    // "Otwórz plik": a file-open dialog for existing .cal files (filter 205,
    // title 206). Nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFileToOpen() = 0;
    // OK with changes: a file-save dialog (same filter and title) that asks
    // before overwriting. Nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFileToSave() = 0;
};

class TableEditor {
public:
    // Opens on a copy of the table's entries; not modified.
    TableEditor(TableEditorHost& host, const CalibrationTable& table, std::string fileName);

    // The list's rows as shown: three cells "%.03f" each.
    struct Row {
        std::string value;
        std::string correction;
        std::string uncertainty;
    };
    std::size_t RowCount() const { return rows_.size(); }
    Row RowTexts(std::size_t index) const;
    const std::vector<CalibrationEntry>& Entries() const { return rows_; }
    bool Modified() const { return modified_; }

    // "Dodaj" confirmed with three numbers: the row goes before the first row
    // whose value is greater or equal. A value that the row at that place
    // already shows ("%.03f") gives message 1100 ("Wartość %s już istnieje") and nothing is
    // added; so does a row a .cal file may not hold, with its message (1105 a
    // negative uncertainty, 1106 a number beyond a million), so that every
    // saved table loads again. True when the row was added.
    bool Add(const CalibrationEntry& entry);
    // "Edytuj" confirmed for a row: the row takes the new numbers and moves to
    // its sorted place. When the new value duplicates another row's, or the
    // numbers are refused as in Add, the message is shown and the row stays
    // as it was. True when changed.
    bool Edit(std::size_t index, const CalibrationEntry& entry);
    // "Usuń": asks "Usunąć rekord?"; Yes removes the row. True when removed.
    bool Remove(std::size_t index);
    // "Otwórz plik": the chosen file's rows replace the list, sorted by value,
    // and its name becomes the table's file name. A file that cannot be read
    // (or whose name holds a line break, which the settings cannot keep)
    // gives 207, a refused line its message (1101 to 1104) naming the line;
    // either way nothing changes. The modified flag stays as it was.
    void OpenFile();
    // OK: when modified, asks for a file and saves the rows there (213 when the
    // user cancels, 207 when the file cannot be written or its name holds a
    // line break; the editor then stays open). Returns true when the editor
    // closes; Table() and FileName() then hold what the editor closed with.
    bool Ok();

    // The table and file name the editor holds (after Ok(): the result). "Anuluj"
    // is simply dropping the editor: the caller's table and name stay as they were.
    CalibrationTable Table() const;
    const std::string& FileName() const { return fileName_; }

private:
    // Where a value goes, or nothing (after the message) when the row at that
    // place already shows it.
    std::optional<std::size_t> PlaceFor(double value);

    TableEditorHost& host_;
    std::vector<CalibrationEntry> rows_;
    std::string fileName_;
    bool modified_ = false;
};

// The "Dodaj" / "Edytuj" dialog's OK: the three fields ("Wartość",
// "Poprawka", "Niepewność") read as every number entry is (three decimals,
// truncated; the field is rewritten in its normalised form). A rejected field
// shows its warning (14 or 15), numbers a table may not hold show 1105 or
// 1106; either way nothing is given and the dialog stays open.
std::optional<CalibrationEntry> ReadEntryFields(std::array<std::string, 3>& fields, std::string_view decimalSign,
                                                TableEditorHost& host);

// The three fields of "Edytuj" for a row: its cells with the decimal sign.
std::array<std::string, 3> EntryFieldTexts(const CalibrationEntry& entry, std::string_view decimalSign);

// The QX-311 channel dialog's OK ("Wybierz kanał QX-311:" with "1" … "8"):
// the channel, or nothing after message 36 "Nieprawidłowy numer wejścia QX-311"
// for anything outside 1 to 8 (the dialog stays open).
std::optional<int> ReadQx311Channel(std::string_view choice, TableEditorHost& host);

}  // namespace wegator::lab
