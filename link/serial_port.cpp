#include "serial_port.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace telvor {
namespace {

using Clock = std::chrono::steady_clock;

speed_t SpeedOfBaud(std::int32_t baud) {
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

std::int32_t BaudOfSpeed(speed_t speed) {
    switch (speed) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return -1;
    }
}

std::int32_t CodeOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR: return kErrorFileNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK: return kErrorAccessDenied;
    case ENOTTY: return kErrorNotSupported;
    case EINVAL: return kErrorInvalidParameter;
    default: return kErrorDeviceFailure;
    }
}

// The modem lines are a real port's: a pty has none, and that is no failure.
void SetModemLines(int fd, bool raised) {
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &lines);
}

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // Round up so that a wait never ends just short of its deadline.
    return left <= 0 ? 0 : static_cast<int>(left) + 1;
}

}  // namespace

tcflag_t InputFlagsForParity(tcflag_t inputFlags, bool parity) {
    if (!parity) return inputFlags & ~static_cast<tcflag_t>(INPCK | PARMRK);
    return (inputFlags | INPCK | PARMRK) & ~static_cast<tcflag_t>(IGNPAR | ISTRIP);
}

CSerialPort::CSerialPort(MessageSink* sink) : sink_(sink) {}

CSerialPort::~CSerialPort() {
    if (fd_ >= 0) CloseDevice();
}

void CSerialPort::CloseDevice() {
    tcsetattr(fd_, TCSANOW, &savedLine_);
    ioctl(fd_, TIOCNXCL);
    close(fd_);
    fd_ = -1;
}

std::int32_t CSerialPort::Fail(std::int32_t code) {
    lastError_ = code;
    return code;
}

std::int32_t CSerialPort::FailFromErrno(int error) {
    lastErrorText_ = std::strerror(error);
    return Fail(CodeOfErrno(error));
}

std::int32_t CSerialPort::PortFailure(int error) {
    portFailed_ = true;
    return FailFromErrno(error);
}

void CSerialPort::ShowPortMessage(const char* text) {
    if (sink_) sink_->ShowMessage(kApplicationTitle, text, MessageIcon::Information);
}

std::int32_t CSerialPort::Open(const std::string& name, std::int32_t, std::int32_t) {
    lastError_ = 0;
    lastErrorText_.clear();
    if (fd_ >= 0) return Fail(kErrorAlreadyInitialized);
    const std::string path = DevicePathOfPort(name, programFolder_);
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FailFromErrno(errno);
    // TIOCEXCL keeps other processes out; the lock also keeps out a second open by
    // a privileged process, which TIOCEXCL lets through.
    if (ioctl(fd, TIOCEXCL) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0 || tcgetattr(fd, &savedLine_) != 0) {
        const int error = errno;
        close(fd);
        return FailFromErrno(error);
    }
    termios line = savedLine_;
    cfmakeraw(&line);
    line.c_cflag |= CLOCAL | CREAD;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &line) != 0) {
        const int error = errno;
        ioctl(fd, TIOCNXCL);
        close(fd);
        return FailFromErrno(error);
    }
    fd_ = fd;
    portName_ = name;
    format_.reset();
    portFailed_ = false;
    tcflush(fd_, TCIOFLUSH);
    SetupReadTimeouts(0);
    return SetupHandshaking(2);
}

