// A calibration run's series file as an auditor gets it: each edit named
// with its own words and failed, each honest ending passed.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lab/records/manifest.h"
#include "lab/records/record_chain.h"
#include "lab/station/calibration_run.h"
#include "lab/station/lab_host.h"
#include "lab_test_support.h"
#include "physics/humidity_engine.h"

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

namespace {

struct SeriesRun {
    RecordingLabHost host;
    VirtualTime time{{2024, 5, 6, 14, 30, 0}};
    HumidityEngine engine;
    TempFolder folder;
    CalibrationRun run{host, time, time};

    // Started with its delay; `rows` rows taken a period apart.
    void Start(int rows, const char* delay = "0") {
        run.SetEngine(&engine);
        run.SetSchedule(60, 3);
        run.OpenDialog();
        ASSERT_TRUE(run.Start(delay, folder.Path().string()));
        WriteManifest();
        if (rows == 0) return;
        ASSERT_TRUE(run.DelayPassed());
        for (int r = 1; r <= rows; ++r) {
            if (r > 1) time.Advance(run.PeriodMs());
            RunObservation o;
            o.temperatureObservations = o.dewPointObservations = r;
            o.temperature = 20.0 + r;
            o.dewPoint = 10.0;
            o.pressure = 101.325;
            ASSERT_TRUE(run.WriteRow(o));
        }
    }
    void Finish() { run.Finish({"22,000", "0,150", "10,000", "0,100", "50,36", "1,10", "kPa", {}, {}, {}, 1.1}); }
    // The manifest the page writes beside the series: its columns as the header names them.
    void WriteManifest() const {
        Manifest m;
        m.kind = ManifestKind::RunSeries;
        m.file = std::filesystem::path(run.SeriesPath()).filename().string();
        m.temperatureUnit = "°C";
        std::string header = ReadFile(run.SeriesPath());
        header = header.substr(0, header.find("\r\n"));
        for (std::size_t start = 0; start <= header.size();) {
            const std::size_t end = std::min(header.find('\t', start), header.size());
            if (end > start) m.columns.push_back(header.substr(start, end - start));
            start = end + 1;
        }
        WriteFile(ManifestPath(run.SeriesPath()), ManifestJson(m));
    }
    std::string Failures() const {
        std::string failures;
        for (const VerifyFinding& f : VerifyRecorded(run.SeriesPath(), {}).findings) {
            if (!f.ok) failures += f.text + "\n";
        }
        return failures;
    }
};

std::string Edited(std::string text, const std::function<void(std::vector<std::string>&)>& edit) {
    std::vector<std::string> lines;
    for (std::string_view line : ChainLines(text)) lines.emplace_back(line);
    edit(lines);
    text.clear();
    for (const std::string& line : lines) text += line;
    return text;
}

std::size_t LineOf(const std::vector<std::string>& lines, std::string_view start) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with(start)) return i;
    }
    return lines.size();
}

}  // namespace

TEST(RunChain, EveryEditOfASeriesIsCaught) {
    const struct {
        const char* name;
        std::function<void(std::vector<std::string>&)> edit;
        const char* words;
    } cases[] = {
        {"a row's value", [](auto& l) { l[2].replace(l[2].find("22.000"), 6, "22.100"); }, "Wiersz 3 zmieniony"},
        {"the summary with its U",
         [](auto& l) { l.erase(l.begin() + static_cast<std::ptrdiff_t>(LineOf(l, "Podsumowanie:")), l.end()); },
         "Brak podsumowania serii"},
        {"the last row", [](auto& l) { l.erase(l.begin() + 3); }, "Brak rekordu 4"},
    };
    for (const auto& c : cases) {
        SeriesRun r;
        r.Start(3);
        r.Finish();
        ASSERT_EQ(r.Failures(), "") << c.name;
        WriteFile(r.run.SeriesPath(), Edited(ReadFile(r.run.SeriesPath()), c.edit));
        EXPECT_NE(r.Failures().find(c.words), std::string::npos) << c.name << "\n" << r.Failures();
    }
}

TEST(RunChain, HonestEndingsPass) {
    const struct {
        const char* name;
        std::function<void(SeriesRun&)> end;
    } cases[] = {
        {"completed", [](SeriesRun& r) { r.Finish(); }},
        {"interrupted", [](SeriesRun& r) { r.run.Interrupt(RunInterruption::StoppedByUser, {}); }},
        {"stopped while writing", [](SeriesRun& r) {
             std::ofstream(r.run.SeriesPath(), std::ios::binary | std::ios::app) << "3\t23.000\r\n";
         }},
    };
    for (const auto& c : cases) {
        SeriesRun r;
        r.Start(2);
        c.end(r);
        EXPECT_EQ(r.Failures(), "") << c.name;
    }
    // Never started: stopped during its delay, or the station gone then.
    for (const bool stopped : {true, false}) {
        SeriesRun r;
        r.Start(0, "100");
        if (stopped) r.run.Interrupt(RunInterruption::StoppedByUser, {});
        EXPECT_EQ(r.Failures(), "") << stopped;
    }
}
