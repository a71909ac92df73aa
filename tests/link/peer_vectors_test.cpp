// Frames built by pymodbus's ASCII framer against our builders and reply checks.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <sstream>
#include <vector>

#include "child_process.h"
#include "modbus_ascii.h"

namespace telvor {
namespace {

// "\r\n" as the script prints it back into the bytes.
std::string Unescape(const std::string& shown) {
    std::string bytes;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '\\' && i + 1 < shown.size()) {
            bytes += shown[i + 1] == 'r' ? '\r' : shown[i + 1] == 'n' ? '\n' : shown[i + 1];
            ++i;
        } else {
            bytes += shown[i];
        }
    }
    return bytes;
}

std::vector<std::string> PeerFrames(const std::vector<std::string>& lines) {
    std::string input;
    for (const auto& line : lines) input += line + "\n";
    std::string output;
    EXPECT_TRUE(testing::RunWithInput({testing::kPython, TELVOR_PEER_DIR "/frames.py"}, input, output))
        << "the pymodbus frame script failed";
    std::vector<std::string> frames;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) frames.push_back(Unescape(line));
    return frames;
}

struct RequestCase {
    std::string peerLine;
    std::function<std::size_t(char*)> build;
};

TEST(PeerVectors, OurRequestsAreTheFramesPymodbusBuilds) {
    if (const std::string missing = testing::PeerMissing("frames.py"); !missing.empty()) GTEST_SKIP() << missing;
    const std::vector<RequestCase> cases = {
        {"echo 1 42295", [](char* r) { return CModbusAscii::EchoTest(r, 1); }},
        {"echo 254 42295", [](char* r) { return CModbusAscii::EchoTest(r, 254); }},
        {"read 1 44 1", [](char* r) { return CModbusAscii::ReadSoftwareVersion(r, 1); }},
        {"read 17 0 1", [](char* r) { return CModbusAscii::ReadCapacityCode(r, 17); }},
        {"read 1 8 2", [](char* r) { return CModbusAscii::ReadFrequencyLimits(r, 1); }},
        {"read 254 239 3", [](char* r) { return CModbusAscii::ReadStatusWords(r, 254); }},
        {"read 10 242 9", [](char* r) { return CModbusAscii::ReadMonitorValues(r, 10); }},
        {"read 2 230 1", [](char* r) { return CModbusAscii::ReadControlWord(r, 2); }},
        {"read 5 154 1", [](char* r) { return CModbusAscii::ReadParameter(r, 5, 6); }},
        {"read 99 220 1", [](char* r) { return CModbusAscii::ReadParameter(r, 99, 114); }},
        {"write-multiple 1 8 6000", [](char* r) { return CModbusAscii::WriteParameter(r, 1, 2, 6000); }},
        {"write-multiple 200 43 10", [](char* r) { return CModbusAscii::WriteParameter(r, 200, 195, 10); }},
        {"write-multiple 3 42 65535", [](char* r) { return CModbusAscii::WriteParameter(r, 3, 12, 65535); }},
        {"write-single 1 231 3000", [](char* r) { return CModbusAscii::WriteRegister(r, 1, 231, 3000); }},
        {"write-single 171 230 43981", [](char* r) { return CModbusAscii::WriteRegister(r, 171, 230, 0xABCD); }},
    };
    std::vector<std::string> lines;
    for (const auto& c : cases) lines.push_back(c.peerLine);
    const std::vector<std::string> frames = PeerFrames(lines);
    ASSERT_EQ(frames.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::array<char, kRequestBufferSize> request{};
        const std::size_t length = cases[i].build(request.data());
        EXPECT_EQ(std::string(request.data(), length), frames[i]) << cases[i].peerLine;
    }
}

struct ReplyCase {
    std::string peerLine;
    ExchangeResult result;
    std::vector<std::int32_t> values;
    int station;
    std::string exceptionText;
};

TEST(PeerVectors, RepliesPymodbusBuildsClassifyAndDecode) {
    if (const std::string missing = testing::PeerMissing("frames.py"); !missing.empty()) GTEST_SKIP() << missing;
    using enum ExchangeResult;
    const std::vector<ReplyCase> cases = {
        {"reply-read 1 12", ReplyNormal, {12}, 1, ""},
        {"reply-read 3 6000 0", ReplyNormal, {6000, 0}, 3, ""},
        {"reply-read 254 65535 0 43981", ReplyNormal, {65535, 0, 43981}, 254, ""},
        {"reply-read 9 1 2 3 4 5 6 7 8 9", ReplyNormal, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 9, ""},
        {"reply-exception 1 3 52", ReplyException, {}, 1, "Address Error !"},
        {"reply-exception 2 16 54", ReplyException, {}, 2, "Data Over Range !"},
        {"reply-exception 7 6 55", ReplyException, {}, 7, "Write Mode Error !"},
        {"reply-exception 7 3 02", ReplyException, {}, 7, ""},
    };
    std::vector<std::string> lines;
    for (const auto& c : cases) lines.push_back(c.peerLine);
    const std::vector<std::string> frames = PeerFrames(lines);
    ASSERT_EQ(frames.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string& reply = frames[i];
        EXPECT_EQ(ValidateReply(reply.data(), reply.size()), cases[i].result) << cases[i].peerLine;
        EXPECT_EQ(StationOfReply(reply), cases[i].station) << cases[i].peerLine;
        for (std::size_t k = 0; k < cases[i].values.size(); ++k)
            EXPECT_EQ(RegisterValueOfReply(reply, static_cast<int>(k)), cases[i].values[k]) << cases[i].peerLine;
        EXPECT_EQ(RegisterValueOfReply(reply, static_cast<int>(cases[i].values.size())), -1) << cases[i].peerLine;
        if (cases[i].result == ReplyException) {
            EXPECT_EQ(ExceptionMessage(reply), cases[i].exceptionText);
        }

        // The same reply with its last LRC digit changed, or in lower case, is a checksum error.
        std::string broken = reply;
        char& digit = broken[broken.size() - 3];
        digit = digit == '0' ? '1' : '0';
        EXPECT_EQ(ValidateReply(broken.data(), broken.size()), ReplyChecksumError) << cases[i].peerLine;
    }
}

}  // namespace
}  // namespace telvor
