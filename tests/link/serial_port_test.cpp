// CSerialPort on real ptys: exclusive open, error codes, its messages and the read time-outs.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "child_process.h"
#include "pty_pair.h"
#include "recording_sink.h"
#include "serial_port.h"
#include "termios_line.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using testing::PtyPair;
using testing::RecordingSink;
using Clock = std::chrono::steady_clock;

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(line.Ok()); }
    PtyPair line;
    RecordingSink sink;
    CSerialPort port{&sink};
};

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

TEST_F(SerialPortTest, OpensExclusivelyAndRefusesASecondOpen) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.PortName(), line.SlavePath());

    EXPECT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), kErrorAlreadyInitialized);
    EXPECT_EQ(port.LastError(), kErrorAlreadyInitialized);
    EXPECT_TRUE(port.IsOpen());

    CSerialPort other{&sink};
    EXPECT_EQ(other.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), kErrorAccessDenied);
    EXPECT_FALSE(other.IsOpen());
    EXPECT_FALSE(other.LastErrorText().empty());

    // The first port still works after both refusals.
    EXPECT_EQ(port.Write(":01080000A5371B\r\n"), 0);
    EXPECT_EQ(line.Receive(), ":01080000A5371B\r\n");
    EXPECT_TRUE(sink.messages.empty());

    EXPECT_EQ(port.Close(), 0);
    EXPECT_EQ(other.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0) << "a closed port is free again";
}

TEST_F(SerialPortTest, OperationsOnAClosedPortGiveTheirCodesAndMessages) {
    EXPECT_EQ(port.Close(), 0);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, kApplicationTitle);
    EXPECT_EQ(sink.messages[0].text, "method called when device is not open!");

    char buffer[80];
    std::size_t count = 99;
    EXPECT_EQ(port.Read(buffer, sizeof buffer, &count), kErrorInvalidHandle);
    EXPECT_EQ(count, 0u);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[1].text, "Device is not opened!");

    EXPECT_EQ(port.Write("x"), kErrorInvalidHandle);
    EXPECT_EQ(port.Setup(9600, 8, 0, 0), kErrorInvalidHandle);
    EXPECT_EQ(port.SetupHandshaking(2), kErrorInvalidHandle);
    EXPECT_EQ(port.SetupReadTimeouts(0), kErrorInvalidHandle);
    EXPECT_EQ(port.GetBaudRate(), -1);
    EXPECT_EQ(sink.messages.size(), 2u) << "only Close and Read show a message";
}

TEST_F(SerialPortTest, OpenFailuresKeepThePortClosedWithAStableCodeAndTheSystemsText) {
    EXPECT_EQ(port.Open("/nonexistent/ttyUSB9", kLinkQueueSize, kLinkQueueSize), kErrorFileNotFound);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_NE(port.LastErrorText().find("No such file"), std::string::npos) << port.LastErrorText();

    testing::TempDir dir;
    std::ofstream(dir.File("plain")) << "not a terminal";
    EXPECT_EQ(port.Open(dir.File("plain"), kLinkQueueSize, kLinkQueueSize), kErrorNotSupported);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(SerialPortTest, ASilentLineEndsTheReadAfterAboutFourHundredMilliseconds) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    char buffer[80];
    std::size_t count = 99;
    const auto start = Clock::now();
    EXPECT_EQ(port.Read(buffer, sizeof buffer, &count), 0);
    const double elapsed = MillisecondsSince(start);
    EXPECT_EQ(count, 0u);
    EXPECT_GE(elapsed, 300);
    EXPECT_LE(elapsed, 900);
}

TEST_F(SerialPortTest, AReadEndsOnItsLastByteAndLeavesTheRest) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    std::thread far([&] {
        line.Send(":010300");
        std::this_thread::sleep_for(20ms);
        line.Send("000001FB\r\nNEXT");
    });
    char buffer[80] = {};
    std::size_t count = 0;
    EXPECT_EQ(port.Read(buffer, 17, &count), 0);
    far.join();
    EXPECT_EQ(count, 17u);
    EXPECT_EQ(std::string(buffer, count), ":010300000001FB\r\n");
    EXPECT_EQ(port.Read(buffer, sizeof buffer, &count), 0);
    EXPECT_EQ(std::string(buffer, count), "NEXT");
}

TEST_F(SerialPortTest, APauseShorterThanTheGapKeepsTheReplyWhole) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    std::thread far([&] {
        line.Send(":0103020");
        std::this_thread::sleep_for(30ms);
        line.Send("00CEE\r\n");
    });
    char buffer[80] = {};
    std::size_t count = 0;
    EXPECT_EQ(port.Read(buffer, sizeof buffer, &count), 0);
    far.join();
    EXPECT_EQ(std::string(buffer, count), ":010302000CEE\r\n");
}

