// The laboratory page in virtual time: instrument lines fed byte by byte,
// ports that open or refuse on command, every timer tick at its moment.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/file_digest.h"
#include "text/string_table.h"
#include "text/strings.h"
#include "lab/base/lab_messages.h"
#include "lab/station/laboratory_page.h"
#include "sheet/laboratory_settings_adapter.h"
#include "lab_test_support.h"
#include "station_test_support.h"
#include "physics/units.h"

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

namespace {

// A station whose instruments report as they do.
struct Station : VirtualStation {
    using VirtualStation::VirtualStation;
    // Open, and not fallen silent.
    bool IsOpen(Stream stream) const {
        return page.Phase(stream) == LaboratoryPage::StreamPhase::Open && silent.count(stream) == 0;
    }
    // The instruments report as they do: the DP30 every 100 ms, the F-250
    // every second, the QX instruments every two seconds.
    void Live(std::int64_t ms) {
        for (std::int64_t end = time.MonotonicMs() + ms; time.MonotonicMs() < end;) {
            time.Advance(100);
            ++steps;
            if (IsOpen(Stream::Dp30)) Feed(Stream::Dp30, Dp30Line(dp));
            if (steps % 10 == 0 && IsOpen(Stream::F250)) Feed(Stream::F250, F250Line(t));
            if (steps % 20 != 0) continue;
            if (IsOpen(Stream::Qx316)) Feed(Stream::Qx316, QxPressure(p));
            if (IsOpen(Stream::Qx310Temperature)) Feed(Stream::Qx310Temperature, QxEnvironment(45, t));
            if (IsOpen(Stream::Qx310Environment)) Feed(Stream::Qx310Environment, QxEnvironment(40, 23));
            for (std::size_t c = 0; c < channels.size() && IsOpen(Stream::Qx311); ++c) {
                Feed(Stream::Qx311, QxChannel(static_cast<int>(c) + 1, channels[c]));
            }
        }
    }
    // Live until the next observation has been taken.
    void LiveToObservation() {
        const int before = observationTicks;
        while (observationTicks == before) Live(100);
    }
    bool LogHas(const std::string& entry) const {
        return std::find(link.log.begin(), link.log.end(), entry) != link.log.end();
    }

    long steps = 0;
    std::set<Stream> silent;
    // What the instruments read.
    double dp = 10.0, t = 20.0, p = 101.33;
    std::vector<double> channels;
};

}  // namespace

TEST(LaboratoryPage, StreamsOpenInOrderAfterTheirWait) {
    Settings s = StationSettings();
    s.settingsPortTempDevice = kSourceF250WithGradient;
    s.settingsPortEnvQx310Device = 1;
    Station station(s);
    station.page.SetUp();
    station.time.Advance(499);
    EXPECT_TRUE(station.link.log.empty());
    station.time.Advance(1);
    const std::vector<std::string> opened = {"500 open qx316 1", "500 open qx310-env 2", "500 open qx311 5",
                                             "500 open f250 6", "500 send f250 A", "500 open dp30 3"};
    EXPECT_EQ(station.link.log, opened);

    // The F-250 hears "A4" and gets 200 ms before its port closes, then the 500 ms wait.
    station.link.log.clear();
    station.time.Advance(500);
    station.page.RestartStream(Stream::F250);
    station.time.Advance(1000);
    const std::vector<std::string> restarted = {"1000 send f250 A4", "1200 close f250", "1700 open f250 6",
                                                "1700 send f250 A"};
    EXPECT_EQ(station.link.log, restarted);

    // A port that cannot be opened: "Błąd" and no ageing.
    station.link.refused.insert(Stream::Dp30);
    station.page.RestartStream(Stream::Dp30);
    station.time.Advance(500);
    EXPECT_EQ(station.page.Phase(Stream::Dp30), LaboratoryPage::StreamPhase::Failed);
    EXPECT_EQ(station.page.ValueText(LabValue::DewPoint), "Błąd");
    EXPECT_FALSE(station.time.TimerRunning(timer::kDewPointAge));
    // Bytes of a stream that is not open are not read.
    station.Feed(Stream::Dp30, Dp30Line(10));
    EXPECT_EQ(station.page.CurrentReading(LabValue::DewPoint), kNoReading);
}

TEST(LaboratoryPage, AgesAndTheF250AskedAgain) {
    Station station;
    station.Start();
    station.Feed(Stream::F250, F250Line(23.456));
    EXPECT_EQ(station.page.ValueText(LabValue::Temperature), "23,456");
    EXPECT_EQ(station.page.AgeText(LabValue::Temperature), "1s");
    station.link.log.clear();
    station.time.Advance(3000);
    EXPECT_EQ(station.page.AgeText(LabValue::Temperature), "4s");
    // Quiet for ten seconds: the input is asked for again, every ten seconds.
    station.time.Advance(17000);
    const std::vector<std::string> asked = {"9500 send f250 A", "19500 send f250 A"};
    EXPECT_EQ(station.link.log, asked);
    // "R" after the point: the unit is asked back with "U0".
    station.Feed(Stream::F250, F250Line(23.456));
    station.Feed(Stream::F250, "A 23.456C R\r");
    EXPECT_TRUE(station.LogHas("20500 send f250 U0"));
}

