#include <gtest/gtest.h>

#include <filesystem>

#include "lab/calibration_run.h"
#include "lab/lab_host.h"
#include "lab/lab_messages.h"
#include "lab_test_support.h"
#include "physics/humidity_engine.h"

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

namespace {

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

TEST_F(CalibrationRunTest, RowsSummaryAndSecondRun) {
    ASSERT_TRUE(run.Start("0", folder.Path().string()));
    EXPECT_EQ(run.CurrentState(), CalibrationRun::State::Waiting);
    ASSERT_TRUE(run.DelayPassed());
    for (int r = 1; r <= 3; ++r) {
        RunObservation o = Observation(r, 20.0 + r, 10.0);
        o.qx311InUse = true;
        o.utnj = 0.1 * r;
        o.spread = 0.2;
        o.resolution = 1;
        o.channels[0] = 20.04;
        o.environmentInUse = true;
        o.environmentTemperature = 22.0 + r;
        o.environmentHumidity = 40.0 + r;
        EXPECT_TRUE(run.WriteRow(o));
    }
    run.Finish({"22,000", "0,150", "10,000", "0,100", "50,36", "1,10", "kPa"});
    EXPECT_EQ(run.CurrentState(), CalibrationRun::State::Ready);

    const double rh1 = engine.ComputeFromDewPointAndTemperature(21, 0, 10, 0, 101.325, 0, 101.325, false, {}, "°C",
                                                                "kPa", ".")
                           .Value(Quantity::RelativeHumidity, Phase::Water);
    char rh[32];
    std::snprintf(rh, sizeof rh, "%.03f", rh1);
    const std::string series = ReadFile(run.SeriesPath());
    EXPECT_EQ(series.substr(0, series.find("2\t")),
              "\tTemperatura[°C]\tPunkt rosy[°C]\tWilgotność obl.[%]\r\n1\t21.000\t\t10.00\t\t" + std::string(rh) +
                  "\r\n");
    EXPECT_NE(series.find("Podsumowanie:\r\nPomiary rozpoczęto: 2024-05-06 14:30:00\r\n"
                          "Pomiary zakończono: 2024-05-06 14:30:00\r\n"
                          "Temperatura: 22,000°C, niepewność: 0,150°C\r\n"
                          "Niejednorodność QX-311 (tnmax - tnmin): 0.200°C\r\n"
                          "Niepewność od niejednorodności QX-311 (utnj): 0.200°C\r\n"
                          "Punkt rosy:  10,000°C, niepewność: 0,100°C\r\n\r\nWartości obliczone\r\n"
                          "Wilgotność: 50,36%, niepewność: 1,10%\r\n\r\nWarunki środowiskowe <min; max>:\r\n"
                          "Temperatura <23.0; 25.0> °C\r\nWilgotność <41.0; 43.0> %\r\nCiśnienie <101.3; 101.3> kPa\r\n"),
              std::string::npos)
        << series;
    const std::string channels = ReadFile(run.ChannelPath());
    EXPECT_NE(channels.find("\tTemp1[°C]\tTemp2[°C]"), std::string::npos);
    EXPECT_NE(channels.find("\r\n1\t20.0\t\tBłąd pomiaruBłąd pomiaru"), std::string::npos) << channels;
    EXPECT_NE(channels.find("Błąd pomiaru0.100\t\t0.2\t\t\r\n2\t"), std::string::npos) << channels;

    // A second run in the same dialog: new files, counts from 1 again.
    time.Advance(60000);
    const std::string first = run.SeriesPath();
    ASSERT_TRUE(run.Start("0", folder.Path().string()));
    ASSERT_TRUE(run.DelayPassed());
    for (int r = 1; r <= 3; ++r) EXPECT_TRUE(run.WriteRow(Observation(r, 20, 10)));
    EXPECT_NE(run.SeriesPath(), first);
    EXPECT_EQ(ReadFile(first), series);
    EXPECT_NE(ReadFile(run.SeriesPath()).find("\r\n3\t20.000"), std::string::npos);
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
    // The text ends both files, without a line end.
    for (const std::string& path : {run.SeriesPath(), run.ChannelPath()}) {
        EXPECT_TRUE(ReadFile(path).ends_with("\r\nBrak pomiarów punktu rosy")) << path;
    }

    // In °F, without the dew-point column: temperatures only.
    run.SetTemperatureUnit("°F");
    run.SetUseDewPoint(false);
    time.Advance(1000);
    ASSERT_TRUE(run.Start("0", folder.Path().string()));
    run.DelayPassed();
    EXPECT_TRUE(run.WriteRow(Observation(1, 100, 10)));
    EXPECT_EQ(ReadFile(run.SeriesPath()), "\tTemperatura[°F]\tPunkt rosy[°F]\tWilgotność obl.[%]\r\n1\t212.000\r\n");
    o = Observation(1, 20, 10);
    EXPECT_FALSE(run.WriteRow(o));
    EXPECT_EQ(LastMessage(), msg::NoTemperatureObservations);
}
