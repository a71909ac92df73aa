#pragma once
// One request to one drive with its repeats and the decoding of its reply, and
// the report of a failed transaction to the user.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "message_sink.h"
#include "modbus_ascii.h"

namespace telvor {

inline constexpr int kTransactionAttempts = 3;
inline constexpr int kEchoAttemptsSingle = 3;
inline constexpr int kEchoAttemptsScanning = 2;
inline constexpr std::size_t kEchoReplyCapacity = 17;
inline constexpr std::size_t kReadReplyCapacity = 80;
inline constexpr std::size_t kWriteReplyCapacity = 17;
// The most registers one ReadParameterBlock asks for: its reply (":", address,
// function, byte count, four digits a register, LRC, CR LF) must fit the 80-byte
// reply buffer, so 17.
inline constexpr int kLargestParameterBlock = static_cast<int>(kReplyBufferSize - 11) / 4;
inline constexpr int kDefaultParameterBlock = 16;

struct TransactionReply {
    // The result of the last exchange. A request that could not be built (station,
    // field or code index out of range) sends nothing and ends as ReplyTimeout with
    // requestRefused set.
    ExchangeResult result = ExchangeResult::ReplyTimeout;
    bool requestRefused = false;
    int exchanges = 0;                  // exchanges made (each sends the request, or the echo that failed, once)
    std::vector<std::uint16_t> values;  // decoded register values of a ReplyNormal, in register order
    int replyStation = -1;              // the reply's own address field, -1 when nothing came
    std::string reply;                  // the bytes of the last reply

    bool Ok() const { return result == ExchangeResult::ReplyNormal; }
};

// Repeats while the result is ReplyTimeout or ReplyChecksumError and attempts
// remain; a ReplyException is never repeated. A normal reply to function 03 that
// holds fewer values than asked for counts as ReplyChecksumError. Before the first
// attempt a station whose earlier attempts may still be answered is brought back in
// step (LineSync); a station that does not answer that echo fails as a silent one does,
// and the request is not sent. Before every attempt a failed port is reopened
// (ModbusTransport::ReopenAfterPortError); when that fails no attempt is made.
TransactionReply EchoTest(ModbusTransport& port, int station, int attempts = kEchoAttemptsSingle);
// The echo with one attempt that waits only `wait` for its reply (QuickEchoWait of the
// line's baud rate): a quick look whether anything answers at the station.
TransactionReply QuickEchoTest(ModbusTransport& port, int station, std::chrono::milliseconds wait);
TransactionReply ReadSoftwareVersion(ModbusTransport& port, int station);  // one value
TransactionReply ReadCapacityCode(ModbusTransport& port, int station);     // one value
TransactionReply ReadFrequencyLimits(ModbusTransport& port, int station);  // A02, A03
TransactionReply ReadStatusWords(ModbusTransport& port, int station);      // three values
TransactionReply ReadMonitorValues(ModbusTransport& port, int station);    // nine values
TransactionReply ReadControlWord(ModbusTransport& port, int station);      // one value
TransactionReply ReadParameter(ModbusTransport& port, int station, int codeIndex);  // one value
// `count` registers from `firstRegister` in one request (function 03); a count outside
// 1..kLargestParameterBlock is refused. Values in register order.
TransactionReply ReadParameterBlock(ModbusTransport& port, int station, int firstRegister, int count);
TransactionReply WriteParameter(ModbusTransport& port, int station, int codeIndex, std::int64_t value);
TransactionReply WriteRegister(ModbusTransport& port, int station, std::int64_t reg, std::int64_t value);

// "%d.%d" of version / 10 and version % 10: 12 is "1.2".
std::string SoftwareVersionText(int version);

// Tells the user why a transaction failed: ReplyTimeout the "TIME-OUT !!" dialog,
// ReplyChecksumError the "Check Sum Error !!" dialog, ReplyException a message box
// "Error Message" with ExceptionMessage of the reply. ReplyNormal shows nothing.
void CommunicationFailureReport(MessageSink& sink, ExchangeResult result, std::string_view reply);
// The same for a transaction; a refused request shows "Error Message" / "Data Over Range !".
void CommunicationFailureReport(MessageSink& sink, const TransactionReply& transaction);

}  // namespace telvor