TEST_F(SerialPortTest, APauseLongerThanTheGapEndsTheRead) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    std::thread far([&] {
        line.Send(":0103020");
        // Well past the 50 ms gap, with room for a busy machine.
        std::this_thread::sleep_for(80ms);
        line.Send("00CEE\r\n");
    });
    char buffer[80] = {};
    std::size_t count = 0;
    EXPECT_EQ(port.Read(buffer, sizeof buffer, &count), 0);
    far.join();
    EXPECT_EQ(std::string(buffer, count), ":0103020");
    EXPECT_EQ(port.Read(buffer, sizeof buffer, &count), 0);
    EXPECT_EQ(std::string(buffer, count), "00CEE\r\n");
}

TEST_F(SerialPortTest, ReadTimeoutsModeOneWaitsForTheWholeCountAndOtherModesAreRefused) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    EXPECT_EQ(port.SetupReadTimeouts(5), kErrorInvalidArgument);
    EXPECT_EQ(port.SetupReadTimeouts(-1), kErrorInvalidArgument);
    EXPECT_EQ(port.SetupReadTimeouts(1), 0);
    std::thread far([&] {
        line.Send("AB");
        std::this_thread::sleep_for(600ms);
        line.Send("CDE");
    });
    char buffer[80] = {};
    std::size_t count = 0;
    EXPECT_EQ(port.Read(buffer, 5, &count), 0);
    far.join();
    EXPECT_EQ(std::string(buffer, count), "ABCDE");
}

TEST_F(SerialPortTest, SetupSetsTheLineFormatAndRefusesOthers) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    struct Format {
        int baud, dataBits, parity, stopBits;
    };
    const auto expectFormat = [&](const Format& f) {
        EXPECT_EQ(port.GetBaudRate(), f.baud);
        EXPECT_EQ(port.GetDataBits(), f.dataBits);
        EXPECT_EQ(port.GetParity(), f.parity);
        EXPECT_EQ(port.GetStopBits(), f.stopBits);
    };
    for (const Format f : {Format{9600, 8, 0, 0}, Format{19200, 8, 0, 2}, Format{4800, 8, 0, 0}, Format{38400, 8, 0, 2}}) {
        ASSERT_EQ(port.Setup(f.baud, f.dataBits, f.parity, f.stopBits), 0) << f.baud << " " << port.LastErrorText();
        expectFormat(f);
    }
    // Some kernels keep a pty at 8 bits without parity: the format is then refused
    // as a real port refuses one it cannot do, and the line stays as it was.
    for (const Format f : {Format{9600, 7, 2, 0}, Format{19200, 8, 1, 2}, Format{38400, 7, 0, 0}}) {
        const std::int32_t result = port.Setup(f.baud, f.dataBits, f.parity, f.stopBits);
        termios now{};
        ASSERT_EQ(tcgetattr(port.Handle(), &now), 0);
        if (result == 0) {
            expectFormat(f);
            EXPECT_EQ((now.c_iflag & (INPCK | PARMRK)) != 0, f.parity != 0) << "parity is checked with the line";
        } else {
            EXPECT_EQ(result, kErrorInvalidParameter);
            EXPECT_EQ(port.GetDataBits(), 8);
            EXPECT_EQ(now.c_iflag & (INPCK | PARMRK), 0u);
        }
    }
    ASSERT_EQ(port.Setup(4800, 8, 0, 0), 0);
    EXPECT_EQ(port.Setup(12345, 8, 0, 0), kErrorInvalidParameter);
    EXPECT_EQ(port.Setup(9600, 6, 0, 0), kErrorInvalidParameter);
    EXPECT_EQ(port.Setup(9600, 8, 3, 0), kErrorInvalidParameter);
    EXPECT_EQ(port.Setup(9600, 8, 0, 1), kErrorInvalidParameter);
    EXPECT_EQ(port.GetBaudRate(), 4800) << "a refused format changes nothing";
}

// With parity a byte that fails the check is marked, never dropped or passed as if good.
TEST(InputFlagsForParity, ChecksAndMarksParityOnlyWhenTheLineHasIt) {
    const tcflag_t everything = INPCK | PARMRK | IGNPAR | ISTRIP | IXON;
    EXPECT_EQ(InputFlagsForParity(0, true), static_cast<tcflag_t>(INPCK | PARMRK));
    EXPECT_EQ(InputFlagsForParity(everything, true), static_cast<tcflag_t>(INPCK | PARMRK | IXON));
    EXPECT_EQ(InputFlagsForParity(everything, false), static_cast<tcflag_t>(IGNPAR | ISTRIP | IXON));
}

TEST_F(SerialPortTest, HandshakingModesAreKeptAndOthersLeaveTheLineAlone) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    EXPECT_EQ(port.GetHandshaking(), 2) << "Open sets mode 2";
    EXPECT_EQ(port.SetupHandshaking(1), 0);
    EXPECT_EQ(port.GetHandshaking(), 1);
    EXPECT_EQ(port.SetupHandshaking(7), 0);
    EXPECT_EQ(port.GetHandshaking(), 1);
    EXPECT_EQ(port.SetupHandshaking(0), 0);
    EXPECT_EQ(port.GetHandshaking(), 0);
}

