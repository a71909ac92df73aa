#include "modbus_ascii.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <initializer_list>
#include <thread>

#include "parameter_keys.h"

namespace telvor {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char kDigits[] = "0123456789ABCDEF";
constexpr int kFunctionEcho = 0x08;

bool IsStation(int station) { return station >= kFirstStation && station <= kLastStation; }
bool IsField(std::int64_t value) { return value >= 0 && value <= kLargestField; }

// Appends hex digits of a value, most significant first.
char* PutHex(char* at, std::int64_t value, int digits) {
    for (int i = digits - 1; i >= 0; --i) *at++ = kDigits[(value >> (4 * i)) & 0xF];
    return at;
}

// ":", address, function, the fields (each a 4-digit word, or a 2-digit byte when
// marked), LRC, CR LF. Every value has been checked by the caller.
struct Field {
    std::int64_t value;
    int digits = 4;
};

std::size_t Frame(char* request, int station, int function, std::initializer_list<Field> fields) {
    char* at = request;
    *at++ = ':';
    at = PutHex(at, station, 2);
    at = PutHex(at, function, 2);
    for (const Field& field : fields) at = PutHex(at, field.value, field.digits);
    const std::size_t length = static_cast<std::size_t>(at - request) + 4;
    const int lrc = ComputeLrc(request, length) & 0xFF;
    at = PutHex(at, lrc, 2);
    *at++ = '\r';
    *at++ = '\n';
    return length;
}

std::size_t Read03(char* request, int station, std::int64_t start, std::int64_t count) {
    if (!IsStation(station) || !IsField(start) || !IsField(count)) return 0;
    return Frame(request, station, 0x03, {{start}, {count}});
}

}  // namespace

CModbusAscii::~CModbusAscii() = default;

std::size_t CModbusAscii::EchoTest(char* request, int station) { return Echo(request, station, kEchoTestData); }

std::size_t CModbusAscii::Echo(char* request, int station, std::int64_t data) {
    if (!IsStation(station) || !IsField(data)) return 0;
    return Frame(request, station, 0x08, {{0x0000}, {data}});
}

std::size_t CModbusAscii::ReadSoftwareVersion(char* request, int station) {
    return Read03(request, station, kRegisterSoftwareVersion, 1);
}

std::size_t CModbusAscii::ReadCapacityCode(char* request, int station) {
    return Read03(request, station, kRegisterCapacityCode, 1);
}

std::size_t CModbusAscii::ReadFrequencyLimits(char* request, int station) {
    return Read03(request, station, kRegisterFrequencyLimits, 2);
}

std::size_t CModbusAscii::ReadStatusWords(char* request, int station) {
    return Read03(request, station, kRegisterStatusWords, kStatusWordCount);
}

std::size_t CModbusAscii::ReadMonitorValues(char* request, int station) {
    return Read03(request, station, kRegisterMonitorValues, kMonitorValueCount);
}

std::size_t CModbusAscii::ReadControlWord(char* request, int station) {
    return Read03(request, station, kRegisterControlWord, 1);
}

std::size_t CModbusAscii::ReadParameter(char* request, int station, int codeIndex) {
    // An index that names no parameter would fall to register 0 and read the capacity code.
    if (!IsParameterCodeIndex(codeIndex)) return 0;
    return Read03(request, station, RegisterOfParameter(codeIndex), 1);
}

std::size_t CModbusAscii::WriteParameter(char* request, int station, int codeIndex, std::int64_t value) {
    // An index that names no parameter would fall to register 0 and overwrite the capacity code.
    if (!IsStation(station) || !IsParameterCodeIndex(codeIndex) || !IsField(value)) return 0;
    return Frame(request, station, 0x10, {{RegisterOfParameter(codeIndex)}, {1}, {2, 2}, {value}});
}

std::size_t CModbusAscii::WriteRegister(char* request, int station, std::int64_t reg, std::int64_t value) {
    if (!IsStation(station) || !IsField(reg) || !IsField(value)) return 0;
    return Frame(request, station, 0x06, {{reg}, {value}});
}

std::size_t CModbusAscii::ReadRegisters(char* request, int station, std::int64_t start, std::int64_t count) {
    return Read03(request, station, start, count);
}

// Timing of one exchange. At B baud a character of 10 bits (start, 8 data, stop;
// or 7 data, parity, stop) takes 10000 / B ms: 0.26 ms at 38400 Bd, 1.04 ms at 9600 Bd.
// A ReadParameter is a 17-character request and a 15-character reply:
// 32 x 0.26 = 8.3 ms on the line at 38400 Bd, plus the 2 ms pause before the write
// and the drive's turnaround. A read that waited for the 50 ms gap after the reply
// would add 50 ms to every exchange (about 60 ms instead of about 11 ms), so the read
// ends at the reply's LF; the gap and the 400 ms total still end a reply that breaks
// off or never comes.
constexpr auto kPauseBeforeWrite = std::chrono::milliseconds(2);

