// The port list offered by the settings: links of the user and fixed names.
#include "serial/port_list.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "lab/lines/port_names.h"
#include "serial_test_support.h"

namespace wegator {
namespace {

namespace fs = std::filesystem;

TEST(PortListTest, OneLinePerPortInNumberOrder) {
    EXPECT_EQ(PortListText(
                  {{3, "/dev/ttyS2", "16550A"}, {7, "/dev/pts/4", ""}, {34, "/dev/ttyUSB1", "FT232R USB UART: FTDI"}}),
              "COM3:/dev/ttyS2: 16550A\nCOM7:/dev/pts/4\nCOM34:/dev/ttyUSB1: FT232R USB UART: FTDI\n");
    EXPECT_EQ(PortListText({}), "");
}

TEST(PortListTest, LinksOfTheUserAreListedWhenTheirDeviceExists) {
    test::TempFolder folder;
    ::setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    fs::create_directories(lab::PortLinkFolder());
    test::PtyPair pty;
    fs::create_symlink(pty.Device(), lab::PortLinkPath(250));
    fs::create_symlink(folder.Path() / "gone", lab::PortLinkPath(12));  // nothing behind it
    fs::create_symlink(pty.Device(), lab::PortLinkFolder() / "COM07");  // not a port name
    fs::create_symlink(pty.Device(), lab::PortLinkFolder() / "printer");

    int count = -1;
    const QString text = ListSerialPorts(&count);
    const QString expected = QStringLiteral("COM250:") + QString::fromStdString(pty.Device()) + '\n';
    EXPECT_TRUE(text.endsWith(expected)) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("COM12:"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("COM07"))) << text.toStdString();
    EXPECT_EQ(count, text.count('\n'));
}

}  // namespace
}  // namespace wegator
