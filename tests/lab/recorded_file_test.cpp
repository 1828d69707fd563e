#include "lab/records/recorded_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "lab/station/calibration_run.h"
#include "lab/records/data_file.h"
#include "lab/station/lab_host.h"
#include "lab/base/lab_messages.h"
#include "lab_test_support.h"
#include "pages/page_host.h"
#include "physics/humidity_engine.h"
#include "text/string_table.h"
#include "text/strings.h"

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

namespace {

// The header texts of an English interface.
std::string_view English(int id) {
    switch (id) {
        case lab::msg::DewPointInputLabel: return "DP/FP input";
        case lab::msg::DateAndTime: return "Date and time";
        case lab::msg::PressureInputLabel: return "Pb input";
        case lab::msg::OverWater: return "over water";
        default: return PolishString(id);
    }
}

// The English interface's texts as the translation gives them: the
// "StringTable" messages keyed by the number in their comment.
std::string_view TranslatedEnglish(int id) {
    static const std::map<int, std::string> table = [] {
        std::ifstream in(std::filesystem::path(WEGATOR_RESOURCES_DIR) / "translations/strings_en.ts");
        std::stringstream whole;
        whole << in.rdbuf();
        const std::string ts = whole.str();
        auto unescape = [](std::string text) {
            for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""},
                                                     {"&apos;", "'"}, {"&amp;", "&"}}) {
                for (std::size_t at; (at = text.find(entity)) != std::string::npos;) {
                    text.replace(at, std::string_view(entity).size(), character);
                }
            }
            return text;
        };
        std::map<int, std::string> texts;
        for (std::size_t at = ts.find("<comment>"); at != std::string::npos; at = ts.find("<comment>", at + 1)) {
            const std::size_t open = ts.find("<translation>", at) + 13;
            texts[std::stoi(ts.substr(at + 9))] = unescape(ts.substr(open, ts.find("</translation>", open) - open));
        }
        return texts;
    }();
    const auto found = table.find(id);
    return found == table.end() ? std::string_view() : std::string_view(found->second);
}

// The language in force while it lives; Polish again after it.
struct Language {
    explicit Language(StringLookup lookup) { SetStringLookup(lookup); }
    ~Language() { SetStringLookup(nullptr); }
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;
};

const CalendarTime kFirst{2024, 5, 6, 14, 0, 5}, kSecond{2024, 5, 6, 14, 1, 5}, kAfterRestart{2024, 5, 6, 14, 5, 5};

// Three records by the station's own writer: two, then a station that
// started again (a new header) and one more. The page shows decimal commas;
// one pressure was not there.
std::string WriteDataFile(const TempFolder& folder, bool csv, const DateFormats& formats, bool english) {
    const std::string path = folder.File(csv ? "lab.csv" : "lab.txt");
    if (english) SetStringLookup(&English);
    SaveFileContents contents;
    contents.dewPointInput = contents.pressureInput = contents.relativeHumidity = true;
    const auto columns = SelectedColumns(contents);
    const char* units[] = {"°C", "hPa, mbar", "%", "%"};  // RH over water and over ice
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < columns.size(); ++i) labels.push_back(ColumnLabel(columns[i], units[i]));
    RecordingHost host;
    DataFile file(host);
    file.Attach(RecordFile::Open(path, RecordFile::Mode::OpenOrCreate).file, path);
    file.SetCsv(csv);
    file.SetDateFormats(formats);
    file.Write(kFirst, labels, {"-10,50", "1013,25", "45,1", "47,0"});
    file.Write(kSecond, labels, {"-10,40", "", "45,3", "47,2"});
    // Started again as older versions did, with the header once more.
    file.Attach(RecordFile::Open(path, RecordFile::Mode::OpenOrCreate).file, path);
    file.Write(kAfterRestart, labels, {"-10,30", "1013,20", "45,5", "47,4"});
    file.Close();
    SetStringLookup(nullptr);
    return path;
}

