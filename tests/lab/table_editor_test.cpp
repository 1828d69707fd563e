#include "lab/tables/table_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "lab/tables/cal_file.h"
#include "lab/tables/calibration_tables.h"
#include "lab_test_support.h"
#include "pages/page_host.h"

using namespace wegator;
using namespace wegator::lab;
namespace support = wegator::lab::testing;
namespace fs = std::filesystem;

namespace {

class EditorHost : public TableEditorHost {
public:
    void ShowWarning(int id, const std::string& text) override { shown.push_back({id, text}); }
    bool AskYesNo(int id, const std::string&) override {
        asked.push_back(id);
        return yes;
    }
    std::optional<std::string> ChooseFileToOpen() override { return Next(); }
    std::optional<std::string> ChooseFileToSave() override { return Next(); }

    std::optional<std::string> Next() {
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const auto& s : shown) ids.push_back(s.first);
        return ids;
    }

    std::vector<std::pair<int, std::string>> shown;
    std::vector<int> asked;
    bool yes = true;
    std::deque<std::optional<std::string>> files;  // answers of the file dialogs; nullopt: cancelled
};

std::vector<std::string> Values(const TableEditor& e) {
    std::vector<std::string> v;
    for (std::size_t i = 0; i < e.RowCount(); ++i) v.push_back(e.RowTexts(i).value);
    return v;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(TableEditor, AddsInOrderRefusesDuplicatesAndSavesOnOk) {
    const support::TempFolder temp;
    const fs::path& dir = temp.Path();
    EditorHost host;
    TableEditor editor(host, CalibrationTable{}, "");
    for (double v : {5.0, 1.0, 3.0}) EXPECT_TRUE(editor.Add({v, v / 10, 0.01}));
    EXPECT_FALSE(editor.Add({5.0004, 9, 9}));  // shows as 5.000 like the row there
    EXPECT_EQ(host.shown.back(), std::make_pair(1100, std::string("Wartość 5.000 już istnieje")));
    EXPECT_TRUE(editor.Add({2, 0.2, 0.01}));
    EXPECT_EQ(Values(editor), (Strings{"1.000", "2.000", "3.000", "5.000"}));
    EXPECT_TRUE(editor.Modified());

    host.files = {std::nullopt, (dir / "new").string()};
    EXPECT_FALSE(editor.Ok());  // save dialog cancelled: 213, the editor stays open
    EXPECT_EQ(host.shown.back().first, 213);
    EXPECT_TRUE(editor.Ok());
    EXPECT_EQ(editor.FileName(), (dir / "new.cal").string());
    EXPECT_EQ(support::ReadFile(dir / "new.cal"),
              "1.000;0.100;0.010\r\n2.000;0.200;0.010\r\n3.000;0.300;0.010\r\n5.000;0.500;0.010\r\n");
    EXPECT_EQ(editor.Table().Count(), 4u);
    EXPECT_DOUBLE_EQ(editor.Table().Correction(4), 0.4);
}

TEST(TableEditor, EditRemoveAndUnchangedOk) {
    EditorHost host;
    const CalibrationEntry rows[] = {{1, 0.1, 0.01}, {3, 0.3, 0.01}, {5, 0.5, 0.01}};
    TableEditor editor(host, CalibrationTable(rows), "/lab/t.cal");

    // Edited onto another row's value: the message, and the row stays as it was where it was.
    EXPECT_FALSE(editor.Edit(0, {3, 7, 7}));
    EXPECT_EQ(host.Ids(), std::vector<int>{1100});
    EXPECT_EQ(Values(editor), (Strings{"1.000", "3.000", "5.000"}));
    EXPECT_EQ(editor.RowTexts(0).correction, "0.100");
    EXPECT_FALSE(editor.Modified());

    // Its own value again is no duplicate; a new value moves the row to its place.
    EXPECT_TRUE(editor.Edit(1, {3, 0.35, 0.02}));
    EXPECT_EQ(editor.RowTexts(1).correction, "0.350");
    EXPECT_TRUE(editor.Edit(0, {4, 0.4, 0.01}));
    EXPECT_EQ(Values(editor), (Strings{"3.000", "4.000", "5.000"}));

    host.yes = false;
    EXPECT_FALSE(editor.Remove(2));
    host.yes = true;
    EXPECT_TRUE(editor.Remove(2));
    EXPECT_EQ(host.asked, (std::vector<int>{203, 203}));
    EXPECT_EQ(Values(editor), (Strings{"3.000", "4.000"}));

    // Nothing changed: OK closes without asking for a file.
    TableEditor untouched(host, CalibrationTable(rows), "/lab/t.cal");
    EXPECT_TRUE(untouched.Ok());
    EXPECT_EQ(untouched.FileName(), "/lab/t.cal");
    EXPECT_EQ(untouched.Table(), CalibrationTable(rows));
}

TEST(TableEditor, OpenFileAndFailedSave) {
    const support::TempFolder temp;
    const fs::path& dir = temp.Path();
    support::WriteFile(dir / "b.cal", "5;0.5;0.1\r\n1;0.1;0.1\r\n3;0.3;0.1");
    support::WriteFile(dir / "bad.cal", "5;0.5;0.1\r\n1,0;0.1;0.1\r\n");
    EditorHost host;
    TableEditor editor(host, CalibrationTable{}, "a.cal");

    host.files = {(dir / "bad.cal").string(), (dir / "gone.cal").string(), (dir / "b").string()};
    editor.OpenFile();
    editor.OpenFile();
    EXPECT_EQ(host.Ids(), (std::vector<int>{1101, 207}));
    EXPECT_NE(host.shown[0].second.find("wiersz 2"), std::string::npos);
    EXPECT_EQ(editor.FileName(), "a.cal");
    EXPECT_EQ(editor.RowCount(), 0u);

    editor.OpenFile();  // sorted, the last line without its end included; not a change
    EXPECT_EQ(Values(editor), (Strings{"1.000", "3.000", "5.000"}));
    EXPECT_EQ(editor.FileName(), (dir / "b.cal").string());
    EXPECT_FALSE(editor.Modified());

    // A save that cannot be written: 207, the editor stays open, the old file untouched.
    ASSERT_TRUE(editor.Remove(0));
    fs::create_directories(dir / "dir.cal" / "x");
    host.files = {(dir / "dir.cal").string()};
    EXPECT_FALSE(editor.Ok());
    EXPECT_EQ(host.shown.back().first, 207);
    EXPECT_EQ(support::ReadFile(dir / "b.cal"), "5;0.5;0.1\r\n1;0.1;0.1\r\n3;0.3;0.1");

    // A name with a line break could not be kept in the settings: refused
    // with 207 whether opened or saved, and nothing is written under it.
    const fs::path broken = dir / "b\n.cal";
    support::WriteFile(broken, "1;0.1;0.1\r\n");
    host.files = {broken.string(), broken.string()};
    editor.OpenFile();
    EXPECT_EQ(host.shown.back().first, 207);
    EXPECT_EQ(editor.FileName(), (dir / "b.cal").string());
    support::WriteFile(broken, "");
    EXPECT_FALSE(editor.Ok());
    EXPECT_EQ(host.shown.back().first, 207);
    EXPECT_EQ(support::ReadFile(broken), "");
}

TEST(TableEditor, EntryDialogFieldsAndQx311Channel) {
    EditorHost host;
    std::array<std::string, 3> fields = {"-12,3456", "0.1", "2"};
    const auto e = ReadEntryFields(fields, ",", host);
    ASSERT_TRUE(e);
    EXPECT_DOUBLE_EQ(e->value, -12.345);  // truncated to three decimals, as every entry field
    EXPECT_EQ(fields[0], "-12,345");
    EXPECT_EQ(EntryFieldTexts(*e, ","), (std::array<std::string, 3>{"-12,345", "0,100", "2,000"}));
    fields[1] = "1-2";
    EXPECT_FALSE(ReadEntryFields(fields, ",", host));
    EXPECT_EQ(host.Ids(), std::vector<int>{15});

    // Numbers a saved table could not be loaded with: refused by the dialog
    // and by the list alike, the list unchanged.
    TableEditor editor(host, CalibrationTable{}, "");
    ASSERT_TRUE(editor.Add({1, 0.1, 0.01}));
    struct Refused {
        std::array<std::string, 3> fields;
        CalibrationEntry entry;
        int messageId;
    };
    for (Refused r : {Refused{{"1", "0", "-0,001"}, {1, 0, -0.001}, 1105},
                      Refused{{"1000000,001", "0", "0"}, {1000000.001, 0, 0}, 1106},
                      Refused{{"0", "9999999", "0"}, {0, 9999999, 0}, 1106},
                      Refused{{"0", "0", "1000001"}, {0, 0, 1000001}, 1106}}) {
        SCOPED_TRACE(r.fields[0] + ";" + r.fields[1] + ";" + r.fields[2]);
        host.shown.clear();
        EXPECT_FALSE(ReadEntryFields(r.fields, ",", host));
        EXPECT_FALSE(editor.Add(r.entry));
        EXPECT_FALSE(editor.Edit(0, r.entry));
        EXPECT_EQ(host.Ids(), (std::vector<int>{r.messageId, r.messageId, r.messageId}));
    }
    EXPECT_EQ(editor.RowCount(), 1u);
    EXPECT_EQ(editor.RowTexts(0).uncertainty, "0.010");
    EXPECT_TRUE(editor.Add({2, -1000000, 1000000}));  // the limits themselves are fine

    for (std::string_view bad : {"0", "9", "", "x", "1x"}) EXPECT_FALSE(ReadQx311Channel(bad, host)) << bad;
    EXPECT_EQ(host.shown.back().first, 36);
    EXPECT_EQ(ReadQx311Channel("8", host), 8);
}

TEST(CalibrationTables, LoadingSwitchesAndStatusLines) {
    const support::TempFolder temp;
    const fs::path& dir = temp.Path();
    support::WriteFile(dir / "dp30.cal", "0;0.1;0.02\r\n10;0.2;0.04\r\n");
    support::WriteFile(dir / "qx310.cal", "0;0.1;0.02\r\nbad\r\n");
    support::WriteFile(dir / "ch2.cal", "0;1;0.5\r\n");
    support::WriteFile(dir / "empty.cal", "\r\n");
    Settings s;
    TableFileName(s, TableId::Dp30) = (dir / "dp30.cal").string();
    TableFileName(s, TableId::F250) = (dir / "missing.cal").string();
    TableFileName(s, TableId::Qx310) = (dir / "qx310.cal").string();
    TableFileName(s, Qx311Table(2)) = (dir / "ch2.cal").string();
    TableFileName(s, Qx311Table(8)) = (dir / "ch2.cal").string();
    TableFileName(s, Qx311Table(5)) = (dir / "empty.cal").string();  // no rows: quietly no table
    EXPECT_EQ(&TableFileName(s, Qx311Table(8)), &s.calibrationFileNameTempQx311[7]);
    s.settingsLabCalibrationTableDp30 = s.settingsLabCalibrationTableF250 = 1;
    s.settingsLabCalibrationTableTempQx310 = s.settingsLabCalibrationTableTempQx311 = 1;

    RecordingHost host;
    CalibrationTables tables;
    tables.Load(s, host);
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[0].messageId, 209);
    EXPECT_EQ(host.shown[0].text, "Plik kalibracji jest niedostępny.\n" + (dir / "missing.cal").string());
    EXPECT_EQ(host.shown[1].messageId, 1101);
    // The missing file keeps its name: the table comes back when the file does.
    EXPECT_EQ(tables.FileName(TableId::F250), (dir / "missing.cal").string());
    EXPECT_FALSE(tables.Loaded(TableId::F250));
    EXPECT_FALSE(tables.Loaded(Qx311Table(5)));

    EXPECT_EQ(tables.Status(TableFamily::Dp30),
              (TableStatus{"Tablica DP30 jest używana", (dir / "dp30.cal").string()}));
    // A table switched on but not loaded says so for as long as it lasts, the reason in its tooltip.
    EXPECT_EQ(tables.Status(TableFamily::F250),
              (TableStatus{"Tablica włączona, lecz nie wczytana: " + (dir / "missing.cal").string(),
                           host.shown[0].text}));
    EXPECT_EQ(tables.Status(TableFamily::Qx310).tooltip, host.shown[1].text);
    s.settingsLabCalibrationTableF250 = 0;
    tables.ApplySwitches(s);
    EXPECT_EQ(tables.Status(TableFamily::F250), (TableStatus{"Brak tablicy F250", "Brak tablicy F250"}));
    s.settingsLabCalibrationTableF250 = 1;
    tables.ApplySwitches(s);
    EXPECT_EQ(tables.Status(TableFamily::Qx311).text, "Liczba używanych tablic przez QX-311: 2");
    EXPECT_DOUBLE_EQ(tables.Correction(TableId::Dp30, 5), 0.15);
    EXPECT_DOUBLE_EQ(tables.Uncertainty(TableId::Dp30, 5), 0.03);
    EXPECT_EQ(tables.Correction(Qx311Table(2), 20), 1.0);
    EXPECT_EQ(tables.Correction(Qx311Table(3), 20), 0.0);
    // One call per accepted reading: each stream to its own table.
    EXPECT_DOUBLE_EQ(tables.Corrected(Reading{.stream = lab::Stream::Dp30, .value = 5}), 5.15);
    EXPECT_DOUBLE_EQ(tables.Corrected(Reading{.stream = lab::Stream::Qx311, .value = 20, .channel = 2}), 21.0);
    EXPECT_EQ(tables.Corrected(Reading{.stream = lab::Stream::Qx311, .value = 20, .channel = 0}), 20.0);
    EXPECT_EQ(tables.Corrected(Reading{.stream = lab::Stream::Qx310Environment, .value = 20}), 20.0);
    EXPECT_EQ(TableFor(Reading{.stream = lab::Stream::Qx310Temperature}), TableId::Qx310);

    // Switched off: loaded but not in use, readings uncorrected.
    s.settingsLabCalibrationTableDp30 = s.settingsLabCalibrationTableTempQx311 = 0;
    tables.ApplySwitches(s);
    EXPECT_EQ(tables.Status(TableFamily::Dp30).text, "Brak tablicy DP30");
    EXPECT_EQ(tables.Status(TableFamily::Qx311).text, "Brak tablicy QX-311");
    EXPECT_EQ(tables.Correction(TableId::Dp30, 5), 0.0);
    EXPECT_TRUE(tables.Loaded(TableId::Dp30));

    // What the editor closed with.
    tables.Replace(TableId::F250, CalibrationTable(std::vector<CalibrationEntry>{{0, 0.5, 0.1}}), "/lab/f.cal");
    EXPECT_EQ(tables.Status(TableFamily::F250), (TableStatus{"Tablica F250 jest używana", "/lab/f.cal"}));
    tables.Replace(TableId::F250, CalibrationTable{}, "/lab/f.cal");  // every row removed
    EXPECT_EQ(tables.Status(TableFamily::F250).text, "Brak tablicy F250");
    EXPECT_EQ(TableFileSettingName(Qx311Table(8)), "CALIBRATION_FILE_NAME_TEMP8_QX311");
    EXPECT_EQ(TableSwitchSettingName(TableFamily::Qx310), "SETTINGS_LAB_CALIBRATION_TABLE_TEMP_QX310");
}
