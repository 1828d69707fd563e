// wegator-cli's laboratory subcommands run as a user runs them; the serial
// instruments are played by the test on pseudo-terminals.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "support/program_run.h"
#include "support/pty_pair.h"

namespace {

using nlohmann::json;
using wegator::test::Program;
using wegator::test::PtyPair;
using wegator::test::ReadFile;
using wegator::test::UserFolder;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

Finished RunCli(const UserFolder& folder, const std::vector<std::string>& args) {
    Program cli(WEGATOR_CLI_PATH, args, folder.Path(), "cli");
    Finished run;
    run.status = cli.Wait();
    run.out = cli.Out();
    run.err = cli.Err();
    return run;
}

std::vector<json> JsonLines(const std::string& text) {
    std::vector<json> objects;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        objects.push_back(json::parse(text.substr(start, end - start)));
    }
    return objects;
}

// Lines written until the program ends: an instrument that keeps sending.
void SendUntilEnd(PtyPair& pty, Program& cli, const std::string& line, int periodMs) {
    while (cli.Running()) {
        pty.Send(line);
        std::this_thread::sleep_for(std::chrono::milliseconds(periodMs));
    }
}

TEST(LabCliTest, CalLookupInterpolatesAndRefusesABadLine) {
    UserFolder folder;
    const auto table = folder.Write("t.cal", "0.000;0.100;0.020\r\n10.000;0.200;0.040\r\n");
    const Finished lookup = RunCli(folder, {"cal", "lookup", table.string(), "5", "-3", "12", "0", "10", "--json"});
    ASSERT_EQ(lookup.status, 0) << lookup.err;
    const json rows = json::parse(lookup.out);
    const double expected[][3] = {
        {5, 0.15, 0.03}, {-3, 0.10, 0.02}, {12, 0.20, 0.04}, {0, 0.10, 0.02}, {10, 0.20, 0.04}};
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(rows[i]["reading"].get<double>(), expected[i][0]);
        EXPECT_NEAR(rows[i]["correction"].get<double>(), expected[i][1], 1e-12) << i;
        EXPECT_NEAR(rows[i]["uncertainty"].get<double>(), expected[i][2], 1e-12) << i;
    }
    const Finished shown = RunCli(folder, {"cal", "show", table.string()});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("10.000"), std::string::npos) << shown.out;

    // A table the station would not load is refused, naming the file (and the line).
    struct Refused {
        const char* text;
        const char* says;
    };
    for (const Refused& r : {
             Refused{"0.000;0.100;0.020\r\n10,0;0.200;0.040\r\n",
                     "message 1101: Plik kalibracji jest "
                     "nieprawidłowy: wiersz 2"},
             Refused{"0.000;1000000.001;0.020\r\n", "message 1104"},
             Refused{"", "message 1495: Plik kalibracji nie zawiera żadnego wiersza."},
             Refused{"\r\n \r\n", "message 1495"},
         }) {
        const auto bad = folder.Write("bad.cal", r.text);
        for (const char* command : {"show", "lookup"}) {
            std::vector<std::string> args{"cal", command, bad.string()};
            if (std::string(command) == "lookup") args.push_back("5");
            const Finished refused = RunCli(folder, args);
            EXPECT_EQ(refused.status, 1) << command << r.says;
            EXPECT_EQ(refused.out, "");
            EXPECT_NE(refused.err.find(r.says), std::string::npos) << refused.err;
            EXPECT_NE(refused.err.find(bad.string()), std::string::npos) << refused.err;
        }
    }
    EXPECT_EQ(RunCli(folder, {"cal", "lookup", table.string(), "5,5"}).status, 2);
    EXPECT_EQ(RunCli(folder, {"cal", "show", (folder.Path() / "none.cal").string()}).status, 1);
}

// Messages, in the language of the settings or of --lang, keep their numbers.
TEST(LabCliTest, SpeaksTheLanguageOfTheSettingsOrOfLang) {
    UserFolder folder;
    const std::vector<std::string> rh{"rh", "--p1", "100", "--p2", "100", "--t", "10", "--dp", "20"};
    const std::string polish = "wegator-cli: message 8: Wartość punktu rosy nie powinna być większa niż wartość "
                               "temperatury\n";
    const std::string english = "wegator-cli: message 8: The dew point should not be greater than the temperature\n";
    const auto with = [&rh](std::vector<std::string> before) {
        before.insert(before.end(), rh.begin(), rh.end());
        return before;
    };
    EXPECT_EQ(RunCli(folder, rh).err, polish);  // no store: Polish
    EXPECT_EQ(RunCli(folder, with({"--lang", "en"})).err, english);
    std::filesystem::create_directories(folder.Path() / "config/TREVAN");
    folder.Write("config/TREVAN/WEGATOR.reg",
                 "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\r\n"
                 "\"Language\"=\"en\"\r\n");
    EXPECT_EQ(RunCli(folder, rh).err, english);
    EXPECT_EQ(RunCli(folder, with({"--lang", "pl"})).err, polish);
    const Finished refused = RunCli(folder, {"cal", "show", (folder.Path() / "none.cal").string()});
    EXPECT_EQ(refused.err.rfind("wegator-cli: message 209: ", 0), 0u) << refused.err;
    EXPECT_EQ(RunCli(folder, with({"--lang", "de"})).status, 2);
}

