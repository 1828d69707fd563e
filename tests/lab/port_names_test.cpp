// COMn names, their links and the fixed devices behind them.
#include "lab/lines/port_names.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/user_folders.h"
#include "lab_test_support.h"

namespace wegator::lab {
namespace {

namespace fs = std::filesystem;

TEST(PortNamesTest, ComNamesFromOneTo256) {
    EXPECT_EQ(ParseComName("COM1"), 1);
    EXPECT_EQ(ParseComName("com7"), 7);
    EXPECT_EQ(ParseComName("COM256"), 256);
    for (const char* refused : {"COM0", "COM257", "COM07", "COM", "COM-1", "COM+1", "COM7x", "COM 7", "/dev/ttyS0",
                                "LPT1", "COM99999999999"}) {
        EXPECT_EQ(ParseComName(refused), std::nullopt) << refused;
    }
    for (int n = kFirstComPort; n <= kLastComPort; ++n) EXPECT_EQ(ParseComName(ComName(n)), n);
}

TEST(PortNamesTest, FixedDevicesAtTheFamilyEdges) {
    const struct {
        int number;
        const char* device;
    } edges[] = {{1, "/dev/ttyS0"},
                 {32, "/dev/ttyS31"},
                 {33, "/dev/ttyUSB0"},
                 {64, "/dev/ttyUSB31"},
                 {65, "/dev/ttyACM0"},
                 {96, "/dev/ttyACM31"},
                 {0, ""},
                 {97, ""}};
    for (const auto& edge : edges) EXPECT_EQ(FixedPortDevice(edge.number), fs::path(edge.device)) << edge.number;
    // Every fixed device leads back to its number, and nothing else does.
    for (int n = 1; n <= 96; ++n) EXPECT_EQ(FixedPortNumber(FixedPortDevice(n)), n);
    for (const char* other : {"/dev/ttyUSB32", "/dev/ttyUSB07", "/dev/ttyS", "/dev/ttyAMA0", "/dev/pts/3",
                              "/dev/ttyS1x", "ttyS1", "/dev/ttyACM100"}) {
        EXPECT_EQ(FixedPortNumber(other), std::nullopt) << other;
    }
}

// Each test has its own configuration and state folders.
class PortLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (folder_ / "state").c_str(), 1);
        fs::create_directories(PortLinkFolder());
    }
    testing::TempFolder temp_;
    const fs::path folder_ = temp_.Path();
};

TEST_F(PortLinkTest, FoldersFollowTheXdgVariables) {
    EXPECT_EQ(PortLinkFolder(), folder_ / "config" / "TREVAN" / "ports");
    EXPECT_EQ(PortLinkPath(7), folder_ / "config" / "TREVAN" / "ports" / "COM7");
    EXPECT_EQ(UserStateFolder(), folder_ / "state" / "TREVAN");
    ::setenv("XDG_STATE_HOME", "relative/state", 1);
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        EXPECT_EQ(UserStateFolder(), fs::path(home) / ".local" / "state" / "TREVAN");
    }
}

TEST_F(PortLinkTest, ALinkTakesOverTheFixedDevice) {
    const fs::path device = folder_ / "device";
    testing::WriteFile(device, "");
    fs::create_symlink(device, PortLinkPath(33));
    fs::create_symlink(PortLinkPath(33), PortLinkPath(200));  // a link to a link is followed to the end

    EXPECT_EQ(ResolvePort("COM33").device, fs::canonical(device));
    EXPECT_EQ(ResolvePort("com200").device, fs::canonical(device));
    EXPECT_EQ(ResolvePort("COM34").device, fs::path("/dev/ttyUSB1"));
    EXPECT_EQ(ResolvePort("/dev/ttyS4").device, fs::path("/dev/ttyS4"));

    // A link whose device is gone is an error, never the fixed device instead.
    fs::create_symlink(folder_ / "missing", PortLinkPath(1));
    const ResolvedPort dangling = ResolvePort("COM1");
    EXPECT_TRUE(dangling.device.empty());
    EXPECT_NE(dangling.error.find("COM1"), std::string::npos) << dangling.error;
    // Beyond COM96 only a link leads anywhere.
    const ResolvedPort unmapped = ResolvePort("COM97");
    EXPECT_TRUE(unmapped.device.empty());
    EXPECT_NE(unmapped.error.find(PortLinkPath(97).string()), std::string::npos) << unmapped.error;
    EXPECT_FALSE(ResolvePort("").error.empty());
}

}  // namespace
}  // namespace wegator::lab
