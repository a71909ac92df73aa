// An adapter pulled out and plugged in again: ports/COM1 is re-pointed from a pty whose
// far end is gone to a new one. The next attempt after the port failed opens COM1
// again; while nothing is behind the name the user is told to check the adapter.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "delaying_drive.h"
#include "recording_sink.h"
#include "transactions.h"

namespace telvor {
namespace {

namespace fs = std::filesystem;
using testing::DelayingDrive;

struct ReplugRig {
    ReplugRig() {
        fs::create_directories(folder / "ports");
        Plug();
        port.SetProgramFolder(folder);
    }
    ~ReplugRig() {
        port.Close();
        drive.reset();
        fs::remove_all(folder);
    }
    void Plug() {
        drive = std::make_unique<DelayingDrive>();
        PointTo(drive->Path());
    }
    // The device behind the name is gone.
    void Unplug() {
        drive.reset();
        PointTo(folder / "unplugged");
    }
    void PointTo(const fs::path& device) {
        fs::remove(link);
        fs::create_symlink(device, link);
    }

    fs::path folder = fs::temp_directory_path() / ("telvor-replug-" + std::to_string(getpid()));
    fs::path link = folder / "ports" / "COM1";
    std::unique_ptr<DelayingDrive> drive;
    testing::RecordingSink sink;
    CModbusAscii port{&sink};
};

TEST(Replug, TheNextAttemptAfterAPortFailureOpensThePortAgainByItsName) {
    ReplugRig rig;
    ASSERT_EQ(rig.port.Open("COM1", kLinkQueueSize, kLinkQueueSize), 0);
    ASSERT_EQ(rig.port.Setup(9600, 8, 0, 0), 0);
    ASSERT_TRUE(ReadSoftwareVersion(rig.port, 1).Ok());

    rig.Unplug();
    rig.Plug();
    const TransactionReply version = ReadSoftwareVersion(rig.port, 1);
    EXPECT_TRUE(version.Ok());
    EXPECT_EQ(version.exchanges, 2) << "the first attempt finds the old port gone";
    EXPECT_EQ(rig.port.GetBaudRate(), 9600) << "the line format comes back with the port";
    EXPECT_FALSE(rig.port.PortFailed());

    rig.Unplug();
    for (int transaction = 1; transaction <= 2; ++transaction) {
        const TransactionReply lost = ReadCapacityCode(rig.port, 1);
        EXPECT_EQ(lost.result, ExchangeResult::ReplyTimeout);
        EXPECT_LE(lost.exchanges, 1) << "no attempts on a port that is not there";
        ASSERT_FALSE(rig.sink.messages.empty());
        EXPECT_EQ(rig.sink.messages.back().text, kReopenFailedMessage);
    }
    rig.sink.messages.clear();

    rig.Plug();
    EXPECT_EQ(ReadCapacityCode(rig.port, 1).values, std::vector<std::uint16_t>{8});
    EXPECT_TRUE(ReadSoftwareVersion(rig.port, 1).Ok());
    EXPECT_TRUE(rig.sink.messages.empty());
}

TEST(Replug, ClosingAPortThatCouldNotBeOpenedAgainIsQuiet) {
    ReplugRig rig;
    ASSERT_EQ(rig.port.Open("COM1", kLinkQueueSize, kLinkQueueSize), 0);
    rig.Unplug();
    ReadSoftwareVersion(rig.port, 1);
    rig.sink.messages.clear();
    rig.port.CloseLine();
    EXPECT_TRUE(rig.sink.messages.empty());
    EXPECT_FALSE(rig.port.PortFailed());
    rig.Plug();
    EXPECT_FALSE(ReadSoftwareVersion(rig.port, 1).Ok());
    EXPECT_FALSE(rig.port.IsOpen()) << "a port the user closed stays closed";
}

}  // namespace
}  // namespace telvor