// A file or port name comes back escaped and cut; a time limit of any length is taken.
TEST(LabCliTest, MessagesQuoteNamesAndLimitsOfAnyLengthAreTaken) {
    UserFolder folder;
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    const std::string tooLong(300, 'a');
    const std::vector<Case> cases = {
        {{"cal", "show", "\x1b]0;x\a\x1b[2Jx.cal"}, 1, "'\\x1b]0;x\\x07\\x1b[2Jx.cal'"},
        {{"cal", "lookup", tooLong + ".cal", "1"}, 1, "'" + std::string(80, 'a') + "…'"},
        {{"lab", "read", "--dp30", "/nonexistent/\x1b[2J", "--seconds", "1e300"}, 1, "\\x1b[2J"},
        {{"lab", "read", "--dp30", "COM7", "--seconds", "nan"}, 2, "not nan"},
    };
    for (const Case& c : cases) {
        const Finished run = RunCli(folder, c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\a'), std::string::npos) << run.err;
    }
}

TEST(LabCliTest, DecodeGivesOneLinePerCarriageReturn) {
    UserFolder folder;
    const auto bytes = folder.Write("dp30.bin", "R**B*-012.34\rnoise\rR**B* 101.50\r");
    const Finished run = RunCli(folder, {"lab", "decode", "--instrument", "dp30", bytes.string(), "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<json> lines = JsonLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_EQ(lines[0]["verdict"], "accepted");
    EXPECT_NEAR(lines[0]["reading"]["value"].get<double>(), -12.34, 1e-9);
    EXPECT_NE(lines[1]["verdict"], "accepted");
    EXPECT_TRUE(lines[1]["reading"].is_null());
    EXPECT_NEAR(lines[2]["reading"]["value"].get<double>(), 101.50, 1e-9);

    const auto noise = folder.Write("noise.bin", "noise\r");
    EXPECT_EQ(RunCli(folder, {"lab", "decode", "--instrument", "dp30", noise.string()}).status, 1);
    EXPECT_EQ(RunCli(folder, {"lab", "decode", "--instrument", "dp31", noise.string()}).status, 2);
}

TEST(LabCliTest, ReadCorrectsEachReadingWithItsTable) {
    UserFolder folder;
    const auto table = folder.Write("dp30.cal", "-20.000;0.100;0.020\r\n0.000;0.200;0.040\r\n");
    PtyPair pty;
    Program cli(WEGATOR_CLI_PATH,
                {"lab", "read", "--dp30", pty.Device(), "--table", "dp30=" + table.string(), "--count", "3", "--json"},
                folder.Path(), "cli");
    SendUntilEnd(pty, cli, "R**B*-012.34\r", 50);
    ASSERT_EQ(cli.Wait(), 0) << cli.Err();
    const std::vector<json> readings = JsonLines(cli.Out());
    ASSERT_EQ(readings.size(), 3u) << cli.Out();
    const double correction = 0.1 + 0.1 * (20 - 12.34) / 20;
    for (const json& reading : readings) {
        EXPECT_EQ(reading["stream"], "dp30");
        EXPECT_EQ(reading["port"], pty.Device());
        EXPECT_NEAR(reading["raw"].get<double>(), -12.34, 1e-9);
        EXPECT_NEAR(reading["correction"].get<double>(), correction, 1e-9);
        EXPECT_NEAR(reading["value"].get<double>(), -12.34 + correction, 1e-9);
        EXPECT_NEAR(reading["uncertainty"].get<double>(), 0.02 + 0.02 * (20 - 12.34) / 20, 1e-9);
    }
}

// The F-250 is told its input when the port opens and "A4" at the end; its
// dialogue is logged with stamps.
TEST(LabCliTest, ReadSendsTheF250ItsCommands) {
    UserFolder folder;
    PtyPair pty;
    Program cli(WEGATOR_CLI_PATH, {"lab", "read", "--f250", pty.Device(), "--f250-input", "B", "--count", "1"},
                folder.Path(), "cli");
    std::string atThermometer;
    for (int i = 0; i < 1000 && atThermometer.find("A1\n") == std::string::npos && cli.Running(); ++i) {
        atThermometer += pty.Received();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(atThermometer, "A1\n");
    SendUntilEnd(pty, cli, "\nA 73.400F\r", 100);  // 73.4 °F
    ASSERT_EQ(cli.Wait(), 0) << cli.Err();
    EXPECT_EQ(pty.Received(), "A4\n");
    EXPECT_NE(cli.Out().find("f250       23.000 °C"), std::string::npos) << cli.Out();

    const std::string log = ReadFile(folder.Path() / "state" / "TREVAN" / "F250.txt");
    EXPECT_NE(log.find("   A1\\n"), std::string::npos) << log;
    EXPECT_NE(log.find("A0x41  0x20 70x37 30x33 .0x2e 40x34 00x30 00x30 F0x46 \\r0x0d "), std::string::npos) << log;
    EXPECT_NE(log.find("   A4\\n"), std::string::npos) << log;
}

TEST(LabCliTest, ReadRefusesWhatItCannotDo) {
    UserFolder folder;
    PtyPair pty;
    EXPECT_EQ(RunCli(folder, {"lab", "read"}).status, 2);
    EXPECT_EQ(RunCli(folder, {"lab", "read", "--dp30", pty.Device(), "--table", "dp31=x.cal"}).status, 2);
    const auto bad = folder.Write("bad.cal", "1;2\r\n");
    const Finished refused = RunCli(folder, {"lab", "read", "--dp30", pty.Device(), "--table", "dp30=" + bad.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("message 1101"), std::string::npos) << refused.err;
    const Finished missing = RunCli(folder, {"lab", "read", "--dp30", "COM150", "--count", "1"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("COM150"), std::string::npos) << missing.err;
    // An instrument that sends nothing: the time runs out without a reading.
    const Finished silent = RunCli(folder, {"lab", "read", "--dp30", pty.Device(), "--seconds", "0.2"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_NE(silent.err.find("no reading"), std::string::npos) << silent.err;
}

TEST(LabCliTest, RunRefusesWhatItCannotDo) {
    UserFolder folder;
    std::string stored;
    auto run = [&](const std::string& values) {
        stored =
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\r\n" + values;
        const std::string settings = folder.Write("lab.reg", stored).string();
        return RunCli(folder, {"lab", "run", "--settings", settings, "--seconds", "5"});
    };
    EXPECT_EQ(run("\"SETTINGS_LAB_DEVICES\"=dword:00000000\r\n").status, 1);
    const std::string instruments =
        "\"SETTINGS_LAB_DEVICES\"=dword:00000001\r\n"
        "\"SETTINGS_PORT_COM_DP30\"=dword:00000096\r\n"
        "\"SETTINGS_PORT_COM_QX311\"=dword:00000095\r\n";
    EXPECT_EQ(run(instruments + "\"SETTINGS_PORT_PRESS_DEVICE\"=dword:00000001\r\n").status, 2);

    // No port opens: each is named.
    const Finished none = run(instruments);
    EXPECT_EQ(none.status, 1);
    for (const char* named : {"dp30: cannot open its port: COM150", "qx316: cannot open its port: the settings name no"}) {
        EXPECT_NE(none.err.find(named), std::string::npos) << none.err;
    }
    // What it would have to do without stops it before any port opens: a data
    // file it cannot keep, a correction table in use it cannot load (unless told).
    const std::string dataFile = "\"SAVE_FILE_CODE\"=\"16385\"\r\n\"SAVE_FILE_NAME\"=\"" +
                                 (folder.Path() / "missing/lab.csv").string() + "\"\r\n";
    const std::string table = "\"SETTINGS_LAB_CALIBRATION_TABLE_DP30\"=dword:00000001\r\n"
                              "\"CALIBRATION_FILE_NAME_DP30\"=\"" + (folder.Path() / "dp30.cal").string() + "\"\r\n";
    for (const auto& [values, named] : std::vector<std::pair<std::string, std::string>>{
             {dataFile, "the data file '" + (folder.Path() / "missing/lab.csv").string() + "' cannot be opened"},
             {table, "correction table CALIBRATION_FILE_NAME_DP30: "}}) {
        const Finished refused = run(instruments + values);
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find(named), std::string::npos) << refused.err;
        EXPECT_EQ(refused.err.find("cannot open its port"), std::string::npos) << refused.err;
    }
    stored = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\r\n" +
             instruments + table;
    const Finished ignored = RunCli(folder, {"lab", "run", "--settings", folder.Write("lab.reg", stored).string(),
                                             "--seconds", "5", "--ignore-missing-tables"});
    EXPECT_NE(ignored.err.find("dp30: cannot open its port"), std::string::npos) << ignored.err;
    // The store is only read: no defaults are written into it.
    EXPECT_EQ(ReadFile(folder.Path() / "lab.reg"), stored);
    const auto garbage = folder.Write("other.txt", "not a settings store\n");
    EXPECT_EQ(RunCli(folder, {"lab", "run", "--settings", garbage.string()}).status, 2);
    EXPECT_EQ(ReadFile(garbage), "not a settings store\n");

    // Stability options that cannot be meant, and a PDF that could never be
    // written, are refused before any port opens.
    const std::string runs = folder.Path().string();
    for (const auto& [options, named] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--criterion", "dew=0.1,0.1"}, "KEY=DRIFT,SD with KEY one of dp, t, pb"},
             {{"--criterion", "dp=0,0.1"}, "DRIFT and SD are numbers above 0"},
             {{"--stability-window", "0"}, "--stability-window"},
             {{"--stability-window", "nan"}, "not 'nan'"},
             {{"--pressure", "nan"}, "not 'nan'"},
             {{"--start-when-stable"}, "--run-folder"},
             {{"--run-folder", runs, "--longest-wait", "5"}, "--start-when-stable"},
             {{"--print-pdf", runs}, "it is a folder"}}) {
        std::vector<std::string> args = {"lab", "run", "--settings", (folder.Path() / "lab.reg").string()};
        args.insert(args.end(), options.begin(), options.end());
        const Finished refused = RunCli(folder, args);
        EXPECT_EQ(refused.status, 2) << named;
        EXPECT_NE(refused.err.find(named), std::string::npos) << refused.err;
        EXPECT_EQ(refused.err.find("cannot open its port"), std::string::npos) << refused.err;
    }
}

// A scheduler can tell a station that recorded from one whose calibration run
// did not give its rows; the last line of standard error sums up either.
TEST(LabCliTest, RunExitStatusTellsAnIncompleteCalibrationRun) {
    UserFolder folder;
    PtyPair dp30, f250;
    std::filesystem::create_directories(folder.Path() / "config/TREVAN/ports");
    std::filesystem::create_directories(folder.Path() / "runs");
    std::filesystem::create_symlink(dp30.Device(), folder.Path() / "config/TREVAN/ports/COM3");
    std::filesystem::create_symlink(f250.Device(), folder.Path() / "config/TREVAN/ports/COM6");
    const std::string settings =
        folder
            .Write("lab.reg",
                   "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\r\n"
                   "\"SETTINGS_LAB_DEVICES\"=dword:00000001\r\n"
                   "\"SETTINGS_PORT_COM_DP30\"=dword:00000003\r\n"
                   "\"SETTINGS_PORT_COM_F250\"=dword:00000006\r\n"
                   "\"SETTINGS_PORT_TEMP_DEVICE\"=dword:00000004\r\n"
                   "\"SETTINGS_PORT_PRESS_DEVICE\"=dword:00000001\r\n"
                   "\"SETTINGS_LAB_VALUES_FROM_DEVICES\"=dword:00000014\r\n"
                   "\"SETTINGS_LAB_UPDATE\"=dword:00000003\r\n")
            .string();
    struct Case {
        const char* name;
        std::vector<std::string> run;  // the calibration run's options
        int status;
        const char* summary;
    };
    const std::string runs = (folder.Path() / "runs").string();
    const Case cases[] = {
        {"no run", {}, 0, "calibration runs ended 0, interrupted or not started 0"},
        {"a run cut short by the end", {"--run-folder", runs, "--run-delay", "2"}, 3,
         "calibration runs ended 0, interrupted or not started 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"lab", "run", "--settings", settings, "--seconds", "10", "--pressure", "101.3"};
        args.insert(args.end(), c.run.begin(), c.run.end());
        Program cli(WEGATOR_CLI_PATH, args, folder.Path(), "cli");
        while (cli.Running()) {
            dp30.Send("R**B* 010.00\r");
            f250.Send("A 020.000C\r");
            f250.Received();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        EXPECT_EQ(cli.Wait(), c.status) << cli.Err();
        const std::string err = cli.Err();
        const std::size_t last = err.rfind("wegator-cli: records written ");
        ASSERT_NE(last, std::string::npos) << err;
        EXPECT_EQ(err.find('\n', last), err.size() - 1) << err;
        EXPECT_NE(err.find(c.summary, last), std::string::npos) << err;
    }
}

}  // namespace
