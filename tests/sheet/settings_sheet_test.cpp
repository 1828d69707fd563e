// The settings sheet's pages: what they show when opened, the order of their
// checks, and the edited record they end with.
#include "sheet/settings_sheet.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sheet/laboratory_settings_target.h"

namespace wegator {
namespace {

class RecordingSheetHost : public SettingsSheetHost {
public:
    void ShowWarning(int id, const std::string&) override { shown.push_back(id); }
    void ShowMessage(int id, const std::string&) override { shown.push_back(id); }
    bool AskYesNo(int id, const std::string&) override {
        shown.push_back(id);
        return answerYes;
    }
    int Last() const { return shown.empty() ? 0 : shown.back(); }

    std::vector<int> shown;
    bool answerYes = false;
};

class FakeLaboratory : public LaboratorySettingsTarget {
public:
    DataFileState CurrentDataFile() const override { return current; }
    Opening OpenNextDataFile(const std::string& path) override {
        opened.push_back(path);
        return next;
    }
    void ApplySettingsChange(const Settings&, const HandPressure&, const LaboratoryChange&) override {}

    DataFileState current;
    Opening next = Opening::Created;
    std::vector<std::string> opened;
};

// A sheet over a record, with the laboratory present.
struct Sheet {
    explicit Sheet(Settings s = {}) : settings(std::move(s)) {
        model = std::make_unique<SettingsSheetModel>(settings, run, host, &lab);
    }
    Settings settings;
    SettingsRunState run;
    RecordingSheetHost host;
    FakeLaboratory lab;
    std::unique_ptr<SettingsSheetModel> model;
};

using Port = PortsSettingsPage::Port;
using Thermometer = PortsSettingsPage::Thermometer;

TEST(SettingsSheetPorts, ChecksStopAtTheFirstFailureInTheirOrder) {
    struct Case {
        const char* what;
        void (*arrange)(PortsSettingsPage&);
        int message;  // 0: passes
    };
    // The entries: "" (none), then COM1 … COM5: entry n is COMn.
    static Case cases[] = {
        {"complete", [](PortsSettingsPage&) {}, 0},
        {"no thermometer", [](PortsSettingsPage& p) { p.ChooseThermometer(Thermometer::None); }, 212},
        {"no DP30 port, no thermometer",
         [](PortsSettingsPage& p) {
             p.ChooseThermometer(Thermometer::None);
             p.SelectEntry(Port::Dp30, 0);
         },
         212},
        {"no DP30 port", [](PortsSettingsPage& p) { p.SelectEntry(Port::Dp30, 0); }, 165},
        {"QX-310 without port",
         [](PortsSettingsPage& p) {
             p.ChooseThermometer(Thermometer::Qx310);
             p.SelectEntry(Port::Qx310, 0);
         },
         217},
        {"QX-311 without port", [](PortsSettingsPage& p) { p.SelectEntry(Port::Qx311, 0); }, 166},
        {"gradient needs the QX-311",
         [](PortsSettingsPage& p) {
             p.ChooseThermometer(Thermometer::F250);
             p.SelectEntry(Port::F250, 4);
             p.SetGradient(true);
             p.SelectEntry(Port::Qx311, 0);
         },
         166},
        {"F-250 without port", [](PortsSettingsPage& p) { p.ChooseThermometer(Thermometer::F250); }, 201},
        {"QX-316 without port", [](PortsSettingsPage& p) { p.SelectEntry(Port::Qx316, 0); }, 167},
        {"environment without port", [](PortsSettingsPage& p) { p.SetEnvironment(true); }, 241},
        {"DP30 and QX-316 share COM2", [](PortsSettingsPage& p) { p.SelectEntry(Port::Qx316, 2); }, 168},
        {"both QX-310 roles on COM4",
         [](PortsSettingsPage& p) {
             p.ChooseThermometer(Thermometer::Qx310);
             p.SelectEntry(Port::Qx310, 4);
             p.SetEnvironment(true);
             p.SelectEntry(Port::EnvironmentQx310, 4);
         },
         168},
        {"an unused F-250 may share a port", [](PortsSettingsPage& p) { p.SelectEntry(Port::F250, 2); }, 0},
        {"hand pressure missing", [](PortsSettingsPage& p) { p.SetPressureByHand(true); }, 13},
        {"hand pressure below 3 kPa",
         [](PortsSettingsPage& p) {
             p.SetPressureByHand(true);
             p.EditHandPressure("2.999");
         },
         1},
        {"hand pressure above 20000 kPa",
         [](PortsSettingsPage& p) {
             p.SetPressureByHand(true);
             p.EditHandPressure("20000.001");
         },
         1},
        {"hand uncertainty above 1000 kPa",
         [](PortsSettingsPage& p) {
             p.SetPressureByHand(true);
             p.EditHandPressure("101.325");
             p.EditHandUncertainty("1000.1");
         },
         2},
        {"hand pressure needs no QX-316 port",
         [](PortsSettingsPage& p) {
             p.SetPressureByHand(true);
             p.SelectEntry(Port::Qx316, 0);
             p.ChangePressureUnit(3);  // hPa
             p.EditHandPressure("1013.25");
         },
         0},
        {"instruments off: nothing is checked",
         [](PortsSettingsPage& p) {
             p.ChooseThermometer(Thermometer::None);
             p.SelectEntry(Port::Dp30, 0);
             p.SetDevices(false);
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings s;
        s.settingsLabDevices = 1;
        s.settingsPortComDp30 = 2;
        s.settingsPortComQx311 = 3;
        s.settingsPortComQx316 = 5;
        Sheet sheet(s);
        ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kPortsPage));
        PortsSettingsPage& page = sheet.model->Ports();
        page.SetPortList("COM1:Port szeregowy\nCOM2:USB\nCOM3\nCOM4:x\nCOM5:y\n");
        ASSERT_EQ(page.PortEntries().size(), 6u);
        c.arrange(page);
        EXPECT_EQ(sheet.model->GoToPage(SettingsSheetModel::kFilePage), c.message == 0);
        EXPECT_EQ(sheet.host.Last(), c.message);
        EXPECT_EQ(sheet.model->CurrentPage(),
                  c.message == 0 ? SettingsSheetModel::kFilePage : SettingsSheetModel::kPortsPage);
    }
}

TEST(SettingsSheetPorts, ConfiguredPortsStayListedAndPortsAreReadFromTheEntry) {
    EXPECT_EQ(PortListEntries("COM1:Port komunikacyjny\n\nCOM3\nCOM9:cut"),
              (std::vector<std::string>{"COM1 (Port komunikacyjny)", "COM3"}));
    EXPECT_EQ(PortNumberOfEntry("COM12 (USB)"), 12);
    EXPECT_EQ(PortNumberOfEntry(""), -1);

    Settings s;
    s.settingsPortComDp30 = 7;
    s.settingsPortComQx311 = 3;
    Sheet sheet(s);
    ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kPortsPage));
    PortsSettingsPage& page = sheet.model->Ports();
    // The list was cancelled: the configured ports are still there to keep.
    EXPECT_EQ(page.PortEntries(), (std::vector<std::string>{"", "COM3", "COM7"}));
    page.SetPortList("COM3:USB\n");
    EXPECT_EQ(page.PortEntries(), (std::vector<std::string>{"", "COM3 (USB)", "COM7"}));
    EXPECT_EQ(page.SelectedEntry(Port::Dp30), 2);
    EXPECT_EQ(page.SelectedEntry(Port::Qx316), 0);
    ASSERT_TRUE(sheet.model->Accept());
    EXPECT_EQ(sheet.model->Result().settings, s);  // nothing chosen, nothing changed
}

