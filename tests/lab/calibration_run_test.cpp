#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "lab/station/calibration_run.h"
#include "lab/station/lab_host.h"
#include "lab/base/lab_messages.h"
#include "lab_test_support.h"
#include "physics/humidity_engine.h"
#include "station_test_support.h"

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size()) {
        parts.push_back(text.substr(from, at - from));
    }
    parts.push_back(text.substr(from));
    return parts;
}

std::string Printf(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The series file's heading in °C.
constexpr const char* kSeriesHeader = "\tTemperatura[°C]\tPunkt rosy[°C]\tWilgotność obl.[%]\tDP/FP dryft[K/min]"
                                      "\tDP/FP SD[K]\tT dryft[K/min]\tT SD[K]\tCzas";

std::string Stamp(const CalendarTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buffer;
}

class CalibrationRunTest : public ::testing::Test {
protected:
    CalibrationRunTest() : run(host, time, time) {
        run.SetEngine(&engine);
        run.SetSchedule(60, 3);
        run.OpenDialog();
    }

    RunObservation Observation(int taken, double t, double dp) {
        RunObservation o;
        o.temperatureObservations = o.dewPointObservations = taken;
        o.temperature = t;
        o.dewPoint = dp;
        o.pressure = 101.325;
        return o;
    }
    int LastMessage() const { return host.shown.empty() ? 0 : host.shown.back().messageId; }

    RecordingLabHost host;
    VirtualTime time{{2024, 5, 6, 14, 30, 0}};
    HumidityEngine engine;
    TempFolder folder;
    CalibrationRun run;
};

}  // namespace

TEST_F(CalibrationRunTest, InformationLine) {
    struct Case {
        int collection, n;
        const char* line;
    };
    for (const Case& c : {Case{60, 10, "Zostanie przeprowadzone 10 pomiarów co 6 s"},
                          Case{60, 30, "Zostanie przeprowadzone 20 pomiarów co 3 s"},
                          Case{600, 100, "Zostanie przeprowadzone 100 pomiarów co 6 s"}}) {
        run.SetSchedule(c.collection, c.n);
        EXPECT_EQ(run.InformationLine(), c.line);
    }
}

TEST_F(CalibrationRunTest, StartChecksDelayAndFolder) {
    EXPECT_FALSE(run.Start("-1", folder.Path().string()));
    EXPECT_EQ(LastMessage(), msg::NegativeDelay);
    EXPECT_FALSE(run.Start("2147484", folder.Path().string()));
    EXPECT_EQ(LastMessage(), msg::DelayTooLong);
    EXPECT_FALSE(run.Start("5", "   "));
    EXPECT_EQ(LastMessage(), msg::EmptyFolder);
    EXPECT_FALSE(run.Start("5", folder.File("missing")));
    EXPECT_EQ(LastMessage(), msg::FileCannotBeUsed);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));

    // A file of the same name is never emptied: the run refuses, and leaves no half.
    WriteFile(folder.File("2024_05_06_14_30_00_QX-311.txt"), "another run");
    EXPECT_FALSE(run.Start("5", folder.Path().string()));
    EXPECT_EQ(LastMessage(), msg::FileCannotBeUsed);
    EXPECT_EQ(ReadFile(folder.File("2024_05_06_14_30_00_QX-311.txt")), "another run");
    EXPECT_FALSE(std::filesystem::exists(folder.File("2024_05_06_14_30_00.txt")));

    time.Advance(1000);
    EXPECT_TRUE(run.Start("2147483", folder.Path().string()));
    EXPECT_EQ(time.TimerPeriod(timer::kRunStart), 2147483000);
    EXPECT_FALSE(run.StartEnabled());
    EXPECT_TRUE(std::filesystem::exists(folder.File("2024_05_06_14_30_01.txt")));

    // Escape: the files close and the folder of the run is not kept.
    run.CloseDialog(false, folder.Path().string());
    EXPECT_EQ(run.Folder(), "");
    EXPECT_FALSE(run.DialogOpen());
}

