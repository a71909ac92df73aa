#include "gsm_modbus_ascii.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "modbus_ascii.h"

namespace telvor {

ExchangeResult CGSMModbusAscii::Exchange(const char* request, std::size_t length, char* reply,
                                         std::size_t replyCapacity, int attempts, std::size_t* received) {
    std::size_t local = 0;
    std::size_t& count = received ? *received : local;
    ExchangeResult result = ExchangeResult::ReplyTimeout;
    for (int attempt = 0; attempt < attempts && result == ExchangeResult::ReplyTimeout; ++attempt)
        result = ExchangeOnce(request, length, reply, replyCapacity, count);
    return result;
}

ExchangeResult CGSMModbusAscii::ExchangeOnce(const char* request, std::size_t length, char* reply,
                                             std::size_t replyCapacity, std::size_t& received) {
    received = 0;
    if (WriteProc(request, static_cast<int>(length)) == 0) return ExchangeResult::ReplyTimeout;
    const auto deadline = std::chrono::steady_clock::now() + kGsmResponseWait;
    const std::string_view sent(request, length);
    std::array<char, kGsmReceiveBufferSize> taken{};
    while (WaitResponseUntil(deadline)) {
        std::uint32_t got = 0;
        ReadProc(taken.data(), &got);
        received = std::min<std::size_t>(got, replyCapacity);
        std::copy_n(taken.begin(), received, reply);
        const ExchangeResult result = ValidateReply(reply, received);
        if (result == ExchangeResult::ReplyTimeout) return result;  // no ":" at the first byte
        if (result == ExchangeResult::ReplyChecksumError || ReplyAnswersRequest(sent, {reply, received}))
            return result;
    }
    return ExchangeResult::ReplyTimeout;
}

}  // namespace telvor