TEST(SettingsSheetLaboratory, ChecksInOrderWithIntegersIn64Bits) {
    struct Case {
        const char* update;
        const char* collection;
        const char* observations;
        LaboratorySettingsPage::Instrument instrument;
        const char* uncertainty;
        int message;
        // Then the stability window and one of the limits.
        const char* window = "10";
        LaboratorySettingsPage::Limit limit = LaboratorySettingsPage::Limit::DewPointDrift;
        const char* limitText = "0,02";
    };
    using I = LaboratorySettingsPage::Instrument;
    using L = LaboratorySettingsPage::Limit;
    const Case cases[] = {
        {"5", "60", "10", I::Dp30, "50", 0},
        {"5", "59", "1", I::Dp30, "51", 171},  // the collection time comes first
        {"5", "4294967356", "10", I::Dp30, "0", 171},
        {"5", "600", "1", I::Dp30, "0", 177},
        {"5", "600", "101", I::Dp30, "0", 177},
        {"2", "600", "100", I::Dp30, "0", 172},
        {"601", "600", "2", I::Dp30, "0", 172},
        {"3", "60", "2", I::Dp30, "50.001", 173},
        {"3", "60", "2", I::F250, "-0.1", 174},
        {"3", "60", "2", I::Qx310, "51", 218},
        {"3", "60", "2", I::Qx311, "60", 175},
        {"3", "60", "2", I::Qx316, "1000.5", 176},
        {"3", "60", "2", I::Qx316, "1.2.3", 15},  // rejected by the entry rules
        {"3", "60", "2", I::Dp30, "0", 1425, "0"},
        {"3", "60", "2", I::Dp30, "0", 1425, "241"},
        {"3", "60", "2", I::Dp30, "0", 1426, "240", L::TemperatureSd, "0"},  // a limit never met
        {"3", "60", "2", I::Dp30, "0", 1426, "1", L::HumidityDrift, "100,5"},
        {"3", "60", "2", I::Dp30, "0", 0, "240", L::PressureSd, "0,001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.collection + std::string(" ") + c.uncertainty);
        Sheet sheet;
        ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kLaboratoryPage));
        LaboratorySettingsPage& page = sheet.model->Laboratory();
        page.EditIntegerText(LaboratorySettingsPage::Integer::UpdatePeriod, c.update);
        page.EditIntegerText(LaboratorySettingsPage::Integer::CollectionTime, c.collection);
        page.EditIntegerText(LaboratorySettingsPage::Integer::Observations, c.observations);
        page.EditUncertaintyText(c.instrument, c.uncertainty);
        page.EditIntegerText(LaboratorySettingsPage::Integer::StabilityWindow, c.window);
        page.EditLimitText(c.limit, c.limitText);
        EXPECT_EQ(sheet.model->Accept(), c.message == 0);
        EXPECT_EQ(sheet.host.Last(), c.message);
        if (c.message == 0 && c.limit == L::PressureSd) {
            EXPECT_EQ(sheet.model->Result().settings.settingsLabStabilityWindow, 240);
            EXPECT_EQ(sheet.model->Result().settings.settingsLabStabilityPSd, 0.001);
        }
    }
}