TEST_F(CalibrationRunTest, ChannelRowsKeepTheHeadersColumnsAndTheSummaryThePoint) {
    const std::string header = "\tTemp1[°C]\tTemp2[°C]\tTemp3[°C]\tTemp4[°C]\tTemp5[°C]\tTemp6[°C]\tTemp7[°C]"
                               "\tTemp8[°C]\tNiepweność\tNiejednorodność\tCzas";
    // Runs one after another in the same dialog, each into new files, with
    // 0, 2 and all 8 QX-311 channels reporting.
    for (int reporting : {0, 2, 8}) {
        SCOPED_TRACE(reporting);
        time.Advance(1000);
        ASSERT_TRUE(run.Start("0", folder.Path().string()));
        EXPECT_EQ(run.CurrentState(), CalibrationRun::State::Waiting);
        ASSERT_TRUE(run.DelayPassed());
        for (int r = 1; r <= 3; ++r) {
            RunObservation o = Observation(r, 20.0 + r, 10.0);
            o.qx311InUse = true;
            o.resolution = 2;
            for (int c = 0; c < reporting; ++c) o.channels[c] = 20.0 + 0.01 * c;
            if (reporting > 0) {
                o.utnj = 0.1 * r;
                o.spread = 0.2;
            }
            o.environmentInUse = true;
            o.environmentTemperature = 22.0 + r;
            o.environmentHumidity = 40.0 + r;
            EXPECT_TRUE(run.WriteRow(o));
        }
        // Budgets of DP/FP, T and Pb: instrument, table, scatter, non-uniformity, combined.
        const std::array<UncertaintyBudget, 3> budgets = {{{true, 0.1, 0.0, 0.0, 0.0, 0.1},
                                                           {true, 0.1, 0.05, 0.1, 0.0, 0.15},
                                                           {true, 0.1, 0.0, 0.02, 0.0, 0.102}}};
        run.Finish({"22,000", "0,150", "10,000", "0,100", "50,36", "1,10", "kPa", {}, {}, budgets, 1.1});
        EXPECT_EQ(run.CurrentState(), CalibrationRun::State::Ready);
        EXPECT_EQ(run.LastEnding()->kind, RunEnding::Kind::Completed);

        // Every channel row has a value (or "Błąd pomiaru") under each heading.
        const auto lines = Split(ReadFile(run.ChannelPath()), "\r\n");
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[0], header);
        for (int r = 1; r <= 3; ++r) {
            const std::string& row = lines[static_cast<std::size_t>(r)];
            ASSERT_TRUE(row.starts_with(std::to_string(r) + "\t")) << row;
            const auto cells = Split(row.substr(row.find('\t') + 1), "\t\t");
            ASSERT_EQ(cells.size(), 11u) << row;
            for (int c = 0; c < 8; ++c) {
                EXPECT_EQ(cells[c], c < reporting ? Printf("%.02f", 20.0 + 0.01 * c) : "Błąd pomiaru") << row;
            }
            EXPECT_EQ(cells[8], reporting > 0 ? Printf("%.03f", 0.1 * r) : "Błąd pomiaru");
            EXPECT_EQ(cells[9], reporting > 0 ? "0.20" : "Błąd pomiaru");
            EXPECT_EQ(cells[10], Stamp(time.LocalTime()));  // the row's moment
        }

        const std::string series = ReadFile(run.SeriesPath());
        const double rh1 = engine.ComputeFromDewPointAndTemperature(21, 0, 10, 0, 101.325, 0, 101.325, false, {},
                                                                    "°C", "kPa", ".")
                               .Value(Quantity::RelativeHumidity, Phase::Water);
        // Every cell keeps its place up to the row's moment.
        EXPECT_TRUE(series.starts_with(std::string(kSeriesHeader) + "\r\n1\t21.000\t\t10.00\t\t" +
                                       Printf("%.03f", rh1) + std::string(10, '\t') + Stamp(time.LocalTime()) +
                                       "\r\n2\t"))
            << series;
        // The chamber's non-uniformity only from rows where all eight channels reported.
        const std::string nonUniformity = reporting == 8 ? "Niejednorodność QX-311 (tnmax - tnmin): 0.200°C\r\n"
                                                           "Niepewność od niejednorodności QX-311 (utnj): 0.200°C\r\n"
                                                         : "";
        const std::string stamp = "2024-05-06 14:30:0" + std::to_string(reporting == 0 ? 1 : reporting == 2 ? 2 : 3);
        EXPECT_TRUE(series.ends_with("\r\n\r\nPodsumowanie:\r\nPomiary rozpoczęto: " + stamp +
                                     "\r\nPomiary zakończono: " + stamp +
                                     "\r\nTemperatura: 22.000°C, niepewność: 0.150°C\r\n" + nonUniformity +
                                     "Punkt rosy: 10.000°C, niepewność: 0.100°C\r\n\r\nWartości obliczone\r\n"
                                     "Wilgotność: 50.36%, niepewność: 1.10%\r\n\r\nWarunki środowiskowe <min; max>:\r\n"
                                     "Temperatura <23.0; 25.0> °C\r\nWilgotność <41.0; 43.0> %\r\n"
                                     "Ciśnienie <101.3; 101.3> kPa\r\n\r\nStabilność w czasie serii:\r\n"
                                     "Stanowisko niestabilne w 3 z 3 pomiarów\r\n\r\n"
                                     "Budżet niepewności standardowej średnich:\r\n"
                                     "DP/FP: przyrząd 0.1000°C, tablica 0.0000°C, rozrzut 0.0000°C, złożona 0.1000°C\r\n"
                                     "T: przyrząd 0.1000°C, tablica 0.0500°C, rozrzut 0.1000°C, niejednorodność "
                                     "0.0000°C, złożona 0.1500°C\r\n"
                                     "Pb: przyrząd 0.1000 kPa, rozrzut 0.0200 kPa, złożona 0.1020 kPa\r\n\r\n"
                                     "Niepewność rozszerzona (k = 2):\r\nTemperatura: u = 0.1500°C, U = 0.300°C\r\n"
                                     "Punkt rosy: u = 0.1000°C, U = 0.200°C\r\nWilgotność: u = 1.100%, U = 2.20%\r\n"))
            << series;
    }
}

