#include "lab/records/record_chain.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "lab/records/manifest.h"
#include "lab/records/sha256.h"
#include "lab_test_support.h"

namespace wegator::lab {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;
using K = ChainFinding::Kind;

TEST(Sha256, KnownDigests) {
    const struct {
        std::string bytes;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Sha256Hex(c.bytes), c.digest) << c.bytes.size();
}

// A station's file written record by record a minute apart, its chain beside it.
struct Written {
    TempFolder folder;
    std::string file = folder.File("data.txt");
    int minute = 0;
    std::shared_ptr<RecordChain> chain;

    RecordChain::Now Clock() {
        return [this] {
            char text[32];
            std::snprintf(text, sizeof text, "2026-12-07T10:%02d:00+01:00", minute);
            return std::string(text);
        };
    }
    void Open() { chain = RecordChain::Open(file, Clock()); }
    void Write(const std::string& lines) {
        std::ofstream(file, std::ios::binary | std::ios::app) << lines;
        chain->Confirm(lines);
    }
    std::string Record(int m) { return "07.12.2026 10:" + std::string(m < 10 ? "0" : "") + std::to_string(m) + ":00\t1.5" + std::to_string(m) + "\t\r\n"; }
    // A header, then a record every minute from 1 to `last`.
    void Honest(int last, bool close = true) {
        Open();
        minute = 1;
        Write("Data i czas\tT (°C)\t\r\n" + Record(1));
        for (minute = 2; minute <= last; ++minute) Write(Record(minute));
        minute = last;
        if (close) chain->Event(chain_event::kClosed);
    }
    ChainCheck Check(int interval = 60, bool run = false) const {
        return CheckChain(ReadFile(file), ParseChain(ReadFile(ChainPath(file))), interval, run);
    }
};

std::vector<K> Kinds(const ChainCheck& check) {
    std::vector<K> kinds;
    for (const ChainFinding& f : check.findings) kinds.push_back(f.kind);
    return kinds;
}

std::string Described(const ChainCheck& check) {
    std::string text;
    for (const ChainFinding& f : check.findings) {
        text += "[kind " + std::to_string(static_cast<int>(f.kind)) + " line " + std::to_string(f.line) + " record " +
                std::to_string(f.record) + "]";
    }
    return text;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines;
    for (std::string_view line : ChainLines(text)) lines.emplace_back(line);
    return lines;
}
std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

// Each edit of a data file (a header and records 1 … 6, lines 1 … 7) is
// caught as what it is, at its place, and fails the check.
TEST(RecordChain, EveryTamperingIsCaughtWithItsOwnWords) {
    const struct {
        const char* name;
        std::function<void(std::vector<std::string>&)> edit;
        K kind;
        std::size_t line;
    } cases[] = {
        {"one digit", [](auto& l) { l[3][20] = '9'; }, K::Changed, 4},
        {"inserted", [](auto& l) { l.insert(l.begin() + 3, "07.12.2026 10:02:30\t1.9\t\r\n"); }, K::Inserted, 4},
        {"duplicated", [](auto& l) { l.insert(l.begin() + 3, l[2]); }, K::Duplicated, 4},
        {"swapped", [](auto& l) { std::swap(l[2], l[3]); }, K::Moved, 3},
        {"invented an interval later", [](auto& l) { l.push_back("07.12.2026 10:07:00\t1.57\t\r\n"); }, K::Inserted, 8},
        {"first deleted", [](auto& l) { l.erase(l.begin() + 1); }, K::Missing, 2},
        {"last deleted", [](auto& l) { l.pop_back(); }, K::Truncated, 6},
        {"moved", [](auto& l) { l.insert(l.begin() + 6, l[2]); l.erase(l.begin() + 2); }, K::Moved, 6},
    };
    for (const auto& c : cases) {
        Written w;
        w.Honest(6);
        std::vector<std::string> lines = Split(ReadFile(w.file));
        c.edit(lines);
        WriteFile(w.file, Join(lines));
        const ChainCheck check = w.Check();
        EXPECT_FALSE(check.ok) << c.name;
        bool found = false;
        for (const ChainFinding& f : check.findings) found = found || (f.kind == c.kind && f.line == c.line && !f.ok);
        EXPECT_TRUE(found) << c.name << ": " << Described(check);
    }
}

TEST(RecordChain, EditedChainIsBroken) {
    Written w;
    w.Honest(3);
    std::string chain = ReadFile(ChainPath(w.file));
    chain.replace(chain.find("10:02:00"), 8, "10:02:01");
    WriteFile(ChainPath(w.file), chain);
    EXPECT_FALSE(w.Check().ok);
    EXPECT_EQ(Kinds(w.Check()).front(), K::ChainBroken);
}

// Honest files pass, what the station explained shown.
TEST(RecordChain, HonestFilesPassWithTheirGapsExplained) {
    const struct {
        const char* name;
        std::function<void(Written&)> write;
        std::vector<K> kinds;
    } cases[] = {
        {"plain", [](Written& w) { w.Honest(4); }, {}},
        {"skipped records",
         [](Written& w) {
             w.Honest(3, false);
             w.minute = 4;
             w.chain->Event(chain_event::kSkipped, "stale: Pb");
             w.minute = 6;
             w.chain->Event(chain_event::kResumed, "2");
             w.Write(w.Record(6));
             w.chain->Event(chain_event::kClosed);
         },
         {K::ExplainedGap}},
        {"restart on the same file",
         [](Written& w) {
             w.Honest(3);
             w.chain.reset();
             w.minute = 9;
             w.Open();
             w.Write(w.Record(9));
             w.chain->Event(chain_event::kClosed);
         },
         {K::ExplainedGap}},
        {"stopped between a record and its chain line",
         [](Written& w) {
             w.Honest(3, false);
             std::ofstream(w.file, std::ios::binary | std::ios::app) << w.Record(4);
         },
         {K::Unconfirmed, K::NotClosed}},
        {"the same, then restarted",
         [](Written& w) {
             w.Honest(3, false);
             std::ofstream(w.file, std::ios::binary | std::ios::app) << w.Record(4);
             w.minute = 5;
             w.Open();
             w.Write(w.Record(5));
             w.chain->Event(chain_event::kClosed);
         },
         {K::FoundAtReopening, K::ExplainedGap}},
        {"its chain line torn by the stop, then restarted",
         [](Written& w) {
             w.Honest(3, false);
             std::ofstream(w.file, std::ios::binary | std::ios::app) << w.Record(4);
             std::ofstream(ChainPath(w.file), std::ios::binary | std::ios::app) << "R\t5\t2026-12-07T1";
             w.minute = 5;
             w.Open();
             w.Write(w.Record(5));
             w.chain->Event(chain_event::kClosed);
         },
         {K::FoundAtReopening, K::ExplainedGap}},
        {"a file older than its chain",
         [](Written& w) {
             WriteFile(w.file, "Data i czas\tT (°C)\t\r\n" + w.Record(1));
             w.minute = 2;
             w.Open();
             w.Write(w.Record(2));
             w.chain->Event(chain_event::kClosed);
         },
         {K::FoundAtReopening}},
    };
    for (const auto& c : cases) {
        Written w;
        c.write(w);
        const ChainCheck check = w.Check();
        EXPECT_TRUE(check.ok) << c.name;
        EXPECT_EQ(Kinds(check), c.kinds) << c.name;
    }
}

TEST(RecordChain, GapNobodyExplainedFails) {
    Written w;
    w.Honest(2, false);
    w.minute = 5;
    w.Write(w.Record(5));
    EXPECT_FALSE(w.Check().ok);
    EXPECT_EQ(Kinds(w.Check()), (std::vector<K>{K::UnexplainedGap, K::NotClosed}));
}

// The chain and the manifest, files the station creates beside a data file,
// refuse a link planted in their place and get the data files' mode.
TEST(RecordChain, OwnFilesRefuseAPlantedLinkAndTakeTheDataFilesMode) {
    const RecordChain::Now now = [] { return std::string("2026-12-07T10:00:00+01:00"); };
    const struct {
        const char* name;
        std::function<std::string(const std::string&)> beside;
        std::function<bool(const std::string&)> write;
    } cases[] = {
        {"chain", [](const std::string& f) { return ChainPath(f); },
         [&](const std::string& f) { return RecordChain::Open(f, now) != nullptr; }},
        {"manifest", [](const std::string& f) { return ManifestPath(f).string(); },
         [](const std::string& f) { return ReplaceOwnFile(ManifestPath(f), "{}\n"); }},
    };
    const mode_t before = ::umask(002);
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string file = folder.File("data.txt");
        const std::string victim = folder.File("victim");
        WriteFile(victim, "keep");
        std::filesystem::create_symlink(victim, c.beside(file));
        EXPECT_FALSE(c.write(file)) << c.name;
        EXPECT_EQ(ReadFile(victim), "keep") << c.name;
        std::filesystem::remove(c.beside(file));
        ASSERT_TRUE(c.write(file)) << c.name;
        struct stat status {};
        ASSERT_EQ(::stat(c.beside(file).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0644u) << c.name;
    }
    ::umask(before);
}

TEST(RecordChain, IsoSeconds) {
    EXPECT_EQ(IsoSeconds("1970-01-01T01:00:00+01:00"), 0);
    EXPECT_EQ(IsoSeconds("2026-12-07T22:09:34-00:30").value() - IsoSeconds("2026-12-07T22:09:34+00:00").value(), 1800);
    EXPECT_FALSE(IsoSeconds("2026-12-07 22:09:34"));
}

}  // namespace
}  // namespace wegator::lab