// A quick echo waits only for what the line needs: its 17 characters out and the 17 of
// the reply back at the line's baud rate, counted at 12 bits a character (start, 8 data,
// parity, 2 stop: the longest format a drive takes), the drive's turnaround and a margin
// for the scheduler. 38400 Bd: 34 x 12 / 38400 = 10.6 ms + 15 ms, 26 ms in all;
// 4800 Bd: 85 ms + 15 ms, 100 ms.
constexpr int kLongestCharacterBits = 12;
constexpr auto kDriveTurnaround = std::chrono::milliseconds(10);
constexpr auto kQuickEchoMargin = std::chrono::milliseconds(5);

std::chrono::milliseconds QuickEchoWait(int baudRate) {
    if (baudRate <= 0) return kReadTotalTimeout;
    const long long bits = static_cast<long long>(2 * kRequestLength) * kLongestCharacterBits;
    const auto onTheLine = std::chrono::milliseconds((bits * 1000 + baudRate - 1) / baudRate);
    return std::min<std::chrono::milliseconds>(onTheLine + kDriveTurnaround + kQuickEchoMargin, kReadTotalTimeout);
}

ExchangeResult CModbusAscii::Exchange(const char* request, std::size_t requestLength, char* reply,
                                      std::size_t replyCapacity, int attempts, std::size_t* received) {
    std::size_t local = 0;
    std::size_t& count = received ? *received : local;
    count = 0;
    const std::string_view sent(request, requestLength);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        std::this_thread::sleep_for(kPauseBeforeWrite);
        count = 0;
        // What is still on the line belongs to an earlier request (a reply that came
        // after its time-out); it must not be taken for the answer to this one.
        if (IsOpen()) DiscardInput();
        LineStatistics& statistics = Statistics();
        if (attempt > 0) ++statistics.retries;
        if (Write(request, requestLength) != kErrorSuccess) continue;
        const Clock::time_point written = Clock::now();
        ++statistics.sent;
        if (trace_) trace_->Record(FrameDirection::Sent, written, sent);
        const std::optional<ExchangeResult> result = AwaitReply(sent, reply, replyCapacity, count);
        if (!result) {
            ++statistics.timeouts;
            continue;
        }
        if (*result == ExchangeResult::ReplyChecksumError) {
            ++statistics.checksum;
        } else {
            if (*result == ExchangeResult::ReplyException) ++statistics.exceptions;
            statistics.CountReply(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - written));
        }
        return *result;
    }
    return ExchangeResult::ReplyTimeout;
}

std::optional<ExchangeResult> CModbusAscii::AwaitReply(std::string_view request, char* reply,
                                                       std::size_t replyCapacity, std::size_t& count) {
    const Clock::time_point deadline = Clock::now() + ReplyWait().value_or(kReadTotalTimeout);
    std::array<char, 2 * kReplyBufferSize> line{};
    std::size_t held = 0;  // bytes received and not yet dropped
    const auto frameEnd = [&]() -> std::size_t {
        if (!frameEndDetection_) return 0;
        const void* lf = std::memchr(line.data(), '\n', held);
        return lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - line.data()) + 1 : 0;
    };
    for (;;) {
        std::size_t end = frameEnd();
        if (end == 0) {
            std::size_t got = 0;
            if (held < line.size() && Clock::now() < deadline)
                ReadBefore(line.data() + held, line.size() - held, &got, frameEndDetection_ ? '\n' : -1, deadline);
            if (got > 0 && trace_)
                trace_->Record(FrameDirection::Received, Clock::now(), {line.data() + held, got});
            held += got;
            end = frameEnd();
            // Without its LF, what came before the gap, the time-out or a full buffer is the reply.
            if (end == 0) end = held;
        }
        if (end == 0) return std::nullopt;
        const std::string_view frame(line.data(), end);
        const ExchangeResult result = ValidateReply(frame.data(), frame.size());
        if (result == ExchangeResult::ReplyTimeout) return std::nullopt;  // no ":" at the first byte
        if (result == ExchangeResult::ReplyChecksumError || ReplyAnswersRequest(request, frame)) {
            count = std::min(frame.size(), replyCapacity);
            std::memcpy(reply, frame.data(), count);
            return result;
        }
        // A valid frame that answers another request: a late reply, dropped; the wait goes on.
        ++Statistics().late;
        if (result == ExchangeResult::ReplyNormal && FunctionOfFrame(frame) == kFunctionEcho)
            LateEchoStations().insert(StationOfReply(frame));
        std::memmove(line.data(), line.data() + end, held - end);
        held -= end;
        if (held == 0 && Clock::now() >= deadline) return std::nullopt;
    }
}

bool CModbusAscii::ReopenAfterPortError() { return !PortFailed() || Reopen() == kErrorSuccess; }

}  // namespace telvor
