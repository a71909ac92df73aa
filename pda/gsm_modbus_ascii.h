#pragma once
// MODBUS ASCII over the handheld's serial line: the desktop's frames and reply
// checks, one attempt per exchange call.

#include <cstddef>

#include "gsm_com.h"
#include "modbus_ascii.h"

namespace telvor {

// The handheld repeats a failed exchange (time-out or checksum error) up to this many calls.
inline constexpr int kGsmExchangeCalls = 3;

class CGSMModbusAscii : public CGSMCom {
public:
    // One attempt: write, wait up to 500 ms for a reply, classify it. A valid frame that
    // answers another request (a late reply) is passed over and the wait goes on within
    // the same 500 ms. `reply` holds kGsmReceiveBufferSize bytes; `received` may be omitted.
    ExchangeResult Exchange(const char* request, std::size_t length, char* reply, std::size_t* received = nullptr);
    // Exchange called again while it ends in a time-out or a checksum error, `calls` calls
    // at most; the last call's result counts.
    ExchangeResult ExchangeRepeated(const char* request, std::size_t length, char* reply,
                                    std::size_t* received = nullptr, int calls = kGsmExchangeCalls);
};

}  // namespace telvor
