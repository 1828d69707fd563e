// The plan of a confirmed settings change: which pages become stale and what
// the laboratory reopens, restarts and switches.
#include "sheet/settings_change.h"

#include <gtest/gtest.h>

namespace wegator {
namespace {

// Instruments on: DP30 on COM1, QX-310 on COM2, QX-311 on COM3, QX-316 on COM4.
Settings Station() {
    Settings s;
    s.settingsLabDevices = 1;
    s.settingsPortComDp30 = 1;
    s.settingsPortComQx310 = 2;
    s.settingsPortComQx311 = 3;
    s.settingsPortComQx316 = 4;
    s.settingsPortTempDevice = 2;
    return s;
}

SettingsChangePlan Plan(const Settings& before, const Settings& after, HandPressure hand = {}) {
    EditedSettings edited;
    edited.settings = after;
    edited.handPressure = hand;
    return PlanSettingsChange({before, {}}, edited);
}

using Streams = std::vector<lab::Stream>;
using lab::Stream;
using lab::TableId;

TEST(SettingsChangePlan, NothingChangedTouchesNothing) {
    const SettingsChangePlan plan = Plan(Station(), Station());
    for (const CalculatorPageChange& page : plan.pages) EXPECT_EQ(page, CalculatorPageChange{});
    EXPECT_EQ(plan.laboratory, LaboratoryChange{});
}

TEST(SettingsChangePlan, EngineAndFormatChangesMarkTheirPages) {
    Settings after = Station();
    after.globalAi = 0.0006;  // the ice constant alone
    SettingsChangePlan plan = Plan(Station(), after);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(plan.pages[i], (CalculatorPageChange{true, false, true})) << i;
    EXPECT_EQ(plan.pages[3], CalculatorPageChange{});
    LaboratoryChange expected;
    expected.engine = expected.recompute = true;
    EXPECT_EQ(plan.laboratory, expected);

    after = Station();
    after.decimal = ".";
    plan = Plan(Station(), after);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(plan.pages[i], (CalculatorPageChange{false, true, true})) << i;
    EXPECT_TRUE(plan.laboratory.format);

    after = Station();
    after.pressurePrecCalcul = 6;
    plan = Plan(Station(), after);
    EXPECT_FALSE(plan.pages[0].stale);
    EXPECT_TRUE(plan.pages[3].stale);
    EXPECT_FALSE(plan.laboratory.format);
}

TEST(SettingsChangePlan, OnlyTheStreamsAChangeTouchesRestart) {
    struct Case {
        const char* what;
        void (*change)(Settings&);
        Streams stop;
        Streams restart;
    };
    const Case cases[] = {
        {"QX-310 to QX-310 with gradient", [](Settings& s) { s.settingsPortTempDevice = 5; }, {}, {Stream::Qx311}},
        {"QX-310 to QX-311",
         [](Settings& s) { s.settingsPortTempDevice = 3; },
         {Stream::Qx310Temperature},
         {Stream::Qx311}},
        {"QX-310 on another port", [](Settings& s) { s.settingsPortComQx310 = 7; }, {}, {Stream::Qx310Temperature}},
        {"the F-250 input",
         [](Settings& s) {
             s.settingsPortTempDevice = 4;
             s.settingsPortTempCanalF250 = "B";
         },
         {Stream::Qx310Temperature},
         {Stream::F250}},
        {"pressure entered by hand: no QX-316",
         [](Settings& s) { s.settingsPortPressDevice = 1; },
         {Stream::Qx316},
         {}},
        {"environment QX-310 on",
         [](Settings& s) {
             s.settingsPortEnvQx310Device = 1;
             s.settingsPortComEnvQx310 = 5;
         },
         {},
         {Stream::Qx310Environment}},
        {"DP30 on another port", [](Settings& s) { s.settingsPortComDp30 = 9; }, {}, {Stream::Dp30}},
        {"an unused port", [](Settings& s) { s.settingsPortComF250 = 9; }, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings after = Station();
        c.change(after);
        const LaboratoryChange lab = Plan(Station(), after).laboratory;
        EXPECT_EQ(lab.streamsToStop, c.stop);
        EXPECT_EQ(lab.streamsToRestart, c.restart);
        EXPECT_FALSE(lab.instrumentsOff);
    }

    // Switched on: what the configuration reads starts, and nothing else.
    Settings off = Station();
    off.settingsLabDevices = 0;
    Settings hand = Station();
    hand.settingsPortPressDevice = 1;
    LaboratoryChange lab = Plan(off, hand, {101.3, 0.1}).laboratory;
    EXPECT_EQ(lab.streamsToRestart, (Streams{Stream::Dp30, Stream::Qx310Temperature}));
    EXPECT_TRUE(lab.streamsToStop.empty());
    EXPECT_TRUE(lab.handPressure);

    // Switched off: every channel closes and the first page is shown.
    lab = Plan(Station(), off).laboratory;
    EXPECT_TRUE(lab.instrumentsOff);
    EXPECT_TRUE(lab.showFirstPage);
    EXPECT_TRUE(lab.streamsToRestart.empty());
}

TEST(SettingsChangePlan, AveragingTablesAndTheDataFile) {
    Settings after = Station();
    after.settingsLabMeanTime = 120;  // the collection time alone restarts the averaging
    EXPECT_TRUE(Plan(Station(), after).laboratory.restartAveraging);

    Settings before = Station();
    before.settingsLabCalibrationTableDp30 = 1;
    before.settingsLabCalibrationTableTempQx311 = 1;
    before.calibrationFileNameDp30 = "/cal/dp30.cal";
    after = before;
    after.settingsLabCalibrationTableDp30 = 0;
    after.calibrationFileNameTempQx311[2] = "/cal/kanal3.cal";
    after.settingsLabCalibrationTableF250 = 1;
    after.calibrationFileNameF250 = "/cal/f250.cal";
    LaboratoryChange lab = Plan(before, after).laboratory;
    EXPECT_EQ(lab.tablesOff, std::vector<lab::TableFamily>{lab::TableFamily::Dp30});
    EXPECT_EQ(lab.tablesToLoad,
              (std::vector<TableLoad>{{TableId::F250, "/cal/f250.cal"}, {TableId::Qx311Channel3, "/cal/kanal3.cal"}}));
    // A table the editor saved under the same name is loaded again.
    EditedSettings resaved;
    resaved.settings = before;
    resaved.tablesEdited = {{TableId::Dp30, "/cal/dp30.cal"}};
    EXPECT_EQ(PlanSettingsChange({before, {}}, resaved).laboratory.tablesToLoad, resaved.tablesEdited);

    after = Station();
    after.saveFileCode = "16416";  // saving on, RH
    after.saveFileName = "/dane/a.csv";
    EditedSettings edited;
    edited.settings = after;
    edited.dataFile = DataFileAction::SwitchEmptied;
    lab = PlanSettingsChange({Station(), {}}, edited).laboratory;
    EXPECT_EQ(lab.dataFile, DataFileAction::SwitchEmptied);
    EXPECT_TRUE(lab.headerPending);
    EXPECT_TRUE(lab.stopSaveTimer);
    EXPECT_TRUE(lab.startSaveTimer);
}

}  // namespace
}  // namespace wegator