TEST(SettingsSheetLaboratory, UneditedValuesKeepEveryDigitThroughUnitChanges) {
    Settings s;
    s.settingsLabQx316 = 0.00001;
    s.settingsLabDp30 = 0.0123456;
    Sheet sheet(s);
    ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kLaboratoryPage));
    LaboratorySettingsPage& page = sheet.model->Laboratory();
    EXPECT_EQ(page.UncertaintyText(LaboratorySettingsPage::Instrument::Qx316), "0,000");
    ASSERT_TRUE(page.ChangePressureUnit(1));     // MPa
    ASSERT_TRUE(page.ChangePressureUnit(0));     // kPa
    ASSERT_TRUE(page.ChangeTemperatureUnit(2));  // °F
    EXPECT_EQ(page.UncertaintyText(LaboratorySettingsPage::Instrument::Dp30), "0,022");
    EXPECT_EQ(sheet.run.laboratoryTemperatureUnit, "°F");
    // An edited value is read in the unit it was typed in.
    page.EditUncertaintyText(LaboratorySettingsPage::Instrument::F250, "0,18");
    ASSERT_TRUE(page.ChangeTemperatureUnit(0));
    EXPECT_EQ(page.UncertaintyText(LaboratorySettingsPage::Instrument::F250), "0,100");

    // A table saved by the editor under its old name is loaded again all the same.
    page.TableEdited(lab::TableId::Qx311Channel4, "/cal/kanal4.cal");
    EXPECT_EQ(page.TableFile(lab::TableId::Qx311Channel4), "/cal/kanal4.cal");

    ASSERT_TRUE(sheet.model->Accept());
    const EditedSettings edited = sheet.model->Result();
    EXPECT_EQ(edited.tablesEdited, (std::vector<TableLoad>{{lab::TableId::Qx311Channel4, "/cal/kanal4.cal"}}));
    const Settings& after = edited.settings;
    EXPECT_EQ(after.calibrationFileNameTempQx311[3], "/cal/kanal4.cal");
    EXPECT_EQ(after.settingsLabQx316, 0.00001);
    EXPECT_EQ(after.settingsLabDp30, 0.0123456);
    EXPECT_DOUBLE_EQ(after.settingsLabF250, 0.1);
}