TEST_F(CalibrationRunTest, InterruptedRunsSayWhyAndAfterHowManyRows) {
    struct Case {
        RunInterruption reason;
        int rows;
        const char* why;
        bool seriesBroken = false;  // the series file stops taking lines after the rows
    };
    const Case cases[] = {
        {RunInterruption::StoppedByUser, 2, "zatrzymana przyciskiem „Stop”"},
        {RunInterruption::DialogClosed, 0, "zamknięto okno „Kalibracja”"},
        {RunInterruption::WindowClosed, 1, "zamknięto program"},
        {RunInterruption::Signal, 2, "sygnał zatrzymania (SIGINT lub SIGTERM)"},
        {RunInterruption::TimeLimit, 0, "upłynął czas pracy stanowiska (--seconds)"},
        {RunInterruption::NoInstrument, 0, "nie udało się otworzyć żadnego przyrządu"},
        {RunInterruption::WriteFailed, 1, "błąd zapisu pliku serii", true},
    };
    const RunSummaryTexts texts{"20,500", "0,150", "10,000", "0,100", "", "", "kPa", {}, {}, {}, -1.0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        time.Advance(1000);
        host.shown.clear();
        ASSERT_TRUE(run.Start("10", folder.Path().string()));
        if (c.rows > 0) {
            time.Advance(10000);
            ASSERT_TRUE(run.DelayPassed());
            for (int r = 1; r <= c.rows; ++r) EXPECT_TRUE(run.WriteRow(Observation(r, 20.5, 10)));
        }
        if (c.seriesBroken) {
            // The disk under the series file fills up: the next row fails, said once.
            std::filesystem::remove(run.SeriesPath());
            std::filesystem::create_symlink("/dev/full", run.SeriesPath());
            EXPECT_FALSE(run.WriteRow(Observation(c.rows + 1, 20.5, 10)));
            EXPECT_TRUE(run.WriteFailed());
        }
        EXPECT_TRUE(run.Interrupt(c.reason, texts));
        EXPECT_FALSE(run.Interrupt(c.reason, texts));
        EXPECT_EQ(run.CurrentState(), CalibrationRun::State::Ready);
        EXPECT_FALSE(time.TimerRunning(timer::kRunStart));
        EXPECT_EQ(run.LastEnding()->kind, RunEnding::Kind::Interrupted);
        EXPECT_EQ(run.LastEnding()->reason, c.reason);
        EXPECT_EQ(host.shown.size(), c.seriesBroken ? 1u : 0u);

        const std::string mark = std::string("Seria przerwana: ") + c.why + "; wykonano " + std::to_string(c.rows) +
                                 " z 3 pomiarów\r\n";
        const std::string series = c.seriesBroken ? "" : ReadFile(run.SeriesPath());
        const std::string channels = ReadFile(run.ChannelPath());
        if (c.rows == 0) {
            // Interrupted before its first row: that line and nothing to summarise.
            EXPECT_TRUE(series.ends_with("T SD[K]\tCzas\r\n\r\n" + mark)) << series;
        } else if (!c.seriesBroken) {
            const std::string summary = "Pomiary zakończono: " + Stamp(time.LocalTime()) + "\r\n" + mark +
                                        "Temperatura: 20.500°C, niepewność: 0.150°C\r\nPunkt rosy: 10.000°C";
            EXPECT_NE(series.find(summary), std::string::npos) << series;
            EXPECT_NE(series.find("\r\nCiśnienie <101.3; 101.3> kPa\r\n"), std::string::npos) << series;
        }
        // The channel file ends with the same line, whatever became of the series file.
        EXPECT_TRUE(channels.ends_with("\r\n" + mark)) << channels;
    }
}