std::int32_t CSerialPort::Close() {
    lastError_ = 0;
    const bool lost = portFailed_;
    portFailed_ = false;
    if (fd_ >= 0) {
        CloseDevice();
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
    if (fd_ >= 0) CloseDevice();
    std::int32_t result = Open(name, kLinkQueueSize, kLinkQueueSize);
    if (result == kErrorSuccess && format)
        result = Setup(format->baudRate, format->dataBits, format->parity, format->stopBits);
    if (result == kErrorSuccess) result = SetupHandshaking(handshaking);
    if (result == kErrorSuccess) result = SetupReadTimeouts(readTimeoutMode);
    if (result == kErrorSuccess) return result;
    if (fd_ >= 0) CloseDevice();
    format_ = format;
    portFailed_ = true;
    ShowPortMessage(kReopenFailedMessage);
    return Fail(result);
}

std::int32_t CSerialPort::Setup(std::int32_t baudRate, std::int32_t dataBits, std::int32_t parity,
                                std::int32_t stopBits) {
    lastError_ = 0;
    if (fd_ < 0) return Fail(kErrorInvalidHandle);
    termios before{};
    if (tcgetattr(fd_, &before) != 0) return FailFromErrno(errno);
    termios line = before;
    const speed_t speed = SpeedOfBaud(baudRate);
    const auto refuse = [this](const std::string& why) {
        lastErrorText_ = why;
        return Fail(kErrorInvalidParameter);
    };
    if (speed == B0) return refuse("baud rate " + std::to_string(baudRate) + " is not supported");
    if (dataBits != 7 && dataBits != 8) return refuse("data bits " + std::to_string(dataBits) + ": 7 or 8");
    if (parity < 0 || parity > 2)
        return refuse("parity " + std::to_string(parity) + ": 0 none, 1 odd or 2 even");
    if (stopBits != 0 && stopBits != 2)
        return refuse("stop bits " + std::to_string(stopBits) + ": 0 for one or 2 for two");
    cfsetispeed(&line, speed);
    cfsetospeed(&line, speed);
    line.c_iflag = InputFlagsForParity(line.c_iflag, parity != 0);
    line.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
    line.c_cflag |= dataBits == 7 ? CS7 : CS8;
    if (parity != 0) line.c_cflag |= PARENB | (parity == 1 ? PARODD : 0);
    if (stopBits == 2) line.c_cflag |= CSTOPB;
    if (tcsetattr(fd_, TCSANOW, &line) != 0) {
        const int error = errno;
        tcsetattr(fd_, TCSANOW, &before);
        return FailFromErrno(error);
    }
    // tcsetattr succeeds when it made any of the changes: a device that cannot
    // do the whole format (a pty keeps 8 bits without parity) refuses it here.
    termios now{};
    constexpr tcflag_t kFormat = CSIZE | PARENB | PARODD | CSTOPB;
    if (tcgetattr(fd_, &now) != 0) return FailFromErrno(errno);
    if ((now.c_cflag & kFormat) != (line.c_cflag & kFormat) || cfgetospeed(&now) != speed) {
        tcsetattr(fd_, TCSANOW, &before);
        lastErrorText_ = "the device does not take this line format";
        return Fail(kErrorInvalidParameter);
    }
    format_ = LineFormat{baudRate, dataBits, parity, stopBits};
    return 0;
}

std::int32_t CSerialPort::SetupHandshaking(std::int32_t mode) {
    lastError_ = 0;
    if (fd_ < 0) return Fail(kErrorInvalidHandle);
    termios line{};
    if (tcgetattr(fd_, &line) != 0) return FailFromErrno(errno);
    line.c_cflag &= ~CRTSCTS;
    switch (mode) {
    case 0:
        line.c_iflag &= ~(IXON | IXOFF);
        SetModemLines(fd_, false);
        break;
    case 1:
        line.c_iflag |= IXON | IXOFF;
        SetModemLines(fd_, false);
        break;
    case 2:
        // DTR and RTS up for a converter that needs them; no output flow control,
        // so a converter without CTS still sends.
        line.c_iflag &= ~(IXON | IXOFF);
        SetModemLines(fd_, true);
        break;
    default: break;
    }
    if (tcsetattr(fd_, TCSANOW, &line) != 0) return FailFromErrno(errno);
    if (mode >= 0 && mode <= 2) handshaking_ = mode;
    return 0;
}

std::int32_t CSerialPort::SetupReadTimeouts(std::int32_t mode) {
    lastError_ = 0;
    if (fd_ < 0) return Fail(kErrorInvalidHandle);
    if (mode != 0 && mode != 1) return Fail(kErrorInvalidArgument);
    readTimeoutMode_ = mode;
    return 0;
}

std::int32_t CSerialPort::GetBaudRate() {
    termios line{};
    if (fd_ < 0 || tcgetattr(fd_, &line) != 0) return -1;
    return BaudOfSpeed(cfgetospeed(&line));
}

std::int32_t CSerialPort::GetDataBits() {
    termios line{};
    if (fd_ < 0 || tcgetattr(fd_, &line) != 0) return -1;
    switch (line.c_cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

std::int32_t CSerialPort::GetParity() {
    termios line{};
    if (fd_ < 0) return -1;
    if (tcgetattr(fd_, &line) != 0) {
        ShowPortMessage("unable to obtain DCB information");
        return -1;
    }
    if ((line.c_cflag & PARENB) == 0) {
        ShowPortMessage("no parity");
        return 0;
    }
    return (line.c_cflag & PARODD) ? 1 : 2;
}

std::int32_t CSerialPort::GetStopBits() {
    termios line{};
    if (fd_ < 0 || tcgetattr(fd_, &line) != 0) return -1;
    return (line.c_cflag & CSTOPB) ? 2 : 0;
}

std::int32_t CSerialPort::GetHandshaking() {
    if (fd_ < 0) return -1;
    return handshaking_;
}

std::int32_t CSerialPort::DiscardInput() {
    lastError_ = 0;
    if (fd_ < 0) return Fail(kErrorInvalidHandle);
    if (tcflush(fd_, TCIFLUSH) != 0) return FailFromErrno(errno);
    return 0;
}

std::int32_t CSerialPort::Write(const char* text) { return Write(text, std::strlen(text)); }

std::int32_t CSerialPort::Write(const void* buffer, std::size_t length, std::size_t* written) {
    std::size_t local = 0;
    std::size_t& count = written ? *written : local;
    count = 0;
    lastError_ = 0;
    if (fd_ < 0) return Fail(kErrorInvalidHandle);
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    while (count < length) {
        const ssize_t n = ::write(fd_, bytes + count, length - count);
        if (n > 0) {
            count += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return PortFailure(errno);
        pollfd waiter{fd_, POLLOUT, 0};
        if (poll(&waiter, 1, -1) < 0 && errno != EINTR) return PortFailure(errno);
    }
    return 0;
}

std::int32_t CSerialPort::Read(void* buffer, std::size_t capacity, std::size_t* bytesRead) {
    return ReadBefore(buffer, capacity, bytesRead, -1, Clock::now() + kReadTotalTimeout);
}

std::int32_t CSerialPort::ReadBefore(void* buffer, std::size_t capacity, std::size_t* bytesRead, int last,
                                     Clock::time_point deadline) {
    std::size_t local = 0;
    std::size_t& count = bytesRead ? *bytesRead : local;
    count = 0;
    lastError_ = 0;
    if (fd_ < 0) {
        ShowPortMessage("Device is not opened!");
        return Fail(kErrorInvalidHandle);
    }
    auto* bytes = static_cast<unsigned char*>(buffer);
    const bool timed = readTimeoutMode_ == 0;
    Clock::time_point gapEnd = deadline;
    while (count < capacity) {
        const ssize_t n = ::read(fd_, bytes + count, capacity - count);
        if (n > 0) {
            const std::size_t before = count;
            count += static_cast<std::size_t>(n);
            if (last >= 0 && std::memchr(bytes + before, last, static_cast<std::size_t>(n))) break;
            gapEnd = std::min(deadline, Clock::now() + kReadIntervalTimeout);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            const std::int32_t code = PortFailure(errno);
            ShowPortMessage("Unable to read the data!");
            return code;
        }
        if (n < 0 && errno == EINTR) continue;
        // Nothing waiting: wait for more, or for the end of the gap or of the whole read.
        const int wait = timed ? MillisecondsUntil(count == 0 ? deadline : gapEnd) : -1;
        if (timed && wait == 0) break;
        pollfd waiter{fd_, POLLIN, 0};
        const int ready = poll(&waiter, 1, wait);
        if (ready < 0 && errno != EINTR) return PortFailure(errno);
        if (ready > 0 && (waiter.revents & POLLIN) == 0 && (waiter.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            // The far end is gone (a pty whose master was closed): this read cannot complete.
            lastErrorText_ = "the line hung up";
            portFailed_ = true;
            Fail(kErrorDeviceFailure);
            ShowPortMessage("Unable to read the data!");
            return kErrorDeviceFailure;
        }
    }
    return 0;
}

}  // namespace telvor