TEST(SettingsSheetLaboratory, PressureUncertaintyShowsTheDigitsOfItsUnit) {
    Settings s;
    s.settingsLabQx316 = 0.05;  // kPa
    Sheet sheet(s);
    ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kLaboratoryPage));
    LaboratorySettingsPage& page = sheet.model->Laboratory();
    for (const auto& [unit, text] : {std::pair{1, "0,000050"}, {2, "0,375"}, {3, "0,500"}, {0, "0,050"}}) {
        ASSERT_TRUE(page.ChangePressureUnit(unit));
        EXPECT_EQ(page.UncertaintyText(LaboratorySettingsPage::Instrument::Qx316), text) << unit;
    }
}

TEST(SettingsSheetLaboratory, TheLaboratoryIsTakenAsTypedWithoutTheBlanksAround) {
    Settings s;
    s.labName = "Laboratorium";
    Sheet sheet(s);
    ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kLaboratoryPage));
    LaboratorySettingsPage& page = sheet.model->Laboratory();
    using Identity = LaboratorySettingsPage::Identity;
    EXPECT_EQ(page.IdentityText(Identity::Name), "Laboratorium");
    page.EditIdentityText(Identity::Name, "  Laboratorium Wilgotności ");
    page.EditIdentityText(Identity::Address, "ul. Długa 1, 00-001 Warszawa");
    page.EditIdentityText(Identity::Accreditation, " ");
    ASSERT_TRUE(sheet.model->Accept());
    const Settings& after = sheet.model->Result().settings;
    EXPECT_EQ(after.labName, "Laboratorium Wilgotności");
    EXPECT_EQ(after.labAddress, "ul. Długa 1, 00-001 Warszawa");
    EXPECT_EQ(after.labAccreditation, "");
}