TEST_F(CalibrationRunTest, ProgressCountsDownToTheEnd) {
    // N = 3 over 60 s: a row every 20 s.
    EXPECT_EQ(run.ProgressLine(), "");
    ASSERT_TRUE(run.Start("75", folder.Path().string()));
    EXPECT_EQ(run.ProgressLine(), "start za 75 s, koniec ok. 14:31");
    time.Advance(75000);
    ASSERT_TRUE(run.DelayPassed());
    EXPECT_TRUE(run.WriteRow(Observation(1, 20, 10)));
    time.Advance(4500);
    EXPECT_EQ(run.ProgressLine(), "pomiar 1 z 3, następny za 16 s, koniec ok. 14:31");
    EXPECT_TRUE(run.StopEnabled());
}

TEST_F(CalibrationRunTest, MissingObservationEndsTheRun) {
    run.SetUseDewPoint(true);
    ASSERT_TRUE(run.Start("0", folder.Path().string()));
    run.DelayPassed();
    EXPECT_TRUE(run.WriteRow(Observation(1, 20, 10)));
    RunObservation o = Observation(2, 20, 10);
    o.dewPointObservations = 1;  // the hygrometer went quiet
    EXPECT_FALSE(run.WriteRow(o));
    EXPECT_EQ(LastMessage(), msg::NoDewPointObservations);
    EXPECT_TRUE(run.StartEnabled());
    // The text ends both files, a whole line.
    for (const std::string& path : {run.SeriesPath(), run.ChannelPath()}) {
        EXPECT_TRUE(ReadFile(path).ends_with("\r\nBrak pomiarów punktu rosy\r\n")) << path;
    }

    // In °F, without the dew-point column: temperatures only.
    run.SetTemperatureUnit("°F");
    run.SetUseDewPoint(false);
    time.Advance(1000);
    ASSERT_TRUE(run.Start("0", folder.Path().string()));
    run.DelayPassed();
    EXPECT_TRUE(run.WriteRow(Observation(1, 100, 10)));
    EXPECT_EQ(ReadFile(run.SeriesPath()), "\tTemperatura[°F]\tPunkt rosy[°F]\tWilgotność obl.[%]\tDP/FP dryft[°F/min]"
                                          "\tDP/FP SD[°F]\tT dryft[°F/min]\tT SD[°F]\tCzas\r\n1\t212.000" +
                                              std::string(14, '\t') + Stamp(time.LocalTime()) + "\r\n");
    o = Observation(1, 20, 10);
    EXPECT_FALSE(run.WriteRow(o));
    EXPECT_EQ(LastMessage(), msg::NoTemperatureObservations);
}

