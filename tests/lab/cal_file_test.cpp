#include "lab/tables/cal_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "lab_test_support.h"

using namespace wegator::lab;
namespace support = wegator::lab::testing;
namespace fs = std::filesystem;

TEST(CalFile, LineEndingsAndBlankLines) {
    const std::vector<CalibrationEntry> two = {{0, 0.1, 0.02}, {10, 0.2, 0.04}};
    for (std::string_view text : {
             "0.000;0.100;0.020\r\n10.000;0.200;0.040\r\n",
             "0.000;0.100;0.020;\r\n10.000;0.200;0.040;\r\n",  // a ";" before the line end
             "0;0.1;0.02\n10;0.2;0.04\n",
             "0;0.1;0.02\r10;0.2;0.04",    // old Mac ends, last line without one
             "0;0.1;0.02\r\n10;0.2;0.04",  // last line without its end is loaded
             "\xEF\xBB\xBF\r\n  0 ; +0.1 ;2e-2\t\r\n\r\n \t\n10.;.2;0.04\r\n\r\n",
         }) {
        SCOPED_TRACE(text);
        const CalParseResult r = ParseCalText(text);
        ASSERT_TRUE(r.ok) << "line " << r.badLine;
        EXPECT_EQ(r.rows, two);
    }
    EXPECT_TRUE(ParseCalText("").ok);
    EXPECT_TRUE(ParseCalText("").rows.empty());
}

TEST(CalFile, ARefusedLineRefusesTheWholeFileAndIsNamed) {
    struct Case {
        std::string_view text;
        int badLine;
        int messageId;
    };
    for (const Case c : {
             Case{"0,10;0,02;0,01\r\n", 1, 1101},  // comma decimals were once read as zeros
             Case{"1;2;3\r\n\r\n1;2\r\n", 3, 1101},
             Case{"1;2;3\n1;2;3;4\n", 2, 1101},
             Case{"1;2;3\r1;2;3;;\r", 2, 1101},
             Case{"1;2;3\r\n1;2;x\r\n", 2, 1101},
             Case{"1;2;3\r\n1;2;3x", 2, 1101},
             Case{"nan;1;2", 1, 1101},
             Case{"1;inf;2", 1, 1101},
             Case{"1;;2", 1, 1101},
             Case{"1 2;3;4", 1, 1101},
             Case{"1;0.1;0.01\r\n2;0.1;-0.001\r\n", 2, 1102},
             // Interpolating between these once gave NaN.
             Case{"-1e308;-1e308;0\r\n1e308;1e308;0\r\n", 1, 1104},
             Case{"1;0;0\r\n2;1000000.001;0\r\n", 2, 1104},
             Case{"1;0;1e7", 1, 1104},
             Case{"-1000001;0;0", 1, 1104},
             // The same value to the three decimals a table keeps; the correction would jump there.
             Case{"5;0.5;0.1\r\n1;0.1;0.1\r\n5.0004;0.7;0.1\r\n", 3, 1103},
             Case{"1;0;0\n2;0;0\n3;0;0\n2;0;0\n1;0;0\n", 4, 1103},  // the first line to repeat a value
             Case{"1;0;0\n2;0;0\n2;0;0\nx\n", 3, 1103},             // the first fault of the file
             Case{"1;0;0\nx\n1;0;0\n", 2, 1101},
         }) {
        SCOPED_TRACE(c.text);
        const CalParseResult r = ParseCalText(c.text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.badLine, c.badLine);
        EXPECT_TRUE(r.rows.empty());
        const CalFileMessage m = CalLoadFailureMessage(r, "/lab/dp30.cal");
        EXPECT_EQ(m.messageId, c.messageId);
        EXPECT_NE(m.text.find("wiersz " + std::to_string(c.badLine) + " "), std::string::npos) << m.text;
    }
    const CalFileMessage m = CalLoadFailureMessage(ParseCalText("1;2;3\n1;2\n"), "/lab/dp30.cal");
    EXPECT_EQ(m.text, "Plik kalibracji jest nieprawidłowy: wiersz 2 nie zawiera trzech liczb.\n/lab/dp30.cal");
    const CalFileMessage missing = CalLoadFailureMessage(CalParseResult{}, "/lab/dp30.cal");
    EXPECT_EQ(missing.messageId, 209);
    EXPECT_EQ(missing.text, "Plik kalibracji jest niedostępny.\n/lab/dp30.cal");
}

