// wegator-cli run as a user runs it: arguments in, standard output, standard
// error and exit status out.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "csv_reader.h"
#include "input_file.h"
#include "text_output.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A folder of this test process's own (ctest runs each test as a process of
// its own, two at a time), removed when the process ends.
const fs::path& WorkDir() {
    static const fs::path dir = [] {
        std::string name = (fs::path(testing::TempDir()) / "wegator_cli_XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) std::abort();
        static const std::string created = name;
        std::atexit([] { fs::remove_all(created); });
        // The programs read no settings of the user's (their language, say).
        ::setenv("XDG_CONFIG_HOME", (fs::path(name) / "config").c_str(), 1);
        return fs::path(name);
    }();
    return dir;
}

fs::path WriteTemp(const std::string& name, const std::string& text) {
    const fs::path path = WorkDir() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Runs `program` with `args` through the shell: standard input from
// `redirections` when it names one, else the text `input`.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input,
                   const std::string& redirections = "") {
    const fs::path dir = WorkDir();
    std::string command = ShellQuoted(program);
    for (const auto& arg : args) command += " " + ShellQuoted(arg);
    if (redirections.find('<') == std::string::npos) command += " <" + ShellQuoted(WriteTemp("cli_in.txt", input));
    if (redirections.find('>') == std::string::npos) command += " >" + ShellQuoted(dir / "cli_out.txt");
    command += " 2>" + ShellQuoted(dir / "cli_err.txt") + " " + redirections;
    fs::remove(dir / "cli_out.txt");
    const int raw = std::system(command.c_str());
    Outcome run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFile(dir / "cli_out.txt");
    run.err = ReadFile(dir / "cli_err.txt");
    return run;
}

// Runs wegator-cli with `args`, feeding `input` on standard input.
Outcome RunCli(const std::vector<std::string>& args, const std::string& input = "") {
    return RunProgram(WEGATOR_CLI_PATH, args, input);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The line of a text table that starts with `label` followed by a blank.
std::string TableRow(const std::string& table, const std::string& label) {
    for (const auto& line : Lines(table)) {
        if (line.rfind(label + " ", 0) == 0) return line;
    }
    return {};
}

const std::vector<std::string> kStandardAir = {"--p1", "101.325", "--p2", "101.325"};

std::vector<std::string> Args(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(CliTest, RelativeHumidityShowsTheResultGrid) {
    const Outcome run = RunCli(Args({{"rh"}, kStandardAir, {"--dp", "10", "--t", "20"}}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Wartości obliczone dla ciśnienia P2, uwzględniono niepewność wzorów"), std::string::npos);
    const std::string dewPoint = TableRow(run.out, "DP/FP  °C");
    EXPECT_NE(dewPoint.find(" 10.000 "), std::string::npos) << run.out;
    EXPECT_NE(TableRow(run.out, "T      °C").find(" 20.000 "), std::string::npos) << run.out;
    for (const char* row : {"PPMV", "PPMW", "x ", "I ", "WVP", "SWVP", "Tw/Ti"}) {
        EXPECT_NE(run.out.find(std::string("\n") + row), std::string::npos) << row;
    }

    // Texts go in as typed: "," is a separator, decimals beyond the input
    // precision are cut off, and results take the chosen sign and precision.
    const Outcome typed = RunCli(
        Args({{"rh", "--p1", "101,325", "--p2", "101.325", "--dp", "10.0099", "--t", "20", "--input-precision", "2",
               "--result-precision", "1", "--decimal-sign", ",", "--formula-uncertainty", "off", "--json"}}));
    ASSERT_EQ(typed.status, 0) << typed.err;
    const json doc = json::parse(typed.out);
    EXPECT_EQ(doc["inputs"]["dp"], "10,00");
    EXPECT_EQ(doc["inputs"]["p1"], "101,32");
    EXPECT_EQ(doc["results"][0]["water"], "10,0");
    // A frost point above 0 °C leaves the ice half of the grid blank.
    EXPECT_EQ(doc["results"][2]["ice"], "");
    EXPECT_EQ(doc["results"][2]["u_ice"], "");
    EXPECT_EQ(doc["caption"], "Wartości obliczone dla ciśnienia P2, NIE uwzględniono niepewności wzorów");
}

// Inputs that pass every check compute, however far below -100 °C a
// perturbed dew point falls and however high the pressure.
TEST(CliTest, ExtremeValidInputsCompute) {
    const std::vector<std::string> cases[] = {
        {"rh", "--p1", "5000", "--p2", "5000", "--rh", "50", "--dp", "-99", "--u-dp", "5"},
        {"rh", "--p1", "100", "--p2", "100", "--t", "20", "--dp", "-99", "--u-dp", "80"},
        {"rh", "--p1", "10000", "--p2", "10000", "--t", "20", "--dp", "-99", "--u-dp", "60"},
        {"psychro", "--pb", "20000", "--t", "-90", "--tw", "-90"},
    };
    for (const auto& args : cases) {
        const Outcome run = RunCli(args);
        EXPECT_EQ(run.status, 0) << args[0] << " " << args[2] << ": " << run.err;
    }
    // With P1 = P2 the frost point at P2 is the input, and so is its uncertainty.
    EXPECT_NE(TableRow(RunCli(cases[2]).out, "DP/FP  °C").find(" -99.000  60.000"), std::string::npos);
}

TEST(CliTest, FailedChecksPrintTheMessageAndExitWithOne) {
    struct Case {
        std::vector<std::string> args;
        int id;
    };
    const std::vector<Case> cases = {
        {{"rh", "--dp", "10"}, 13},                          // P1 missing comes first
        {Args({{"rh"}, kStandardAir, {"--dp", "10"}}), 12},  // one primary input only
        {Args({{"rh"}, kStandardAir, {"--dp", "10", "--t", "20", "--rh", "50"}}), 12},
        {{"rh", "--p1", "1.2.3", "--p2", "100", "--dp", "10", "--t", "20"}, 15},
        {{"rh", "--p1", "12345678", "--p2", "100", "--dp", "10", "--t", "20"}, 14},
        {Args({{"rh"}, kStandardAir, {"--dp", "21", "--t", "20"}}), 8},  // dew point above T
        {{"rh", "--p1", "100", "--p2", "2100", "--dp", "10", "--t", "20"}, 79},
    };
    for (const auto& c : cases) {
        const Outcome run = RunCli(c.args);
        EXPECT_EQ(run.status, 1) << c.id;
        EXPECT_EQ(run.err.rfind("wegator-cli: message " + std::to_string(c.id) + ": ", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "") << c.id;
    }
    EXPECT_NE(RunCli({"rh", "--p1", "1.2.3"}).err.find("Błędny format wartości wejściowej"), std::string::npos);
}

TEST(CliTest, LimitMessageNamesTheLastEditedInput) {
    // DP = T = 20 °C compressed from 100 to 110 kPa saturates over water.
    const std::vector<std::string> pressures = {"--p1", "100", "--p2", "110"};
    const Outcome dewPointLast = RunCli(Args({{"rh"}, pressures, {"--t", "20", "--dp", "20"}}));
    EXPECT_EQ(dewPointLast.status, 1);
    EXPECT_EQ(dewPointLast.err.rfind("wegator-cli: message 102: ", 0), 0u) << dewPointLast.err;
    EXPECT_NE(dewPointLast.err.find("Temperatura punktu rosy"), std::string::npos);

    const Outcome temperatureLast = RunCli(Args({{"rh"}, pressures, {"--dp", "20", "--t", "20"}}));
    EXPECT_EQ(temperatureLast.err.rfind("wegator-cli: message 101: ", 0), 0u) << temperatureLast.err;
    // The limit is the dew point at P2 in the chosen unit and sign.
    const Outcome fahrenheit = RunCli(
        Args({{"rh"}, pressures, {"--dp", "68", "--t", "68", "--temperature-unit", "F", "--decimal-sign", ","}}));
    EXPECT_NE(fahrenheit.err.find("większa od 70,"), std::string::npos) << fahrenheit.err;

    // A field given twice counts where it was given last; P2 given last is blamed itself.
    EXPECT_EQ(RunCli(Args({{"rh"}, pressures, {"--t", "20", "--dp", "20", "--t", "20"}})).err.substr(0, 25),
              "wegator-cli: message 101:");
    EXPECT_EQ(RunCli(Args({{"rh", "--t", "20", "--dp", "20"}, pressures})).err.substr(0, 25),
              "wegator-cli: message 100:");
}

TEST(CliTest, JsonAndCsvCarryTextsAndNumbers) {
    const Outcome run =
        RunCli(Args({{"rh"},
                     kStandardAir,
                     {"--dp", "50", "--t", "68", "--temperature-unit", "F", "--enthalpy-unit", "kJ/kg", "--json"}}));
    ASSERT_EQ(run.status, 0) << run.err;
    const json doc = json::parse(run.out);
    ASSERT_TRUE(doc.is_object());
    for (const char* key : {"command", "ok", "message_id", "message", "messages", "units", "inputs", "edit_order",
                            "caption", "results"}) {
        EXPECT_TRUE(doc.contains(key)) << key;
    }
    EXPECT_EQ(doc["command"], "rh");
    EXPECT_EQ(doc["ok"], true);
    EXPECT_EQ(doc["units"]["temperature"], "°F");
    EXPECT_EQ(doc["edit_order"], json({"p1", "p2", "dp", "t"}));
    ASSERT_EQ(doc["results"].size(), 10u);
    const json& dewPoint = doc["results"][0];
    EXPECT_EQ(dewPoint["name"], "DP/FP");
    EXPECT_EQ(dewPoint["unit"], "°F");
    EXPECT_EQ(dewPoint["water"], "50.000");
    EXPECT_EQ(dewPoint["internal_unit"], "°C");
    EXPECT_NEAR(dewPoint["internal"]["water"].get<double>(), 10.0, 1e-6);  // 50 °F
    EXPECT_EQ(doc["results"][6]["unit"], "kJ/kg");
    EXPECT_EQ(doc["results"][6]["internal_unit"], "kcal/kg");
    for (const json& row : doc["results"]) {
        for (const char* key : {"water", "u_water", "ice", "u_ice"}) EXPECT_TRUE(row[key].is_string());
    }

    const Outcome failed = RunCli(Args({{"rh"}, kStandardAir, {"--dp", "10", "--json"}}));
    EXPECT_EQ(failed.status, 1);
    const json failure = json::parse(failed.out);
    EXPECT_EQ(failure["ok"], false);
    EXPECT_EQ(failure["message_id"], 12);
    EXPECT_EQ(failure["results"][0]["water"], "");
    EXPECT_TRUE(failure["results"][0]["internal"].is_null());

    // CSV: a header and one row; cells holding the decimal comma are quoted.
    const Outcome csv =
        RunCli(Args({{"rh"}, kStandardAir, {"--dp", "10", "--t", "20", "--csv", "--decimal-sign", ","}}));
    ASSERT_EQ(csv.status, 0);
    const auto records = wegator::cli::ParseCsv(csv.out);
    ASSERT_EQ(records.size(), 2u);
    ASSERT_EQ(records[0].cells.size(), records[1].cells.size());
    EXPECT_EQ(records[0].cells.front(), "dp");
    EXPECT_EQ(records[0].cells[12], "dpfp_water");
    EXPECT_EQ(records[0].cells.back(), "message");
    EXPECT_EQ(records[1].cells[12], "10,000");
    EXPECT_NE(csv.out.find("\"10,000\""), std::string::npos);
}

TEST(CliTest, BatchComputesEveryRow) {
    const std::string rows =
        "p1,p2,dp,t,u-t\n"
        "101.325,101.325,10,20,0.1\n"
        "101.325,101.325,10,,\n";
    const fs::path file = WriteTemp("rh_batch.csv", rows);
    const Outcome run = RunCli({"rh", "--batch", file.string()});
    EXPECT_EQ(run.status, 1);
    const auto records = wegator::cli::ParseCsv(run.out);
    ASSERT_EQ(records.size(), 3u);
    const auto& header = records[0].cells;
    const auto column = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    EXPECT_EQ(records[1].cells[column("dpfp_water")], "10.000");
    EXPECT_EQ(records[1].cells[column("u-t")], "0.100");
    EXPECT_EQ(records[1].cells[column("message_id")], "");
    EXPECT_EQ(records[2].cells[column("message_id")], "12");
    EXPECT_EQ(records[2].cells[column("message")], "Uzupełnij wartości ciśnień i dwóch pozostałych pól");
    EXPECT_EQ(records[2].cells[column("dpfp_water")], "");
    EXPECT_NE(run.err.find("wegator-cli: line 3: message 12: "), std::string::npos) << run.err;

    // From standard input, as JSON; each row's column order is its edit order.
    const Outcome fromStdin =
        RunCli({"rh", "--batch", "-", "--json"}, "P1,P2,T,DP\r\n100,110,20,20\r\n101.325,101.325,20,10\r\n");
    EXPECT_EQ(fromStdin.status, 1);
    const json doc = json::parse(fromStdin.out);
    ASSERT_TRUE(doc.is_array());
    ASSERT_EQ(doc.size(), 2u);
    EXPECT_EQ(doc[0]["line"], 2);
    EXPECT_EQ(doc[0]["message_id"], 102);
    EXPECT_EQ(doc[1]["ok"], true);

    const Outcome allGood = RunCli({"rh", "--batch", "-"}, "p1,p2,t,rh\n100,100,20,50\n\n100,100,25,\"40,5\"\n");
    EXPECT_EQ(allGood.status, 0) << allGood.err;
    EXPECT_EQ(Lines(allGood.out).size(), 3u);
    EXPECT_NE(allGood.out.find(",40.500,"), std::string::npos);
}

// A batch longer than one block of input is read twice, the second time from
// the file itself or from the copy kept of a piped standard input: both give the same
// rows, and a bad cell in the last row still leaves no output at all.
TEST(CliTest, LongBatchFromFileAndStandardInput) {
    std::string rows = "p1,p2,dp,t\n";
    for (int i = 0; i < 4000; ++i) rows += "101.325,100," + std::to_string(i % 20) + ".5,25\n";
    const fs::path file = WriteTemp("long.csv", rows);
    const Outcome fromFile = RunCli({"rh", "--batch", file.string()});
    // Through a pipe, which cannot be read twice.
    const Outcome fromStdin =
        RunProgram("sh", {"-c", "cat \"$1\" | \"$0\" rh --batch -", WEGATOR_CLI_PATH, file.string()}, "");
    EXPECT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(Lines(fromFile.out).size(), 4001u);
    EXPECT_EQ(fromStdin.out, fromFile.out);

    const Outcome bad = RunProgram(
        "sh", {"-c", "cat \"$1\" | \"$0\" rh --batch -", WEGATOR_CLI_PATH,
               WriteTemp("bad.csv", rows + "101.325,100,x,25\n").string()},
        "");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("line 4002"), std::string::npos) << bad.err;
    EXPECT_EQ(bad.out, "");
}

// A logger may append to its file while a batch of it runs, an editor may
// rewrite it in place: the second reading computes what the first one checked.
TEST(CliTest, SecondReadingComputesWhatTheFirstChecked) {
    for (const auto mode : {std::ios::app, std::ios::trunc}) {
        const fs::path file = WriteTemp("changing.csv", "p1,p2,t,rh\n100,100,20,50\n");
        wegator::cli::TwoPassInput input(file.string(), "the batch file");
        const auto readAll = [&input] {
            std::string text;
            for (std::string_view block; !(block = input.NextBlock()).empty();) text += block;
            return text;
        };
        const std::string first = readAll();
        std::ofstream(file, std::ios::out | mode) << "p1,p2,t,rh\n=1+2,100,21,x\n";
        input.Rewind();
        EXPECT_EQ(readAll(), first);
    }
}

TEST(CliTest, UsageErrorsExitWithTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"rh", "--bogus"}, "", "--bogus"},
        {{"rh", "--temperature-unit", "Celsius", "--t", "1"}, "", "\"°C\", \"°K\", \"°F\""},
        {{"rh", "--pressure-unit", "Pa"}, "", "hPa, mbar"},
        {{"rh", "--formulas", "magnus"}, "", "its90"},
        {{"rh", "--result-precision", "8"}, "", "--result-precision"},
        {{"rh", "--dp"}, "", "--dp"},
        {{"rh", "--t", "1e3"}, "", "cannot be typed"},
        {{}, "", "subcommand"},
        {{"rh", "--batch", "/nonexistent/points.csv"}, "", "cannot read"},
        {{"rh", "--batch", "-"}, "p1,p2,dew\n", "unknown column 'dew'"},
        {{"rh", "--batch", "-"}, "p1,p2\n100,100,3\n", "line 2"},
        {{"rh", "--batch", "-"}, "p1,p2\n\"100,100\n", "not closed"},
        {{"rh", "--batch", "-", "--dp", "3"}, "p1\n", "--dp"},
        {{"pressure", "--unit", "furlong"}, "", "mmH2O"},
        {{"pressure", "--batch", "-"}, "value,unit\n1,kPa\n2,inHg\n", "inHg"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunCli(c.args, c.input);
        EXPECT_EQ(run.status, 2) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << c.says;  // a bad batch row stops the run before any output
    }
    // ASCII spellings of the units are accepted.
    EXPECT_EQ(RunCli(Args({{"rh", "--temperature-unit", "k", "--pressure-unit", "mbar", "--p1", "1013.25", "--p2",
                            "1013.25", "--dp", "283.15", "--t", "293.15"}}))
                  .status,
              0);

    const Outcome help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"rh", "pressure", "Exit status", "Examples"}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    const Outcome rhHelp = RunCli({"rh", "--help"});
    for (const char* option : {"--dp",
                               "--u-dp",
                               "--t",
                               "--u-t",
                               "--rh",
                               "--u-rh",
                               "--p1",
                               "--u-p1",
                               "--p2",
                               "--temperature-unit",
                               "--pressure-unit",
                               "--enthalpy-unit",
                               "--formulas",
                               "--formula-uncertainty",
                               "--input-precision",
                               "--result-precision",
                               "--decimal-sign",
                               "--aw",
                               "--ai",
                               "--json",
                               "--csv",
                               "--batch"}) {
        EXPECT_NE(rhHelp.out.find(std::string(option) + " "), std::string::npos) << option;
    }
}

TEST(CliTest, PressureShowsTwelveUnits) {
    const Outcome run = RunCli({"pressure", "--value", "1", "--unit", "atm"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(TableRow(run.out, "kPa").find(" 101.3250"), std::string::npos) << run.out;
    EXPECT_NE(TableRow(run.out, "atm").find(" 1.0000"), std::string::npos) << run.out;

    const Outcome parsed = RunCli(
        {"pressure", "--value", "1", "--unit", "PSI", "--json", "--result-precision", "3", "--decimal-sign", ","});
    ASSERT_EQ(parsed.status, 0) << parsed.err;
    const json doc = json::parse(parsed.out);
    EXPECT_EQ(doc["input"]["unit"], "psi");
    ASSERT_EQ(doc["results"].size(), 12u);
    EXPECT_EQ(doc["results"][2]["unit"], "kPa");
    EXPECT_EQ(doc["results"][2]["text"], "6,890");
    EXPECT_DOUBLE_EQ(doc["results"][2]["value"].get<double>(), 6.89);

    const Outcome rejected = RunCli({"pressure", "--value", "1.2.3"});
    EXPECT_EQ(rejected.status, 1);
    EXPECT_EQ(rejected.err.rfind("wegator-cli: message 15: ", 0), 0u);

    // An empty value cell empties the field: the row has nothing to convert,
    // and the opening 1 kPa still on the page are not its results.
    const Outcome batch =
        RunCli({"pressure", "--batch", "-", "--unit", "bar"}, "value,unit\n1,\n,\n\"2,5\",hPa, mbar\n");
    ASSERT_EQ(batch.status, 2);  // the unquoted "hPa, mbar" is two cells
    const Outcome quoted =
        RunCli({"pressure", "--batch", "-", "--unit", "bar"}, "value,unit\n1,\n,\n\"2,5\",\"hPa, mbar\"\n");
    ASSERT_EQ(quoted.status, 1) << quoted.err;
    EXPECT_EQ(quoted.err, "wegator-cli: line 3: message 0: no value to convert\n");
    const auto records = wegator::cli::ParseCsv(quoted.out);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].cells[1], "bar");
    EXPECT_EQ(records[1].cells[4], "100.0000");  // kPa
    EXPECT_EQ(records[2].cells[0], "");
    EXPECT_EQ(records[2].cells[4], "");
    EXPECT_EQ(records[2].cells[14], "0");
    EXPECT_EQ(records[2].cells[15], "no value to convert");
    EXPECT_EQ(records[3].cells[1], "hPa, mbar");
    EXPECT_EQ(records[3].cells[4], "0.2500");
}

// The value of `key` in a JSON result row named `name`.
std::string GridText(const json& doc, const std::string& name, const std::string& key) {
    for (const json& row : doc["results"]) {
        if (row["name"] == name) return row[key].get<std::string>();
    }
    return "<no row " + name + ">";
}

TEST(CliTest, MoistureContentFromEachQuantity) {
    // A dew point with T at one pressure gives the very grid of the
    // relative-humidity page.
    const Outcome dewPoint = RunCli(Args({{"moisture"}, kStandardAir, {"--t", "20", "--content", "10", "--json"}}));
    const Outcome viaRh = RunCli(Args({{"rh"}, kStandardAir, {"--t", "20", "--dp", "10", "--json"}}));
    ASSERT_EQ(dewPoint.status, 0) << dewPoint.err;
    ASSERT_EQ(viaRh.status, 0) << viaRh.err;
    const json moisture = json::parse(dewPoint.out);
    const json rh = json::parse(viaRh.out);
    for (std::size_t r = 0; r < 10; ++r) {
        for (const char* key : {"water", "u_water", "ice", "u_ice"}) {
            EXPECT_EQ(moisture["results"][r][key], rh["results"][r][key]) << r << key;
        }
    }
    EXPECT_EQ(moisture["inputs"]["quantity"], "DP/FP");
    EXPECT_EQ(moisture["units"]["content"], "°C");

    // PPMV is a fraction: compressed from P1 to P2 it stays what it was.
    const Outcome ppmv =
        RunCli({"moisture", "--p2", "200", "--quantity", "ppmv", "--content", "5000", "--t", "20", "--p1", "100"});
    ASSERT_EQ(ppmv.status, 0) << ppmv.err;
    EXPECT_NE(TableRow(ppmv.out, "PPMV   ppm").find(" 5000.000 "), std::string::npos) << ppmv.out;
    EXPECT_EQ(Lines(ppmv.out)[2].rfind("PPMV  5000.000", 0), 0u)
        << ppmv.out;  // the input row's label follows the quantity
    const json ppmvDoc = json::parse(RunCli({"moisture", "--p2", "200", "--quantity", "PPMV", "--content", "5000",
                                             "--t", "20", "--p1", "100", "--json"})
                                         .out);
    EXPECT_EQ(GridText(ppmvDoc, "PPMV", "water"), "5000.000");
    EXPECT_EQ(ppmvDoc["units"]["content"], "ppm");
    EXPECT_EQ(ppmvDoc["inputs"]["quantity"], "PPMV");
    EXPECT_EQ(ppmvDoc["edit_order"], json({"p2", "content", "t", "p1"}));

    // A mixing ratio of 10 g/kg is 16077.17 ppm by volume; PPMW is x in mg/kg.
    const json ratio = json::parse(
        RunCli({"moisture", "--quantity", "x", "--content", "10", "--t", "20", "--p1", "100", "--p2", "100", "--json"})
            .out);
    EXPECT_EQ(ratio["units"]["content"], "g/kg");
    EXPECT_EQ(GridText(ratio, "PPMV", "water"), "16077.170");
    EXPECT_EQ(GridText(ratio, "PPMW", "water"), "10000.000");
    EXPECT_EQ(GridText(ratio, "x", "water"), "10.000");
}

TEST(CliTest, MoistureAndPsychrometerChecksGiveTheirMessages) {
    struct Case {
        std::vector<std::string> args;
        int id;
    };
    const std::vector<std::string> pressures = {"--p1", "100", "--p2", "100"};
    const std::vector<Case> cases = {
        {{"moisture", "--content", "10"}, 46},  // T before any pressure
        {Args({{"moisture", "--t", "20"}, pressures}), 42},
        {Args({{"moisture", "--quantity", "ppmw", "--t", "20"}, pressures}), 44},
        {Args({{"moisture", "--quantity", "ppmv", "--content", "0", "--t", "20"}, pressures}), 47},
        {Args({{"moisture", "--quantity", "ppmv", "--content", "1000000", "--t", "20"}, pressures}), 47},
        {Args({{"moisture", "--quantity", "x", "--content", "1", "--u-content", "100000", "--t", "20"}, pressures}),
         52},
        {{"moisture", "--content", "10", "--t", "20", "--p1", "100"}, 3},
        {{"psychro", "--tw", "15", "--pb", "100"}, 46},
        {{"psychro", "--t", "20", "--tw", "15"}, 13},
        {{"psychro", "--t", "20", "--tw", "15", "--pb", "2.9"}, 1},
        {{"psychro", "--t", "20", "--tw", "20.5", "--pb", "100"}, 59},
        {{"psychro", "--t", "20", "--tw", "15", "--u-tw", "100", "--pb", "100"}, 53},
    };
    for (const auto& c : cases) {
        const Outcome run = RunCli(c.args);
        EXPECT_EQ(run.status, 1) << c.id;
        EXPECT_EQ(run.err.rfind("wegator-cli: message " + std::to_string(c.id) + ": ", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "") << c.id;
    }
    // T equal to Tw/Ti is saturated air.
    const json saturated = json::parse(RunCli({"psychro", "--t", "20", "--tw", "20", "--pb", "100", "--json"}).out);
    EXPECT_EQ(saturated["ok"], true);
    EXPECT_EQ(GridText(saturated, "RH", "water"), "100.000");

    const Outcome failed =
        RunCli(Args({{"moisture", "--quantity", "ppmv", "--content", "0", "--t", "20"}, pressures, {"--json"}}));
    const json failure = json::parse(failed.out);
    EXPECT_EQ(failure["message_id"], 47);
    EXPECT_EQ(failure["message"], "Wartość PPMV poza dopuszczalnym zakresem");
    EXPECT_TRUE(failure["results"][0]["internal"].is_null());
}

TEST(CliTest, MoistureAndPsychrometerLimitsNameTheLastEditedInput) {
    // Moisture: DP = T = 20 °C compressed from 100 to 110 kPa saturates over water.
    const std::vector<std::string> moisture = {"moisture", "--content", "20",   "--t", "20",
                                               "--p1",     "100",       "--p2", "110"};
    const auto firstLine = [](const Outcome& run) { return run.err.substr(0, run.err.find(':', 13)); };
    EXPECT_EQ(firstLine(RunCli(moisture)), "wegator-cli: message 100");
    EXPECT_EQ(firstLine(RunCli(Args({moisture, {"--t", "20"}}))), "wegator-cli: message 101");
    EXPECT_EQ(firstLine(RunCli(Args({moisture, {"--content", "20"}}))), "wegator-cli: message 102");
    EXPECT_EQ(firstLine(RunCli(Args({moisture, {"--p1", "100"}}))), "wegator-cli: message 99");

    // Psychrometer: T = 100 °C over a wet bulb at 0 °C gives no vapour pressure.
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--tw", "0", "--t", "100", "--pb", "100"},
         "message 135: Obliczona wartość WVP nad wodą poza dopuszczalnym "
         "zakresem: Wartość ciśnienia powinna być mniejsza lub równa od 9.36"},
        {{"--tw", "0", "--pb", "100", "--t", "100"}, "message 136: "},
        {{"--t", "100", "--pb", "100", "--tw", "0"}, "message 137: "},
        {{"--tw", "0", "--pb", "100", "--t", "100", "--decimal-sign", ","}, "mniejsza lub równa od 9,36"},
        // The edit order of a field given twice is that of its last edit.
        {{"--t", "100", "--pb", "100", "--tw", "0", "--pb", "100"}, "message 135: "},
        // An absent Tw/Ti is never edited: the message blames the most recent other input.
        {{"--pb", "100", "--t", "100"}, "message 136: "},
    };
    for (const auto& c : cases) {
        const Outcome run = RunCli(Args({{"psychro"}, c.args}));
        EXPECT_EQ(run.status, 1) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
}

TEST(CliTest, PsychrometerReadsAnAbsentBulbAsZero) {
    const Outcome run = RunCli({"psychro", "--pb", "101.325", "--t", "20", "--u-t", "0.1", "--tw", "15"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Wartości obliczone, uwzględniono niepewność wzorów"), std::string::npos);
    EXPECT_NE(TableRow(run.out, "Tw/Ti").find("15.000"), std::string::npos) << run.out;
    EXPECT_NE(TableRow(run.out, "Pb").find("101.325"), std::string::npos) << run.out;

    for (const std::vector<std::string>& bulb : {std::vector<std::string>{}, {"--tw", ""}}) {
        const Outcome zero = RunCli(Args({{"psychro", "--t", "5", "--pb", "101.325", "--json"}, bulb}));
        ASSERT_EQ(zero.status, 0) << zero.err;
        const json doc = json::parse(zero.out);
        EXPECT_EQ(doc["inputs"]["tw"], "0.000");
        EXPECT_EQ(GridText(doc, "Tw/Ti", "water"), "0.000");
        EXPECT_EQ(GridText(doc, "T", "water"), "5.000");
        EXPECT_EQ(doc["caption"], "Wartości obliczone, uwzględniono niepewność wzorów");
        for (const char* key : {"command", "ok", "units", "inputs", "edit_order", "caption", "results"}) {
            EXPECT_TRUE(doc.contains(key)) << key;
        }
        EXPECT_EQ(doc["command"], "psychro");
        EXPECT_EQ(doc["edit_order"], bulb.empty() ? json({"t", "pb"}) : json({"t", "pb", "tw"}));
    }
}

TEST(CliTest, MoistureAndPsychrometerBatches) {
    // A quantity cell picks its row's quantity wherever the column stands; an
    // empty one keeps --quantity.
    const Outcome moisture = RunCli({"moisture", "--batch", "-", "--quantity", "ppmv"},
                                    "content,t,p1,p2,quantity\n10,20,101.325,101.325,DP/FP\n5000,20,100,200,\n");
    ASSERT_EQ(moisture.status, 0) << moisture.err;
    const auto rows = wegator::cli::ParseCsv(moisture.out);
    ASSERT_EQ(rows.size(), 3u);
    const auto& header = rows[0].cells;
    const auto column = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    ASSERT_LT(column("content_unit"), header.size());
    EXPECT_EQ(header.front(), "content");
    EXPECT_EQ(rows[1].cells[column("quantity")], "DP/FP");
    EXPECT_EQ(rows[1].cells[column("content_unit")], "°C");
    EXPECT_EQ(rows[1].cells[column("dpfp_water")], "10.000");
    EXPECT_EQ(rows[2].cells[column("quantity")], "PPMV");
    EXPECT_EQ(rows[2].cells[column("content_unit")], "ppm");
    EXPECT_EQ(rows[2].cells[column("ppmv_water")], "5000.000");

    const Outcome psychro = RunCli({"psychro", "--batch", "-", "--json"},
                                   "pb,t,u-t,tw,u-tw\n100,20,0.1,15,0.2\n"
                                   "100,20,,20.5,\n");
    EXPECT_EQ(psychro.status, 1);
    const json doc = json::parse(psychro.out);
    ASSERT_EQ(doc.size(), 2u);
    EXPECT_EQ(doc[0]["ok"], true);
    EXPECT_EQ(doc[0]["inputs"]["u-tw"], "0.200");
    EXPECT_EQ(GridText(doc[0], "Tw/Ti", "u_water"), "0.200");
    EXPECT_EQ(doc[1]["line"], 3);
    EXPECT_EQ(doc[1]["message_id"], 59);
    EXPECT_NE(psychro.err.find("wegator-cli: line 3: message 59: "), std::string::npos) << psychro.err;

    for (const auto& [args, input, says] : std::vector<std::tuple<std::vector<std::string>, std::string, std::string>>{
             {{"moisture", "--batch", "-"},
              "quantity,content\nRH,10\n",
              "column quantity: unknown content quantity 'RH'"},
             {{"moisture", "--batch", "-", "--content", "3"}, "t\n", "--content"},
             {{"moisture", "--quantity", "ppm"}, "", "PPMW"},
             {{"psychro", "--batch", "-"}, "t,tw,p1\n", "unknown column 'p1'"},
         }) {
        const Outcome run = RunCli(args, input);
        EXPECT_EQ(run.status, 2) << says;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    }
}

bool HavePdfToText() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

// The text of a PDF, laid out as on the page.
std::string PdfText(const fs::path& pdf) {
    const fs::path text = pdf.string() + ".txt";
    const std::string command = "pdftotext -layout " + ShellQuoted(pdf) + " - >" + ShellQuoted(text) + " 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    return ReadFile(text);
}

// An empty directory of its own for a test.
fs::path FreshDir(const std::string& name) {
    const fs::path dir = WorkDir() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Where each of `texts` is found in `text`, each after the one before; npos from the first missing on.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& texts) {
    std::size_t at = 0;
    for (const auto& wanted : texts) {
        const std::size_t found = text.find(wanted, at);
        ASSERT_NE(found, std::string::npos) << "'" << wanted << "' missing after position " << at << " in:\n" << text;
        at = found + wanted.size();
    }
}

TEST(CliTest, PrintPdfWritesThePagesPrintout) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const fs::path dir = FreshDir("cli_pdf");

    const fs::path moisturePdf = dir / "moisture.pdf";
    const Outcome moisture =
        RunCli(Args({{"moisture"},
                     kStandardAir,
                     {"--content", "10", "--u-content", "0.1", "--t", "20", "--print-pdf", moisturePdf.string()}}));
    ASSERT_EQ(moisture.status, 0) << moisture.err;
    EXPECT_EQ(moisture.err, "");                                // nothing from Qt either
    EXPECT_NE(moisture.out.find("Inputs"), std::string::npos);  // the usual output as well
    EXPECT_EQ(ReadFile(moisturePdf).rfind("%PDF", 0), 0u);
    const std::string moistureText = PdfText(moisturePdf);
    ExpectInOrder(moistureText, {"Wartości wejściowe dla ciśnienia P1",
                                 "Niepewność",
                                 "DP/FP",
                                 "10.000",
                                 "0.100",
                                 "°C",
                                 "\nT ",
                                 "20.000",
                                 "Pin",
                                 "101.325",
                                 "Pout",
                                 "101.325",
                                 "Wartości obliczone dla ciśnienia P2, uwzględniono niepewność wzorów",
                                 "Nad wodą",
                                 "Niepewność",
                                 "Nad lodem",
                                 "Niepewność",
                                 "DP/FP",
                                 "10.000",
                                 "°C",
                                 "RH",
                                 "52.494",
                                 "Tw/Ti",
                                 "14.184",
                                 "Obliczono programem Wegator"});

    const fs::path psychroPdf = dir / "psychro.pdf";
    const Outcome psychro =
        RunCli({"psychro", "--t", "20", "--tw", "15", "--u-tw", "0.2", "--pb", "1013,25", "--pressure-unit", "hPa",
                "--decimal-sign", ",", "--print-pdf", psychroPdf.string()});
    ASSERT_EQ(psychro.status, 0) << psychro.err;
    ExpectInOrder(PdfText(psychroPdf), {"Wartości wejściowe", "T ", "20,000", "Tw/Ti", "15,000", "0,200", "Pb",
                                        "1013,250", "hPa, mbar", "Wartości obliczone, uwzględniono niepewność wzorów",
                                        "DP/FP", "Tw/Ti", "15,000", "Obliczono programem Wegator"});

    const fs::path rhPdf = dir / "rh.pdf";
    ASSERT_EQ(RunCli(Args({{"rh"}, kStandardAir, {"--dp", "10", "--t", "20", "--json", "--print-pdf", rhPdf.string()}}))
                  .status,
              0);
    ExpectInOrder(PdfText(rhPdf), {"DP/FP", "T ", "RH", "Pin", "Pout", "Nad wodą", "Tw/Ti", "Wegator"});

    const fs::path pressurePdf = dir / "pressure.pdf";
    ASSERT_EQ(RunCli({"pressure", "--value", "1", "--unit", "atm", "--print-pdf", pressurePdf.string()}).status, 0);
    ExpectInOrder(PdfText(pressurePdf), {"Wartości wejściowe", "atm", "1.0000", "Wartości obliczone", "kPa", "101.3250",
                                         "psf", "Obliczono programem Wegator"});
}

TEST(CliTest, PrintPdfIsWrittenOnlyWhenItCanBe) {
    const fs::path dir = FreshDir("cli_pdf_failures");
    const std::vector<std::string> point = {"psychro", "--t", "20", "--tw", "15", "--pb", "100"};

    // A file in a directory that does not exist, and a directory itself.
    for (const fs::path& target : {dir / "missing" / "out.pdf", dir}) {
        const Outcome run = RunCli(Args({point, {"--print-pdf", target.string()}}));
        EXPECT_EQ(run.status, 2) << target;
        EXPECT_EQ(run.err.rfind("wegator-cli: cannot write PDF '" + target.string() + "': ", 0), 0u) << run.err;
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(fs::exists(dir / "missing"));
    EXPECT_TRUE(fs::is_empty(dir));  // no temporary file left behind either

    // A page that shows a message prints nothing.
    const fs::path rejected = dir / "rejected.pdf";
    const Outcome message =
        RunCli({"psychro", "--t", "20", "--tw", "20.5", "--pb", "100", "--print-pdf", rejected.string()});
    EXPECT_EQ(message.status, 1);
    EXPECT_EQ(message.err.rfind("wegator-cli: message 59: ", 0), 0u) << message.err;
    EXPECT_FALSE(fs::exists(rejected));

    // A batch has no single page to print.
    const fs::path batch = dir / "batch.pdf";
    const Outcome batchRun = RunCli({"psychro", "--batch", "-", "--print-pdf", batch.string()}, "t,tw,pb\n20,15,100\n");
    EXPECT_EQ(batchRun.status, 2);
    EXPECT_NE(batchRun.err.find("--print-pdf"), std::string::npos) << batchRun.err;
    EXPECT_EQ(batchRun.out, "");
    EXPECT_FALSE(fs::exists(batch));
}

// --print-pdf into what is not a plain file: a pipe and standard output get
// the PDF written into them; what cannot take a PDF is refused and left alone.
TEST(CliTest, PrintPdfIntoPipesAndStandardOutput) {
    const fs::path dir = FreshDir("cli_pdf_streams");
    const std::string cli = ShellQuoted(WEGATOR_CLI_PATH);
    const std::string point = " psychro --t 20 --tw 15 --pb 100";
    const auto isPdf = [](const std::string& bytes) {
        return bytes.rfind("%PDF", 0) == 0 && bytes.find("%%EOF") != std::string::npos;
    };

    // A named pipe stays a pipe, and what reads it gets the whole PDF.
    const fs::path fifo = dir / "printer";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path copy = dir / "copy.pdf";
    const std::string throughFifo = "timeout 60 cat " + ShellQuoted(fifo) + " >" + ShellQuoted(copy) + " & " + cli +
                                    point + " --print-pdf " + ShellQuoted(fifo) + " >" + ShellQuoted(dir / "out") +
                                    "; status=$?; wait; exit $status";
    const int raw = std::system(throughFifo.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 0);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(isPdf(ReadFile(copy)));
    EXPECT_NE(ReadFile(dir / "out").find("Tw/Ti"), std::string::npos);  // the usual output as well

    // /dev/stdout, a file or a pipe: the PDF is the output, and nothing else is written there.
    const Outcome toFile = RunCli({"psychro", "--t", "20", "--tw", "15", "--pb", "100", "--print-pdf", "/dev/stdout"});
    EXPECT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_TRUE(isPdf(toFile.out));
    EXPECT_EQ(toFile.out.find("Tw/Ti"), std::string::npos);
    const fs::path piped = dir / "piped.pdf";
    ASSERT_EQ(std::system((cli + point + " --json --print-pdf /dev/stdout | cat >" + ShellQuoted(piped)).c_str()), 0);
    EXPECT_TRUE(isPdf(ReadFile(piped)));
    EXPECT_TRUE(fs::is_symlink("/dev/stdout"));

    // A socket can take no PDF; it is neither replaced nor written into.
    const fs::path socketPath = dir / "socket";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.string().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const Outcome refused =
        RunCli({"psychro", "--t", "20", "--tw", "15", "--pb", "100", "--print-pdf", socketPath.string()});
    ::close(fd);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "wegator-cli: cannot write PDF '" + socketPath.string() +
                               "': it is neither a regular file nor a pipe nor a character device\n");
    EXPECT_EQ(refused.out, "");
    EXPECT_TRUE(fs::is_socket(socketPath));

    // A link to a regular file stays a link; the file behind it gets the PDF.
    const fs::path target = dir / "target.pdf";
    const fs::path link = dir / "link.pdf";
    std::ofstream(target) << "old";
    fs::create_symlink(target, link);
    EXPECT_EQ(RunCli({"psychro", "--t", "20", "--tw", "15", "--pb", "100", "--print-pdf", link.string()}).status, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(isPdf(ReadFile(target)));
}

TEST(CliTest, OutputThatCannotBeWrittenFails) {
    struct Case {
        std::string program;
        std::vector<std::string> args;
        std::string says;
    };
    const std::string cli = "wegator-cli: cannot write to standard output: No space left on device\n";
    const std::vector<Case> cases = {
        {WEGATOR_CLI_PATH, {"pressure", "--value", "1"}, cli},
        {WEGATOR_CLI_PATH, {"pressure", "--value", "1", "--json"}, cli},
        {WEGATOR_CLI_PATH, {"--help"}, cli},
        {WEGATOR_VALUES_PATH, {}, "wegator-values: cannot write to standard output\n"},
        {WEGATOR_VALUES_PATH, {"--help"}, "wegator-values: cannot write to standard output\n"},
        {WEGATOR_SIM_PATH, {"--help"}, "wegator-sim: cannot write to standard output"},
    };
    for (const Case& c : cases) {
        const Outcome run = RunProgram(c.program, c.args, "", ">/dev/full");
        EXPECT_EQ(run.status, 2) << c.program;
        EXPECT_EQ(run.err.rfind(c.says, 0), 0u) << run.err;  // the system's reason, when known, follows
    }
    // A batch whose output outgrows the buffers fails the same way.
    std::string rows = "value\n";
    for (int i = 0; i < 2000; ++i) rows += std::to_string(i) + "\n";
    EXPECT_EQ(RunProgram(WEGATOR_CLI_PATH, {"pressure", "--batch", "-"}, rows, ">/dev/full").status, 2);
}

TEST(CliTest, BatchFilesThatCannotBeReadAreNamed) {
    const fs::path dir = FreshDir("cli_unreadable");
    const Outcome folder = RunCli({"rh", "--batch", dir.string()});
    EXPECT_EQ(folder.status, 2);
    EXPECT_EQ(folder.err, "wegator-cli: cannot read the batch file '" + dir.string() + "': Is a directory\n");
    const Outcome input = RunProgram(WEGATOR_CLI_PATH, {"rh", "--batch", "-"}, "", "<" + ShellQuoted(dir));
    EXPECT_EQ(input.status, 2);
    EXPECT_EQ(input.err, "wegator-cli: cannot read the batch file from standard input: Is a directory\n");
    EXPECT_EQ(input.out, "");
    const Outcome recorded = RunCli({"lab", "decode", "--instrument", "dp30", dir.string()});
    EXPECT_EQ(recorded.status, 2);
    EXPECT_EQ(recorded.err, "wegator-cli: cannot read the recorded lines '" + dir.string() + "': Is a directory\n");
}

// Whatever a user typed comes back in a message escaped and at most 80 characters long.
TEST(CliTest, UsageErrorsQuoteTextsSafely) {
    const std::string longCell(500, '7');
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"rh", "--t", "1\x1b[2J"}, "", "--t: '1\\x1b[2J' cannot be typed"},
        {{"rh", "--t", "1\b"}, "", "--t: '1\\x08' cannot be typed"},
        {{"rh", "--batch", "-"},
         "p1,t\n100,\"" + longCell + "x\"\n",
         "column t: '" + std::string(80, '7') + "…' cannot"},
        {{"rh", "--batch", "-"}, "p1,\"\a\nbell\"\n", "unknown column '\\x07\\nbell'"},
        {{"rh", "--temperature-unit",
          "\xC2\x9B"
          "2J\xFF"},
         "",
         "unknown temperature unit '\\u009b2J\\xff'"},
        {{"pressure", "--batch", "-"}, "unit\n\"\r\"\n", "unknown pressure unit '\\r'"},
        {{"moisture", "--quantity", "\t"}, "", "unknown content quantity unit '\\t'"},
        {{"rh", "--bo\x1bgus"}, "", "--bo\\x1bgus"},
        {{"rh", "--formulas=" + longCell}, "", "'" + std::string(80, '7') + "…' is not one of"},
        {{"rh", longCell + "\x7f"}, "", std::string(80, '7') + "…"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunCli(c.args, c.input);
        EXPECT_EQ(run.status, 2) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_LT(run.err.size(), 400u) << run.err;
        EXPECT_FALSE(std::any_of(run.err.begin(), run.err.end(), [](char ch) {
            const auto u = static_cast<unsigned char>(ch);
            return (u < 0x20 && ch != '\n') || u == 0x7F || u == 0xFF;
        })) << run.err;
    }
}

TEST(CliTest, EmptyPressureIsRefused) {
    for (const char* value : {"", "  "}) {
        const Outcome run = RunCli({"pressure", "--value", value});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "wegator-cli: --value: an empty text is no pressure to convert\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST(CliTest, RangeMessagesKeepTheirDots) {
    const Outcome run = RunCli({"rh", "--p1", "100", "--p2", "2100", "--dp", "10", "--t", "20", "--decimal-sign", ","});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "wegator-cli: message 79: Wartość ciśnienia wyjściowego powinna zawierać się w przedziale 0,03 ... 20.\n");
}

TEST(WegatorValuesTest, RefusesWhatIsNoNumberOrFormulaSetOrOutOfRange) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"nan"},
                                               {"10", "inf"},
                                               {"10", "20", "1e999"},
                                               {"-inf"},
                                               {"x"},
                                               {"10", "20", "101.325", "2"},
                                               {"10", "20", "101.325", "0.5"},
                                               {"10", "20", "101.325", "-1"},
                                               {"10", "20", "101.325", "1e300"},
                                               {"1e308", "1e308"},
                                               {"10", "100.5"},
                                               {"-100.01"},
                                               {"10", "20", "2.9"},
                                               {"10", "20", "20001"}}) {
        const Outcome run = RunProgram(WEGATOR_VALUES_PATH, args, "");
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.out, "") << args.back();
        EXPECT_NE(run.err.find("wegator-values: "), std::string::npos) << args.back();
    }
    for (const std::string set : {"0", "1"}) {
        const Outcome run = RunProgram(WEGATOR_VALUES_PATH, {"10", "20", "101.325", set}, "");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("formula set            " + set), std::string::npos) << run.out;
    }
}

