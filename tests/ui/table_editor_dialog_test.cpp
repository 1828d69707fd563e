// The correction-table editor, its "Dodaj"/"Edytuj" dialog and the QX-311
// channel choice, typed into and clicked; boxes and file dialogs are stood in
// for by hooks that record what the user would have seen.
#include "dialogs/table_editor_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <vector>

#include "text/string_table.h"
#include "numeric_edit.h"

namespace wegator {
namespace {

// What the editor showed and what the test answers.
struct Session {
    std::vector<std::pair<int, std::string>> warnings;
    std::vector<int> questions;
    bool answerYes = true;
    std::optional<std::string> fileToOpen;
    std::optional<std::string> fileToSave;
    // The texts typed into the next "Dodaj"/"Edytuj", field by field (empty: left as shown).
    std::array<QString, 3> typed;
    std::vector<QString> entryTitles;

    TableEditorHooks Hooks() {
        TableEditorHooks hooks;
        hooks.warning = [this](int id, const std::string& text) { warnings.emplace_back(id, text); };
        hooks.question = [this](int id, const std::string&) {
            questions.push_back(id);
            return answerYes;
        };
        hooks.fileToOpen = [this] { return fileToOpen; };
        hooks.fileToSave = [this] { return fileToSave; };
        hooks.entry = [this](TableEntryDialog& dialog) {
            entryTitles.push_back(dialog.windowTitle());
            for (int i = 0; i < 3; ++i) {
                if (typed[static_cast<std::size_t>(i)].isEmpty()) continue;
                dialog.Field(i)->selectAll();
                dialog.Field(i)->insert(typed[static_cast<std::size_t>(i)]);
            }
            dialog.OkButton()->click();
            return dialog.result() == QDialog::Accepted;
        };
        return hooks;
    }
};

QStringList Column(const QTableWidget* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row) texts << list->item(row, column)->text();
    return texts;
}

std::string ReadFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Add(TableEditorDialog& editor, Session& session, const QString& value, const QString& correction,
         const QString& uncertainty) {
    session.typed = {value, correction, uncertainty};
    editor.AddButton()->click();
}

TEST(TableEditorDialog, RowsGoToTheirPlaceAndDuplicatesAreRefused) {
    Session session;
    TableEditorDialog editor(lab::CalibrationTable{}, "", ",", session.Hooks());
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Tablica korekcji i ich niepewności"));
    const QTableWidget* list = editor.RowList();
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->horizontalHeaderItem(0)->text(), QStringLiteral("Wartość"));
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("Poprawka"));
    EXPECT_EQ(list->horizontalHeaderItem(2)->text(), QStringLiteral("Niepewność standardowa"));
    EXPECT_FALSE(editor.EditButton()->isEnabled());
    EXPECT_FALSE(editor.RemoveButton()->isEnabled());

    for (const char* value : {"5", "1", "3"}) Add(editor, session, value, "0,1", "0,02");
    Add(editor, session, "2", "-0,05", "0,015");
    EXPECT_EQ(Column(list, 0), (QStringList{"1.000", "2.000", "3.000", "5.000"}));
    EXPECT_EQ(Column(list, 1), (QStringList{"0.100", "-0.050", "0.100", "0.100"}));
    EXPECT_EQ(session.entryTitles.front(), QStringLiteral("Dodaj"));
    // The new row is selected.
    EXPECT_EQ(list->selectedItems().front()->row(), 1);
    EXPECT_TRUE(editor.EditButton()->isEnabled());

    Add(editor, session, "5", "0", "0");
    ASSERT_EQ(session.warnings.size(), 1u);
    EXPECT_EQ(session.warnings[0], std::make_pair(msg::ValueAlreadyExists, std::string("Wartość 5.000 już istnieje")));
    EXPECT_EQ(list->rowCount(), 4);

    // A field that is no number keeps the dialog open with the entry field's message.
    Add(editor, session, "7", "0,1", "--");
    ASSERT_EQ(session.warnings.size(), 2u);
    EXPECT_EQ(session.warnings[1].first, msg::BadInputFormat);
    EXPECT_EQ(list->rowCount(), 4);
}

