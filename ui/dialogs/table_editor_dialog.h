// The correction-table editor on screen ("Tablica korekcji i ich niepewności"),
// its "Dodaj"/"Edytuj" dialog and the QX-311 channel choice, bound to the
// laboratory core's TableEditor model. The widgets only forward clicks and
// show the model's rows; every rule (sorted places, duplicates, saving) is
// the model's.
//
// The settings sheet opens them like this:
//
//   if (auto channel = AskQx311Channel(this)) { … table and file of that channel … }
//   if (auto edited = EditCorrectionTable(table, fileName, decimalSign, this)) {
//       … take edited->table and edited->fileName …
//   }
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "lab/tables/calibration_table.h"
#include "lab/tables/table_editor.h"

class QComboBox;
class QPushButton;
class QTableWidget;

namespace Ui {
class TableEditorDialog;
class TableEntryDialog;
class Qx311ChannelDialog;
}  // namespace Ui

namespace wegator {

class NumericEdit;
class TableEntryDialog;

// Stand-ins for the boxes and dialogs the editor opens (tests, screenshots);
// an empty hook shows the real one.
struct TableEditorHooks {
    std::function<void(int messageId, const std::string& text)> warning;
    std::function<bool(int messageId, const std::string& text)> question;
    std::function<std::optional<std::string>()> fileToOpen;
    std::function<std::optional<std::string>()> fileToSave;
    // Runs "Dodaj"/"Edytuj" and says whether it closed with OK.
    std::function<bool(TableEntryDialog& dialog)> entry;
};

// The editor's window around the model: warning boxes (exclamation, OK,
// empty title), the "Usunąć rekord?" question and the .cal file dialogs.
class QtTableEditorHost : public lab::TableEditorHost {
public:
    QtTableEditorHost(QWidget* owner, TableEditorHooks hooks, std::string fileName)
        : owner_(owner), hooks_(std::move(hooks)), fileName_(std::move(fileName)) {}
    void ShowWarning(int messageId, const std::string& text) override;
    bool AskYesNo(int messageId, const std::string& text) override;
    std::optional<std::string> ChooseFileToOpen() override;
    std::optional<std::string> ChooseFileToSave() override;

private:
    QWidget* owner_;
    TableEditorHooks hooks_;
    std::string fileName_;  // where the file dialogs start
};

class TableEditorDialog : public QDialog {
    Q_OBJECT
public:
    TableEditorDialog(const lab::CalibrationTable& table, const std::string& fileName, std::string decimalSign,
                      TableEditorHooks hooks = {}, QWidget* parent = nullptr);
    ~TableEditorDialog() override;

    // After OK: the table and the file it was saved to (or came from).
    lab::CalibrationTable Table() const { return model_.Table(); }
    const std::string& FileName() const { return model_.FileName(); }

    QTableWidget* RowList() const;
    QPushButton* AddButton() const;
    QPushButton* EditButton() const;
    QPushButton* RemoveButton() const;
    QPushButton* OpenButton() const;
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;

private:
    void AddRow();
    void EditRow();
    void RemoveRow();
    // Fills the list from the model and selects the row showing `selectValue`.
    void Refresh(const std::string& selectValue = {});
    int SelectedRow() const;
    bool RunEntry(TableEntryDialog& dialog);

    std::unique_ptr<Ui::TableEditorDialog> ui_;
    std::string decimalSign_;
    TableEditorHooks hooks_;
    QtTableEditorHost host_;
    lab::TableEditor model_;
};

// "Dodaj" or "Edytuj": three numbers, read on OK as every number entry is;
// a rejected field shows its message and the dialog stays open.
class TableEntryDialog : public QDialog {
    Q_OBJECT
public:
    TableEntryDialog(const QString& title, const std::array<std::string, 3>& texts, std::string decimalSign,
                     lab::TableEditorHost& host, QWidget* parent = nullptr);
    ~TableEntryDialog() override;

    // "Wartość", "Poprawka", "Niepewność".
    NumericEdit* Field(int index) const;
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;
    // The point read on OK.
    const lab::CalibrationEntry& Entry() const { return entry_; }

private:
    std::unique_ptr<Ui::TableEntryDialog> ui_;
    std::string decimalSign_;
    lab::TableEditorHost& host_;
    lab::CalibrationEntry entry_;
};

// "Wybierz kanał QX-311:" with "1" … "8".
class Qx311ChannelDialog : public QDialog {
    Q_OBJECT
public:
    explicit Qx311ChannelDialog(lab::TableEditorHost& host, QWidget* parent = nullptr);
    ~Qx311ChannelDialog() override;

    QComboBox* ChannelList() const;
    QPushButton* OkButton() const;
    // After OK: 1 to 8.
    int Channel() const { return channel_; }

private:
    std::unique_ptr<Ui::Qx311ChannelDialog> ui_;
    lab::TableEditorHost& host_;
    int channel_ = 0;
};

struct EditedTable {
    lab::CalibrationTable table;
    std::string fileName;
};
// Opens the editor on a copy of `table` (from `fileName`) and waits for it:
// what it closed with on OK, nothing on "Anuluj" (the caller's table and name
// stay as they were).
std::optional<EditedTable> EditCorrectionTable(const lab::CalibrationTable& table, const std::string& fileName,
                                               const std::string& decimalSign, QWidget* parent = nullptr);
// Asks for a QX-311 channel: 1 to 8, nothing when cancelled.
std::optional<int> AskQx311Channel(QWidget* parent = nullptr);

}  // namespace wegator