TEST(LaboratoryPage, ScheduleFromClampedSettings) {
    struct Case {
        int meanTime, n, update;
        int periodMs, effectiveN, updateMs;
    };
    for (const Case& c : {Case{60, 100, 5, 3000, 20, 5000}, Case{600, 10, 5, 60000, 10, 5000},
                          Case{0, 0, 0, 30000, 2, 3000}, Case{60, 10, 100000, 6000, 10, 600000}}) {
        SCOPED_TRACE(std::to_string(c.meanTime) + " s, N " + std::to_string(c.n));
        Settings s = StationSettings();
        s.settingsLabMeanTime = c.meanTime;
        s.settingsLabValuesFromDevices = c.n;
        s.settingsLabUpdate = c.update;
        Station station(s);
        station.page.Activate();
        EXPECT_EQ(station.page.ObservationPeriodMs(), c.periodMs);
        EXPECT_EQ(station.time.TimerPeriod(timer::kObservation), c.periodMs);
        EXPECT_EQ(station.time.TimerPeriod(timer::kRecompute), c.updateMs);
        EXPECT_EQ(station.page.EffectiveObservations(), c.effectiveN);
        // The user's N is never replaced by the reduced one.
        EXPECT_EQ(station.page.CurrentSettings().settingsLabValuesFromDevices, std::clamp(c.n, 2, 100));
    }
}

TEST(LaboratoryPage, AveragesAndResultsComeFromTheReadingsNotTheTexts) {
    Settings s = StationSettings();
    s.laboratoryPrecInput = 3;
    Station station(s);
    station.page.ChangePressureUnit(1);  // MPa: 101,33 kPa shows as 0,101
    station.Start();
    const double dps[] = {10.0, 10.5, 11.0};
    const double ts[] = {20.0, 20.25, 20.5};
    for (int i = 0; i < 3; ++i) {
        station.dp = dps[i];
        station.t = ts[i];
        station.LiveToObservation();
    }
    EXPECT_EQ(station.page.ValueText(LabValue::Pressure), "0,1013");
    EXPECT_EQ(station.page.AverageText(LabInput::Pressure), "0,101");
    EXPECT_NEAR(station.page.Average(LabInput::Pressure), 101.33, 1e-12);
    EXPECT_NEAR(station.page.AverageUncertainty(LabInput::Pressure), 0.1, 1e-12);
    EXPECT_EQ(station.page.AverageUncertaintyText(LabInput::Pressure), "0,000");
    EXPECT_DOUBLE_EQ(station.page.Average(LabInput::DewPoint), 10.5);
    // Scatter of 10, 10.5, 11 (s = 0.5) with the DP30's 0.1.
    EXPECT_NEAR(station.page.AverageUncertainty(LabInput::DewPoint), std::sqrt(0.25 + 0.01), 1e-12);
    EXPECT_EQ(station.page.ObservationText(LabInput::Temperature), "3");

    station.page.Recompute();
    EXPECT_NEAR(station.page.AverageUncertainty(LabInput::Temperature), std::sqrt(0.0625 + 0.01), 1e-12);
    // The engine gets the numbers held, not 0,101 MPa read back from the field.
    const auto& page = station.page;
    const HumidityResult expected = HumidityEngine().ComputeFromDewPointAndTemperature(
        page.Average(LabInput::Temperature), page.AverageUncertainty(LabInput::Temperature),
        page.Average(LabInput::DewPoint), page.AverageUncertainty(LabInput::DewPoint), page.Average(LabInput::Pressure),
        page.AverageUncertainty(LabInput::Pressure), page.Average(LabInput::Pressure), true, {1, 3, 0, 0}, "°C", "MPa",
        ",");
    ASSERT_FALSE(expected.failed);
    EXPECT_EQ(station.page.Results().values, expected.values);
    EXPECT_EQ(station.page.ResultTexts(),
              FormatResultGrid(expected, HalvesThatApply(expected, expected.Value(Quantity::BulbTemperature, Phase::Ice)),
                               "°C", "kcal/kg", 3, ","));
    EXPECT_TRUE(station.page.PrintEnabled());
    // Pressure first, then the dew point, then the temperature moved last.
    EXPECT_EQ(station.page.EditHistory(), (std::array<int, 4>{0, 0, 3, 1}));

    // A unit change shows the held numbers again and leaves the preference list alone.
    station.page.ChangeTemperatureUnit(2);
    EXPECT_EQ(station.page.AverageText(LabInput::Temperature), FormatInput(20.25 * 1.8 + 32, 3, ","));
    EXPECT_EQ(station.page.ValueText(LabValue::DewPoint), "51,80");
    EXPECT_EQ(station.page.ResultText(1, 0), FormatResult(20.25 * 1.8 + 32, 3, ","));
    EXPECT_EQ(station.page.EditHistory(), (std::array<int, 4>{0, 0, 3, 1}));

    // "Wyczyść": averaging starts from nothing.
    station.page.Clear();
    EXPECT_EQ(station.page.AverageText(LabInput::DewPoint), "");
    EXPECT_EQ(station.page.ObservationText(LabInput::DewPoint), "0");
    EXPECT_FALSE(station.page.PrintEnabled());
}