TEST(CliTest, HelpShowsTheNewSubcommands) {
    const Outcome help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* text :
         {"moisture", "psychro", "--print-pdf", "wegator-cli moisture --quantity ppmv", "wegator-cli psychro "}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    const std::vector<std::pair<std::string, std::vector<std::string>>> subcommands = {
        {"moisture",
         {"--quantity", "--content", "--u-content", "--t", "--u-t", "--p1", "--u-p1", "--p2", "--aw", "--ai", "--json",
          "--csv", "--batch", "--print-pdf", "wegator-cli moisture --quantity"}},
        {"psychro",
         {"--t", "--u-t", "--tw", "--u-tw", "--pb", "--u-pb", "--formulas", "--decimal-sign", "--batch", "--print-pdf",
          "wegator-cli psychro --pb"}},
        {"rh", {"--print-pdf"}},
        {"pressure", {"--print-pdf"}},
    };
    for (const auto& [name, texts] : subcommands) {
        const Outcome run = RunCli({name, "--help"});
        EXPECT_EQ(run.status, 0) << name;
        for (const auto& text : texts) EXPECT_NE(run.out.find(text + " "), std::string::npos) << name << " " << text;
    }
}

TEST(CliTest, CsvReaderAndJsonWriterKeepEveryCharacter) {
    using wegator::cli::ParseCsv;
    const auto records = ParseCsv(
        "\xEF\xBB\xBF"
        "a,\"b,\"\"c\"\"\",\r\n\n\"multi\nline\",x\rlast");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].cells, (std::vector<std::string>{"a", "b,\"c\"", ""}));
    EXPECT_EQ(records[1].line, 3);
    EXPECT_EQ(records[1].cells, (std::vector<std::string>{"multi\nline", "x"}));
    EXPECT_EQ(records[2].line, 5);
    EXPECT_THROW(ParseCsv("\"open"), wegator::cli::CsvError);
    EXPECT_THROW(ParseCsv("\"a\"b"), wegator::cli::CsvError);

    // What the writer writes reads back as it was, even a row of one empty
    // cell and a byte-order mark at the start of the first cell.
    const std::vector<std::vector<std::string>> rows = {{"\xEF\xBB\xBF"
                                                         "x",
                                                         " a\t"},
                                                        {""},
                                                        {"", ""},
                                                        {"\"\n,"}};
    std::ostringstream written;
    for (const auto& row : rows) wegator::cli::WriteCsvRow(written, row);
    const auto reread = ParseCsv(written.str());
    ASSERT_EQ(reread.size(), rows.size()) << written.str();
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(reread[i].cells, rows[i]) << i;

    using wegator::cli::JsonQuoted;
    EXPECT_EQ(JsonQuoted("a\"b\\c\n\x01°"), "\"a\\\"b\\\\c\\n\\u0001°\"");
    EXPECT_EQ(JsonQuoted("bad\xC3(\xFF"), "\"bad\\ufffd(\\ufffd\"");
    EXPECT_EQ(json::parse(JsonQuoted("zażółć\t\x7F")).get<std::string>(), "zażółć\t\x7F");

    std::ostringstream out;
    wegator::cli::JsonWriter writer(out);
    writer.BeginObject();
    writer.Key("n");
    writer.Number(0.1);
    writer.Key("nan");
    writer.Number(std::numeric_limits<double>::quiet_NaN());
    writer.Key("a");
    writer.BeginArray();
    writer.Integer(1);
    writer.BeginObject();
    writer.EndObject();
    writer.Bool(false);
    writer.EndArray();
    writer.EndObject();
    EXPECT_EQ(out.str(), "{\"n\":0.1,\"nan\":null,\"a\":[1,{},false]}");
}

}  // namespace
