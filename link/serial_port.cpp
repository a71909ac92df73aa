#include "serial_port.h"

#include <cerrno>
#include <cstring>

#include <poll.h>

namespace telvor {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // Round up so that a wait never ends just short of its deadline.
    return left <= 0 ? 0 : static_cast<int>(left) + 1;
}

}  // namespace

CSerialPort::CSerialPort(MessageSink* sink) : sink_(sink) {}

CSerialPort::~CSerialPort() = default;

std::int32_t CSerialPort::Fail(std::int32_t code) {
    lastError_ = code;
    return code;
}

std::int32_t CSerialPort::Fail(const LineFailure& failure) {
    lastErrorText_ = failure.text;
    return Fail(failure.code);
}

std::int32_t CSerialPort::PortFailure(const LineFailure& failure) {
    portFailed_ = true;
    return Fail(failure);
}

void CSerialPort::ShowPortMessage(const char* text) {
    if (sink_) sink_->ShowMessage(kApplicationTitle, text, MessageIcon::Information);
}

std::int32_t CSerialPort::Open(const std::string& name, std::int32_t, std::int32_t) {
    lastError_ = 0;
    lastErrorText_.clear();
    if (line_) return Fail(kErrorAlreadyInitialized);
    OpenedBackend opened = OpenLineBackend(DevicePathOfPort(name, programFolder_));
    if (!opened.backend) return Fail(opened.failure);
    line_ = std::move(opened.backend);
    portName_ = name;
    format_.reset();
    portFailed_ = false;
    SetupReadTimeouts(0);
    return SetupHandshaking(2);
}

std::int32_t CSerialPort::Close() {
    lastError_ = 0;
    const bool lost = portFailed_;
    portFailed_ = false;
    if (line_) {
        line_.reset();
    } else if (!lost) {
        ShowPortMessage("method called when device is not open!");
    }
    return 0;
}

std::int32_t CSerialPort::Reopen() {
    const std::string name = portName_;
    const std::optional<LineFormat> format = format_;
    const int handshaking = handshaking_;
    const int readTimeoutMode = readTimeoutMode_;
    line_.reset();
    std::int32_t result = Open(name, kLinkQueueSize, kLinkQueueSize);
    if (result == kErrorSuccess && format)
        result = Setup(format->baudRate, format->dataBits, format->parity, format->stopBits);
    if (result == kErrorSuccess) result = SetupHandshaking(handshaking);
    if (result == kErrorSuccess) result = SetupReadTimeouts(readTimeoutMode);
    if (result == kErrorSuccess) return result;
    line_.reset();
    format_ = format;
    portFailed_ = true;
    ShowPortMessage(kReopenFailedMessage);
    return Fail(result);
}

std::int32_t CSerialPort::Setup(std::int32_t baudRate, std::int32_t dataBits, std::int32_t parity,
                                std::int32_t stopBits) {
    lastError_ = 0;
    if (!line_) return Fail(kErrorInvalidHandle);
    const auto refuse = [this](const std::string& why) { return Fail(LineFailure{kErrorInvalidParameter, why}); };
    if (!line_->TakesBaudRate(baudRate)) return refuse("baud rate " + std::to_string(baudRate) + " is not supported");
    if (dataBits != 7 && dataBits != 8) return refuse("data bits " + std::to_string(dataBits) + ": 7 or 8");
    if (parity < 0 || parity > 2)
        return refuse("parity " + std::to_string(parity) + ": 0 none, 1 odd or 2 even");
    if (stopBits != 0 && stopBits != 2)
        return refuse("stop bits " + std::to_string(stopBits) + ": 0 for one or 2 for two");
    const LineFormat format{baudRate, dataBits, parity, stopBits};
    if (const LineResult failed = line_->ApplyFormat(format)) return Fail(*failed);
    format_ = format;
    return 0;
}

std::int32_t CSerialPort::SetupHandshaking(std::int32_t mode) {
    lastError_ = 0;
    if (!line_) return Fail(kErrorInvalidHandle);
    if (const LineResult failed = line_->ApplyHandshaking(mode)) return Fail(*failed);
    if (mode >= 0 && mode <= 2) handshaking_ = mode;
    return 0;
}

std::int32_t CSerialPort::SetupReadTimeouts(std::int32_t mode) {
    lastError_ = 0;
    if (!line_) return Fail(kErrorInvalidHandle);
    if (mode != 0 && mode != 1) return Fail(kErrorInvalidArgument);
    readTimeoutMode_ = mode;
    return 0;
}