TEST(LaboratoryPage, ResultChecksJustInsideAndOutside) {
    struct Case {
        const char* what;
        double p, up, dp, t, udp, ut;
        bool shown;
    };
    const Case cases[] = {
        {"lowest pressure", 3.0, 0.0, -10, 20, 0.1, 0.1, true},
        {"pressure too low", 2.999, 0.0, -10, 20, 0.1, 0.1, false},
        {"highest pressure", 20000, 0.0, 10, 20, 0.1, 0.1, true},
        {"pressure too high", 20000.001, 0.0, 10, 20, 0.1, 0.1, false},
        {"pressure uncertainty", 101.325, 99.99, 10, 20, 0.1, 0.1, true},
        {"pressure uncertainty too big", 101.325, 100, 10, 20, 0.1, 0.1, false},
        {"lowest dew point", 101.325, 0.1, -100, 20, 0.1, 0.1, true},
        {"dew point too low", 101.325, 0.1, -100.01, 20, 0.1, 0.1, false},
        {"highest temperature", 101.325, 0.1, 10, 100, 0.1, 0.1, true},
        {"temperature too high", 101.325, 0.1, 10, 100.001, 0.1, 0.1, false},
        {"saturation", 101.325, 0.1, 20, 20, 0.1, 0.1, true},
        {"temperature below the dew point", 101.325, 0.1, 20.01, 20, 0.1, 0.1, false},
        {"dew-point uncertainty", 101.325, 0.1, 10, 20, 99.99, 0.1, true},
        {"dew-point uncertainty too big", 101.325, 0.1, 10, 20, 100, 0.1, false},
        {"temperature uncertainty", 101.325, 0.1, 10, 20, 0.1, 99.99, true},
        {"temperature uncertainty too big", 101.325, 0.1, 10, 20, 0.1, 100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings s = StationSettings();
        s.settingsPortPressDevice = 1;  // entered by hand
        s.settingsLabDp30 = c.udp;
        s.settingsLabF250 = c.ut;
        s.formulasUncertainty = 0;
        Station station(s);
        station.page.SetHandPressure(c.p, c.up);
        station.Start();
        station.dp = c.dp;
        station.t = c.t;
        station.LiveToObservation();
        station.page.Recompute();
        EXPECT_EQ(station.page.PrintEnabled(), c.shown) << station.page.StatusText();
        // A failed check is named on the status line (never in a box), with the
        // message the calculator pages give for it.
        const LaboratoryPage::Calculation& state = station.page.CalculationState();
        EXPECT_EQ(state.ok, c.shown);
        EXPECT_EQ(station.page.StatusText().empty(), c.shown) << station.page.StatusText();
        if (!c.shown) {
            EXPECT_EQ(state.text, LoadString(state.messageId));
        }
        EXPECT_TRUE(station.host.shown.empty());
    }
}

TEST(LaboratoryPage, FailingTicksShowOnTheStatusLineWithoutBoxes) {
    Settings s = StationSettings();
    s.settingsPortPressDevice = 1;
    Station station(s);
    station.page.SetHandPressure(3.0, 0.0);  // far less than the vapour pressure of 30 °C air
    station.Start();
    station.dp = 30;
    station.t = 40;
    station.LiveToObservation();
    station.Live(10 * 5000);  // ten recomputations
    EXPECT_TRUE(station.host.shown.empty());
    EXPECT_FALSE(station.page.PrintEnabled());
    EXPECT_NE(station.page.StatusText().find(std::string(LoadString(lab::msg::CalculationFailed)).substr(0, 10)),
              std::string::npos)
        << station.page.StatusText();
}

TEST(LaboratoryPage, WithTheGradientOnResultsWaitForTheQx311) {
    for (int source : {kSourceQx311, kSourceQx310WithGradient}) {
        SCOPED_TRACE(source);
        Settings s = StationSettings();
        s.settingsPortTempDevice = source;
        s.settingsQx311Deviation = 1;
        Station station(s);
        station.Start();
        station.LiveToObservation();
        station.page.Recompute();
        EXPECT_FALSE(station.page.PrintEnabled());
        EXPECT_EQ(station.page.AverageUncertaintyText(LabInput::Temperature), "");
        EXPECT_NE(station.page.StatusText().find(MessageText(lab::msg::WaitingForQx311)), std::string::npos);

        station.channels = {19.5, 20.5};
        station.LiveToObservation();
        station.page.Recompute();
        EXPECT_TRUE(station.page.PrintEnabled());
        // The chamber's mean is the temperature of source 3; its non-uniformity counts in both.
        if (source == kSourceQx311) {
            EXPECT_DOUBLE_EQ(station.page.Average(LabInput::Temperature), 20.0);
        }
        const double utnj = 1.0 / (2 * std::sqrt(3.0));
        EXPECT_NEAR(station.page.AverageUncertainty(LabInput::Temperature), std::hypot(0.1, utnj), 1e-12);
    }
}

TEST(TemperatureBudget, EverySourceGradientAndInstrumentSwitch) {
    // A distinct prime per term: a dropped or doubled term shows in the sum of squares.
    const double u310 = 2, u311 = 3, u250 = 5, utnj = 7, k310 = 11, k311 = 13, k250 = 17;
    struct Case {
        int source;
        bool gradient;
        std::vector<double> instrument, table;
    };
    const Case cases[] = {
        {kSourceQx310, false, {u310}, {k310}},
        {kSourceQx310, true, {u310}, {k310}},
        {kSourceQx311, false, {u311}, {k311}},
        {kSourceQx311, true, {u311, utnj}, {k311}},
        {kSourceF250, false, {u250}, {k250}},
        {kSourceF250, true, {u250}, {k250}},
        {kSourceQx310WithGradient, false, {u310}, {k311, k310}},
        {kSourceQx310WithGradient, true, {u310, utnj}, {k311, k310}},
        {kSourceF250WithGradient, false, {u250}, {k311, k250}},
        {kSourceF250WithGradient, true, {u250, utnj}, {k311, k250}},
    };
    auto squares = [](const std::vector<double>& terms) {
        double sum = 0;
        for (double t : terms) sum += t * t;
        return sum;
    };
    for (const Case& c : cases) {
        for (bool instruments : {true, false}) {
            SCOPED_TRACE(std::to_string(c.source) + (c.gradient ? " gradient" : "") + (instruments ? " u" : ""));
            const TemperatureTerms terms =
                TemperatureBudget(c.source, c.gradient, instruments, u310, u311, u250, utnj, k310, k311, k250);
            EXPECT_DOUBLE_EQ(terms.uI * terms.uI, instruments ? squares(c.instrument) : 0.0);
            EXPECT_DOUBLE_EQ(terms.uC * terms.uC, squares(c.table));
        }
    }
}

TEST(LaboratoryPage, CalibrationTablesCorrectReadingsAndCountInTheUncertainty) {
    TempFolder folder;
    Settings s = StationSettings();
    s.settingsPortTempDevice = kSourceF250WithGradient;
    s.settingsQx311Deviation = 1;
    s.settingsLabIsDevicesError = 0;
    auto table = [&](const std::string& name, double correction, double uncertainty) {
        char line[64];
        std::snprintf(line, sizeof line, "-50;%.3f;%.3f\r\n50;%.3f;%.3f\r\n", correction, uncertainty, correction,
                      uncertainty);
        WriteFile(folder.File(name), line);
        return folder.File(name);
    };
    s.calibrationFileNameDp30 = table("dp30.cal", 0.5, 0.2);
    s.calibrationFileNameF250 = table("f250.cal", -0.25, 0.07);
    // Two of the eight QX-311 channels have tables: their mean counts, not an eighth of each.
    s.calibrationFileNameTempQx311[0] = table("ch1.cal", 0.0, 0.3);
    s.calibrationFileNameTempQx311[1] = table("ch2.cal", 0.0, 0.5);
    s.settingsLabCalibrationTableDp30 = s.settingsLabCalibrationTableF250 = s.settingsLabCalibrationTableTempQx311 = 1;
    Station station(s);
    station.Start();
    ASSERT_TRUE(station.host.shown.empty()) << station.host.shown.front().text;
    station.channels = {20.0};
    station.LiveToObservation();
    EXPECT_EQ(station.page.ValueText(LabValue::DewPoint), "10,50");
    EXPECT_EQ(station.page.ValueText(LabValue::Temperature), "19,750");
    EXPECT_NEAR(station.page.AverageUncertainty(LabInput::DewPoint), 0.2, 1e-12);
    EXPECT_NEAR(station.page.AverageUncertainty(LabInput::Temperature), std::hypot(0.4, 0.07), 1e-12);
}

TEST(LaboratoryPage, StationLosesItsInstruments) {
    // Each instrument in turn, its port lost (or fallen silent, which some
    // ports are when they go), while the station records every minute.
    struct Case {
        Stream stream;
        int source;
        bool silent;
        std::optional<LabInput> stale;  // the input that goes stale with it
    };
    const Case cases[] = {
        {Stream::Dp30, kSourceF250, false, LabInput::DewPoint},
        {Stream::Qx316, kSourceF250, true, LabInput::Pressure},
        {Stream::F250, kSourceF250, false, LabInput::Temperature},
        {Stream::Qx310Temperature, kSourceQx310, true, LabInput::Temperature},
        {Stream::Qx311, kSourceQx311, false, LabInput::Temperature},
        {Stream::Qx310Environment, kSourceF250, true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(StreamName(c.stream)));
        TempFolder folder;
        Settings s = StationSettings();
        s.settingsPortTempDevice = c.source;
        s.settingsPortTempCanalQx311 = "1";
        s.settingsPortEnvQx310Device = 1;
        SaveFileContents contents;
        contents.dewPointInput = contents.temperatureInput = contents.pressureInput = contents.savingOn = true;
        contents.csvFormat = true;
        s.saveFileCode = EncodeSaveFileCode(contents);
        s.saveFileName = folder.File("lab.csv");
        s.saveFileTime = 1;
        Station station(s);
        station.channels = {20.0};
        std::vector<LaboratoryPage::Notice> notices;
        station.page.SetNoticeHandler([&](const LaboratoryPage::Notice& n) { notices.push_back(n); });
        station.Start();
        station.Live(65000);  // the first record at one minute
        ASSERT_TRUE(station.page.StaleInputs().empty());
        ASSERT_TRUE(notices.empty()) << notices.front().text;

        // Gone until 130 s: retried every 10 s, quietly, and told once.
        if (c.silent) {
            station.silent.insert(c.stream);
        } else {
            station.link.refused.insert(c.stream);
            station.page.OnChannelLost(c.stream, "reading failed");
        }
        station.Live(130000 - station.time.MonotonicMs());
        EXPECT_TRUE(station.page.InOutage(c.stream));
        EXPECT_TRUE(station.host.shown.empty());
        ASSERT_GE(notices.size(), 1u);
        EXPECT_EQ(notices[0].kind, LaboratoryPage::Notice::Kind::InstrumentLost);
        EXPECT_NE(notices[0].text.find(std::string(LoadString(lab::msg::FirstInstrumentName +
                                                              static_cast<int>(c.stream))) +
                                       " (COM"),
                  std::string::npos)
            << notices[0].text;
        if (c.stale) {
            EXPECT_EQ(station.page.StaleInputs(), std::vector<LabInput>{*c.stale});
            EXPECT_TRUE(station.page.ResultsStale());
            EXPECT_EQ(station.page.Printout(PrintTime{}).warnings.size(), 1u);
            EXPECT_EQ(station.page.SkippedInGap(), 1u);  // the record at two minutes
            EXPECT_NE(station.page.StatusText().find(MessageText(lab::msg::StaleInputs, {""})), std::string::npos);
        } else {
            EXPECT_TRUE(station.page.StaleInputs().empty());
        }

        // Back: opened again by the same path, readings averaged afresh, recording goes on.
        station.link.refused.clear();
        station.silent.clear();
        station.Live(60000);
        EXPECT_EQ(station.page.Phase(c.stream), LaboratoryPage::StreamPhase::Open);
        EXPECT_FALSE(station.page.InOutage(c.stream));
        EXPECT_TRUE(station.page.StaleInputs().empty());
        std::vector<LaboratoryPage::Notice::Kind> kinds;
        for (const auto& n : notices) kinds.push_back(n.kind);
        using Kind = LaboratoryPage::Notice::Kind;
        const std::vector<Kind> expected =
            c.stale ? std::vector<Kind>{Kind::InstrumentLost, Kind::RecordsSkipped, Kind::InstrumentBack,
                                        Kind::RecordingResumed}
                    : std::vector<Kind>{Kind::InstrumentLost, Kind::InstrumentBack};
        EXPECT_EQ(kinds, expected);
        EXPECT_EQ(station.page.StatusText(), "");
        const std::string data = ReadFile(s.saveFileName);
        EXPECT_NE(data.find("\r\n2024.05.06 14:31:00,"), std::string::npos) << data;
        // No record from stale averages: a gap instead.
        EXPECT_EQ(data.find("14:32:00,") == std::string::npos, c.stale.has_value()) << data;
        EXPECT_NE(data.find("\r\n2024.05.06 14:33:00,"), std::string::npos) << data;
    }
}

TEST(LaboratoryPage, DataFileRecordsAndGoesOnUnderItsHeaderAfterARestart) {
    const std::string bom(kByteOrderMark);
    const std::string header = "Data i czas,DP/FP wejście (°C),RH nad wodą (%),RH nad lodem (%),\r\n";
    struct Case {
        const char* name;
        bool byteOrderMark;   // asked for from the start
        bool uncertainties;   // switched on for the restart
        std::string restartHeader;
    };
    const Case cases[] = {
        {"same columns", false, false, ""},
        {"CSV for spreadsheets", true, false, ""},
        {"uncertainty columns added", false, true,
         "Data i czas,DP/FP wejście (°C),u(DP/FP wejście) (°C),RH nad wodą (%),u(RH nad wodą) (%),RH nad lodem (%),"
         "u(RH nad lodem) (%),\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        Settings s = StationSettings();
        SaveFileContents contents;
        contents.dewPointInput = contents.relativeHumidity = contents.csvFormat = contents.savingOn = true;
        s.saveFileCode = EncodeSaveFileCode(contents);
        s.saveFileName = folder.File("lab.csv");
        s.saveFileTime = 2;
        s.saveFileBom = c.byteOrderMark ? 1 : 0;
        {
            Station station(s);
            station.Start();
            station.Live(60000 - station.time.MonotonicMs() + 100);  // the first record, a minute after start
            EXPECT_EQ(station.time.TimerPeriod(timer::kRecord), 120000);
            station.Live(120000);
        }
        const std::string start = (c.byteOrderMark ? bom : "") + header;
        const std::string text = ReadFile(s.saveFileName);
        ASSERT_EQ(text.substr(0, start.size()), start);
        EXPECT_EQ(text.find("2024.05.06 14:31:00,10.000,"), start.size()) << text;
        EXPECT_NE(text.find("\r\n2024.05.06 14:33:00,10.000,"), std::string::npos) << text;

        // The station starts again: the file goes on, nothing emptied, nothing
        // asked, a header only when the columns changed, never a second mark.
        s.saveFileUncertainties = c.uncertainties ? 1 : 0;
        Station again(s);
        again.Start();
        again.Live(60000);
        const std::string resumed = ReadFile(s.saveFileName);
        EXPECT_EQ(resumed.substr(0, text.size()), text);
        const std::string added = resumed.substr(text.size());
        EXPECT_EQ(added.substr(0, c.restartHeader.size()), c.restartHeader) << added;
        EXPECT_EQ(added.find("2024.05.06 "), c.restartHeader.size()) << added;
        EXPECT_EQ(resumed.find(bom, 1), std::string::npos);
        EXPECT_TRUE(again.host.shown.empty());
        if (!c.uncertainties) continue;
        // Each uncertainty column holds what --json gives for the same moment;
        // a dew point above 0 °C leaves the ice half, and its uncertainty, empty.
        std::vector<std::string> fields;
        for (std::size_t at = added.find(',', c.restartHeader.size()); at + 1 < added.size() && added[at + 1] != '\r';
             at = added.find(',', at + 1)) {
            fields.push_back(added.substr(at + 1, added.find(',', at + 1) - at - 1));
        }
        ASSERT_EQ(fields.size(), 6u) << added;
        const HumidityResult& r = again.page.Results();
        EXPECT_NEAR(std::stod(fields[1]), again.page.AverageUncertainty(LabInput::DewPoint), 0.0005);
        EXPECT_NEAR(std::stod(fields[3]), r.Uncertainty(Quantity::RelativeHumidity, Phase::Water), 0.0005);
        EXPECT_GT(std::stod(fields[3]), 0.0);
        EXPECT_EQ(fields[4] + fields[5], "");
    }
}

TEST(LaboratoryPage, RecordingLineOverTime) {
    struct Case {
        const char* name;
        bool savingOn, columns, instruments, fileNamed;
        std::int64_t liveMs;  // after the start
        std::string text;
        bool warning;
    };
    const std::string warning = "Zapis włączony, lecz nic nie jest zapisywane: ";
    const Case cases[] = {
        {"off", false, true, true, true, 70000, "", false},
        {"before the first record", true, true, true, true, 1000, "Zapis: lab.csv co 2 min, pierwszy rekord ok. 14:31",
         false},
        {"after a record", true, true, true, true, 70000, "Zapis: lab.csv co 2 min, ostatni rekord 14:31:00", false},
        {"after the next", true, true, true, true, 190000, "Zapis: lab.csv co 2 min, ostatni rekord 14:33:00", false},
        {"no column", true, false, true, true, 1000, warning + "nie wybrano żadnej kolumny", true},
        {"instruments off", true, true, false, true, 1000, warning + "przyrządy zewnętrzne są wyłączone", true},
        {"no file", true, true, true, false, 1000, warning + "plik danych nie jest otwarty", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        Settings s = StationSettings();
        SaveFileContents contents;
        contents.dewPointInput = c.columns;
        contents.csvFormat = true;
        contents.savingOn = c.savingOn;
        s.saveFileCode = EncodeSaveFileCode(contents);
        s.saveFileName = c.fileNamed ? folder.File("lab.csv") : "";
        s.saveFileTime = 2;
        s.settingsLabDevices = c.instruments ? 1 : 0;
        Station station(s);
        station.Start();
        station.Live(c.liveMs);
        const LaboratoryPage::RecordingLine line = station.page.RecordingStatus();
        EXPECT_EQ(line.text, c.text);
        EXPECT_EQ(line.warning, c.warning);
    }
}

TEST(LaboratoryPage, CalibrationRunThroughThePage) {
    TempFolder folder;
    Station station;
    station.Start();
    station.page.PrepareRun();
    // While the run is being prepared nothing is averaged.
    station.LiveToObservation();
    EXPECT_EQ(station.page.ObservationText(LabInput::DewPoint), "0");

    ASSERT_TRUE(station.page.Run().Start("1", folder.Path().string()));
    station.Live(1000);
    EXPECT_TRUE(station.page.RunInProgress());
    EXPECT_EQ(station.page.Run().Rows(), 1);
    EXPECT_EQ(station.host.beeps, 1);
    station.dp = 10.5;
    station.t = 20.5;
    for (int i = 0; i < 2; ++i) station.LiveToObservation();
    EXPECT_FALSE(station.page.RunInProgress());
    EXPECT_EQ(station.page.Run().Rows(), 3);
    EXPECT_TRUE(station.page.Run().StartEnabled());
    const std::string series = ReadFile(station.page.Run().SeriesPath());
    EXPECT_NE(series.find("\r\n3\t20.500\t\t10.50\t\t"), std::string::npos) << series;
    EXPECT_NE(series.find("Temperatura: 20.333°C"), std::string::npos) << series;

    // "Zamknij" keeps the folder for the next time.
    station.page.Run().CloseDialog(true, folder.Path().string());
    station.page.RunDialogClosed();
    EXPECT_EQ(station.page.CurrentSettings().calibrFilePath, folder.Path().string());
}

TEST(LaboratoryPage, RunsStartingBeforeTheFirstReadingsAndThoseThatEndAtOnce) {
    TempFolder folder;
    std::string series;
    {
        // A run without delay, started with the station: it waits for the
        // thermometer's first line (the F-250 reports every second) and begins.
        Station station;
        station.Start();
        station.page.PrepareRun();
        ASSERT_TRUE(station.page.Run().Start("0", folder.Path().string()));
        station.Live(100);
        EXPECT_TRUE(station.page.Run().AwaitingFirstReadings());
        station.Live(2000);
        EXPECT_TRUE(station.page.RunInProgress());
        EXPECT_EQ(station.page.Run().Rows(), 1);
        series = station.page.Run().SeriesPath();
    }
    // The program closed in the middle of the run: its files say so.
    EXPECT_NE(ReadFile(series).find("\r\nSeria przerwana: zamknięto program; wykonano 1 z 3 pomiarów\r\n"),
              std::string::npos)
        << ReadFile(series);

    // A thermometer that never answers: the run waits one collection time,
    // then ends on its first row; the station goes on averaging once its
    // dialog is closed, as `lab run` closes it whenever a run ends.
    TempFolder another;
    Station station;
    station.link.refused.insert(Stream::F250);
    station.Start();
    int ended = 0;
    station.page.SetRunEndedHandler([&] {
        ++ended;
        station.page.Run().CloseDialog(true, another.Path().string());
        station.page.RunDialogClosed();
    });
    station.page.PrepareRun();
    ASSERT_TRUE(station.page.Run().Start("0", another.Path().string()));
    station.Live(59000);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(station.page.Run().AwaitingFirstReadings());
    station.Live(2000);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(station.page.Run().LastEnding()->kind, RunEnding::Kind::MissingObservation);
    EXPECT_EQ(station.host.shown.back().messageId, lab::msg::NoTemperatureObservations);
    EXPECT_FALSE(station.page.Run().DialogOpen());
    const int before = station.page.Observations(LabInput::DewPoint);
    station.LiveToObservation();
    EXPECT_GT(station.page.Observations(LabInput::DewPoint), before);
}

TEST(LaboratoryPage, ActivationAndPrintout) {
    Settings s = StationSettings();
    s.settingsLabDevices = 0;
    Station off(s);
    EXPECT_TRUE(off.page.Activate());  // the first activation, when the window opens
    EXPECT_FALSE(off.page.Activate());
    ASSERT_EQ(off.host.shown.size(), 1u);
    EXPECT_EQ(off.host.shown[0].messageId, lab::msg::SetPorts);

    Station station;
    station.Start();
    station.LiveToObservation();
    station.page.Recompute();
    const auto cells = LayOut(station.page.Printout({2024, 5, 6, 14, 31}));
    auto cellAt = [&](int k, int n) {
        for (const PrintCell& c : cells) {
            if (c.k == k && c.n == n) return c.text;
        }
        return std::string("(none)");
    };
    EXPECT_EQ(cellAt(100, 100), "Uśrednione wartości wejściowe");
    EXPECT_EQ(cellAt(100, 400), "DP/FP");
    EXPECT_EQ(cellAt(450, 400), "10,000");
    EXPECT_EQ(cellAt(800, 400), "0,100");
    EXPECT_EQ(cellAt(1150, 500), "°C");
    EXPECT_EQ(cellAt(100, 600), "Pb");
    EXPECT_EQ(cellAt(1150, 600), "kPa");
    EXPECT_EQ(cellAt(100, 1000), "Wartości obliczone, uwzględniono niepewność wzorów");
    EXPECT_EQ(cellAt(450, 1300), station.page.ResultText(0, 0));
    EXPECT_EQ(cellAt(1850, 1500), "%");
    // The sheet says when it was printed and with which formulas.
    EXPECT_TRUE(std::any_of(cells.begin(), cells.end(),
                            [](const PrintCell& c) { return c.text.starts_with("Wydrukowano 2024-05-06 14:31; "); }));
}

// The record sheet names what stood behind the numbers: readings with their
// ages and counts, N, the tables (with a short checksum), ports and files.
TEST(LaboratoryPage, PrintoutRecordSheet) {
    SetFileDigest([](std::string_view) { return std::string("0123456789abcdef") + std::string(48, '0'); });
    TempFolder folder;
    Settings s = StationSettings();
    WriteFile(folder.File("dp30.cal"), "-50;0.5;0.2\r\n50;0.5;0.2\r\n");
    s.calibrationFileNameDp30 = folder.File("dp30.cal");
    s.settingsLabCalibrationTableDp30 = 1;
    SaveFileContents contents;
    contents.dewPointInput = contents.csvFormat = contents.savingOn = true;
    s.saveFileCode = EncodeSaveFileCode(contents);
    s.saveFileName = folder.File("lab.csv");
    s.labName = "Laboratorium Wilgotności";
    s.labAccreditation = "AB 123";
    Station station(s);
    station.Start();
    station.LiveToObservation();
    const std::vector<PrintCell> cells = station.page.PrintRecord({2024, 5, 6, 14, 31});
    SetFileDigest(nullptr);
    auto line = [&](int n) {
        std::string text;
        for (const PrintCell& c : cells) {
            if (c.n == n) text += (text.empty() ? "" : " | ") + c.text;
        }
        return text;
    };
    EXPECT_EQ(line(500), "DP/FP | 10,50 °C | 1s | 1");
    EXPECT_EQ(line(1100), "Uśrednianie: N = 3, czas zbierania 60 s, obserwacja co 20 s");
    EXPECT_EQ(line(1200), "Tablice korekcji:");
    const std::string table = line(1300);
    EXPECT_EQ(table.rfind("MBW DP30: dp30.cal, wierszy: 2, zmieniona ", 0), 0u) << table;
    EXPECT_TRUE(table.ends_with("; SHA-256 0123456789ab")) << table;
    EXPECT_EQ(line(1400), "Porty: QX-316 COM1, MBW DP30 COM3, ASL F-250 COM6");
    EXPECT_EQ(line(1500), "Plik danych: " + folder.File("lab.csv"));
    EXPECT_EQ(line(1600), "Ostatnia seria: brak");
    // The laboratory right above the trace lines.
    EXPECT_EQ(line(2600), "Laboratorium Wilgotności");
    EXPECT_EQ(line(2700), "Nr akredytacji: AB 123");
    EXPECT_EQ(line(2800).rfind("Wydrukowano 2024-05-06 14:31; ", 0), 0u);
}

TEST(LaboratorySettingsAdapter, ConfirmedChangesReachThePage) {
    TempFolder folder;
    Station station;
    LaboratorySettingsAdapter adapter(station.page);
    Settings s = StationSettings();

    // Before the first activation a restart waits for it.
    LaboratoryChange change;
    change.streamsToRestart = {Stream::Dp30};
    adapter.ApplySettingsChange(s, {}, change);
    station.time.Advance(1000);
    EXPECT_TRUE(station.link.log.empty());
    station.page.Activate();
    station.time.Advance(500);
    EXPECT_TRUE(station.LogHas("1500 open dp30 3"));

    // While acquiring it happens at once; a table switched on is loaded.
    WriteFile(folder.File("dp30.cal"), "0;0.5;0.1\r\n");
    s.calibrationFileNameDp30 = folder.File("dp30.cal");
    s.settingsLabCalibrationTableDp30 = 1;
    change.tablesToLoad = {{TableId::Dp30, s.calibrationFileNameDp30}};
    adapter.ApplySettingsChange(s, {}, change);
    station.time.Advance(500);
    EXPECT_TRUE(station.LogHas("2000 open dp30 3"));
    EXPECT_EQ(station.page.TableStatusLine(TableFamily::Dp30).text, "Tablica DP30 jest używana");

    // "Zapis": an existing file emptied, its header first, the first record a minute on.
    const std::string path = folder.File("lab.txt");
    WriteFile(path, "old records\r\n");
    EXPECT_EQ(adapter.OpenNextDataFile(path), LaboratorySettingsTarget::Opening::Existed);
    EXPECT_EQ(adapter.OpenNextDataFile(folder.File("missing/lab.txt")), LaboratorySettingsTarget::Opening::Failed);
    EXPECT_EQ(adapter.OpenNextDataFile(path), LaboratorySettingsTarget::Opening::Existed);
    SaveFileContents contents;
    contents.temperatureInput = contents.savingOn = true;
    s.saveFileCode = EncodeSaveFileCode(contents);
    s.saveFileName = path;
    LaboratoryChange save;
    save.dataFile = DataFileAction::SwitchEmptied;
    save.headerPending = save.startSaveTimer = true;
    adapter.ApplySettingsChange(s, {}, save);
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(adapter.CurrentDataFile().path, path);
    // The thermometer never opened here: nothing averaged, so no record of
    // empty fields; the chain says why. The dew point's column has values.
    station.Live(60000);
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_NE(ReadFile(ChainPath(path)).find("\tskipped\tno results\t"), std::string::npos) << ReadFile(ChainPath(path));
    contents.dewPointInput = true;
    s.saveFileCode = EncodeSaveFileCode(contents);
    adapter.ApplySettingsChange(s, {}, save);
    station.Live(60000);
    EXPECT_EQ(ReadFile(path).rfind("Data i czas\tDP/FP wejście (°C)\tT wejście (°C)\t\r\n", 0), 0u) << ReadFile(path);
}

// A chamber whose dew point ramps, then holds: the page's trend judges it
// unstable on the drift while it ramps and stable once a whole window has
// passed since the ramp ended; "Wyczyść" starts the window again, and a lost
// thermometer concerns the temperature only.
TEST(LaboratoryPage, TrendsJudgeARampThatStopsAndMarkRestarts) {
    Station station;
    station.Start();
    StabilitySettings stability = station.page.Stability();
    stability.windowMs = 2 * 60000;
    station.page.OverrideStability(stability);

    for (int s = 0; s < 240; ++s) {  // four minutes at 0.5 K/min
        station.dp = 10.0 + 0.5 * s / 60.0;
        station.Live(1000);
    }
    StabilityVerdict v = station.page.Verdict(TrendQuantity::DewPoint);
    EXPECT_FALSE(v.stable);
    EXPECT_EQ(v.exceeded, StabilityFigure::Drift);
    EXPECT_NEAR(v.figures.drift, 0.5, 0.01);
    EXPECT_TRUE(station.page.Verdict(TrendQuantity::Temperature).stable);
    EXPECT_EQ(station.page.VerdictText(TrendQuantity::DewPoint).rfind("niestabilne: DP/FP dryft 0,500 K/min > 0,020", 0), 0u)
        << station.page.VerdictText(TrendQuantity::DewPoint);
    // The printout's trend sheet states the figures in the page's units and the verdicts.
    const LaboratoryPage::TrendPrintout sheet = station.page.PrintTrends(PrintTime{2026, 12, 7, 12, 0});
    auto printed = [&](const std::string& text) {
        return std::any_of(sheet.cells.begin(), sheet.cells.end(),
                           [&](const PrintCell& c) { return c.text.rfind(text, 0) == 0; });
    };
    EXPECT_TRUE(printed("0,49") || printed("0,50")) << "the drift";
    EXPECT_TRUE(printed("niestabilne: DP/FP dryft"));
    EXPECT_EQ(sheet.chart.panels.size(), 4u);  // DP/FP, T, Pb, RH: each on its own axis
    EXPECT_GT(sheet.chartN, 800);
    const std::int64_t rampEnd = station.time.MonotonicMs();
    station.Live(60000);
    EXPECT_FALSE(station.page.StationVerdict().stable);
    station.Live(61000);
    const StationStability settled = station.page.StationVerdict();
    ASSERT_TRUE(settled.stable);
    EXPECT_GT(settled.since, rampEnd + 60000);
    EXPECT_LE(settled.since, rampEnd + 120000);
    EXPECT_NE(station.page.StationVerdictText().find("stabilne od"), std::string::npos);

    station.silent.insert(Stream::F250);
    station.Live(31000);  // the F-250 silent for 30 s is lost
    EXPECT_FALSE(station.page.Verdict(TrendQuantity::Temperature).stable);
    EXPECT_TRUE(station.page.Verdict(TrendQuantity::DewPoint).stable);

    station.page.Clear();
    station.Live(1000);
    v = station.page.Verdict(TrendQuantity::DewPoint);
    EXPECT_FALSE(v.stable);
    EXPECT_EQ(v.exceeded, StabilityFigure::Window);
    EXPECT_GT(station.page.Trends().Earliest(static_cast<int>(TrendQuantity::DewPoint)), -1);
    EXPECT_LE(station.page.Trends().Earliest(static_cast<int>(TrendQuantity::DewPoint)), rampEnd - 200000);
}
