#include "lab/records/manifest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/file_digest.h"
#include "lab/records/data_file.h"
#include "lab_test_support.h"
#include "station_test_support.h"

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

namespace {

// The core test binary stays free of Qt: a stand-in for SHA-256 that changes
// whenever the bytes do (FNV-1a, spread over 64 hexadecimal digits). The real
// hashing is checked through wegator-cli.
std::string FakeDigest(std::string_view bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return std::string(text) + std::string(text) + std::string(text) + std::string(text);
}

struct DigestInstalled {
    DigestInstalled() { SetFileDigest(&FakeDigest); }
    ~DigestInstalled() { SetFileDigest(nullptr); }
};

const std::string kTable = "-20.0;0.05;0.02\n0.0;0.04;0.02\n20.0;0.03;0.02\n";

// The schema test (manifest.schema) checks the manifests these tests write:
// with WEGATOR_MANIFEST_SAMPLES set, each is kept there under `name`.
void KeepSample(const std::string& text, const std::string& name) {
    const char* folder = std::getenv("WEGATOR_MANIFEST_SAMPLES");
    if (folder == nullptr || *folder == '\0') return;
    std::filesystem::create_directories(folder);
    WriteFile(std::filesystem::path(folder) / name, text);
}

bool HasEvent(const Manifest& m, std::string_view change) {
    for (const ManifestEvent& e : m.events) {
        if (e.change.find(change) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

TEST(Manifest, SaysWhatTheSettingsPutInUseAndReadsBackAsWritten) {
    DigestInstalled digest;
    TempFolder folder;
    WriteFile(folder.File("dp30.cal"), kTable);
    Settings s = StationSettings();
    s.settingsLabCalibrationTableDp30 = 1;
    s.calibrationFileNameDp30 = folder.File("dp30.cal");
    s.settingsLabCalibrationTableF250 = 1;
    s.calibrationFileNameF250 = folder.File("gone.cal");
    s.globalAw = 0.00066;
    ManifestSources sources;
    sources.file = folder.File("lab.txt");
    sources.columns = {"DP/FP wejście (°C)", "RH nad wodą (%)"};
    sources.temperatureUnit = "°C";
    sources.started = {2026, 12, 7, 10, 0, 0};
    sources.identifiers[static_cast<std::size_t>(Stream::Qx316)] = 0x1A2B;

    Manifest m = BuildManifest(s, sources);
    EXPECT_EQ(m.file, "lab.txt");
    EXPECT_EQ(m.formulas, "ITS-90");
    EXPECT_EQ(m.psychrometerWater, 0.00066);
    EXPECT_FALSE(m.psychrometerIce.has_value());
    ASSERT_EQ(m.tables.size(), 2u);
    EXPECT_EQ(m.tables[0].instrument, "dp30");
    EXPECT_EQ(m.tables[0].sha256, FakeDigest(kTable));
    EXPECT_EQ(m.tables[0].rows, 3u);
    EXPECT_FALSE(m.tables[0].modified.empty());
    EXPECT_TRUE(m.tables[1].missing);
    std::vector<std::string> kinds;
    for (const ManifestInstrument& i : m.instruments) kinds.push_back(i.kind + " " + i.port);
    EXPECT_EQ(kinds, (std::vector<std::string>{"qx316 COM1", "dp30 COM3", "f250 COM6"}));
    EXPECT_EQ(m.instruments[0].identifier, 0x1A2B);
    EXPECT_EQ(m.instruments[0].unit, "kPa");
    EXPECT_EQ(m.started.substr(0, 19), "2026-12-07T10:00:00");
    EXPECT_EQ(m.recordMinutes, 1);

    m.events.push_back({"2026-12-07T10:05:00+00:00", "formulas/set: \"ITS-90\" → \"Sonntag 1990\""});
    KeepSample(ManifestJson(m), "built.json");
    const std::optional<Manifest> back = ParseManifest(ManifestJson(m));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, m);
    std::string error;
    EXPECT_FALSE(ParseManifest("{\"program\": 1}", &error).has_value());
    EXPECT_FALSE(error.empty());
}

TEST(Manifest, StationWritesItBesideTheDataFileAndAppendsEachChange) {
    DigestInstalled digest;
    TempFolder folder;
    Settings s = StationSettings();
    SaveFileContents contents;
    contents.dewPointInput = contents.relativeHumidity = contents.savingOn = true;
    s.saveFileCode = EncodeSaveFileCode(contents);
    s.saveFileName = folder.File("lab.txt");
    const auto read = [&] { return ParseManifest(ReadFile(ManifestPath(s.saveFileName))); };
    {
        VirtualStation station(s);
        station.Start();
        std::optional<Manifest> m = read();
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(m->kind, ManifestKind::DataFile);
        EXPECT_EQ(m->columns, (std::vector<std::string>{"DP/FP wejście (°C)", "RH nad wodą (%)", "RH nad lodem (%)"}));
        EXPECT_TRUE(m->events.empty());

        Settings changed = s;
        changed.usedFormulas = 1;
        station.page.ApplySettings(changed);
        station.page.ApplySettings(changed);  // nothing new: no event
        station.Feed(Stream::Qx316, QxPressure(101.3));
        m = read();
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(m->formulas, "Sonntag 1990");
        // The barometer's identifier, first heard, is written but is no change.
        ASSERT_EQ(m->events.size(), 1u);
        EXPECT_EQ(m->events[0].change, "formulas/set: \"ITS-90\" → \"Sonntag 1990\"");
        EXPECT_EQ(m->instruments[0].identifier, 0x1234);
    }
    // Started again on the same file, which holds a record: the history goes on.
    WriteFile(s.saveFileName, "06.05.2024 14:31:00\t10.000\t\r\n");
    {
        VirtualStation again(s);
        again.Start();
        const std::optional<Manifest> m = read();
        ASSERT_TRUE(m.has_value());
        KeepSample(ReadFile(ManifestPath(s.saveFileName)), "station.json");
        EXPECT_EQ(m->events.size(), 2u);
        EXPECT_TRUE(HasEvent(*m, "reopened; formulas/set"));
    }
    // An empty file starts a history of its own.
    WriteFile(s.saveFileName, "");
    VirtualStation fresh(s);
    fresh.Start();
    const std::optional<Manifest> m = read();
    ASSERT_TRUE(m.has_value());
    EXPECT_TRUE(m->events.empty());
}

TEST(Manifest, VerifyFindsChangedTablesGapsAndOtherColumns) {
    DigestInstalled digest;
    struct Case {
        const char* name;
        std::string table;         // the table's text at verify time; empty: removed
        std::vector<int> minutes;  // record times, minutes after 10:00
        std::vector<std::string> headerColumns;
        bool ok;
        std::string failure;  // a text the failing finding holds
        std::string unit = "°C";      // the temperature unit the manifest declares
        std::string named = "lab.txt";  // the file the manifest names
    };
    const std::vector<std::string> columns = {"DP/FP wejście (°C)", "T wejście (°C)"};
    const std::vector<Case> cases = {
        {"all hold", kTable, {1, 2, 3}, columns, true, ""},
        {"table changed", kTable + "30.0;0.01;0.02\n", {1, 2, 3}, columns, false, "dp30"},
        {"table gone", "", {1, 2, 3}, columns, false, "dp30"},
        {"a record missing", kTable, {1, 2, 4}, columns, false, "120"},
        {"other columns", kTable, {1, 2, 3}, {"DP/FP wejście (°C)"}, false, "DP/FP"},
        {"kelvin for celsius columns", kTable, {1, 2, 3}, columns, false, "K", "K"},
        {"another file named", kTable, {1, 2, 3}, columns, false, "other.txt", "°C", "other.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string file = folder.File("lab.txt");
        const std::string table = folder.File("dp30.cal");
        Manifest m;
        m.file = c.named;
        m.temperatureUnit = c.unit;
        m.format = "text";
        m.recordMinutes = 1;
        m.columns = columns;
        m.tables = {{"dp30", table, false, FakeDigest(kTable), 3, "2026-12-07T09:00:00+00:00"}};
        WriteFile(ManifestPath(file), ManifestJson(m));
        if (!c.table.empty()) WriteFile(table, c.table);
        std::string text = HeaderLine(c.headerColumns, false);
        for (int minute : c.minutes) {
            const std::vector<std::string> values(c.headerColumns.size(), "1.000");
            text += RecordLine({2026, 12, 7, 10, minute, 0}, DateFormats{}, values, false);
        }
        WriteFile(file, text);

        const VerifyReport report = VerifyRecorded(file, {});
        EXPECT_EQ(report.ok, c.ok);
        std::string failures;
        for (const VerifyFinding& f : report.findings) {
            if (!f.ok) failures += f.text + "\n";
        }
        if (!c.ok) {
            EXPECT_NE(failures.find(c.failure), std::string::npos) << failures;
        }
        EXPECT_EQ(failures.empty(), c.ok) << failures;
    }
}

TEST(Manifest, CalibrationRunGetsOneBesideItsSeries) {
    DigestInstalled digest;
    TempFolder folder;
    VirtualStation station;
    station.Start();
    station.page.PrepareRun();
    ASSERT_TRUE(station.page.Run().Start("1", folder.Path().string()));
    station.time.Advance(1500);  // the start delay passes
    const std::string manifest = ReadFile(ManifestPath(station.page.Run().SeriesPath()));
    KeepSample(manifest, "run.json");
    const std::optional<Manifest> m = ParseManifest(manifest);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->kind, ManifestKind::RunSeries);
    ASSERT_FALSE(m->columns.empty());
    EXPECT_EQ(m->columns.front(), "Temperatura[°C]");
}