std::vector<RecordedPoint> Points(std::initializer_list<std::pair<CalendarTime, double>> points) {
    std::vector<RecordedPoint> out;
    for (const auto& [time, value] : points) out.push_back({CalendarMs(time), value});
    return out;
}

}  // namespace

TEST(RecordedFile, DataFilesInEitherFormatAndLanguage) {
    struct Case {
        const char* name;
        bool csv;
        DateFormats formats;
        bool english;
    };
    for (const Case& c :
         {Case{"text", false, {"dd.MM.yyyy", "HH:mm:ss"}, false},
          Case{"text, 12-hour clock", false, {"M/d/yy", "h:mm:ss AP"}, false}, Case{"CSV", true, {}, false},
          Case{"English header", false, {"yyyy-MM-dd", "HH:mm:ss"}, true}}) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = WriteDataFile(folder, c.csv, c.formats, c.english);
        RecordedReadOptions options;
        options.dateFormats = c.formats;
        options.languages = {&English};
        const RecordedReading read = ReadRecordedFile(path, options);
        ASSERT_TRUE(read.file) << read.error;
        const RecordedFile& file = *read.file;
        EXPECT_EQ(file.kind, RecordedFile::Kind::DataFile);
        ASSERT_EQ(file.columns.size(), 4u);
        EXPECT_FALSE(file.columns[3].quantity);
        const std::vector<std::string> names =
            c.english ? std::vector<std::string>{"DP/FP input", "Pb input", "RH over water"}
                      : std::vector<std::string>{"DP/FP wejście", "Pb wejście", "RH nad wodą"};
        const TrendQuantity quantities[] = {TrendQuantity::DewPointAverage, TrendQuantity::PressureAverage,
                                            TrendQuantity::ResultHumidity};
        const TrendUnit kinds[] = {TrendUnit::Temperature, TrendUnit::Pressure, TrendUnit::Percent};
        const char* units[] = {"°C", "hPa, mbar", "%"};
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(file.columns[i].name, names[i]);
            EXPECT_EQ(file.columns[i].unitText, units[i]);
            EXPECT_EQ(file.columns[i].unit, kinds[i]);
            EXPECT_EQ(file.columns[i].quantity, quantities[i]);
        }
        EXPECT_EQ(file.columns[0].points, Points({{kFirst, -10.5}, {kSecond, -10.4}, {kAfterRestart, -10.3}}));
        EXPECT_EQ(file.columns[1].points, Points({{kFirst, 1013.25}, {kAfterRestart, 1013.2}}));
        EXPECT_EQ(file.restarts, std::vector<std::int64_t>{CalendarMs(kAfterRestart)});
    }
}

TEST(RecordedFile, RunSeriesRowsSpreadFromItsStartToItsEnd) {
    RecordingLabHost host;
    VirtualTime time{{2024, 5, 6, 14, 30, 0}};
    HumidityEngine engine;
    TempFolder folder;
    CalibrationRun run(host, time, time);
    run.SetEngine(&engine);
    run.SetSchedule(60, 3);
    run.OpenDialog();
    ASSERT_TRUE(run.Start("0", folder.Path().string()));
    ASSERT_TRUE(run.DelayPassed());
    for (int r = 1; r <= 3; ++r) {
        if (r > 1) time.Advance(run.PeriodMs());
        RunObservation o;
        o.temperatureObservations = o.dewPointObservations = r;
        o.temperature = 20.0 + r;
        o.dewPoint = 10.0;
        o.pressure = 101.325;
        ASSERT_TRUE(run.WriteRow(o));
    }
    run.Finish(RunSummaryTexts{});

    const RecordedReading read = ReadRecordedFile(run.SeriesPath(), {});
    ASSERT_TRUE(read.file) << read.error;
    const RecordedFile& file = *read.file;
    EXPECT_EQ(file.kind, RecordedFile::Kind::RunSeries);
    ASSERT_GE(file.columns.size(), 3u);
    EXPECT_EQ(file.columns[0].name, "Temperatura");
    EXPECT_EQ(file.columns[1].quantity, TrendQuantity::DewPoint);
    EXPECT_EQ(file.columns[2].unit, TrendUnit::Percent);
    const CalendarTime start{2024, 5, 6, 14, 30, 0};
    EXPECT_EQ(file.columns[0].points,
              Points({{start, 21.0}, {{2024, 5, 6, 14, 30, 20}, 22.0}, {{2024, 5, 6, 14, 30, 40}, 23.0}}));
    EXPECT_EQ(file.columns[2].points.size(), 3u);
}