TEST(TableEditorDialog, EditingRemovingAndSaving) {
    QTemporaryDir folder;
    Session session;
    lab::CalibrationTable table;
    table.Insert(1, 0.1, 0.01);
    table.Insert(3, 0.3, 0.03);
    table.Insert(5, 0.5, 0.05);
    TableEditorDialog editor(table, "", ".", session.Hooks());
    QTableWidget* list = editor.RowList();

    // "Edytuj" shows the row's numbers; a duplicate value leaves the row as it was.
    list->selectRow(0);
    session.typed = {"3", "", ""};
    editor.EditButton()->click();
    EXPECT_EQ(session.entryTitles.back(), QStringLiteral("Edytuj"));
    EXPECT_EQ(Column(list, 0), (QStringList{"1.000", "3.000", "5.000"}));
    EXPECT_EQ(session.warnings.back().first, msg::ValueAlreadyExists);
    // An edited value moves to its place.
    session.typed = {"4", "0.4", ""};
    editor.EditButton()->click();
    EXPECT_EQ(Column(list, 0), (QStringList{"3.000", "4.000", "5.000"}));
    EXPECT_EQ(Column(list, 2), (QStringList{"0.030", "0.010", "0.050"}));

    // "Usuń" asks first; No keeps the row.
    list->selectRow(2);
    session.answerYes = false;
    editor.RemoveButton()->click();
    EXPECT_EQ(list->rowCount(), 3);
    session.answerYes = true;
    editor.RemoveButton()->click();
    EXPECT_EQ(session.questions, (std::vector<int>{msg::DeleteRecordQuestion, msg::DeleteRecordQuestion}));
    EXPECT_EQ(Column(list, 0), (QStringList{"3.000", "4.000"}));

    // OK must save a changed table: a cancelled save dialog keeps the editor open.
    editor.OkButton()->click();
    EXPECT_EQ(session.warnings.back().first, msg::TableMustBeSaved);
    EXPECT_NE(editor.result(), QDialog::Accepted);
    session.fileToSave = folder.filePath(QStringLiteral("dp30")).toStdString();
    editor.OkButton()->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.FileName(), folder.filePath(QStringLiteral("dp30.cal")).toStdString());
    EXPECT_EQ(ReadFile(folder.filePath(QStringLiteral("dp30.cal"))), "3.000;0.300;0.030\r\n4.000;0.400;0.010\r\n");
    EXPECT_EQ(editor.Table().Count(), 2u);
    EXPECT_DOUBLE_EQ(editor.Table().Correction(3.5), 0.35);
}

TEST(TableEditorDialog, OpeningAFileShowsItsRowsSorted) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("qx.cal"));
    std::ofstream(path.toStdString(), std::ios::binary) << "10;0.2;0.04\r\n0;0.1;0.02\r\n";
    Session session;
    session.fileToOpen = path.toStdString();
    TableEditorDialog editor(lab::CalibrationTable{}, "", ".", session.Hooks());
    editor.OpenButton()->click();
    EXPECT_EQ(Column(editor.RowList(), 0), (QStringList{"0.000", "10.000"}));
    EXPECT_EQ(editor.FileName(), path.toStdString());
    // Nothing was changed: OK closes without asking for a file.
    editor.OkButton()->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_TRUE(session.warnings.empty());
}

TEST(Qx311ChannelDialog, OffersTheEightChannels) {
    Session session;
    QtTableEditorHost host(nullptr, session.Hooks(), "");
    Qx311ChannelDialog dialog(host);
    ASSERT_EQ(dialog.ChannelList()->count(), 8);
    EXPECT_EQ(dialog.ChannelList()->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(dialog.ChannelList()->itemText(7), QStringLiteral("8"));
    dialog.ChannelList()->setCurrentIndex(2);
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Channel(), 3);
}

}  // namespace
}  // namespace wegator
