// Request frames, reply checks and decoding on fixed byte vectors.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "modbus_ascii.h"
#include "parameter_keys.h"
#include "test_frames.h"

namespace telvor {
namespace {

using Builder = std::function<std::size_t(char*)>;

struct BuilderCase {
    const char* name;
    Builder build;
    std::string frame;
};

std::string Built(const Builder& build, std::size_t* length = nullptr) {
    std::array<char, kRequestBufferSize> request{};
    const std::size_t n = build(request.data());
    if (length) *length = n;
    return std::string(request.data(), n);
}

TEST(RequestBuilders, WriteTheFrameOfEachTransactionWithItsFixedLength) {
    const BuilderCase cases[] = {
        {"EchoTest", [](char* r) { return CModbusAscii::EchoTest(r, 1); }, ":01080000A5371B\r\n"},
        {"ReadSoftwareVersion", [](char* r) { return CModbusAscii::ReadSoftwareVersion(r, 1); }, ":0103002C0001CF\r\n"},
        {"ReadCapacityCode", [](char* r) { return CModbusAscii::ReadCapacityCode(r, 1); }, ":010300000001FB\r\n"},
        {"ReadFrequencyLimits", [](char* r) { return CModbusAscii::ReadFrequencyLimits(r, 1); }, ":010300080002F2\r\n"},
        {"ReadStatusWords", [](char* r) { return CModbusAscii::ReadStatusWords(r, 254); }, ":FE0300EF00030D\r\n"},
        {"ReadMonitorValues", [](char* r) { return CModbusAscii::ReadMonitorValues(r, 10); }, ":0A0300F20009F8\r\n"},
        {"ReadControlWord", [](char* r) { return CModbusAscii::ReadControlWord(r, 1); }, ":010300E6000115\r\n"},
        {"ReadParameter A06", [](char* r) { return CModbusAscii::ReadParameter(r, 1, 6); }, ":0103009A000161\r\n"},
        {"ReadParameter b97", [](char* r) { return CModbusAscii::ReadParameter(r, 1, 197); }, ":0103002D0001CE\r\n"},
        {"ReadParameter b89", [](char* r) { return CModbusAscii::ReadParameter(r, 1, 189); }, ":010300000001FB\r\n"},
        {"WriteParameter A02", [](char* r) { return CModbusAscii::WriteParameter(r, 1, 2, 6000); },
         ":0110000800010217705D\r\n"},
        {"WriteParameter 65535", [](char* r) { return CModbusAscii::WriteParameter(r, 254, 2, 65535); },
         ":FE100008000102FFFFE9\r\n"},
        {"WriteRegister 231", [](char* r) { return CModbusAscii::WriteRegister(r, 1, 231, 3000); }, ":010600E70BB84F\r\n"},
        {"WriteRegister 230 zero", [](char* r) { return CModbusAscii::WriteRegister(r, 254, 230, 0); },
         ":FE0600E6000016\r\n"},
    };
    for (const auto& c : cases) {
        std::size_t length = 0;
        EXPECT_EQ(Built(c.build, &length), c.frame) << c.name;
        EXPECT_EQ(length, c.frame.size()) << c.name;
        EXPECT_EQ(length, std::string(c.name).starts_with("WriteParameter") ? 23u : 17u) << c.name;
    }
}

TEST(RequestBuilders, RefuseStationsFieldsAndCodesOutOfRangeAndWriteNothing) {
    const BuilderCase cases[] = {
        {"station 0", [](char* r) { return CModbusAscii::EchoTest(r, 0); }, ""},
        {"station 255", [](char* r) { return CModbusAscii::ReadCapacityCode(r, 255); }, ""},
        {"station 256", [](char* r) { return CModbusAscii::ReadParameter(r, 256, 2); }, ""},
        {"station -1", [](char* r) { return CModbusAscii::ReadSoftwareVersion(r, -1); }, ""},
        {"value 65536", [](char* r) { return CModbusAscii::WriteParameter(r, 1, 2, 65536); }, ""},
        {"value 70000", [](char* r) { return CModbusAscii::WriteRegister(r, 1, 231, 70000); }, ""},
        {"value -1", [](char* r) { return CModbusAscii::WriteParameter(r, 1, 2, -1); }, ""},
        {"register 65536", [](char* r) { return CModbusAscii::WriteRegister(r, 1, 65536, 1); }, ""},
        {"code 50", [](char* r) { return CModbusAscii::ReadParameter(r, 1, 50); }, ""},
        {"code 198 write", [](char* r) { return CModbusAscii::WriteParameter(r, 1, 198, 1); }, ""},
        {"count 65536", [](char* r) { return CModbusAscii::ReadRegisters(r, 1, 0, 65536); }, ""},
    };
    for (const auto& c : cases) {
        std::array<char, kRequestBufferSize> request{};
        EXPECT_EQ(c.build(request.data()), 0u) << c.name;
        EXPECT_EQ(request[0], '\0') << c.name << ": something was written";
    }
}

TEST(ComputeLrc, IsTheTwosComplementOfTheByteSum) {
    const std::string echo = ":01080000A537XX\r\n";
    EXPECT_EQ(ComputeLrc(echo.data(), 17) & 0xFF, 0x1B);
    // A sum of 0x100 gives 00.
    const std::string wrap = ":FF01XX\r\n";
    EXPECT_EQ(ComputeLrc(wrap.data(), wrap.size()) & 0xFF, 0x00);
}

struct ReplyCase {
    const char* name;
    std::string reply;
    ExchangeResult result;
};

TEST(ValidateReply, ClassifiesEveryKindOfReply) {
    using enum ExchangeResult;
    const ReplyCase cases[] = {
        {"normal", ":010300000001FB\r\n", ReplyNormal},
        {"last LRC digit changed", ":010300000001FC\r\n", ReplyChecksumError},
        {"first LRC digit changed", ":010300000001EB\r\n", ReplyChecksumError},
        {"read reply", ":010302000CEE\r\n", ReplyNormal},
        {"exception 83", ":0183522A\r\n", ReplyException},
        {"exception 90", ":0190521D\r\n", ReplyException},
        {"lower-case digit with matching LRC", ":0103020a0CE4\r\n", ReplyChecksumError},
        {"lower-case LRC", ":01080000a5371b\r\n", ReplyChecksumError},
        {"bad digit", ":01030G000CEE\r\n", ReplyChecksumError},
        {"other station", ":0503040001FFFFF5\r\n", ReplyNormal},
        {"stray NUL before", std::string("\0:010300000001FB\r\n", 18), ReplyTimeout},
        {"stray blank before", " :010300000001FB\r\n", ReplyTimeout},
        {"nothing", "", ReplyTimeout},
        {"colon only", ":", ReplyChecksumError},
        {"three characters", ":\r\n", ReplyChecksumError},
        {"four characters", ":0\r\n", ReplyChecksumError},
        {"no address or function, LRC 00", ":00\r\n", ReplyChecksumError},
        {"shortest frame", ":0101FE\r\n", ReplyNormal},
        {"half frame", ":0103020", ReplyChecksumError},
    };
    for (const auto& c : cases) EXPECT_EQ(ValidateReply(c.reply.data(), c.reply.size()), c.result) << c.name;
}

// A byte that failed the parity check comes marked ("\377\0" before it): wherever it
// stands, even on the ":" or the CR LF, the reply is a checksum error, never a valid
// frame and never no reply at all.
TEST(ValidateReply, AParityMarkedByteAnywhereIsAChecksumError) {
    for (const std::string good : {":010302000CEE\r\n", ":0183522A\r\n", ":01080000A5371B\r\n"}) {
        for (std::size_t at = 0; at < good.size(); ++at) {
            std::string marked = good;
            marked.insert(at, kParityMark);
            EXPECT_EQ(ValidateReply(marked.data(), marked.size()), ExchangeResult::ReplyChecksumError)
                << good << " marked at " << at;
        }
    }
    const std::string doubled = "\377\377:010302000CEE\r\n";  // a byte 0xFF that passed the check
    EXPECT_EQ(ValidateReply(doubled.data(), doubled.size()), ExchangeResult::ReplyTimeout);
}

struct AnswerCase {
    const char* name;
    std::string reply;  // without LRC and CR LF
    bool answers;
};

// A reply answers its request only when it carries the request's station and function
// and, for each function, what identifies the request.
TEST(ReplyAnswersRequest, TakesOnlyTheRepliesThatEchoTheRequest) {
    const std::pair<std::string, std::vector<AnswerCase>> requests[] = {
        {Built([](char* r) { return CModbusAscii::ReadSoftwareVersion(r, 1); }),
         {{"one register", ":0103020001", true},
          {"two registers", ":01030400010002", false},
          {"another station", ":0203020001", false},
          {"another function", ":0104020001", false},
          {"exception", ":018352", true},
          {"exception with more behind it", ":01835200", false},
          {"another function's exception", ":019052", false}}},
        {Built([](char* r) { return CModbusAscii::WriteParameter(r, 1, 192, 10); }),
         {{"its register and count", ":0110000A0001", true},
          {"b93's register", ":0110000B0001", false},
          {"another count", ":0110000A0002", false},
          {"exception", ":019054", true},
          {"a single write's echo", ":0106000A0001", false}}},
        {Built([](char* r) { return CModbusAscii::WriteRegister(r, 1, kRegisterControlWord, 2); }),
         {{"its register and value", ":010600E60002", true},
          {"another value", ":010600E60003", false},
          {"another register", ":010600E70002", false},
          {"exception", ":018654", true}}},
        {Built([](char* r) { return CModbusAscii::EchoTest(r, 1); }),
         {{"its data", ":01080000A537", true},
          {"other data", ":010800001234", false},
          {"another sub-function", ":01080001A537", false}}},
    };
    for (const auto& [request, cases] : requests) {
        for (const AnswerCase& c : cases) {
            const std::string reply = testing::WithLrc(c.reply);
            ASSERT_NE(ValidateReply(reply.data(), reply.size()), ExchangeResult::ReplyChecksumError) << c.name;
            EXPECT_EQ(ReplyAnswersRequest(request, reply), c.answers) << request << ": " << c.name;
        }
    }
}

TEST(RegisterOfParameter, FollowsTheRegisterMap) {
    const std::pair<int, int> cases[] = {{0, 4},     {2, 8},     {6, 154},  {12, 42},   {100, 111}, {114, 220},
                                         {119, 37},  {123, 102}, {139, 115}, {159, 160}, {160, 121}, {179, 135},
                                         {188, 3},   {189, 0},   {195, 43},  {196, 44},  {197, 45},  {50, 0},
                                         {13, 0},    {99, 0},    {198, 0},   {-1, 0}};
    for (const auto& [code, reg] : cases) EXPECT_EQ(RegisterOfParameter(code), reg) << "code index " << code;
}

TEST(RegisterOfParameter, GivesEveryParameterButB89ADistinctRegister) {
    std::array<int, 256> users{};
    for (int slot = 0; slot < kParameterCount; ++slot) {
        const int code = CodeIndexOfSlot(slot);
        const int reg = RegisterOfParameter(code);
        ASSERT_GE(reg, 0);
        ASSERT_LT(reg, 256);
        EXPECT_EQ(++users[static_cast<std::size_t>(reg)], 1) << "register " << reg << " used twice (code " << code << ")";
        if (code != 189) {
            EXPECT_NE(reg, 0) << "code " << code;
        }
    }
}

TEST(ExceptionMessage, TakesTheTextOfTheExceptionCode) {
    const std::pair<std::string, std::string> cases[] = {
        {":018351", "Function Code Error !"}, {":01835229\r\n", "Address Error !"},
        {":019053", "Data Amount Error !"},   {":018654", "Data Over Range !"},
        {":019055", "Write Mode Error !"},    {":018301", ""},
        {":0183", ""},                        {"", ""},
    };
    for (const auto& [reply, text] : cases) EXPECT_EQ(ExceptionMessage(reply), text) << reply;
}

TEST(HexDigitValue, KnowsOnlyUpperCaseDigits) {
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('A'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    for (const char c : {'a', 'f', 'G', ':', '\0', ' '}) EXPECT_EQ(HexDigitValue(c), 0) << int(c);
}

TEST(RegisterValueOfReply, DecodesEachValueAndRefusesWhatIsNotThere) {
    const std::string reply = ":0103040001FFFFF9\r\n";
    EXPECT_EQ(RegisterValueOfReply(reply, 0), 1);
    EXPECT_EQ(RegisterValueOfReply(reply, 1), 65535);
    EXPECT_EQ(RegisterValueOfReply(reply, 2), -1);
    EXPECT_EQ(RegisterValueOfReply(":010300FC\r\n", 0), -1);
    EXPECT_EQ(RegisterValueOfReply(reply, -1), -1);
}

TEST(StationOfReply, ReadsTheAddressField) {
    EXPECT_EQ(StationOfReply(":FE0300"), 254);
    EXPECT_EQ(StationOfReply(":0A"), 10);
    EXPECT_EQ(StationOfReply(":0a"), -1);
    EXPECT_EQ(StationOfReply(":"), -1);
    EXPECT_EQ(StationOfReply("x01"), -1);
}

}  // namespace
}  // namespace telvor