// A row's moment, when the row gives one, places it (a run that waited is
// drawn where it was taken); a remark after it is no value. Older files
// spread their rows evenly from the start to the end.
TEST(RecordedFile, RunRowsAtTheirOwnMoments) {
    const std::string summary =
        "\r\nPodsumowanie:\r\nPomiary rozpoczęto: 2024-05-06 14:30:00\r\nPomiary zakończono: 2024-05-06 14:36:00\r\n";
    const struct {
        std::string text;
        std::vector<RecordedPoint> points;
    } cases[] = {
        {"\tTemperatura[°C]\tPunkt rosy[°C]\tCzas\r\n1\t21.000\t\t10.00\t\t2024-05-06 14:31:00\r\n"
         "2\t22.000\t\t\t\t2024-05-06 14:35:00\t\tnieaktualne: Pb\r\n" + summary,
         Points({{{2024, 5, 6, 14, 31, 0}, 21.0}, {{2024, 5, 6, 14, 35, 0}, 22.0}})},
        {"\tTemperatura[°C]\tPunkt rosy[°C]\r\n1\t21.000\t\t10.00\r\n2\t22.000\r\n" + summary,
         Points({{{2024, 5, 6, 14, 30, 0}, 21.0}, {{2024, 5, 6, 14, 36, 0}, 22.0}})},
    };
    for (const auto& c : cases) {
        const RecordedReading read = ReadRecorded(c.text, {});
        ASSERT_TRUE(read.file) << read.error;
        ASSERT_EQ(read.file->columns.size(), 2u) << c.text;
        EXPECT_EQ(read.file->columns[0].points, c.points) << c.text;
    }
}

