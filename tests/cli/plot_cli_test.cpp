// wegator-cli plot on files the station's own writer recorded.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lab/records/data_file.h"
#include "pages/page_host.h"
#include "support/program_run.h"

namespace {

using wegator::test::Program;
using wegator::test::UserFolder;
namespace lab = wegator::lab;

// Three records of the dew point and the temperature, the station started
// again before the third; then the same file with its third value damaged.
std::filesystem::path WriteRecord(const UserFolder& folder) {
    const std::string path = (folder.Path() / "lab.txt").string();
    wegator::RecordingHost host;
    lab::DataFile file(host);
    file.Attach(lab::RecordFile::Open(path, lab::RecordFile::Mode::OpenOrCreate).file, path);
    const std::vector<std::string> labels = {"DP/FP wejście (°C)", "T wejście (°C)"};
    file.Write({2024, 5, 6, 14, 0, 5}, labels, {"-10,52", "20,1"});
    file.Write({2024, 5, 6, 14, 1, 5}, labels, {"-10,41", "20,2"});
    // Started again as older versions did, with the header once more.
    file.Attach(lab::RecordFile::Open(path, lab::RecordFile::Mode::OpenOrCreate).file, path);
    file.Write({2024, 5, 6, 14, 9, 5}, labels, {"-10,33", "20,4"});
    return path;
}

struct Finished {
    int status;
    std::string out, err;
};

Finished Plot(const UserFolder& folder, std::vector<std::string> args) {
    args.insert(args.begin(), "plot");
    Program cli(WEGATOR_CLI_PATH, args, folder.Path(), "plot");
    const int status = cli.Wait();
    return {status, cli.Out(), cli.Err()};
}

}  // namespace

TEST(PlotCliTest, DrawsTheChosenColumnsAndTellsTheAxes) {
    UserFolder folder;
    const std::string file = WriteRecord(folder).string();
    struct Case {
        std::vector<std::string> options;
        const char* picture;
        std::string summary;
    };
    for (const Case& c : {
             Case{{"--quantities", "dp-avg"},
                  "dp.png",
                  "Panel 1 (DP/FP wejście): °C, oś od -10.53 do -10.32, podziałka: -10.50 -10.45 -10.40 -10.35\n"
                  "Czas: od 2024-05-06 14:00:05 do 2024-05-06 14:09:05\n"},
             Case{{"--quantities", "T wejście", "--from", "14:01", "--to", "2024-05-06 14:10"},
                  "t.svg",
                  // Readings from 20.20 to 20.40: a margin keeps both ends off the frame.
                  "Panel 1 (T wejście): °C, oś od 20.19 do 20.41, podziałka: 20.20 20.25 20.30 20.35 20.40\n"
                  "Czas: od 2024-05-06 14:01:00 do 2024-05-06 14:10:00\n"},
         }) {
        const std::string out = (folder.Path() / c.picture).string();
        std::vector<std::string> args{file, "--out", out, "--width", "400", "--height", "300"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Finished run = Plot(folder, args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.summary + "Zapisano wykres: " + out + "\n");
        EXPECT_GT(std::filesystem::file_size(out), 0u);
    }
}

TEST(PlotCliTest, RefusesADamagedFileAndAMistakenCall) {
    UserFolder folder;
    std::string text = wegator::test::ReadFile(WriteRecord(folder));
    text.replace(text.find("-10.33"), 6, "-10.3x");
    const std::string damaged = folder.Write("damaged.txt", text).string();
    const std::string out = (folder.Path() / "chart.png").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    for (const Case& c : {
             Case{{damaged, "--out", out}, 1, "message 1453: '" + damaged + "': Wiersz 5: „-10.3x” nie jest liczbą"},
             Case{{damaged + ".none", "--out", out}, 1, "message 1457"},
             Case{{damaged, "--out", folder.Path() / "chart.gif"}, 2, "--out"},
         }) {
        const Finished run = Plot(folder, c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const std::string file = (folder.Path() / "lab.txt").string();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {file, "--out", out, "--quantities", "rh"},
             {file, "--out", out, "--from", "noon"},
             {file, "--out", out, "--from", "14:05", "--to", "14:01"},
         }) {
        EXPECT_EQ(Plot(folder, args).status, 2) << args[4];
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// What is no file to read, or no place for the picture, is refused with its
// reason and never waited on; nothing the file holds reaches the terminal as
// it is, and a bad value is quoted cut.
TEST(PlotCliTest, RefusesWhatIsNoFileAndKeepsTheTerminalSafe) {
    UserFolder folder;
    const std::string fifo = (folder.Path() / "fifo.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string header = "Data i czas\tT \x1b]0;x\a\x1b[2J" + std::string(200, 'n') + " (°\x1b[1mC)\t\r\n";
    const std::string escaped = folder.Write("escaped.txt", header + "06.05.2024 12:00:05\t21.5\t\r\n").string();
    const std::string huge =
        folder.Write("huge.txt", header + "06.05.2024 12:00:05\t" + std::string(1 << 20, '9') + "x\t\r\n").string();
    const std::string out = (folder.Path() / "chart.png").string();
    std::filesystem::create_directory(folder.Path() / "folder.png");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    for (const Case& c : {
             Case{{folder.Path().string(), "--out", out},
                  1,
                  "message 1490: '" + folder.Path().string() + "': To folder"},
             Case{{fifo, "--out", out}, 1, "message 1491: '" + fifo + "': To potok (FIFO)"},
             Case{{"/dev/zero", "--out", out}, 1, "message 1492: '/dev/zero': To urządzenie"},
             Case{{huge, "--out", out}, 1, "„" + std::string(80, '9') + "…” nie jest liczbą\n"},
             Case{{escaped, "--out", (folder.Path() / "none/x.png").string()},
                  2,
                  "--out: Nie ma folderu '" + (folder.Path() / "none").string() + "'"},
             Case{{escaped, "--out", (folder.Path() / "folder.png").string()}, 2, "folder.png': To folder"},
             Case{{escaped, "--out", (folder.Path() / "\x1b[2J.png").string()}, 0, ""},
         }) {
        const Finished run = Plot(folder, c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_LT(run.err.size(), 400u);
        for (const std::string& text : {run.out, run.err}) {
            EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
            EXPECT_EQ(text.find('\a'), std::string::npos) << text;
        }
        if (c.status == 0) {
            EXPECT_NE(run.out.find("Panel 1 (T \\x1b]0;x\\x07\\x1b[2J" + std::string(68, 'n') + "…): °\\x1b[1mC,"),
                      std::string::npos)
                << run.out;
            EXPECT_NE(run.out.find("Zapisano wykres: " + folder.Path().string() + "/\\x1b[2J.png\n"), std::string::npos)
                << run.out;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "none"));
}