TEST(CalFile, AnAcceptedTableIsSortedAndFiniteEverywhere) {
    // Written from the top down, with every column at its limits.
    const CalParseResult r =
        ParseCalText("1000000;1000000;1000000\r\n0.001;1000000;0\r\n0;-1000000;1000000\r\n-1000000;-1000000;-0\r\n");
    ASSERT_TRUE(r.ok) << r.badLine;
    const CalibrationTable table(r.rows);
    ASSERT_EQ(table.Count(), 4u);
    EXPECT_EQ(table.Entry(0).value, -1e6);
    EXPECT_EQ(table.Entry(3).value, 1e6);
    constexpr double kHuge = std::numeric_limits<double>::max();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (const double x : {-kInf, -kHuge, -1e6, -1.0, 0.0, 0.0005, 0.001, 1.0, 1e6, kHuge, kInf,
                           std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(std::isfinite(table.Correction(x)));
        EXPECT_TRUE(std::isfinite(table.Uncertainty(x)));
        EXPECT_GE(table.Uncertainty(x), 0.0);
    }
}

TEST(CalFile, WrittenWithThreeDecimalsAndAPointAndReadBack) {
    const support::TempFolder temp;
    const fs::path& dir = temp.Path();
    const std::vector<CalibrationEntry> rows = {{-10, 0.1254, 0.02}, {-0.0004, -0.0001, 0}, {1234.5, -1.5, 0.0005}};
    ASSERT_TRUE(WriteCalFile(dir / "t.cal", rows));
    EXPECT_EQ(support::ReadFile(dir / "t.cal"),
              "-10.000;0.125;0.020\r\n0.000;0.000;0.000\r\n1234.500;-1.500;0.001\r\n");
    const CalParseResult back = ReadCalFile(dir / "t.cal");
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.rows.size(), 3u);
    EXPECT_EQ(back.rows[2].value, 1234.5);

    // A file of 1000 rows, far beyond the old 8 KiB, is read whole.
    std::vector<CalibrationEntry> many;
    for (int i = 0; i < 1000; ++i) many.push_back({i * 0.1, i * 0.001, 0.01});
    ASSERT_TRUE(WriteCalFile(dir / "many.cal", many));
    EXPECT_EQ(ReadCalFile(dir / "many.cal").rows.size(), 1000u);

    EXPECT_FALSE(ReadCalFile(dir / "missing.cal").ok);
    EXPECT_EQ(ReadCalFile(dir / "missing.cal").badLine, 0);
    EXPECT_FALSE(ReadCalFile(dir).ok);  // a folder is no table

    // A file larger than any table is refused before it is read, by its name.
    std::ofstream(dir / "huge.cal") << "1.000;0.000;0.000\r\n";
    fs::resize_file(dir / "huge.cal", kCalFileSizeLimit + 1);  // sparse: costs no disk
    const CalParseResult huge = ReadCalFile(dir / "huge.cal");
    EXPECT_FALSE(huge.ok);
    EXPECT_EQ(huge.fault, CalLineFault::FileTooLarge);
    const CalFileMessage message = CalLoadFailureMessage(huge, "huge.cal");
    EXPECT_EQ(message.messageId, 1340);
    EXPECT_EQ(message.text, "Plik jest zbyt duży, by mógł być tablicą korekcji (ponad 16 MiB).\nhuge.cal");
    fs::resize_file(dir / "huge.cal", kCalFileSizeLimit);
    EXPECT_NE(ReadCalFile(dir / "huge.cal").fault, CalLineFault::FileTooLarge);
}

TEST(CalFile, AFailedSaveLeavesTheOldFileByteForByte) {
    const support::TempFolder temp;
    const fs::path& dir = temp.Path();
    const fs::path file = dir / "dp30.cal";
    const std::string old = "1.000;0.100;0.010\r\n";
    std::ofstream(file, std::ios::binary) << old;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // The disk fills up in the middle of the save (a file-size limit stands in for it).
    std::vector<CalibrationEntry> rows(200, CalibrationEntry{1, 2, 3});
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteCalFile(file, rows);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(support::ReadFile(file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left

    // A folder where the file should go: refused, nothing changed.
    fs::create_directories(dir / "taken.cal" / "inside");
    EXPECT_FALSE(WriteCalFile(dir / "taken.cal", rows));
    // So is a pipe, named or at a link's end: it stays a pipe, never a plain file.
    ASSERT_EQ(::mkfifo((dir / "pipe.cal").c_str(), 0600), 0);
    fs::create_symlink("pipe.cal", dir / "link.cal");
    EXPECT_FALSE(WriteCalFile(dir / "pipe.cal", rows));
    EXPECT_FALSE(WriteCalFile(dir / "link.cal", rows));
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(dir / "pipe.cal")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "link.cal")));

    // A successful save keeps the old file's permissions.
    ASSERT_TRUE(WriteCalFile(file, rows));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