TEST(SettingsSheetGeneral, ConstantsAreReadWithTenDecimalsAndTheirTextsKeptAtOnce) {
    Settings s;
    s.globalAi = 0.0005;
    Sheet sheet(s);
    GeneralSettingsPage& page = sheet.model->General();
    EXPECT_FALSE(page.UserConstant(Phase::Water));
    EXPECT_EQ(page.ConstantText(Phase::Water), "0,0006653286");  // the user text, in the sign in force
    EXPECT_EQ(sheet.settings.globalAwUser, "0.0006653286");      // left as it was stored
    EXPECT_EQ(page.ConstantText(Phase::Ice), "0,0005000000");
    EXPECT_EQ(sheet.settings.globalAiUser, "0,0005000000");

    page.ChooseUserConstant(Phase::Water, true);
    page.EditConstantText(Phase::Water, "");
    page.ChooseUserConstant(Phase::Water, false);
    page.ChooseUserConstant(Phase::Water, true);  // an empty field gets the usual constant
    EXPECT_EQ(page.ConstantText(Phase::Water), "0,0006653286");

    struct Case {
        Phase bulb;
        const char* text;
        int message;
    };
    const Case cases[] = {
        {Phase::Water, "0,00045", 0},       {Phase::Water, "0.001", 0},  {Phase::Water, "0,0004499999", 56},
        {Phase::Water, "0,0010000001", 56}, {Phase::Water, "1,2,3", 15}, {Phase::Ice, "0,002", 55},
        {Phase::Ice, "0,0006653286", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        page.EditConstantText(c.bulb, c.text);
        EXPECT_EQ(sheet.model->GoToPage(SettingsSheetModel::kPrecisionPage), c.message == 0);
        EXPECT_EQ(sheet.host.Last(), c.message);
        sheet.host.shown.clear();
        ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kGeneralPage));
        page.EditConstantText(c.bulb, c.bulb == Phase::Water ? "0,0006653286" : "0,0005");
    }
    EXPECT_EQ(sheet.settings.globalAwUser, "0,0006653286");  // before OK, and whatever follows

    page.EditConstantText(Phase::Ice, "0,0006653286");
    ASSERT_TRUE(sheet.model->Accept());
    EXPECT_EQ(sheet.model->Result().settings.globalAw, 0.0006653286);
    EXPECT_EQ(sheet.model->Result().settings.globalAi, 0.0006653286);
    // A constant fitted under the comma, opened after the point was chosen,
    // is shown with the point and reads back as the same constant.
    Settings point;
    point.decimal = ".";
    point.globalAwUser = "0,0009426769";
    Sheet later(point);
    GeneralSettingsPage& again = later.model->General();
    EXPECT_EQ(again.ConstantText(Phase::Water), "0.0009426769");
    again.ChooseUserConstant(Phase::Water, true);
    ASSERT_TRUE(later.model->Accept());
    EXPECT_EQ(later.model->Result().settings.globalAw, 0.0009426769);
}

TEST(SettingsSheetPrecision, KropkaIsThePointAndPrecisionsStopAtSeven) {
    Sheet sheet;  // the decimal sign in force is ","
    ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kPrecisionPage));
    PrecisionSettingsPage& page = sheet.model->Precision();
    EXPECT_FALSE(page.PointChosen());  // "przecinek" ticked
    EXPECT_EQ(page.Text(PrecisionSettingsPage::Pressure, false), "4");

    page.EditText(PrecisionSettingsPage::RelativeHumidity, false, "9");
    page.EditText(PrecisionSettingsPage::Laboratory, true, "4294967299");
    page.EditText(PrecisionSettingsPage::Pressure, true, "-1");
    EXPECT_EQ(page.Text(PrecisionSettingsPage::RelativeHumidity, false), "9");
    page.ChoosePoint(true);
    ASSERT_TRUE(sheet.model->Accept());
    const Settings after = sheet.model->Result().settings;
    EXPECT_EQ(after.decimal, ".");
    EXPECT_EQ(after.rhPrecInput, 7);
    EXPECT_EQ(after.laboratoryPrecCalcul, 7);
    EXPECT_EQ(after.pressurePrecCalcul, 4);
}

