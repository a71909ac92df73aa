// Reply validation and value decoding on arbitrary bytes: no read outside the
// reply, and every decoded value agrees with the classification.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "modbus_ascii.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace telvor;
    // Exactly the received bytes, in a buffer of their own size, so that any read past them is caught.
    const std::string reply(reinterpret_cast<const char*>(data), size);
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