TEST_F(SerialPortTest, CloseRestoresTheLineSettingsFoundAtOpen) {
    const int probe = open(line.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(probe, 0);
    termios cooked{};
    ASSERT_EQ(tcgetattr(probe, &cooked), 0);
    cooked.c_lflag |= ICANON | ECHO;
    cfsetospeed(&cooked, B9600);
    ASSERT_EQ(tcsetattr(probe, TCSANOW, &cooked), 0);

    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    termios during{};
    ASSERT_EQ(tcgetattr(probe, &during), 0);
    EXPECT_EQ(during.c_lflag & (ICANON | ECHO), 0u) << "the port works in raw mode";
    ASSERT_EQ(port.Setup(38400, 8, 0, 0), 0);
    ASSERT_EQ(port.Close(), 0);

    termios after{};
    ASSERT_EQ(tcgetattr(probe, &after), 0);
    EXPECT_EQ(after.c_lflag & (ICANON | ECHO), static_cast<tcflag_t>(ICANON | ECHO));
    EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B9600));
    close(probe);
}

TEST_F(SerialPortTest, DiscardInputThrowsAwayWhatWasNotRead) {
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    line.Send("stale reply\r\n");
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(port.DiscardInput(), 0);
    line.Send("fresh");
    char buffer[80] = {};
    std::size_t count = 0;
    EXPECT_EQ(port.Read(buffer, sizeof buffer, &count), 0);
    EXPECT_EQ(std::string(buffer, count), "fresh");
}

TEST(DevicePathOfPort, FindsComPortsInTheProgramFolderFirst) {
    testing::TempDir folder;
    std::filesystem::create_directories(folder.File("ports"));
    std::filesystem::create_symlink("/dev/null", folder.File("ports/COM3"));
    std::filesystem::create_symlink("/nonexistent", folder.File("ports/COM4"));
    EXPECT_EQ(DevicePathOfPort("COM3", folder.Path()), folder.File("ports/COM3"));
    EXPECT_EQ(DevicePathOfPort("COM4", folder.Path()), folder.File("ports/COM4")) << "a dangling link still names the port";
    EXPECT_EQ(DevicePathOfPort("COM5", folder.Path()), "/dev/ttyS4");
    EXPECT_EQ(DevicePathOfPort("COM1", ""), "/dev/ttyS0");
    EXPECT_EQ(DevicePathOfPort("COM12", ""), "/dev/ttyS11");
    EXPECT_EQ(DevicePathOfPort("/tmp/line", folder.Path()), "/tmp/line");
    EXPECT_EQ(DevicePathOfPort("COM0", ""), "COM0");
    EXPECT_EQ(DevicePathOfPort("COMX", ""), "COMX");
}

TEST(DevicePathOfPort, AComPortFileHoldsANetworkAddress) {
    testing::TempDir folder;
    std::filesystem::create_directories(folder.File("ports"));
    const auto write = [&](const char* name, const char* text) { std::ofstream(folder.File(name)) << text; };
    write("ports/COM7", "  tcp://10.0.0.5:4001 \n");
    write("ports/COM8", "rfc2217://[::1]:2001\r\nsecond line\n");
    write("ports/COM9", "telnet://10.0.0.5:23\n");
    std::filesystem::create_symlink("/nonexistent", folder.File("ports/COM10"));
    EXPECT_EQ(DevicePathOfPort("COM7", folder.Path()), "tcp://10.0.0.5:4001");
    EXPECT_EQ(DevicePathOfPort("COM8", folder.Path()), "rfc2217://[::1]:2001");
    EXPECT_EQ(DevicePathOfPort("COM9", folder.Path()), folder.File("ports/COM9")) << "no address: the file itself";
    EXPECT_EQ(DevicePathOfPort("tcp://host:1", folder.Path()), "tcp://host:1");

    const std::vector<PortEntry> ports = ProgramFolderPorts(folder.Path());
    ASSERT_EQ(ports.size(), 4u);
    EXPECT_EQ(ports[0].number, 7);
    EXPECT_EQ(ports[1].destination, "rfc2217://[::1]:2001");
    EXPECT_EQ(ports[2].problem, "no address in the file");
    EXPECT_EQ(ports[3].number, 10);
    EXPECT_EQ(ports[3].destination, "/nonexistent");
    EXPECT_EQ(ports[3].problem, "nothing there");
}

TEST(SerialPortByName, OpensAComPortThroughItsLinkInTheProgramFolder) {
    PtyPair line;
    ASSERT_TRUE(line.Ok());
    testing::TempDir folder;
    std::filesystem::create_directories(folder.File("ports"));
    std::filesystem::create_symlink(line.SlavePath(), folder.File("ports/COM7"));
    CSerialPort port;
    port.SetProgramFolder(folder.Path());
    ASSERT_EQ(port.Open("COM7", kLinkQueueSize, kLinkQueueSize), 0);
    EXPECT_EQ(port.PortName(), "COM7");
    EXPECT_EQ(port.Write(":01\r\n"), 0);
    EXPECT_EQ(line.Receive(), ":01\r\n");
}

}  // namespace
}  // namespace telvor