TEST(SettingsSheetFile, DataFileChecksAndTheSwitchThatLosesNoRecording) {
    struct Case {
        const char* what;
        const char* interval;
        const char* name;
        LaboratorySettingsTarget::Opening opening;
        bool yes;
        int message;
        DataFileAction action;
        bool columnChosen = true;
    };
    using O = LaboratorySettingsTarget::Opening;
    const Case cases[] = {
        {"interval 0", "0", "/dane/a.csv", O::Created, false, 193, DataFileAction::Keep},
        {"interval 6001", "6001", "/dane/a.csv", O::Created, false, 193, DataFileAction::Keep},
        {"no name", "6000", "", O::Created, false, 194, DataFileAction::Keep},
        {"no column", "5", "/dane/a.csv", O::Created, false, 1520, DataFileAction::Keep, false},
        {"cannot be opened", "5", "/dane/a.csv", O::Failed, false, 195, DataFileAction::Keep},
        {"new file", "5", "/dane/a.csv", O::Created, false, 0, DataFileAction::SwitchAppended},
        {"existing, emptied", "5", "/dane/a.csv", O::Existed, true, 196, DataFileAction::SwitchEmptied},
        {"existing, appended", "5", "/dane/a.csv", O::Existed, false, 196, DataFileAction::SwitchAppended},
        {"the open file", "5", "/dane/old.csv", O::Failed, false, 0, DataFileAction::Keep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sheet sheet;
        sheet.lab.current = {true, "/dane/old.csv", true};
        sheet.lab.next = c.opening;
        sheet.host.answerYes = c.yes;
        ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kFilePage));
        FileSettingsPage& page = sheet.model->File();
        page.Contents().savingOn = true;
        page.Contents().csvFormat = true;
        page.Contents().relativeHumidity = c.columnChosen;
        page.SetUncertainties(true);
        page.SetByteOrderMark(true);
        page.ChooseFileName(c.name);
        page.EditIntervalText(c.interval);
        // OK pressed on another page settles "Zapis" as well.
        ASSERT_TRUE(sheet.model->GoToPage(SettingsSheetModel::kGeneralPage));
        const bool accepted = sheet.model->Accept();
        EXPECT_EQ(accepted, c.message == 0 || c.message == 196);
        EXPECT_EQ(sheet.host.Last(), c.message);
        if (!accepted) {
            EXPECT_EQ(sheet.model->CurrentPage(), SettingsSheetModel::kFilePage);
            continue;
        }
        const EditedSettings result = sheet.model->Result();
        EXPECT_EQ(result.dataFile, c.action);
        EXPECT_EQ(result.settings.saveFileCode, "24608");
        EXPECT_EQ(result.settings.saveFileName, c.name);
        EXPECT_EQ(result.settings.saveFileUncertainties, 1);
        EXPECT_EQ(result.settings.saveFileBom, 1);
    }

    // A name the store could not hold is refused where it is chosen.
    Sheet named;
    ASSERT_TRUE(named.model->GoToPage(SettingsSheetModel::kFilePage));
    ASSERT_TRUE(named.model->File().ChooseFileName("/dane/a.csv"));
    EXPECT_FALSE(named.model->File().ChooseFileName("/dane/a\n.csv"));
    EXPECT_EQ(named.host.shown, std::vector<int>{195});
    EXPECT_EQ(named.model->File().FileName(), "/dane/a.csv");

    // Saving switched off closes the open file.
    Sheet off;
    off.lab.current = {true, "/dane/old.csv", false};
    ASSERT_TRUE(off.model->GoToPage(SettingsSheetModel::kFilePage));
    ASSERT_TRUE(off.model->Accept());
    EXPECT_EQ(off.model->Result().dataFile, DataFileAction::Close);
    EXPECT_TRUE(off.lab.opened.empty());

    EXPECT_EQ(DataFileNameWithExtension("/dane/pomiar", 0), "/dane/pomiar.csv");
    EXPECT_EQ(DataFileNameWithExtension("/dane/pomiar", 1), "/dane/pomiar.txt");
    EXPECT_EQ(DataFileNameWithExtension("/dane.v2/pomiar.dat", 0), "/dane.v2/pomiar.dat");
}

}  // namespace
}  // namespace wegator
