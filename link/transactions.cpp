#include "transactions.h"

#include <array>
#include <cstdio>
#include <optional>

namespace telvor {
namespace {

using Request = std::array<char, kRequestBufferSize>;

// The attempts of one request with the repeat rule, and the decoding of `valueCount`
// register values of a normal reply; the line's step with the station is settled after them.
TransactionReply Attempts(ModbusTransport& port, std::string_view request, std::size_t capacity, int attempts,
                          int valueCount) {
    TransactionReply transaction;
    std::array<char, kReplyBufferSize> reply{};
    std::size_t received = 0;
    bool anAttemptFailed = false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        reply.fill(0);
        received = 0;
        if (!port.ReopenAfterPortError()) {
            transaction.result = ExchangeResult::ReplyTimeout;
            anAttemptFailed = true;
            break;
        }
        if (attempt > 0) ++port.Statistics().retries;
        transaction.result = port.Exchange(request.data(), request.size(), reply.data(), capacity, 1, &received);
        ++transaction.exchanges;
        // A normal reply without the values asked for would be decoded from its LRC and CR LF.
        if (transaction.result == ExchangeResult::ReplyNormal && valueCount > 0 &&
            RegisterValueOfReply({reply.data(), received}, valueCount - 1) < 0)
            transaction.result = ExchangeResult::ReplyChecksumError;
        if (transaction.result == ExchangeResult::ReplyNormal || transaction.result == ExchangeResult::ReplyException)
            break;
        anAttemptFailed = true;
    }
    const bool answered =
        transaction.result == ExchangeResult::ReplyNormal || transaction.result == ExchangeResult::ReplyException;
    port.Sync().Settle(request, answered, anAttemptFailed);
    transaction.reply.assign(reply.data(), received);
    transaction.replyStation = StationOfReply(transaction.reply);
    if (transaction.result == ExchangeResult::ReplyNormal)
        for (int k = 0; k < valueCount; ++k)
            transaction.values.push_back(static_cast<std::uint16_t>(RegisterValueOfReply(transaction.reply, k)));
    return transaction;
}

// Runs a built request (length 0: refused). A station that is out of step is first
// brought back in step by an echo of fresh data with as many attempts; when the echo
// is not answered the request is not sent and the transaction ends as the echo did.
TransactionReply Run(ModbusTransport& port, const char* request, std::size_t length, std::size_t capacity,
                     int attempts, int valueCount) {
    if (length == 0) {
        TransactionReply refused;
        refused.requestRefused = true;
        return refused;
    }
    const std::string_view sent(request, length);
    LineSync& sync = port.Sync();
    if (sync.NeedsEcho(sent)) {
        Request echo{};
        const std::size_t echoLength = CModbusAscii::Echo(echo.data(), StationOfReply(sent), sync.FreshEchoData());
        TransactionReply resync = Attempts(port, {echo.data(), echoLength}, kEchoReplyCapacity, attempts, 0);
        if (!resync.Ok()) return resync;
    }
    return Attempts(port, sent, capacity, attempts, valueCount);
}

TransactionReply RunRead(ModbusTransport& port, std::size_t (*build)(char*, int), int station, int valueCount) {
    Request request{};
    return Run(port, request.data(), build(request.data(), station), kReadReplyCapacity, kTransactionAttempts,
               valueCount);
}

}  // namespace

TransactionReply EchoTest(ModbusTransport& port, int station, int attempts) {
    Request request{};
    return Run(port, request.data(), CModbusAscii::EchoTest(request.data(), station), kEchoReplyCapacity, attempts, 0);
}

TransactionReply QuickEchoTest(ModbusTransport& port, int station, std::chrono::milliseconds wait) {
    const std::optional<std::chrono::milliseconds> usual = port.ReplyWait();
    port.SetReplyWait(wait);
    TransactionReply echo = EchoTest(port, station, 1);
    port.SetReplyWait(usual);
    return echo;
}

TransactionReply ReadSoftwareVersion(ModbusTransport& port, int station) {
    return RunRead(port, &CModbusAscii::ReadSoftwareVersion, station, 1);
}

TransactionReply ReadCapacityCode(ModbusTransport& port, int station) {
    return RunRead(port, &CModbusAscii::ReadCapacityCode, station, 1);
}

TransactionReply ReadFrequencyLimits(ModbusTransport& port, int station) {
    return RunRead(port, &CModbusAscii::ReadFrequencyLimits, station, 2);
}

TransactionReply ReadStatusWords(ModbusTransport& port, int station) {
    return RunRead(port, &CModbusAscii::ReadStatusWords, station, kStatusWordCount);
}

TransactionReply ReadMonitorValues(ModbusTransport& port, int station) {
    return RunRead(port, &CModbusAscii::ReadMonitorValues, station, kMonitorValueCount);
}

TransactionReply ReadControlWord(ModbusTransport& port, int station) {
    return RunRead(port, &CModbusAscii::ReadControlWord, station, 1);
}

TransactionReply ReadParameter(ModbusTransport& port, int station, int codeIndex) {
    Request request{};
    return Run(port, request.data(), CModbusAscii::ReadParameter(request.data(), station, codeIndex),
               kReadReplyCapacity, kTransactionAttempts, 1);
}

TransactionReply ReadParameterBlock(ModbusTransport& port, int station, int firstRegister, int count) {
    Request request{};
    const bool fits = count >= 1 && count <= kLargestParameterBlock;
    const std::size_t length = fits ? CModbusAscii::ReadRegisters(request.data(), station, firstRegister, count) : 0;
    return Run(port, request.data(), length, kReadReplyCapacity, kTransactionAttempts, count);
}

TransactionReply WriteParameter(ModbusTransport& port, int station, int codeIndex, std::int64_t value) {
    Request request{};
    return Run(port, request.data(), CModbusAscii::WriteParameter(request.data(), station, codeIndex, value),
               kWriteReplyCapacity, kTransactionAttempts, 0);
}

TransactionReply WriteRegister(ModbusTransport& port, int station, std::int64_t reg, std::int64_t value) {
    Request request{};
    return Run(port, request.data(), CModbusAscii::WriteRegister(request.data(), station, reg, value),
               kWriteReplyCapacity, kTransactionAttempts, 0);
}

std::string SoftwareVersionText(int version) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d", version / 10, version % 10);
    return text;
}

void CommunicationFailureReport(MessageSink& sink, ExchangeResult result, std::string_view reply) {
    switch (result) {
    case ExchangeResult::ReplyTimeout: sink.RunFixedDialog(FixedDialog::TimeOut); break;
    case ExchangeResult::ReplyChecksumError: sink.RunFixedDialog(FixedDialog::ChecksumError); break;
    case ExchangeResult::ReplyException:
        sink.ShowExceptionReply(reply);
        break;
    case ExchangeResult::ReplyNormal: break;
    }
}

void CommunicationFailureReport(MessageSink& sink, const TransactionReply& transaction) {
    if (transaction.requestRefused) {
        sink.ShowMessage("Error Message", "Data Over Range !", MessageIcon::Information);
        return;
    }
    CommunicationFailureReport(sink, transaction.result, transaction.reply);
}

}  // namespace telvor
