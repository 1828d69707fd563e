#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "lab/records/data_file.h"
#include "lab/base/lab_messages.h"
#include "lab/records/record_file.h"
#include "lab_test_support.h"
#include "pages/page_host.h"

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

namespace {

const CalendarTime kNoon{2024, 5, 6, 12, 0, 5};

// A disk that takes or refuses writes on command.
class FakeSink : public LineSink {
public:
    bool Append(std::string_view lines) override {
        if (failing) return false;
        written += lines;
        if (copyTo != nullptr) *copyTo += lines;
        return true;
    }
    bool StartedAnew() override { return std::exchange(anew, false); }
    std::string Error() const override { return "No space left on device"; }

    bool failing = false;
    bool anew = false;
    std::string written;
    std::string* copyTo = nullptr;  // outlives the sink
};

}  // namespace

TEST(DataFileLayout, HeaderAndRecordsInBothFormats) {
    SaveFileContents contents;
    contents.dewPointInput = contents.pressureInput = contents.relativeHumidity = contents.wetBulb = true;
    const auto columns = SelectedColumns(contents);
    std::vector<std::string> labels;
    const char* units[] = {"°C", "hPa, mbar", "%", "°C", "%", "°C"};
    for (std::size_t i = 0; i < columns.size(); ++i) labels.push_back(ColumnLabel(columns[i], units[i]));
    // File order: inputs, then the water results, then the ice results.
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_EQ(labels[3], "Tw nad wodą (°C)");
    EXPECT_EQ(labels[4], "RH nad lodem (%)");

    EXPECT_EQ(HeaderLine(labels, true),
              "Data i czas,DP/FP wejście (°C),\"Pb wejście (hPa, mbar)\",RH nad wodą (%),Tw nad wodą (°C),"
              "RH nad lodem (%),Ti nad lodem (°C),\r\n");
    EXPECT_EQ(HeaderLine({labels[0], labels[1]}, false), "Data i czas\tDP/FP wejście (°C)\tPb wejście (hPa, mbar)\t\r\n");

    // Numbers shown with a decimal comma are filed with a point; blank fields stay blank.
    const std::vector<std::string> values = {"10,500", "1013,25", "52,1", "", "1,2346e+007", "-0,000"};
    EXPECT_EQ(RecordLine(kNoon, {}, values, true),
              "2024.05.06 12:00:05,10.500,1013.25,52.1,,1.2346e+007,-0.000,\r\n");
    EXPECT_EQ(RecordLine(kNoon, {"M/d/yyyy", "h:mm:ss AP"}, {"21,5"}, false), "5/6/2024 12:00:05 PM\t21.5\t\r\n");
}

TEST(DataFileLayout, RecordDatesInTheLocaleFormatsWhenLegible) {
    struct Case {
        std::string_view date, time;
        DateFormats expected;
    };
    const DateFormats plain{"yyyy-MM-dd", "HH:mm:ss"};
    for (const Case& c : {
             Case{"d.MM.yyyy", "HH:mm:ss t", {"d.MM.yyyy", "HH:mm:ss"}},              // Polish
             Case{"M/d/yy", "h:mm:ss\u202FAP t", {"M/d/yy", "h:mm:ss\u202FAP"}},      // American
             Case{"yy. M. d.", "AP h시 m분 s초 t", {"yy. M. d.", "AP h시 m분 s초"}},  // Korean
             Case{"dd'/'MM'/'yyyy", "t HH:mm:ss", {"dd'/'MM'/'yyyy", "HH:mm:ss"}},
             Case{"d MMM yyyy", "HH:mm:ss t", plain},  // the C locale: once "7 12 2026"
             Case{"dd MM yyyy", "HH:mm:ss", plain},    // blanks part nothing from the time
             Case{"dd\u00A0MM\u00A0yyyy", "HH:mm:ss", plain},
             Case{"dddd, d.MM.yyyy", "HH:mm:ss", plain},  // a day's name
             Case{"MM/yyyy", "HH:mm:ss", plain},
             Case{"d.M.yyy", "HH:mm:ss", plain},
             Case{"", "", plain},
             Case{"dd.MM.yyyy", "HH:mm", {"dd.MM.yyyy", "HH:mm:ss"}},
             Case{"dd.MM.yyyy", "HH:mm:ss.zzz", {"dd.MM.yyyy", "HH:mm:ss"}},
         }) {
        SCOPED_TRACE(std::string(c.date) + " " + std::string(c.time));
        EXPECT_EQ(RecordDateFormats(c.date, c.time), c.expected);
    }
    EXPECT_EQ(RecordLine(kNoon, plain, {"1"}, false), "2024-05-06 12:00:05\t1\t\r\n");
}