// A run's files speak the interface's language; the reader takes them back
// in either, whichever language is in force while it reads.
TEST(RecordedFile, RunFilesInTheInterfaceLanguageReadBack) {
    struct Case {
        const char* name;
        StringLookup writer, reader;
        std::vector<StringLookup> languages;
        std::string header, summary, noReading;
    };
    const std::string started = "2024-05-06 14:30:10", ended = "2024-05-06 14:30:50";
    for (const Case& c : {
             Case{"Polish", nullptr, nullptr, {},
                  "\tTemperatura[°C]\tPunkt rosy[°C]\tWilgotność obl.[%]\tDP/FP dryft[K/min]",
                  "Podsumowanie:\r\nPomiary rozpoczęto: " + started + "\r\nPomiary zakończono: " + ended +
                      "\r\nTemperatura: 22.00°C, niepewność: 0.05°C\r\n",
                  "Błąd pomiaru"},
             Case{"English", &TranslatedEnglish, &TranslatedEnglish, {},
                  "\tTemperature[°C]\tDew point[°C]\tCalculated RH[%]\tDP/FP drift[K/min]",
                  "Summary:\r\nMeasurements started: " + started + "\r\nMeasurements ended: " + ended +
                      "\r\nTemperature: 22.00°C, uncertainty: 0.05°C\r\n",
                  "Measurement failed"},
             Case{"English read by the Polish interface", &TranslatedEnglish, nullptr, {&TranslatedEnglish},
                  "\tTemperature[°C]", "Summary:\r\nMeasurements started: " + started, "Measurement failed"},
         }) {
        SCOPED_TRACE(c.name);
        RecordingLabHost host;
        VirtualTime time{{2024, 5, 6, 14, 30, 0}};
        HumidityEngine engine;
        TempFolder folder;
        std::optional<Language> writing(std::in_place, c.writer);
        CalibrationRun run(host, time, time);
        run.SetEngine(&engine);
        run.SetSchedule(60, 3);
        run.OpenDialog();
        ASSERT_TRUE(run.Start("0", folder.Path().string()));
        ASSERT_TRUE(run.DelayPassed());
        // The first row ten seconds after the moment in the files' names.
        time.Advance(10000);
        for (int r = 1; r <= 3; ++r) {
            if (r > 1) time.Advance(run.PeriodMs());
            RunObservation o;
            o.temperatureObservations = o.dewPointObservations = r;
            o.temperature = 20.0 + r;
            o.dewPoint = 10.0;
            o.pressure = 101.325;
            o.environmentInUse = true;
            o.environmentTemperature = 21.0;
            o.environmentHumidity = 40.0;
            o.qx311InUse = true;
            o.channels = {20.1, kNoReading, 20.3, 20.4, 20.5, 20.6, 20.7, 20.8};
            o.utnj = 0.1;
            o.spread = 0.7;
            if (r == 2) o.staleInputs = "Pb";
            ASSERT_TRUE(run.WriteRow(o));
        }
        RunSummaryTexts texts;
        texts.temperature = "22,00";
        texts.temperatureUncertainty = "0,05";
        texts.dewPoint = "10,00";
        texts.dewPointUncertainty = "0,10";
        texts.humidity = "52,3";
        texts.humidityUncertainty = "1,2";
        texts.pressureUnit = "kPa";
        texts.temperatureOverRun.count = texts.dewPointOverRun.count = 3;
        texts.budgets[0] = texts.budgets[1] = texts.budgets[2] = {true, 0.02, 0.01, 0.01, 0.01, 0.03};
        texts.humidityStandardUncertainty = 0.6;
        run.Finish(texts);
        writing.reset();

        const std::string series = ReadFile(run.SeriesPath());
        EXPECT_TRUE(series.starts_with(c.header)) << series;
        EXPECT_NE(series.find("\r\n\r\n" + c.summary), std::string::npos) << series;
        if (c.writer != nullptr) {
            // Nothing of the run's own words is left in Polish.
            for (const char* letter : {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż"}) {
                EXPECT_EQ(series.find(letter), std::string::npos) << letter << " in\n" << series;
                EXPECT_EQ(ReadFile(run.ChannelPath()).find(letter), std::string::npos) << letter;
            }
        }

        std::optional<Language> reading(std::in_place, c.reader);
        RecordedReadOptions options;
        options.languages = c.languages;
        const RecordedReading read = ReadRecordedFile(run.SeriesPath(), options);
        const RecordedReading channels = ReadRecordedFile(run.ChannelPath(), options);
        reading.reset();
        ASSERT_TRUE(read.file) << read.error;
        ASSERT_TRUE(channels.file) << channels.error;
        const TrendQuantity quantities[] = {TrendQuantity::Temperature, TrendQuantity::DewPoint,
                                            TrendQuantity::ResultHumidity};
        for (std::size_t q = 0; q < 3; ++q) EXPECT_EQ(read.file->columns[q].quantity, quantities[q]) << q;
        // The rows stand between the summary's start and end, not the name's moment and the file's last change.
        EXPECT_EQ(read.file->columns[0].points, Points({{{2024, 5, 6, 14, 30, 10}, 21.0},
                                                        {{2024, 5, 6, 14, 30, 30}, 22.0},
                                                        {{2024, 5, 6, 14, 30, 50}, 23.0}}));
        ASSERT_EQ(channels.file->columns.size(), 10u);
        EXPECT_TRUE(channels.file->columns[1].points.empty());
        EXPECT_EQ(channels.file->columns[9].quantity, TrendQuantity::ChannelSpread);
        EXPECT_EQ(channels.file->columns[9].points.size(), 3u);
        EXPECT_NE(ReadFile(run.ChannelPath()).find(c.noReading), std::string::npos);
    }
}

TEST(RecordedFile, DamagedFileIsRefusedNamingTheLine) {
    struct Case {
        std::string text;
        int line;
        std::string says;
    };
    const std::string header = "Data i czas\tT wejście (°C)\t\r\n";
    for (const Case& c : {
             Case{header + "06.05.2024 12:00:05\t21.5\t\r\n06.05.2024 12:01:05\t21,6x\t\r\n", 3,
                  "Wiersz 3: „21,6x” nie jest liczbą"},
             Case{header + "32.05.2024 12:00:05\t21.5\t\r\n", 2,
                  "Wiersz 2: nieczytelna data i czas „32.05.2024 12:00:05”"},
             Case{header + "06.05.2024 12:00:05\t21.5\t22.0\t\r\n", 2,
                  "Wiersz 2: pól z wartościami jest 2, a kolumn w nagłówku 1"},
             Case{header, 1, "Wiersz 1: w pliku nie ma żadnego zapisu"},
             Case{"21.5\r\n", 1, "Wiersz 1: to nie jest zapis stacji ani seria pomiarów kalibracji"},
             Case{"\tTemperatura[°C]\r\n1\t21.000\r\n3\t21.100\r\n", 3, "Wiersz 3: pomiar numer 3, oczekiwano 2"},
             Case{"\tTemperatura[°C]\r\n1\t21.000\r\n", 2, "Wiersz 2: seria nie podaje czasu pomiarów"},
             // A field of any length is quoted cut, so that the message stays a line.
             Case{header + "06.05.2024 12:00:05\t" + std::string(100000, '9') + "x\t\r\n", 2,
                  "Wiersz 2: „" + std::string(80, '9') + "…” nie jest liczbą"},
         }) {
        SCOPED_TRACE(c.text);
        const RecordedReading read = ReadRecorded(c.text, {});
        EXPECT_FALSE(read.file);
        EXPECT_EQ(read.errorLine, c.line);
        EXPECT_TRUE(read.error.starts_with(c.says)) << read.error;
    }
}

// Only a regular file within the limit is read: a pipe is never waited on, a
// device never read into memory; each refusal says why.
TEST(RecordedFile, ReadsOnlyARegularFileWithinTheLimit) {
    TempFolder folder;
    const std::string fifo = folder.File("fifo.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string record = "Data i czas\tT wejście (°C)\t\r\n06.05.2024 12:00:05\t21.5\t\r\n";
    const std::string small = folder.File("lab.txt");
    WriteFile(small, record);
    const std::string large = folder.File("large.txt");
    WriteFile(large, record + std::string(1024 * 1024, '\n'));
    struct Case {
        const char* name;
        std::string path;
        std::uintmax_t limit;
        int id;
        const char* says;
    };
    for (const Case& c : {
             Case{"a folder", folder.Path().string(), kRecordedFileSizeLimit, lab::msg::FileIsFolder, "To folder"},
             Case{"a pipe", fifo, kRecordedFileSizeLimit, lab::msg::FileIsPipe, "To potok"},
             Case{"a device", "/dev/zero", kRecordedFileSizeLimit, lab::msg::FileIsDevice, "To urządzenie"},
             Case{"over the limit", large, 1024 * 1024, lab::msg::FileOverLimit, "Plik ma ponad 1 MiB"},
             Case{"a byte over the limit", small, record.size() - 1, lab::msg::FileOverLimit, "Plik ma ponad"},
             Case{"no file", folder.File("none.txt"), kRecordedFileSizeLimit, lab::msg::RecordedCannotRead, "none.txt"},
             Case{"at the limit", small, record.size(), 0, ""},
         }) {
        SCOPED_TRACE(c.name);
        RecordedReadOptions options;
        options.sizeLimit = c.limit;
        const RecordedReading read = ReadRecordedFile(c.path, options);
        EXPECT_EQ(read.errorId, c.id);
        EXPECT_EQ(read.file.has_value(), c.id == 0) << read.error;
        EXPECT_NE(read.error.find(c.says), std::string::npos) << read.error;
    }
}

// Columns by name, by name and unit, or by a station quantity's key, each
// once, in the order asked.
TEST(RecordedFile, ColumnsAreChosenByNameUnitOrKey) {
    const std::string text =
        "Data i czas\tDP/FP wejście (°C)\tT wejście (°C)\tRH nad wodą (%)\tT wejście (°F)\tInne\t\r\n"
        "06.05.2024 12:00:05\t-10.5\t21.5\t45.0\t70.7\t\t\r\n";
    const RecordedReading read = ReadRecorded(text, {});
    ASSERT_TRUE(read.file) << read.error;
    using Columns = std::vector<std::size_t>;
    struct Case {
        std::vector<std::string> names;
        std::optional<Columns> columns;
    };
    for (const Case& c : {
             Case{{}, Columns{0, 1, 2, 3}},
             Case{{"T wejście"}, Columns{1, 3}},
             Case{{"T wejście (°F)", "dp-avg"}, Columns{3, 0}},
             Case{{"t-avg", "T wejście (°C)", "rh"}, Columns{1, 3, 2}},
             Case{{"Inne"}, Columns{4}},
             Case{{"rh", "ch3"}, std::nullopt},
         }) {
        std::string unknown;
        EXPECT_EQ(SelectRecordedColumns(*read.file, c.names, &unknown), c.columns) << ::testing::PrintToString(c.names);
        EXPECT_EQ(unknown, c.columns ? "" : "ch3");
    }
}

// A file drawn: the uncertainties stay out unless named, a restart is marked
// at the last record before it and breaks the line there, a skipped record is
// a gap too, and the first tick names the date.
TEST(RecordedFile, ChartBreaksAtRestartsAndSkipsAndLeavesUncertaintiesOut) {
    RecordedFile file;
    file.columns.resize(2);
    file.columns[0].name = "T wejście";
    file.columns[0].unitText = "°C";
    file.columns[1].name = "u(T wejście)";
    file.columns[1].unitText = "°C";
    const auto at = [](int second) { return CalendarMs({2024, 5, 6, 14, 0, 0}) + second * 1000; };
    for (int s : {0, 10, 20, 30, 60, 70, 80, 100, 110}) {  // restarted at 60, 90 skipped
        file.columns[0].points.push_back({at(s), 20.0 + s / 100.0});
        file.columns[1].points.push_back({at(s), 0.05});
    }
    file.restarts = {at(60)};

    EXPECT_EQ(SelectRecordedColumns(file, {}, nullptr), std::vector<std::size_t>{0});
    EXPECT_EQ(SelectRecordedColumns(file, {"u(T wejście)"}, nullptr), std::vector<std::size_t>{1});

    const SeriesSet source = RecordedSource(file);
    ASSERT_EQ(source.markers().size(), 1u);
    EXPECT_EQ(source.markers()[0].time, at(30));
    const TrendChart chart = BuildTrendChart(source, RecordedChartRequest(file, {0}, at(0), at(110), 800, ','));
    const std::vector<ChartColumn>& columns = chart.panels.at(0).lines.at(0).columns;
    ASSERT_EQ(columns.size(), 9u);
    std::vector<std::size_t> breaks;
    for (std::size_t i = 1; i < columns.size(); ++i) {
        if (!columns[i].joined) breaks.push_back(i);
    }
    EXPECT_EQ(breaks, (std::vector<std::size_t>{4, 7}));
    EXPECT_EQ(chart.ticks.at(0).date, "06.05.2024");
}
