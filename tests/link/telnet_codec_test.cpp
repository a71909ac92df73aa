// The Telnet side of an RFC 2217 line: what goes out, and how the server's bytes are
// taken apart, byte for byte.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "line_address.h"
#include "telnet_codec.h"

namespace telvor {
namespace {

using namespace telnet;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) bytes += static_cast<char>(value);
    return bytes;
}

TEST(TelnetCodec, DataGoesOutWithEveryIacDoubled) {
    EXPECT_EQ(TelnetCodec::Escape(":0108000055AA\r\n"), ":0108000055AA\r\n");
    EXPECT_EQ(TelnetCodec::Escape(Bytes({1, 255, 2, 255, 255})), Bytes({1, 255, 255, 2, 255, 255, 255, 255}));
    EXPECT_EQ(TelnetCodec::Request(ComPortCommand::SetBaudRate, Bytes({0, 0, 0x25, 0x80})),
              Bytes({255, 250, 44, 1, 0, 0, 0x25, 0x80, 255, 240}));
    // A value byte of 255 is escaped inside the subnegotiation too.
    EXPECT_EQ(TelnetCodec::Request(ComPortCommand::SetBaudRate, Bytes({0, 0, 0, 255})),
              Bytes({255, 250, 44, 1, 0, 0, 0, 255, 255, 255, 240}));
}

struct ReceiveCase {
    const char* name;
    std::vector<std::string> chunks;  // as the connection hands them over
    std::string data;                 // the line's bytes that come out
    std::string answers;              // what the client sends back
};

TEST(TelnetCodec, TakesTheServersBytesApart) {
    const ReceiveCase cases[] = {
        {"plain data", {":01080000\r\n"}, ":01080000\r\n", ""},
        {"escaped 255, split between reads", {Bytes({'a', 255}), Bytes({255, 'b'})}, Bytes({'a', 255, 'b'}), ""},
        {"agreed options are not answered again",
         {Bytes({255, 253, 44, 255, 253, 0, 255, 251, 0})}, "", ""},
        {"suppress-go-ahead offered is taken", {Bytes({255, 251, 3})}, "", Bytes({255, 253, 3})},
        {"echo offered is refused once",
         {Bytes({255, 251, 1, 'x', 255, 251, 1})}, "x", Bytes({255, 254, 1})},
        {"an unknown option asked of us is refused once",
         {Bytes({255, 253, 24}), Bytes({255, 253, 24})}, "", Bytes({255, 252, 24})},
        {"a subnegotiation in the middle of data is no data",
         {Bytes({'A', 255, 250, 44, 101, 0, 0}), Bytes({0x25, 0x80, 255, 240, 'B'})}, "AB", ""},
        {"NOP and go-ahead are dropped", {Bytes({'1', 255, 241, '2', 255, 249, '3'})}, "123", ""},
    };
    for (const ReceiveCase& c : cases) {
        TelnetCodec codec;
        codec.Greeting();
        std::string data, answers;
        for (const std::string& chunk : c.chunks) codec.Receive(chunk, data, answers);
        EXPECT_EQ(data, c.data) << c.name;
        EXPECT_EQ(answers, c.answers) << c.name;
    }
}

TEST(TelnetCodec, ComPortOptionAgreementAndAnswers) {
    TelnetCodec codec;
    EXPECT_EQ(codec.Greeting(), Bytes({255, 251, 44, 255, 251, 0, 255, 253, 0}));
    EXPECT_EQ(codec.ComPort(), TelnetCodec::ComPortState::Pending);
    std::string data, answers;
    codec.Receive(Bytes({255, 253, 44}), data, answers);
    EXPECT_EQ(codec.ComPort(), TelnetCodec::ComPortState::Agreed);
    codec.Receive(Bytes({255, 250, 44, 101, 0, 0, 0x25, 0x80, 255, 240, 255, 250, 44, 103, 3, 255, 240}), data,
                  answers);
    EXPECT_EQ(codec.Answer(ComPortCommand::SetBaudRate), 9600u);
    EXPECT_EQ(codec.Answer(ComPortCommand::SetParity), 3u);
    EXPECT_FALSE(codec.Answer(ComPortCommand::SetDataSize));
    codec.ForgetAnswers();
    EXPECT_FALSE(codec.Answer(ComPortCommand::SetBaudRate));
    EXPECT_TRUE(data.empty() && answers.empty());

    TelnetCodec refused;
    refused.Greeting();
    refused.Receive(Bytes({255, 254, 44}), data, answers);
    EXPECT_EQ(refused.ComPort(), TelnetCodec::ComPortState::Refused);
}

TEST(LineAddress, NetworkAddressesAndDevices) {
    struct Case {
        const char* text;
        bool valid;
        LineKind kind;
        const char* host;
        const char* service;
    };
    const Case cases[] = {
        {"tcp://10.0.0.5:4001", true, LineKind::RawTcp, "10.0.0.5", "4001"},
        {"rfc2217://cabinet-3:2001", true, LineKind::Rfc2217, "cabinet-3", "2001"},
        {"tcp://[::1]:4001", true, LineKind::RawTcp, "::1", "4001"},
        {"/dev/ttyUSB0", true, LineKind::Device, "", ""},
        {"tcp://10.0.0.5", false, LineKind::Device, "", ""},
        {"tcp://10.0.0.5:0", false, LineKind::Device, "", ""},
        {"tcp://10.0.0.5:65536", false, LineKind::Device, "", ""},
        {"tcp://10.0.0.5:40x", false, LineKind::Device, "", ""},
        {"tcp://::1:4001", false, LineKind::Device, "", ""},
        {"tcp://:4001", false, LineKind::Device, "", ""},
        {"telnet://10.0.0.5:23", false, LineKind::Device, "", ""},
        {"", false, LineKind::Device, "", ""},
    };
    for (const Case& c : cases) {
        const std::optional<LineAddress> address = ParseLineAddress(c.text);
        ASSERT_EQ(address.has_value(), c.valid) << c.text;
        if (!address) continue;
        EXPECT_EQ(address->kind, c.kind) << c.text;
        EXPECT_EQ(address->host, c.host) << c.text;
        EXPECT_EQ(address->service, c.service) << c.text;
    }
    EXPECT_EQ(DescribeLine("tcp://10.0.0.5:4001"), "raw TCP to 10.0.0.5:4001; the line format is the server's own");
}

}  // namespace
}  // namespace telvor
