#pragma once
// MODBUS ASCII over the handheld's serial line: the desktop's frames, reply checks
// and transactions, one attempt per exchange call (the transactions repeat a call
// that ends in a time-out or a checksum error, three calls at most).

#include <cstddef>

#include "gsm_com.h"
#include "modbus_transport.h"

namespace telvor {

class CGSMModbusAscii : public CGSMCom, public ModbusTransport {
public:
    // Per attempt: write, wait up to 500 ms for a reply, classify it. A valid frame that
    // answers another request (a late reply) is passed over and the wait goes on within
    // the same 500 ms. The reply is cut to the capacity.
    ExchangeResult Exchange(const char* request, std::size_t length, char* reply, std::size_t replyCapacity,
                            int attempts = 1, std::size_t* received = nullptr) override;
    void CloseLine() override { Close(); }

private:
    ExchangeResult ExchangeOnce(const char* request, std::size_t length, char* reply, std::size_t replyCapacity,
                                std::size_t& received);
};

}  // namespace telvor
