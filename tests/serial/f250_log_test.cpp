// The F-250 dialogue log: stamps, commands and bounded size.
#include "serial/f250_log.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "serial_test_support.h"

namespace wegator {
namespace {

namespace fs = std::filesystem;

class F250LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    // 2024-05-17 14:03:09 UTC, then as the test moves it.
    std::time_t now_ = 1715954589;
    F250Log::Clock Clock() {
        return [this] { return now_; };
    }
    test::TempFolder folder_;
    fs::path File() const { return folder_.Path() / "logs" / "F250.txt"; }
};

TEST_F(F250LogTest, BytesShareTheStampOfTheirSecondAndCommandsStandAlone) {
    {
        F250Log log(File(), F250Log::Start::NewRun, F250Log::kRotateBytes, Clock());
        ASSERT_TRUE(log.IsOpen());
        log.Received('A');
        log.Received('\r');
        now_ += 1;
        log.Received('\n');
        log.Sent("A1\r\n");
        log.Received('B');  // same second as the command, yet a line of its own
        log.Received('\\');
        log.Received(0x1B);
        log.Received(0x9B);
    }
    // CR, LF, the backslash and every byte a terminal could act on escaped: one
    // line per stamp, read back unambiguously, shown in a terminal harmlessly.
    EXPECT_EQ(lab::testing::ReadFile(File()),
              "\n2024.05.17 14:03:09   A0x41 \\r0x0d "
              "\n2024.05.17 14:03:10   \\n0x0a "
              "\n2024.05.17 14:03:10   A1\\r\\n"
              "\n2024.05.17 14:03:10   B0x42 \\\\0x5c \\x1b0x1b \\x9b0x9b ");
}

TEST_F(F250LogTest, ANewRunKeepsThePreviousLogAndARotationBoundsTheFile) {
    fs::create_directories(File().parent_path());
    std::ofstream(File()) << "previous run";
    constexpr std::uintmax_t kLimit = 100;
    {
        F250Log log(File(), F250Log::Start::NewRun, kLimit, Clock());
        EXPECT_EQ(lab::testing::ReadFile(File().string() + ".1"), "previous run");
        for (int i = 0; i < 15; ++i) log.Received('x');
        log.Flush();
        // Past the limit the log moved aside and went on in a new file that
        // starts with a stamp; neither file exceeds the limit.
        const std::string rotated = lab::testing::ReadFile(File().string() + ".1");
        const std::string current = lab::testing::ReadFile(File());
        EXPECT_LE(rotated.size(), kLimit);
        EXPECT_LE(current.size(), kLimit);
        EXPECT_EQ(current.rfind("\n2024.05.17 14:03:09   x0x78 ", 0), 0u) << current;
        EXPECT_EQ(rotated.size() + current.size(), 2 * 23 + 15 * 6);  // two stamps, nothing lost
    }
    // A thermometer reopened in the same run continues the file.
    const std::string before = lab::testing::ReadFile(File());
    {
        F250Log log(File(), F250Log::Start::Continue, kLimit, Clock());
        log.Sent("A4\n");
    }
    EXPECT_EQ(lab::testing::ReadFile(File()), before + "\n2024.05.17 14:03:09   A4\\n");
}

TEST_F(F250LogTest, AnUncreatableLogIsNoLog) {
    std::ofstream(folder_.Path() / "file") << "";
    F250Log log(folder_.Path() / "file" / "F250.txt", F250Log::Start::NewRun);
    EXPECT_FALSE(log.IsOpen());
    log.Received('A');  // does nothing, harms nothing
    log.Sent("A0\n");
}

}  // namespace
}  // namespace wegator