TEST(DataFile, FailedWritesWaitInOrderWithOneWarning) {
    RecordingHost host;
    DataFile file(host);
    auto owned = std::make_unique<FakeSink>();
    FakeSink& sink = *owned;
    file.Attach(std::move(owned), "/data/lab.csv");
    file.SetCsv(true);
    const std::vector<std::string> labels = {"T wejście (°C)"};
    auto record = [&](int minute, const std::string& value) {
        file.Write({2024, 5, 6, 12, minute, 0}, labels, {value});
    };

    record(0, "1");
    sink.failing = true;
    for (int i = 1; i <= 10; ++i) record(i, std::to_string(i + 1));
    EXPECT_EQ(file.Backlog(), 10u);
    ASSERT_EQ(host.shown.size(), 1u);  // ten failures, one warning
    EXPECT_EQ(host.shown[0].messageId, msg::DataFileWriteFailed);
    EXPECT_NE(host.shown[0].text.find("/data/lab.csv"), std::string::npos);

    sink.failing = false;
    record(11, "12");
    EXPECT_EQ(file.Backlog(), 0u);
    std::string expected = "Data i czas,T wejście (°C),\r\n";
    for (int i = 0; i <= 11; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "2024.05.06 12:%02d:00,%d,\r\n", i, i + 1);
        expected += line;
    }
    EXPECT_EQ(sink.written, expected);

    // A new episode warns again; a file deleted meanwhile gets its header first.
    sink.failing = true;
    record(12, "13");
    sink.failing = false;
    sink.anew = true;
    sink.written.clear();
    record(13, "14");
    EXPECT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(sink.written,
              "Data i czas,T wejście (°C),\r\n2024.05.06 12:12:00,13,\r\n2024.05.06 12:13:00,14,\r\n");

    // The backlog has a bound: the oldest records give way.
    sink.failing = true;
    for (std::size_t i = 0; i < DataFile::kBacklogLimit + 5; ++i) record(0, "x");
    EXPECT_EQ(file.Backlog(), DataFile::kBacklogLimit);
    EXPECT_EQ(file.Dropped(), 5u);

    // Closing the file (another name chosen, the program ending) gives what
    // waits one last try.
    std::string landed;
    sink.copyTo = &landed;
    sink.failing = false;
    file.Close();
    EXPECT_EQ(landed.size(), DataFile::kBacklogLimit * std::string("2024.05.06 12:00:00,x,\r\n").size());
}

TEST(RecordFile, TornLineDeletedFileAndExclusiveCreation) {
    TempFolder folder;
    const std::string path = folder.File("lab.txt");
    WriteFile(path, "old\r\ntorn");
    auto opened = RecordFile::Open(path, RecordFile::Mode::OpenOrCreate);
    ASSERT_TRUE(opened.file);
    EXPECT_TRUE(opened.existed);
    EXPECT_TRUE(opened.file->Append("new\r\n"));
    EXPECT_EQ(ReadFile(path), "old\r\ntorn\r\nnew\r\n");

    // Deleted under the program: the path is opened again.
    std::filesystem::remove(path);
    EXPECT_TRUE(opened.file->StartedAnew());
    EXPECT_FALSE(opened.file->StartedAnew());
    EXPECT_TRUE(opened.file->Append("again\r\n"));
    EXPECT_EQ(ReadFile(path), "again\r\n");

    EXPECT_FALSE(RecordFile::Open(path, RecordFile::Mode::Exclusive).file);
    EXPECT_FALSE(RecordFile::Open(folder.File("missing/lab.txt"), RecordFile::Mode::OpenOrCreate).file);
    EXPECT_FALSE(RecordFile::Open(folder.Path().string(), RecordFile::Mode::OpenOrCreate).file);
}

TEST(RecordFile, ShortWriteIsCutBackToTheLastFullLine) {
    TempFolder folder;
    const std::string path = folder.File("lab.txt");
    const std::string first = "2024.05.06 12:00:00,21.5,\r\n";
    WriteFile(path, first);
    // A child whose files may not grow beyond 40 bytes: the next record
    // lands partly, and must not stay so.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{40, 40};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        auto opened = RecordFile::Open(path, RecordFile::Mode::OpenOrCreate);
        const bool written = opened.file && opened.file->Append("2024.05.06 12:01:00,21.6,\r\n");
        ::_exit(opened.file && !written && !opened.file->Error().empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(path), first);
}
