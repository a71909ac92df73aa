#include "gsm_modbus_ascii.h"

#include <cstdint>
#include <string_view>

namespace telvor {

ExchangeResult CGSMModbusAscii::Exchange(const char* request, std::size_t length, char* reply,
                                         std::size_t* received) {
    std::size_t local = 0;
    std::size_t& count = received ? *received : local;
    count = 0;
    if (WriteProc(request, static_cast<int>(length)) == 0) return ExchangeResult::ReplyTimeout;
    const auto deadline = std::chrono::steady_clock::now() + kGsmResponseWait;
    const std::string_view sent(request, length);
    while (WaitResponseUntil(deadline)) {
        std::uint32_t got = 0;
        ReadProc(reply, &got);
        count = got;
        if (got == 0 || reply[0] != ':') return ExchangeResult::ReplyTimeout;
        const ExchangeResult result = ValidateReply(reply, got);
        if (result == ExchangeResult::ReplyChecksumError || ReplyAnswersRequest(sent, {reply, got})) return result;
    }
    return ExchangeResult::ReplyTimeout;
}

ExchangeResult CGSMModbusAscii::ExchangeRepeated(const char* request, std::size_t length, char* reply,
                                                 std::size_t* received, int calls) {
    ExchangeResult result = ExchangeResult::ReplyTimeout;
    for (int call = 0; call < calls; ++call) {
        result = Exchange(request, length, reply, received);
        if (result != ExchangeResult::ReplyTimeout && result != ExchangeResult::ReplyChecksumError) break;
    }
    return result;
}

}  // namespace telvor
