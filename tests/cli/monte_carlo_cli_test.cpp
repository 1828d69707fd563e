// wegator-cli --monte-carlo: the Monte Carlo figures beside the page's results.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "csv_reader.h"
#include "support/program_run.h"

namespace {

using nlohmann::json;
using wegator::test::Program;
using wegator::test::UserFolder;

struct Finished {
    int status;
    std::string out, err;
};

Finished Cli(const UserFolder& folder, const std::vector<std::string>& args) {
    Program cli(WEGATOR_CLI_PATH, args, folder.Path(), "cli");
    const int status = cli.Wait(120000);
    return {status, cli.Out(), cli.Err()};
}

// Near saturation: RH cannot pass 100 %, so its interval is cut there.
const std::vector<std::string> kNearSaturation = {"rh",  "--p1",   "101.325", "--p2", "101.325", "--t",
                                                  "20",  "--u-t",  "0.1",     "--dp", "19.9",    "--u-dp",
                                                  "0.2", "--monte-carlo", "20000"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

}  // namespace

TEST(MonteCarloCliTest, RelativeHumidityNearSaturationStaysBelowOneHundred) {
    UserFolder folder;
    const Finished run = Cli(folder, With(kNearSaturation, {"--json"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const json doc = json::parse(run.out);
    const json& mc = doc["monte_carlo"];
    EXPECT_EQ(mc["draws"], 20000);
    EXPECT_EQ(mc["seed"], 1);
    const auto rh = std::find_if(mc["results"].begin(), mc["results"].end(),
                                 [](const json& r) { return r["name"] == "RH" && r["column"] == "water"; });
    ASSERT_NE(rh, mc["results"].end()) << run.out;
    const double value = doc["results"][2]["internal"]["water"];
    const double mean = (*rh)["internal"]["mean"];
    const double low = (*rh)["internal"]["shortest"][0];
    const double high = (*rh)["internal"]["shortest"][1];
    EXPECT_LE(high, 100.0);
    EXPECT_LT(low, value);
    // The distribution is squeezed against saturation: far less room above the mean than below.
    EXPECT_LT(high - mean, 0.9 * (mean - low)) << low << " " << mean << " " << high;
}

TEST(MonteCarloCliTest, TheSameSeedGivesTheSameDigits) {
    UserFolder folder;
    const Finished first = Cli(folder, With(kNearSaturation, {"--seed", "5"}));
    const Finished again = Cli(folder, With(kNearSaturation, {"--seed", "5"}));
    const Finished other = Cli(folder, With(kNearSaturation, {"--seed", "6"}));
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("σ_MC"), std::string::npos) << first.out;
    EXPECT_EQ(again.out, first.out);
    EXPECT_NE(other.out, first.out);
}

TEST(MonteCarloCliTest, UsageErrorsExitWithTwo) {
    struct Case {
        std::vector<std::string> options;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--monte-carlo", "999"}, "1000 to 10000000"},
        {{"--monte-carlo", "10000001"}, "1000 to 10000000"},
        {{"--monte-carlo", "2e4"}, "'2e4'"},
        {{"--seed", "3"}, "--monte-carlo"},
        {{"--coverage", "0.9"}, "--monte-carlo"},
        {{"--monte-carlo", "--seed", "18446744073709551616"}, "18446744073709551615"},
        {{"--monte-carlo", "--seed", "-1"}, "seed"},
        {{"--monte-carlo", "--coverage", "0.4"}, "0.5 to 0.999"},
        {{"--monte-carlo", "--coverage", "1"}, "0.5 to 0.999"},
    };
    UserFolder folder;
    for (const Case& c : cases) {
        const Finished run =
            Cli(folder, With({"rh", "--p1", "100", "--p2", "100", "--t", "20", "--rh", "50"}, c.options));
        EXPECT_EQ(run.status, 2) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << c.says;
    }
}

TEST(MonteCarloCliTest, BatchEvaluatesEveryRowThatComputes) {
    UserFolder folder;
    const auto file = folder.Write("points.csv",
                                   "p1,p2,dp,u-dp,t,u-t\n"
                                   "101.325,101.325,10,0.1,20,0.1\n"
                                   "101.325,101.325,30,0.1,20,0.1\n");
    const Finished run = Cli(folder, {"rh", "--batch", file.string(), "--monte-carlo", "20000"});
    EXPECT_EQ(run.status, 1);
    const auto records = wegator::cli::ParseCsv(run.out);
    ASSERT_EQ(records.size(), 3u);
    const auto& header = records[0].cells;
    const auto column = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    // The existing columns keep their places; the new ones follow them.
    EXPECT_EQ(column("message"), column("twti_u_ice") + 2);
    EXPECT_EQ(column("dpfp_water_mc_mean"), column("message") + 1);
    EXPECT_EQ(header.back(), "mc_refused");
    const auto& good = records[1].cells;
    const auto& bad = records[2].cells;
    EXPECT_EQ(good[column("rh_water_mc_mean")].substr(0, 3), "52.") << run.out;
    EXPECT_NE(good[column("rh_water_mc_high")], "");
    EXPECT_EQ(good[column("rh_ice_mc_mean")], "");  // a column the page does not show
    EXPECT_EQ(good[column("mc_draws")], "20000");
    EXPECT_EQ(good[column("mc_refused")], "0");
    EXPECT_EQ(bad[column("message_id")], "8");
    for (std::size_t c = column("dpfp_water_mc_mean"); c < header.size(); ++c) EXPECT_EQ(bad[c], "") << header[c];
}
