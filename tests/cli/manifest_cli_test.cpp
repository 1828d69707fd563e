// wegator-cli lab verify on a recorded data file and its manifest: the
// table's checksum is the SHA-256 of its bytes, a table changed since is named.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lab/records/data_file.h"
#include "lab/records/manifest.h"
#include "lab/records/record_chain.h"
#include "support/program_run.h"

namespace {

using namespace wegator::lab;
using wegator::test::Program;
using wegator::test::UserFolder;

const std::string kTable = "-20.0;0.05;0.02\n0.0;0.04;0.02\n20.0;0.03;0.02\n";
// sha256sum of kTable.
const std::string kTableSha256 = "9ebd1e65693591680ed254d9830eb31941a816e3aea3ec00585c2ec9f8af1661";

}  // namespace

TEST(LabVerifyCliTest, HoldsWhileTheTableIsUnchangedAndNamesItOnceChanged) {
    struct Case {
        const char* name;
        std::string table;  // the table's bytes when lab verify runs
        bool withFile;      // FILE given
        int status;
        std::string out, err;  // texts the outputs hold
    };
    const std::vector<Case> cases = {
        {"unchanged", kTable, true, 0, "bez łańcucha; rekordy: 3; tablice: 1", ""},
        {"changed", kTable + "30.0;0.02;0.02\n", true, 1, "Niezgodny z manifestem", "zmieniona"},
        {"no file named", kTable, false, 2, "", "FILE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserFolder folder;
        const std::string table = folder.Write("dp30.cal", c.table).string();
        const std::vector<std::string> columns = {"DP/FP wejście (°C)"};
        std::string text = HeaderLine(columns, false);
        for (int minute : {1, 2, 3}) text += RecordLine({2026, 12, 7, 10, minute, 0}, DateFormats{}, {"1.000"}, false);
        const std::string file = folder.Write("lab.txt", text).string();
        Manifest m;
        m.file = "lab.txt";
        m.format = "text";
        m.recordMinutes = 1;
        m.columns = columns;
        m.temperatureUnit = "°C";
        m.started = "2026-12-07T10:00:00+00:00";
        m.tables = {{"dp30", table, false, kTableSha256, 3, "2026-12-07T09:00:00+00:00"}};
        folder.Write("lab.txt.json", ManifestJson(m));

        Program cli(WEGATOR_CLI_PATH, c.withFile ? std::vector<std::string>{"lab", "verify", file}
                                                 : std::vector<std::string>{"lab", "verify"},
                    folder.Path(), "cli");
        EXPECT_EQ(cli.Wait(), c.status) << cli.Out() << cli.Err();
        EXPECT_NE(cli.Out().find(c.out), std::string::npos) << cli.Out();
        EXPECT_NE(cli.Err().find(c.err), std::string::npos) << cli.Err();
        if (c.status == 0) {
            EXPECT_NE(cli.Out().find("Rekordów: 3"), std::string::npos) << cli.Out();
        }
    }
}

// With its chain, the verdict says how many records the chain confirmed, and
// a record edited afterwards is named by its line.
TEST(LabVerifyCliTest, ChainedFileHoldsUntilARecordIsEdited) {
    for (const bool edited : {false, true}) {
        UserFolder folder;
        const std::vector<std::string> columns = {"DP/FP wejście (°C)"};
        const std::string file = folder.Write("lab.txt", "").string();
        int minute = 0;
        auto chain = RecordChain::Open(file, [&] { return "2026-12-07T10:0" + std::to_string(minute) + ":00+00:00"; });
        ASSERT_NE(chain, nullptr);
        std::string text;
        for (minute = 1; minute <= 3; ++minute) {
            std::string lines = minute == 1 ? HeaderLine(columns, false) : std::string();
            lines += RecordLine({2026, 12, 7, 10, minute, 0}, DateFormats{}, {"1.000"}, false);
            text += lines;
            folder.Write("lab.txt", text);
            chain->Confirm(lines);
        }
        chain->Event(chain_event::kClosed);
        Manifest m;
        m.file = "lab.txt";
        m.format = "text";
        m.recordMinutes = 1;
        m.columns = columns;
        m.temperatureUnit = "°C";
        m.started = "2026-12-07T10:00:00+00:00";
        folder.Write("lab.txt.json", ManifestJson(m));
        if (edited) folder.Write("lab.txt", text.replace(text.rfind("1.000"), 5, "1.001"));

        Program cli(WEGATOR_CLI_PATH, {"lab", "verify", file}, folder.Path(), "cli");
        EXPECT_EQ(cli.Wait(), edited ? 1 : 0) << cli.Out() << cli.Err();
        EXPECT_NE(cli.Out().find(edited ? "Wiersz 4 zmieniony" : "rekordy potwierdzone łańcuchem: 4"), std::string::npos)
            << cli.Out();
    }
}
