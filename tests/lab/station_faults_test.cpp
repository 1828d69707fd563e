// The station on bad days, in virtual time: an instrument that goes quiet, a
// correction table that cannot be loaded, a run in kelvin, a question that
// waits while the run goes on.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lab/base/lab_messages.h"
#include "lab/records/manifest.h"
#include "lab/records/recorded_file.h"
#include "lab/station/laboratory_page.h"
#include "lab/trends/trend.h"
#include "lab_test_support.h"
#include "physics/humidity_engine.h"
#include "station_test_support.h"
#include "text/string_table.h"
#include "text/strings.h"

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

namespace {

// A station whose instruments report until told to be quiet: the DP30 ten times a
// second, the F-250 every second, the QX-316 and the QX-311's eight channels
// every two seconds.
struct Bench : VirtualStation {
    using VirtualStation::VirtualStation;
    void Live(std::int64_t ms) {
        for (std::int64_t end = time.MonotonicMs() + ms; time.MonotonicMs() < end;) {
            time.Advance(100);
            ++steps;
            auto on = [this](Stream s) {
                return page.Phase(s) == LaboratoryPage::StreamPhase::Open && quiet.count(s) == 0;
            };
            if (on(Stream::Dp30)) Feed(Stream::Dp30, Dp30Line(10.0));
            if (steps % 10 == 0 && on(Stream::F250)) Feed(Stream::F250, F250Line(20.0));
            if (steps % 20 != 0) continue;
            if (on(Stream::Qx316)) Feed(Stream::Qx316, QxPressure(101.33));
            for (int c = 1; c <= 8 && on(Stream::Qx311); ++c) Feed(Stream::Qx311, QxChannel(c, 20.0 + 0.1 * c));
        }
    }
    std::set<Stream> quiet;
    long steps = 0;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
        lines.push_back(text.substr(from, at - from));
    }
    return lines;
}

Settings RecordingSettings(const TempFolder& folder) {
    Settings s = StationSettings();
    SaveFileContents contents;
    contents.dewPointInput = contents.temperatureInput = contents.savingOn = true;
    s.saveFileCode = EncodeSaveFileCode(contents);
    s.saveFileName = folder.File("lab.txt");
    return s;
}

}  // namespace

// An instrument goes quiet during a calibration run. After twice the
// observation period (12 s here), well before the 30 s that close its port,
// the input it feeds is stale: the gradient of the QX-311 for the temperature
// as much as the barometer for the pressure. Lines start with the mark, no
// record is written, the run's rows and its summary say so.
TEST(StationFaults, AQuietInstrumentMarksLinesRowsAndTheSummary) {
    struct Case {
        const char* name;
        int source;
        Stream quiet;
        LabInput stale;
        const char* input;
    };
    const Case cases[] = {
        {"QX-311 gradient", kSourceF250WithGradient, Stream::Qx311, LabInput::Temperature, "T"},
        {"barometer", kSourceF250, Stream::Qx316, LabInput::Pressure, "Pb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        Settings s = RecordingSettings(folder);
        s.settingsPortTempDevice = c.source;
        s.settingsQx311Deviation = 1;
        s.settingsLabValuesFromDevices = 10;  // an observation every 6 s
        Bench station(s);
        station.Start();
        station.Live(15000);
        ASSERT_TRUE(station.page.StaleInputs().empty());
        EXPECT_EQ(station.page.StaleMark(), "");
        station.page.PrepareRun();
        ASSERT_TRUE(station.page.Run().Start("0", folder.Path().string()));
        station.Live(7000);
        ASSERT_TRUE(station.page.RunInProgress());

        station.quiet.insert(c.quiet);
        station.Live(20000);
        EXPECT_FALSE(station.page.InOutage(c.quiet));
        EXPECT_EQ(station.page.StaleInputs(), std::vector<LabInput>{c.stale});
        EXPECT_EQ(station.page.StaleMark(), MessageText(lab::msg::StaleLineMark, {c.input}));
        const std::size_t written = station.page.WrittenRecords();
        const std::size_t skipped = station.page.SkippedRecords();
        station.page.WriteRecord();
        EXPECT_EQ(station.page.WrittenRecords(), written);
        EXPECT_EQ(station.page.SkippedRecords(), skipped + 1);

        for (int i = 0; i < 200 && station.page.RunInProgress(); ++i) station.Live(1000);
        ASSERT_EQ(station.page.Run().LastEnding()->kind, RunEnding::Kind::Completed);
        const std::vector<std::string> lines = Lines(ReadFile(station.page.Run().SeriesPath()));
        const std::string mark = "\t\t" + FillIn(PolishString(lab::msg::StaleRowMark), {c.input});
        int marked = 0;
        for (int r = 1; r <= 10; ++r) marked += lines.at(static_cast<std::size_t>(r)).ends_with(mark) ? 1 : 0;
        EXPECT_FALSE(lines.at(1).ends_with(mark));
        EXPECT_TRUE(lines.at(10).ends_with(mark)) << lines.at(10);
        // The mark follows the last heading's cell: every cell keeps its place.
        EXPECT_EQ(lines.at(10).find(mark), lines.at(10).size() - mark.size());
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            FillIn(PolishString(lab::msg::StaleRows), {std::to_string(marked), "10", c.input})),
                  lines.end());
        EXPECT_GT(marked, 1);
        EXPECT_LT(marked, 10);
    }
}

