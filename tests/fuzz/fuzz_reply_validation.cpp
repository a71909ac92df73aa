// Reply validation and value decoding on arbitrary bytes: no read outside the
// reply, and every decoded value agrees with the classification. The first bytes
// choose the request the reply is checked against: a reply taken as its answer
// carries the request's station and function and, for a read, every register asked
// for; for a write or the echo, the request's own register, value, count or data.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "modbus_ascii.h"

namespace {

using namespace telvor;

// A request of one of the builders, from the first three bytes (station 1 when the
// byte is no station).
std::string RequestOf(const std::uint8_t* data, std::size_t size) {
    char frame[kRequestBufferSize] = {};
    const int choice = size > 0 ? data[0] % 6 : 0;
    const int station = size > 1 && data[1] >= kFirstStation && data[1] <= kLastStation ? data[1] : 1;
    const int number = size > 2 ? data[2] : 0;
    std::size_t length = 0;
    switch (choice) {
    case 0: length = CModbusAscii::EchoTest(frame, station); break;
    case 1: length = CModbusAscii::ReadParameter(frame, station, number % 13); break;
    case 2: length = CModbusAscii::ReadFrequencyLimits(frame, station); break;
    case 3: length = CModbusAscii::ReadMonitorValues(frame, station); break;
    case 4: length = CModbusAscii::WriteParameter(frame, station, number % 13, number * 257); break;
    default: length = CModbusAscii::WriteRegister(frame, station, kRegisterControlWord, number); break;
    }
    return std::string(frame, length);
}

void CheckAnswer(const std::string& request, const std::string& reply) {
    const ExchangeResult result = ValidateReply(reply.data(), reply.size());
    if (result != ExchangeResult::ReplyNormal && result != ExchangeResult::ReplyException) return;
    if (!ReplyAnswersRequest(request, reply)) return;
    if (StationOfReply(reply) != StationOfReply(request)) std::abort();
    if (reply.substr(4, 1) != request.substr(4, 1)) std::abort();
    if (result == ExchangeResult::ReplyException) return;
    if (request.substr(3, 2) == "03") {
        const int count = std::stoi(request.substr(9, 4), nullptr, 16);
        if (RegisterValueOfReply(reply, count - 1) < 0 || RegisterValueOfReply(reply, count) >= 0) std::abort();
    } else if (reply.substr(0, 13) != request.substr(0, 13)) {
        std::abort();  // a write's or the echo's reply carries the request's own words
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly the received bytes, in a buffer of their own size, so that any read past them is caught.
    const std::string reply(reinterpret_cast<const char*>(data), size);
    CheckAnswer(RequestOf(data, size), size > 3 ? reply.substr(3) : "");
    const ExchangeResult result = ValidateReply(reply.data(), reply.size());
    if (result == ExchangeResult::ReplyNormal || result == ExchangeResult::ReplyException) {
        if (reply.size() < kShortestReply || reply[0] != ':') std::abort();
        if (StationOfReply(reply) < 0) std::abort();
    }
    if (result == ExchangeResult::ReplyException && reply[3] < '8') std::abort();
    for (int k = 0; k < 20; ++k) {
        const std::int32_t value = RegisterValueOfReply(reply, k);
        if (value < -1 || value > 0xFFFF) std::abort();
        if (value >= 0 && reply.size() < 15 + 4 * static_cast<std::size_t>(k)) std::abort();
    }
    (void)ExceptionMessage(reply);
    for (const char c : reply) {
        const int digit = HexDigitValue(c);
        if (digit < 0 || digit > 15) std::abort();
    }
    return 0;
}
