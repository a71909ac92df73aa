// Reads of several registers at once on the simulated line: runs of parameter
// registers, the count limit and registers served only one at a time.

#include <gtest/gtest.h>

#include <array>

#include "drive_line.h"
#include "modbus_ascii.h"

namespace telvor::sim {
namespace {

struct BlockCase {
    const char* name;
    const char* control;  // applied before the request; "" for none
    int start;
    int count;
    std::uint8_t exception;  // 0 for a normal reply
};

TEST(RegisterBlockReads, AnswersRunsOfParameterRegistersWithinTheCountLimit) {
    const BlockCase cases[] = {
        {"run 0-15", "", 0, 16, 0},
        {"run 100-131", "", 100, 32, 0},
        {"across unknown 46", "", 44, 4, kExceptionAddress},
        {"max-count 4 refuses 5", "max-count 1 4", 0, 5, kExceptionCount},
        {"max-count 4 takes 4", "max-count 1 4", 12, 4, 0},
        {"single-only 10 in the block", "single-only 1 10", 8, 4, kExceptionAddress},
        {"single-only 10 alone", "single-only 1 10", 10, 1, 0},
        {"single-only 10 beside the block", "single-only 1 10", 11, 4, 0},
    };
    for (const BlockCase& c : cases) {
        DriveLine line;
        line.AddStation(1, 8, true);
        if (*c.control) {
            ASSERT_TRUE(line.ApplyControl(c.control, nullptr)) << c.name;
        }
        std::array<char, kRequestBufferSize> request{};
        const std::size_t length = CModbusAscii::ReadRegisters(request.data(), 1, c.start, c.count);
        const auto reply = line.Handle({request.data(), length}, Clock::now());
        ASSERT_TRUE(reply) << c.name;
        if (c.exception) {
            EXPECT_EQ(reply->bytes, EncodeFrame(1, {0x83, c.exception})) << c.name;
            continue;
        }
        ASSERT_EQ(ValidateReply(reply->bytes.data(), reply->bytes.size()), ExchangeResult::ReplyNormal) << c.name;
        for (int k = 0; k < c.count; ++k)
            EXPECT_EQ(RegisterValueOfReply(reply->bytes, k), line.Station(1)->Register(c.start + k).value_or(-1))
                << c.name << " register " << c.start + k;
    }
}

TEST(RegisterBlockReads, RefusesBadControlLines) {
    DriveLine line;
    line.AddStation(1, 0, true);
    for (const char* bad : {"max-count 1 0", "max-count 1 33", "max-count 1 x", "single-only 1 -1", "max-count 1"}) {
        std::string error;
        EXPECT_FALSE(line.ApplyControl(bad, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

}  // namespace
}  // namespace telvor::sim