// A table switched on for an instrument in use that cannot be loaded leaves
// its readings uncorrected: the status line says so and the manifests call it
// missing, whatever the file holds.
TEST(StationFaults, ATableThatCannotBeLoadedIsMissingEverywhere) {
    struct Case {
        const char* name;
        std::optional<std::string> text;  // nothing: no file at all
    };
    const Case cases[] = {{"no file", std::nullopt}, {"a refused line", "1;2\r\n"}, {"no rows", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        Settings s = RecordingSettings(folder);
        s.settingsLabCalibrationTableDp30 = 1;
        s.calibrationFileNameDp30 = folder.File("dp30.cal");
        if (c.text) WriteFile(s.calibrationFileNameDp30, *c.text);
        VirtualStation station(s);
        station.Start();
        EXPECT_EQ(station.page.MissingTables(), std::vector<TableId>{TableId::Dp30});
        EXPECT_NE(station.page.StatusText().find(MessageText(lab::msg::TableMissing, {"dp30.cal"})), std::string::npos)
            << station.page.StatusText();
        const std::optional<Manifest> manifest = ParseManifest(ReadFile(ManifestPath(s.saveFileName)));
        ASSERT_TRUE(manifest.has_value());
        ASSERT_EQ(manifest->tables.size(), 1u);
        EXPECT_TRUE(manifest->tables[0].missing);
        EXPECT_EQ(manifest->tables[0].rows, 0u);
        EXPECT_TRUE(BuildManifest(s, {}).tables.at(0).missing);
    }
    TempFolder folder;
    Settings s = RecordingSettings(folder);
    s.settingsLabCalibrationTableDp30 = 1;
    s.calibrationFileNameDp30 = folder.File("dp30.cal");
    WriteFile(s.calibrationFileNameDp30, "0.0;0.1;0.02\r\n");
    VirtualStation station(s);
    station.Start();
    EXPECT_TRUE(station.page.MissingTables().empty());
    EXPECT_EQ(station.page.StatusText().find(MessageText(lab::msg::TableMissing, {""}).substr(0, 12)),
              std::string::npos);
}

// Under "°K" every file says "K": the data file's header, the manifest and
// the run's files; a run read back takes "[K]" for temperatures, and its rows
// marked stale for values.
TEST(StationFaults, FilesSayKelvinAndRunsReadBack) {
    TempFolder folder;
    Settings s = RecordingSettings(folder);
    s.settingsLabValuesFromDevices = 10;  // an observation every 6 s
    Bench station(s);
    station.page.ChangeTemperatureUnit(1);
    station.Start();
    station.Live(15000);
    station.page.WriteRecord();
    EXPECT_NE(ReadFile(s.saveFileName).find("DP/FP wejście (K)\tT wejście (K)\t"), std::string::npos)
        << ReadFile(s.saveFileName);
    const std::optional<Manifest> manifest = ParseManifest(ReadFile(ManifestPath(s.saveFileName)));
    ASSERT_TRUE(manifest.has_value());
    EXPECT_EQ(manifest->temperatureUnit, "K");

    RecordingLabHost host;
    VirtualTime time;
    HumidityEngine engine;
    CalibrationRun run(host, time, time);
    run.SetEngine(&engine);
    run.SetTemperatureUnit("°K");
    run.SetSchedule(60, 3);
    run.OpenDialog();
    ASSERT_TRUE(run.Start("0", folder.Path().string()));
    ASSERT_TRUE(run.DelayPassed());
    const char* stale[] = {"", "Pb", "DP/FP, Pb"};
    for (int r = 1; r <= 3; ++r) {
        if (r > 1) time.Advance(run.PeriodMs());
        RunObservation o;
        o.temperatureObservations = o.dewPointObservations = r;
        o.temperature = 20.0;
        o.dewPoint = 10.0;
        o.pressure = 101.325;
        o.qx311InUse = true;
        o.staleInputs = stale[r - 1];
        ASSERT_TRUE(run.WriteRow(o));
    }
    run.Finish(RunSummaryTexts{});
    const std::string series = ReadFile(run.SeriesPath());
    EXPECT_TRUE(series.starts_with("\tTemperatura[K]\tPunkt rosy[K]\t")) << series;
    EXPECT_NE(series.find("\r\n3\t293.150\t\t283.15\t\t"), std::string::npos) << series;
    EXPECT_NE(series.find("\r\n2 z 3 pomiarów z nieaktualnym wejściem (Pb, DP/FP)\r\n"), std::string::npos) << series;
    EXPECT_TRUE(ReadFile(run.ChannelPath()).starts_with("\tTemp1[K]\t")) << ReadFile(run.ChannelPath());
    EXPECT_NE(ReadFile(run.ChannelPath()).find("\t\tnieaktualne: Pb\r\n"), std::string::npos);

    for (const std::string& path : {run.SeriesPath(), run.ChannelPath()}) {
        const RecordedReading read = ReadRecordedFile(path, {});
        ASSERT_TRUE(read.file) << read.error;
        EXPECT_EQ(read.file->columns.at(0).unitText, "K");
        EXPECT_EQ(read.file->columns.at(0).unit, TrendUnit::Temperature);
        EXPECT_EQ(read.file->columns.at(0).points.size(), path == run.SeriesPath() ? 3u : 0u);
    }
}

// The first verdict, before any reading, is of an empty window; a verdict
// stable for less than a minute gives no "(0 min)".
TEST(StationFaults, VerdictsOfAnEmptyWindowAndOfAFreshStability) {
    VirtualStation station;
    station.Start();
    const StabilityVerdict empty = station.page.Verdict(TrendQuantity::DewPoint);
    EXPECT_EQ(empty.exceeded, StabilityFigure::Window);
    EXPECT_EQ(empty.value, 0.0);

    struct Case {
        std::int64_t stableForMs;
        const char* says;
    };
    for (const Case& c : {Case{30000, "DP/FP stabilne od 14:29"}, Case{120000, "DP/FP stabilne od 14:28 (2 min)"}}) {
        StabilityVerdict v;
        v.stable = true;
        v.stableForMs = c.stableForMs;
        v.since = 600000 - c.stableForMs;
        EXPECT_EQ(VerdictText(TrendQuantity::DewPoint, v, "°C", ',', 600000, {2024, 5, 6, 14, 30, 0}, PolishString),
                  c.says);
    }
}

// "Przerwać ją?" waits while the run takes its rows: it is answered about the
// rows of that moment.
TEST(StationFaults, TheQuestionBeforeEndingARunCountsItsRowsWhenAnswered) {
    TempFolder folder;
    Bench station;
    station.Start();
    station.page.PrepareRun();
    ASSERT_TRUE(station.page.Run().Start("0", folder.Path().string()));
    station.Live(2000);
    ASSERT_EQ(station.page.Run().Rows(), 1);
    station.host.whileAsked = [&] { station.Live(21000); };
    station.host.answer = true;
    EXPECT_TRUE(station.page.ConfirmRunDialogClose());
    ASSERT_EQ(station.host.asked.size(), 1u);
    EXPECT_EQ(station.host.asked[0].text, MessageText(lab::msg::InterruptRunQuestion, {"2", "3"}));
    EXPECT_EQ(station.page.Run().LastEnding()->rows, 2);
}
