// The serial channel on pseudo-terminals: the test writes as the instrument
// on the master side and reads what the channel sends.
#include "serial/serial_channel.h"

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lab/lines/port_names.h"
#include "serial_test_support.h"

namespace wegator {
namespace {

namespace fs = std::filesystem;
using test::PtyPair;
using test::SendProcessingEvents;
using test::TempFolder;
using test::WaitFor;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Every byte the channel delivered, with its arrival time.
struct Collected {
    std::string bytes;
    std::vector<std::int64_t> times;
    void Attach(SerialChannel& channel) {
        channel.SetByteHandler([this](std::uint8_t byte, std::int64_t arrival) {
            bytes.push_back(static_cast<char>(byte));
            times.push_back(arrival);
        });
    }
};

TEST(SerialChannelTest, TenThousandBytesArriveInOrderWithTheirTimes) {
    PtyPair pty;
    ASSERT_TRUE(pty.IsOpen());
    SerialChannel channel(lab::Stream::Dp30, fs::path());
    Collected got;
    got.Attach(channel);
    ASSERT_TRUE(channel.Open(Q(pty.Device()))) << channel.ErrorText().toStdString();
    EXPECT_EQ(channel.Device(), Q(pty.Device()));

    std::string sent;
    for (int i = 0; i < 10000; ++i) sent.push_back(static_cast<char>((i * 7 + i / 256) % 256));  // every byte value
    const std::int64_t before = MonotonicMs();
    ASSERT_TRUE(SendProcessingEvents(pty, sent));
    ASSERT_TRUE(WaitFor([&] { return got.bytes.size() >= sent.size(); }));
    const std::int64_t after = MonotonicMs();
    EXPECT_EQ(got.bytes, sent);
    EXPECT_TRUE(std::is_sorted(got.times.begin(), got.times.end()));
    EXPECT_GE(got.times.front(), before);
    EXPECT_LE(got.times.back(), after);
}

// A pseudo-terminal refuses 7 data bits; the QX line opens all the same and
// hands over the seven data bits of each byte.
TEST(SerialChannelTest, QxBytesArriveAsSevenBits) {
    PtyPair pty;
    SerialChannel channel(lab::Stream::Qx316, fs::path());
    Collected got;
    got.Attach(channel);
    ASSERT_TRUE(channel.Open(Q(pty.Device()))) << channel.ErrorText().toStdString();
    ASSERT_TRUE(SendProcessingEvents(pty, "\xC1\x30\x8D"));
    ASSERT_TRUE(WaitFor([&] { return got.bytes.size() >= 3; }));
    EXPECT_EQ(got.bytes, "\x41\x30\x0D");
}

TEST(SerialChannelTest, NothingIsDeliveredAfterClose) {
    PtyPair pty;
    SerialChannel channel(lab::Stream::Dp30, fs::path());
    std::string got;
    // The owner closes the channel while handling the first byte; the rest of
    // the same burst is not delivered.
    channel.SetByteHandler([&](std::uint8_t byte, std::int64_t) {
        got.push_back(static_cast<char>(byte));
        channel.Close();
    });
    ASSERT_TRUE(channel.Open(Q(pty.Device())));
    ASSERT_TRUE(SendProcessingEvents(pty, "xyz"));
    ASSERT_TRUE(WaitFor([&] { return !got.empty(); }));
    QTest::qWait(100);
    EXPECT_EQ(got, "x");
    EXPECT_FALSE(channel.IsOpen());

    // Bytes that arrived but were not yet handed over are not handed over after Close().
    ASSERT_TRUE(channel.Open(Q(pty.Device())));
    got.clear();
    channel.SetByteHandler([&](std::uint8_t byte, std::int64_t) { got.push_back(static_cast<char>(byte)); });
    ASSERT_TRUE(SendProcessingEvents(pty, "late"));
    channel.Close();
    QTest::qWait(100);
    EXPECT_EQ(got, "");
}

TEST(SerialChannelTest, AVanishedPortIsReportedOnceAndCanBeReopened) {
    TempFolder folder;
    ::setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    fs::create_directories(lab::PortLinkFolder());
    auto pointLink = [](const std::string& device) {
        const fs::path temporary = lab::PortLinkPath(9).string() + ".new";
        fs::create_symlink(device, temporary);
        fs::rename(temporary, lab::PortLinkPath(9));
    };

    // Every instrument's line, whatever its speed and framing, is lost and
    // found again the same way.
    for (const lab::Stream stream : lab::kAllStreams) {
        SCOPED_TRACE(std::string(lab::StreamName(stream)));
        auto first = std::make_unique<PtyPair>();
        pointLink(first->Device());
        SerialChannel channel(stream, fs::path());
        Collected got;
        got.Attach(channel);
        std::vector<QString> losses;
        channel.SetLossHandler([&](const QString& reason) { losses.push_back(reason); });
        ASSERT_TRUE(channel.Open(QStringLiteral("COM9"))) << channel.ErrorText().toStdString();
        ASSERT_TRUE(SendProcessingEvents(*first, "R1"));
        ASSERT_TRUE(WaitFor([&] { return got.bytes == "R1"; }));

        first->CloseMaster();
        ASSERT_TRUE(WaitFor([&] { return !losses.empty(); }));
        QTest::qWait(100);
        ASSERT_EQ(losses.size(), 1u);
        EXPECT_FALSE(channel.IsOpen());
        EXPECT_TRUE(losses.front().startsWith(QStringLiteral("COM9 (") + Q(first->Device()) +
                                              QStringLiteral("): port lost: ")))
            << losses.front().toStdString();

        // The instrument comes back on another pseudo-terminal behind the same name.
        PtyPair second;
        pointLink(second.Device());
        ASSERT_TRUE(channel.Open(QStringLiteral("COM9"))) << channel.ErrorText().toStdString();
        EXPECT_EQ(channel.Device(), Q(second.Device()));
        ASSERT_TRUE(SendProcessingEvents(second, "R2"));
        ASSERT_TRUE(WaitFor([&] { return got.bytes.size() >= 4; }));
        EXPECT_EQ(got.bytes, "R1R2");
        EXPECT_EQ(losses.size(), 1u);
        channel.Close();
    }
}

TEST(SerialChannelTest, RefusedOpensLeaveNothingOpen) {
    TempFolder folder;
    ::setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    SerialChannel missing(lab::Stream::Qx316, fs::path());
    EXPECT_FALSE(missing.Open(Q((folder.Path() / "no-such-device").string())));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(missing.ErrorText().contains(QStringLiteral("no-such-device"))) << missing.ErrorText().toStdString();
    EXPECT_FALSE(missing.Open(QStringLiteral("COM150")));
    EXPECT_TRUE(missing.ErrorText().contains(QStringLiteral("COM150"))) << missing.ErrorText().toStdString();

    // A port is opened exclusively.
    PtyPair pty;
    SerialChannel owner(lab::Stream::Dp30, fs::path());
    ASSERT_TRUE(owner.Open(Q(pty.Device())));
    SerialChannel intruder(lab::Stream::Dp30, fs::path());
    EXPECT_FALSE(intruder.Open(Q(pty.Device())));
    EXPECT_FALSE(intruder.IsOpen());
    EXPECT_TRUE(owner.IsOpen());
}

// A command asked for while a line is handled goes out after the bytes
// already received; the purge before it is announced; both sides are logged.
TEST(SerialChannelTest, F250CommandFollowsTheReceivedBytes) {
    TempFolder folder;
    const fs::path log = folder.Path() / "F250.txt";
    PtyPair pty;
    auto channel = std::make_unique<SerialChannel>(lab::Stream::F250, log);
    std::vector<std::string> events;
    channel->SetByteHandler([&](std::uint8_t byte, std::int64_t) {
        events.emplace_back(1, static_cast<char>(byte));
        if (byte == '\r') channel->SendCommand(lab::F250Command::Unit0);
    });
    channel->SetPurgeHandler([&] { events.emplace_back("purge"); });
    ASSERT_TRUE(channel->Open(Q(pty.Device())));
    ASSERT_TRUE(SendProcessingEvents(pty, "12\r34"));
    std::string atPeer;
    ASSERT_TRUE(WaitFor([&] {
        atPeer += pty.Received();
        return atPeer.size() >= 3;
    }));
    EXPECT_EQ(atPeer, "U0\n");
    EXPECT_EQ(events, (std::vector<std::string>{"1", "2", "\r", "3", "4", "purge"}));

    // "A4" at the end: written, then the channel closes by itself.
    bool closed = false;
    channel->StopAndClose([&] { closed = true; });
    ASSERT_TRUE(WaitFor([&] { return closed; }));
    EXPECT_FALSE(channel->IsOpen());
    EXPECT_EQ(pty.Received(), "A4\n");
    channel.reset();

    const std::string text = lab::testing::ReadFile(log);
    EXPECT_NE(text.find("10x31 20x32 \\r0x0d 30x33 40x34 \n"), std::string::npos) << text;
    EXPECT_NE(text.find("   U0\\n\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   A4\\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace wegator