// A run that waits for the station to settle, in virtual time with a
// stability window of a minute: the dew point climbs 0.5 K/min and then
// holds, or never stops climbing; the thermometer reads 20 °C throughout.
TEST(CalibrationRunWaits, StartsOnlyOnceStableOrSaysItNeverWas) {
    struct Case {
        const char* what;
        int rampSeconds;      // the dew point climbs this long, then holds
        int longestMinutes;
        RunEnding::Kind ending;
        const char* until;    // the progress line's "najdłużej do"
    };
    const Case cases[] = {
        {"a ramp that stops", 120, 30, RunEnding::Kind::Completed, "; najdłużej do 15:00"},
        {"a ramp that goes on", 100000, 2, RunEnding::Kind::NeverStable, "; najdłużej do 14:32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        VirtualStation station;
        StabilitySettings stability;
        stability.windowMs = 60000;
        station.page.OverrideStability(stability);
        station.Start();
        int ended = 0;
        station.page.SetRunEndedHandler([&] { ++ended; });
        station.page.PrepareRun();
        CalibrationRun& run = station.page.Run();
        run.SetStabilityWait({true, c.longestMinutes});
        ASSERT_TRUE(run.Start("0", folder.Path().string()));

        const std::int64_t start = station.time.MonotonicMs();
        std::optional<std::int64_t> firstRow;
        std::string progress;
        // The DP30 reports every 100 ms, the F-250 every second.
        for (int step = 1; ended == 0 && step < 6000; ++step) {
            station.time.Advance(100);
            const int s = step / 10;
            station.Feed(Stream::Dp30, Dp30Line(10.0 + 0.5 * std::min(s, c.rampSeconds) / 60.0));
            if (step % 10 != 0) continue;
            station.Feed(Stream::F250, F250Line(20.0));
            if (s == 90) progress = run.ProgressLine();
            if (!firstRow && run.Rows() > 0) firstRow = station.time.MonotonicMs() - start;
        }
        EXPECT_EQ(ended, 1);
        ASSERT_TRUE(run.LastEnding());
        EXPECT_EQ(run.LastEnding()->kind, c.ending);
        EXPECT_TRUE(progress.starts_with("czeka na stabilność: niestabilne: DP/FP dryft 0,")) << progress;
        EXPECT_TRUE(progress.ends_with(c.until)) << progress;

        const std::string series = ReadFile(run.SeriesPath());
        const auto lines = Split(series, "\r\n");
        EXPECT_EQ(lines[0], kSeriesHeader);
        if (c.ending == RunEnding::Kind::NeverStable) {
            // Not one row; both files end saying why, in Polish with the point.
            EXPECT_EQ(run.Rows(), 0);
            const std::string said =
                "\r\nSeria nie rozpoczęta: brak stabilności w ciągu 2 min; niestabilne: DP/FP dryft 0.";
            EXPECT_NE(series.find(said), std::string::npos) << series;
            EXPECT_NE(ReadFile(run.ChannelPath()).find(said), std::string::npos);
            continue;
        }
        // The first row comes once the dew point holds, and it says how still
        // the station was: cells after the number are T, DP/FP, RH (none
        // without a pressure), then the drifts and deviations of DP/FP and T,
        // and last that the barometer, silent all along, is lost.
        ASSERT_TRUE(firstRow);
        EXPECT_GE(*firstRow, c.rampSeconds * 1000);
        const auto cells = Split(lines[1].substr(lines[1].find('\t') + 1), "\t\t");
        ASSERT_EQ(cells.size(), 9u) << lines[1];
        EXPECT_EQ(cells[8], "nieaktualne: Pb");
        EXPECT_EQ(cells[0], "20.000");
        EXPECT_EQ(cells[1], "11.00");
        EXPECT_EQ(cells[2], "");
        for (std::size_t i : {3u, 4u, 5u, 6u}) EXPECT_LE(std::fabs(std::stod(cells[i])), 0.02) << lines[1];
        EXPECT_NE(series.find("\r\nStabilność w czasie serii:\r\nDP/FP: dryft "), std::string::npos) << series;
        EXPECT_NE(series.find("\r\nStanowisko stabilne przez całą serię\r\n"
                              "3 z 3 pomiarów z nieaktualnym wejściem (Pb)\r\n\r\nBudżet niepewności standardowej "
                              "średnich:\r\nDP/FP: przyrząd 0.1000°C, "),
                  std::string::npos)
            << series;
        EXPECT_NE(series.find("\r\nNiepewność rozszerzona (k = 2):\r\nTemperatura: u = "), std::string::npos) << series;
    }
}