std::int32_t CSerialPort::GetBaudRate() {
    const std::optional<LineFormat> format = line_ ? line_->Format() : std::nullopt;
    return format ? format->baudRate : -1;
}

std::int32_t CSerialPort::GetDataBits() {
    const std::optional<LineFormat> format = line_ ? line_->Format() : std::nullopt;
    return format ? format->dataBits : -1;
}

std::int32_t CSerialPort::GetParity() {
    if (!line_) return -1;
    const std::optional<LineFormat> format = line_->Format();
    if (!format) {
        ShowPortMessage("unable to obtain DCB information");
        return -1;
    }
    if (format->parity == 0) ShowPortMessage("no parity");
    return format->parity;
}

std::int32_t CSerialPort::GetStopBits() {
    const std::optional<LineFormat> format = line_ ? line_->Format() : std::nullopt;
    return format ? format->stopBits : -1;
}

std::int32_t CSerialPort::GetHandshaking() {
    if (!line_) return -1;
    return handshaking_;
}

std::int32_t CSerialPort::DiscardInput() {
    lastError_ = 0;
    if (!line_) return Fail(kErrorInvalidHandle);
    if (const LineResult failed = line_->DiscardInput()) return Fail(*failed);
    return 0;
}

std::int32_t CSerialPort::Write(const char* text) { return Write(text, std::strlen(text)); }

std::int32_t CSerialPort::Write(const void* buffer, std::size_t length, std::size_t* written) {
    std::size_t local = 0;
    std::size_t& count = written ? *written : local;
    count = 0;
    lastError_ = 0;
    if (!line_) return Fail(kErrorInvalidHandle);
    if (const LineResult failed = line_->WriteAll(static_cast<const unsigned char*>(buffer), length))
        return PortFailure(*failed);
    count = length;
    return 0;
}

std::int32_t CSerialPort::Read(void* buffer, std::size_t capacity, std::size_t* bytesRead) {
    return ReadBefore(buffer, capacity, bytesRead, -1, Clock::now() + kReadTotalTimeout);
}

std::int32_t CSerialPort::ReadArrived(void* buffer, std::size_t capacity, std::size_t* bytesRead) {
    return ReadBefore(buffer, capacity, bytesRead, -1, Clock::now());
}

std::int32_t CSerialPort::ReadBefore(void* buffer, std::size_t capacity, std::size_t* bytesRead, int last,
                                     Clock::time_point deadline) {
    std::size_t local = 0;
    std::size_t& count = bytesRead ? *bytesRead : local;
    count = 0;
    lastError_ = 0;
    if (!line_) {
        ShowPortMessage("Device is not opened!");
        return Fail(kErrorInvalidHandle);
    }
    auto* bytes = static_cast<unsigned char*>(buffer);
    const bool timed = readTimeoutMode_ == 0;
    Clock::time_point gapEnd = deadline;
    while (count < capacity) {
        const LineRead got = line_->ReadSome(bytes + count, capacity - count);
        if (got.failure) {
            const std::int32_t code = PortFailure(*got.failure);
            ShowPortMessage("Unable to read the data!");
            return code;
        }
        if (got.count > 0) {
            const std::size_t before = count;
            count += got.count;
            if (last >= 0 && std::memchr(bytes + before, last, got.count)) break;
            gapEnd = std::min(deadline, Clock::now() + kReadIntervalTimeout);
            continue;
        }
        // Nothing waiting: wait for more, or for the end of the gap or of the whole read.
        const int wait = timed ? MillisecondsUntil(count == 0 ? deadline : gapEnd) : -1;
        if (timed && wait == 0) break;
        pollfd waiter{line_->Descriptor(), POLLIN, 0};
        const int ready = poll(&waiter, 1, wait);
        if (ready < 0 && errno != EINTR) return PortFailure(FailureFromErrno(errno));
        if (ready > 0 && (waiter.revents & POLLIN) == 0 && (waiter.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            // The far end is gone (a pty whose master was closed): this read cannot complete.
            PortFailure(HangUpFailure("the line hung up"));
            ShowPortMessage("Unable to read the data!");
            return kErrorDeviceFailure;
        }
    }
    return 0;
}

}  // namespace telvor
