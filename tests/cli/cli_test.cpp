// wegator-cli run as a user runs it: arguments in, standard output, standard
// error and exit status out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "csv_reader.h"
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

fs::path WriteTemp(const std::string& name, const std::string& text) {
    const fs::path path = fs::path(testing::TempDir()) / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Runs the program with `args`, feeding `input` on standard input.
Outcome RunCli(const std::vector<std::string>& args, const std::string& input = "") {
    const fs::path dir = testing::TempDir();
    const fs::path in = WriteTemp("cli_in.txt", input);
    std::string command = ShellQuoted(WEGATOR_CLI_PATH);
    for (const auto& arg : args) command += " " + ShellQuoted(arg);
    command += " <" + ShellQuoted(in) + " >" + ShellQuoted(dir / "cli_out.txt") + " 2>" +
               ShellQuoted(dir / "cli_err.txt");
    const int raw = std::system(command.c_str());
    Outcome run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFile(dir / "cli_out.txt");
    run.err = ReadFile(dir / "cli_err.txt");
    return run;
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
    const Outcome typed = RunCli(Args({{"rh", "--p1", "101,325", "--p2", "101.325", "--dp", "10.0099", "--t", "20",
                                    "--input-precision", "2", "--result-precision", "1", "--decimal-sign", ",",
                                    "--formula-uncertainty", "off", "--json"}}));
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

TEST(CliTest, FailedChecksPrintTheMessageAndExitWithOne) {
    struct Case {
        std::vector<std::string> args;
        int id;
    };
    const std::vector<Case> cases = {
        {{"rh", "--dp", "10"}, 13},                                      // P1 missing comes first
        {Args({{"rh"}, kStandardAir, {"--dp", "10"}}), 12},              // one primary input only
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
    const Outcome fahrenheit = RunCli(Args({{"rh"}, pressures, {"--dp", "68", "--t", "68", "--temperature-unit", "F",
                                                            "--decimal-sign", ","}}));
    EXPECT_NE(fahrenheit.err.find("większa od 70,"), std::string::npos) << fahrenheit.err;

    // A field given twice counts where it was given last; P2 given last is blamed itself.
    EXPECT_EQ(RunCli(Args({{"rh"}, pressures, {"--t", "20", "--dp", "20", "--t", "20"}})).err.substr(0, 25),
              "wegator-cli: message 101:");
    EXPECT_EQ(RunCli(Args({{"rh", "--t", "20", "--dp", "20"}, pressures})).err.substr(0, 25),
              "wegator-cli: message 100:");
}

TEST(CliTest, JsonAndCsvCarryTextsAndNumbers) {
    const Outcome run = RunCli(Args({{"rh"}, kStandardAir, {"--dp", "50", "--t", "68", "--temperature-unit", "F",
                                                        "--enthalpy-unit", "kJ/kg", "--json"}}));
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
    const Outcome csv = RunCli(Args({{"rh"}, kStandardAir, {"--dp", "10", "--t", "20", "--csv", "--decimal-sign", ","}}));
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
    const Outcome fromStdin = RunCli({"rh", "--batch", "-", "--json"},
                                 "P1,P2,T,DP\r\n100,110,20,20\r\n101.325,101.325,20,10\r\n");
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
    for (const char* option : {"--dp", "--u-dp", "--t", "--u-t", "--rh", "--u-rh", "--p1", "--u-p1", "--p2",
                               "--temperature-unit", "--pressure-unit", "--enthalpy-unit", "--formulas",
                               "--formula-uncertainty", "--input-precision", "--result-precision", "--decimal-sign",
                               "--aw", "--ai", "--json", "--csv", "--batch"}) {
        EXPECT_NE(rhHelp.out.find(std::string(option) + " "), std::string::npos) << option;
    }
}

TEST(CliTest, PressureShowsTwelveUnits) {
    const Outcome run = RunCli({"pressure", "--value", "1", "--unit", "atm"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(TableRow(run.out, "kPa").find(" 101.3250"), std::string::npos) << run.out;
    EXPECT_NE(TableRow(run.out, "atm").find(" 1.0000"), std::string::npos) << run.out;

    const Outcome parsed = RunCli({"pressure", "--value", "1", "--unit", "PSI", "--json", "--result-precision", "3",
                               "--decimal-sign", ","});
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

    // An empty value cell empties the field: the page keeps its opening 1 kPa.
    const Outcome batch = RunCli({"pressure", "--batch", "-", "--unit", "bar"}, "value,unit\n1,\n,\n\"2,5\",hPa, mbar\n");
    ASSERT_EQ(batch.status, 2);  // the unquoted "hPa, mbar" is two cells
    const Outcome quoted = RunCli({"pressure", "--batch", "-", "--unit", "bar"},
                              "value,unit\n1,\n,\n\"2,5\",\"hPa, mbar\"\n");
    ASSERT_EQ(quoted.status, 0) << quoted.err;
    const auto records = wegator::cli::ParseCsv(quoted.out);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].cells[1], "bar");
    EXPECT_EQ(records[1].cells[4], "100.0000");  // kPa
    EXPECT_EQ(records[2].cells[0], "");
    EXPECT_EQ(records[2].cells[4], "1.0000");
    EXPECT_EQ(records[3].cells[1], "hPa, mbar");
    EXPECT_EQ(records[3].cells[4], "0.2500");
}

TEST(CliTest, CsvReaderAndJsonWriterKeepEveryCharacter) {
    using wegator::cli::ParseCsv;
    const auto records = ParseCsv("\xEF\xBB\xBF" "a,\"b,\"\"c\"\"\",\r\n\n\"multi\nline\",x\rlast");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].cells, (std::vector<std::string>{"a", "b,\"c\"", ""}));
    EXPECT_EQ(records[1].line, 3);
    EXPECT_EQ(records[1].cells, (std::vector<std::string>{"multi\nline", "x"}));
    EXPECT_EQ(records[2].line, 5);
    EXPECT_THROW(ParseCsv("\"open"), wegator::cli::CsvError);
    EXPECT_THROW(ParseCsv("\"a\"b"), wegator::cli::CsvError);

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
