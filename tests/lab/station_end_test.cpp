// The question before the program ends while the station works: what it
// names, and the station's work as the page reports it and ends it at logout.
#include <gtest/gtest.h>

#include "lab/base/lab_messages.h"
#include "lab/station/station_end.h"
#include "lab_test_support.h"
#include "station_test_support.h"

namespace wegator::lab {
namespace {

using namespace testing;

TEST(StationEndQuestion, NamesEverythingThatStops) {
    StationWork running;
    running.runRunning = true;
    running.runRows = 7;
    running.runPlannedRows = 20;
    StationWork waiting;
    waiting.runWaiting = true;
    waiting.runPlannedRows = 20;
    waiting.runRows = 3;  // the last series' rows are not this one's
    StationWork measuring;
    measuring.measuring = true;
    StationWork recording;
    recording.dataFile = "/lab/dane.txt";
    StationWork all = running;
    all.measuring = true;
    all.dataFile = "/lab/dane.txt";
    const struct {
        StationWork work;
        std::string lines;  // empty: nothing to ask
    } cases[] = {
        {StationWork{}, ""},
        {measuring, "– pomiary przyrządów i uśrednianie ich odczytów"},
        {recording, "– zapis do pliku danych /lab/dane.txt"},
        {running, "– serię kalibracyjną (wykonano 7 z 20 pomiarów)"},
        {waiting, "– serię kalibracyjną czekającą na start (20 pomiarów)"},
        {all,
         "– pomiary przyrządów i uśrednianie ich odczytów\n– zapis do pliku danych /lab/dane.txt\n"
         "– serię kalibracyjną (wykonano 7 z 20 pomiarów)"},
    };
    for (const auto& c : cases) {
        const std::string expected =
            c.lines.empty() ? "" : "Zakończenie programu zatrzyma:\n" + c.lines + "\n\nZakończyć program?";
        EXPECT_EQ(StationEndQuestion(c.work), expected);
        EXPECT_EQ(c.work.Any(), !c.lines.empty());
    }
}

TEST(StationEnd, AsksOnceAtWorkAndLogoutClosesTheFilesWithoutAsking) {
    TempFolder folder;
    Settings off = StationSettings();
    off.settingsLabDevices = 0;
    VirtualStation idle(off);
    idle.Start();
    EXPECT_TRUE(idle.page.ConfirmStationEnd());
    EXPECT_TRUE(idle.host.asked.empty());

    VirtualStation station;
    station.Start();
    auto opened = LaboratoryPage::OpenDataFile(folder.File("dane.txt"));
    ASSERT_TRUE(opened.file);
    station.page.TakeDataFile(std::move(opened.file), true);
    station.page.PrepareRun();
    ASSERT_TRUE(station.page.Run().Start("600", folder.Path().string()));
    const StationWork work = station.page.Work();
    EXPECT_TRUE(work.measuring);
    EXPECT_EQ(work.dataFile, folder.File("dane.txt"));
    EXPECT_TRUE(work.runWaiting);
    EXPECT_FALSE(work.runRunning);

    // "Nie" keeps everything going.
    EXPECT_FALSE(station.page.ConfirmStationEnd());
    ASSERT_EQ(station.host.asked.size(), 1u);
    EXPECT_EQ(station.host.asked[0].messageId, msg::EndStationQuestion);
    EXPECT_EQ(station.host.asked[0].text, StationEndQuestion(work));
    EXPECT_TRUE(station.page.Run().Active());
    EXPECT_TRUE(station.page.Data().IsOpen());

    // Logging out: the series ends its files saying why, the data file closes.
    station.page.EndStationWork();
    EXPECT_EQ(station.page.Run().LastEnding()->reason, RunInterruption::WindowClosed);
    EXPECT_FALSE(station.page.Data().IsOpen());
    EXPECT_NE(ReadFile(station.page.Run().SeriesPath()).find("zamknięto program"), std::string::npos);
    EXPECT_EQ(station.host.asked.size(), 1u);
}

}  // namespace
}  // namespace wegator::lab
