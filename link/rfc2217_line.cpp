#include "rfc2217_line.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include <poll.h>

namespace telvor {
namespace {

using Clock = std::chrono::steady_clock;

// Raw bytes taken at a time: never more data than this comes out of them.
constexpr std::size_t kRawChunk = 512;

std::string Byte(unsigned char value) { return std::string(1, static_cast<char>(value)); }

std::string BigEndian(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

// RFC 2217's codes: parity 1 none, 2 odd, 3 even; stop size 1 one, 2 two.
unsigned char ParityCode(std::int32_t parity) { return static_cast<unsigned char>(parity + 1); }
unsigned char StopSizeCode(std::int32_t stopBits) { return stopBits == 2 ? 2 : 1; }

}  // namespace

std::unique_ptr<Rfc2217Line> Rfc2217Line::Open(const LineAddress& address, LineFailure& failure) {
    const Clock::time_point deadline = Clock::now() + kConnectTimeout;
    const int fd = Connect(address, deadline, failure);
    if (fd < 0) return nullptr;
    std::unique_ptr<Rfc2217Line> line(new Rfc2217Line(fd));
    if (LineResult sent = line->Send(line->codec_.Greeting())) {
        failure = *sent;
        return nullptr;
    }
    const auto answered = [&line] { return line->codec_.ComPort() != TelnetCodec::ComPortState::Pending; };
    const LineFailure silent{kErrorNotSupported, "the server does not answer for RFC 2217 (COM-PORT-OPTION)"};
    if (LineResult failed = line->AwaitServer(answered, deadline, silent)) {
        failure = *failed;
        return nullptr;
    }
    if (line->codec_.ComPort() == TelnetCodec::ComPortState::Refused) {
        failure = {kErrorNotSupported, "the server refuses RFC 2217 (COM-PORT-OPTION)"};
        return nullptr;
    }
    return line;
}

LineResult Rfc2217Line::Send(const std::string& bytes) {
    return TcpLine::WriteAll(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

LineRead Rfc2217Line::ReadSome(unsigned char* bytes, std::size_t capacity) {
    std::array<unsigned char, kRawChunk> raw;
    const LineRead got = TcpLine::ReadSome(raw.data(), std::min(capacity, raw.size()));
    if (got.failure || got.count == 0) return got;
    std::string data;
    std::string answers;
    codec_.Receive({reinterpret_cast<const char*>(raw.data()), got.count}, data, answers);
    if (!answers.empty())
        if (LineResult sent = Send(answers)) return {0, *sent};
    std::memcpy(bytes, data.data(), data.size());
    return {data.size(), std::nullopt};
}

LineResult Rfc2217Line::WriteAll(const unsigned char* bytes, std::size_t length) {
    return Send(TelnetCodec::Escape({reinterpret_cast<const char*>(bytes), length}));
}

LineResult Rfc2217Line::AwaitServer(const std::function<bool()>& done, Clock::time_point deadline,
                                    const LineFailure& atDeadline) {
    std::array<unsigned char, kRawChunk> dropped;
    for (;;) {
        const LineRead got = ReadSome(dropped.data(), dropped.size());
        if (got.failure) return got.failure;
        if (done()) return std::nullopt;
        if (got.count > 0) continue;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return atDeadline;
        pollfd waiter{Descriptor(), POLLIN, 0};
        if (poll(&waiter, 1, static_cast<int>(left) + 1) < 0 && errno != EINTR) return FailureFromErrno(errno);
    }
}

LineResult Rfc2217Line::ApplyFormat(const LineFormat& format) {
    codec_.ForgetAnswers();
    const std::string requests =
        TelnetCodec::Request(ComPortCommand::SetBaudRate, BigEndian(static_cast<std::uint32_t>(format.baudRate))) +
        TelnetCodec::Request(ComPortCommand::SetDataSize, Byte(static_cast<unsigned char>(format.dataBits))) +
        TelnetCodec::Request(ComPortCommand::SetParity, Byte(ParityCode(format.parity))) +
        TelnetCodec::Request(ComPortCommand::SetStopSize, Byte(StopSizeCode(format.stopBits)));
    if (LineResult sent = Send(requests)) return sent;
    constexpr ComPortCommand kSettings[] = {ComPortCommand::SetBaudRate, ComPortCommand::SetDataSize,
                                            ComPortCommand::SetParity, ComPortCommand::SetStopSize};
    const auto allAnswered = [this, &kSettings] {
        return std::all_of(std::begin(kSettings), std::end(kSettings),
                           [this](ComPortCommand c) { return codec_.Answer(c).has_value(); });
    };
    if (LineResult failed = AwaitServer(allAnswered, Clock::now() + kServerAnswerTimeout,
                                        {kErrorTimeout, "the server did not confirm the line format"}))
        return failed;
    const bool taken = codec_.Answer(ComPortCommand::SetBaudRate) == static_cast<std::uint32_t>(format.baudRate) &&
                       codec_.Answer(ComPortCommand::SetDataSize) == static_cast<std::uint32_t>(format.dataBits) &&
                       codec_.Answer(ComPortCommand::SetParity) == ParityCode(format.parity) &&
                       codec_.Answer(ComPortCommand::SetStopSize) == StopSizeCode(format.stopBits);
    if (!taken) return LineFailure{kErrorInvalidParameter, "the server does not take this line format"};
    format_ = format;
    return std::nullopt;
}

LineResult Rfc2217Line::ApplyHandshaking(int mode) {
    using namespace set_control;
    if (mode < 0 || mode > 2) return std::nullopt;
    const bool raised = mode == 2;
    const std::string requests =
        TelnetCodec::Request(ComPortCommand::SetControl, Byte(mode == 1 ? kXonXoff : kNoFlowControl)) +
        TelnetCodec::Request(ComPortCommand::SetControl, Byte(raised ? kDtrOn : kDtrOff)) +
        TelnetCodec::Request(ComPortCommand::SetControl, Byte(raised ? kRtsOn : kRtsOff));
    return Send(requests);
}

}  // namespace telvor
