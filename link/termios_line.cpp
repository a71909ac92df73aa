#include "termios_line.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace telvor {
namespace {

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

// The modem lines are a real port's: a pty has none, and that is no failure.
void SetModemLines(int fd, bool raised) {
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &lines);
}

LineFailure CloseAfter(int fd, int error, bool exclusive) {
    if (exclusive) ioctl(fd, TIOCNXCL);
    close(fd);
    return FailureFromErrno(error);
}

}  // namespace

tcflag_t InputFlagsForParity(tcflag_t inputFlags, bool parity) {
    if (!parity) return inputFlags & ~static_cast<tcflag_t>(INPCK | PARMRK);
    return (inputFlags | INPCK | PARMRK) & ~static_cast<tcflag_t>(IGNPAR | ISTRIP);
}

std::unique_ptr<TermiosLine> TermiosLine::Open(const std::string& path, LineFailure& failure) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failure = FailureFromErrno(errno);
        return nullptr;
    }
    // TIOCEXCL keeps other processes out; the lock also keeps out a second open by
    // a privileged process, which TIOCEXCL lets through.
    termios saved{};
    if (ioctl(fd, TIOCEXCL) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0 || tcgetattr(fd, &saved) != 0) {
        failure = CloseAfter(fd, errno, false);
        return nullptr;
    }
    termios line = saved;
    cfmakeraw(&line);
    line.c_cflag |= CLOCAL | CREAD;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &line) != 0) {
        failure = CloseAfter(fd, errno, true);
        return nullptr;
    }
    tcflush(fd, TCIOFLUSH);
    return std::unique_ptr<TermiosLine>(new TermiosLine(fd, saved));
}

TermiosLine::~TermiosLine() {
    tcsetattr(fd_, TCSANOW, &saved_);
    ioctl(fd_, TIOCNXCL);
    close(fd_);
}

LineRead TermiosLine::ReadSome(unsigned char* bytes, std::size_t capacity) {
    const ssize_t n = ::read(fd_, bytes, capacity);
    if (n > 0) return {static_cast<std::size_t>(n), std::nullopt};
    if (n < 0 && errno != EAGAIN && errno != EINTR) return {0, FailureFromErrno(errno)};
    return {};
}

LineResult TermiosLine::WriteAll(const unsigned char* bytes, std::size_t length) {
    return WriteAllTo(fd_, bytes, length, [](int fd, const unsigned char* some, std::size_t count) -> long {
        return ::write(fd, some, count);
    });
}

LineResult TermiosLine::DiscardInput() {
    if (tcflush(fd_, TCIFLUSH) != 0) return FailureFromErrno(errno);
    return std::nullopt;
}

bool TermiosLine::TakesBaudRate(std::int32_t baudRate) const { return SpeedOfBaud(baudRate) != B0; }

LineResult TermiosLine::ApplyFormat(const LineFormat& format) {
    termios before{};
    if (tcgetattr(fd_, &before) != 0) return FailureFromErrno(errno);
    termios line = before;
    const speed_t speed = SpeedOfBaud(format.baudRate);
    cfsetispeed(&line, speed);
    cfsetospeed(&line, speed);
    line.c_iflag = InputFlagsForParity(line.c_iflag, format.parity != 0);
    line.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
    line.c_cflag |= format.dataBits == 7 ? CS7 : CS8;
    if (format.parity != 0) line.c_cflag |= PARENB | (format.parity == 1 ? PARODD : 0);
    if (format.stopBits == 2) line.c_cflag |= CSTOPB;
    if (tcsetattr(fd_, TCSANOW, &line) != 0) {
        const int error = errno;
        tcsetattr(fd_, TCSANOW, &before);
        return FailureFromErrno(error);
    }
    // tcsetattr succeeds when it made any of the changes: a device that cannot
    // do the whole format (a pty keeps 8 bits without parity) refuses it here.
    termios now{};
    constexpr tcflag_t kFormat = CSIZE | PARENB | PARODD | CSTOPB;
    if (tcgetattr(fd_, &now) != 0) return FailureFromErrno(errno);
    if ((now.c_cflag & kFormat) != (line.c_cflag & kFormat) || cfgetospeed(&now) != speed) {
        tcsetattr(fd_, TCSANOW, &before);
        return LineFailure{kErrorInvalidParameter, "the device does not take this line format"};
    }
    return std::nullopt;
}

LineResult TermiosLine::ApplyHandshaking(int mode) {
    termios line{};
    if (tcgetattr(fd_, &line) != 0) return FailureFromErrno(errno);
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
    if (tcsetattr(fd_, TCSANOW, &line) != 0) return FailureFromErrno(errno);
    return std::nullopt;
}

std::optional<LineFormat> TermiosLine::Format() {
    termios line{};
    if (tcgetattr(fd_, &line) != 0) return std::nullopt;
    LineFormat format;
    format.baudRate = BaudOfSpeed(cfgetospeed(&line));
    switch (line.c_cflag & CSIZE) {
    case CS5: format.dataBits = 5; break;
    case CS6: format.dataBits = 6; break;
    case CS7: format.dataBits = 7; break;
    default: format.dataBits = 8; break;
    }
    format.parity = (line.c_cflag & PARENB) == 0 ? 0 : (line.c_cflag & PARODD) ? 1 : 2;
    format.stopBits = (line.c_cflag & CSTOPB) ? 2 : 0;
    return format;
}

}  // namespace telvor
