#pragma once
// One transport under CSerialPort: a serial device through termios, a raw TCP
// connection to a serial device server, or a Telnet connection with RFC 2217's
// COM-PORT-CONTROL. The port keeps the read time-outs, the error codes and the
// messages; a backend only moves bytes and applies the line settings, never waits
// for data and never shows anything.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace telvor {

inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorInvalidHandle = 6;           // the port is not open
inline constexpr std::int32_t kErrorAlreadyInitialized = 1247;   // Open on an open port
inline constexpr std::int32_t kErrorTimeout = 1460;              // a wait ran out
inline constexpr std::int32_t kErrorInvalidArgument = static_cast<std::int32_t>(0x80070057u);  // E_INVALIDARG
// Stable codes for failures of the operating system (errno's text is kept in LastErrorText).
inline constexpr std::int32_t kErrorFileNotFound = 2;    // no such device
inline constexpr std::int32_t kErrorAccessDenied = 5;    // permission denied, or the port is in use
inline constexpr std::int32_t kErrorNotSupported = 50;   // not a terminal, or a line format it refuses
inline constexpr std::int32_t kErrorInvalidParameter = 87;
inline constexpr std::int32_t kErrorDeviceFailure = 31;  // any other failure of the device

struct LineFormat {
    std::int32_t baudRate = 38400;
    std::int32_t dataBits = 8;
    std::int32_t parity = 0;    // 0 none, 1 odd, 2 even
    std::int32_t stopBits = 0;  // 0 one stop bit, 2 two
    bool operator==(const LineFormat&) const = default;
};

// A failure: the port's Windows-style code and the text that explains it.
struct LineFailure {
    std::int32_t code = 0;
    std::string text;
};

// The port's code of an errno value, with errno's text.
LineFailure FailureFromErrno(int error);
// A device that is gone (a pty whose far end closed, a connection the server closed).
LineFailure HangUpFailure(std::string text);

// What a read that does not wait brought: `count` bytes (0: nothing has arrived), or a failure.
struct LineRead {
    std::size_t count = 0;
    std::optional<LineFailure> failure;
};

using LineResult = std::optional<LineFailure>;  // nothing: success

// Writes all of it to a descriptor that does not block, through `writeSome` (write, or
// send without SIGPIPE), waiting for room while the device or connection has none.
using WriteSomeFunction = long (*)(int fd, const unsigned char* bytes, std::size_t length);
LineResult WriteAllTo(int fd, const unsigned char* bytes, std::size_t length, WriteSomeFunction writeSome);

class LineBackend {
public:
    virtual ~LineBackend() = default;

    // What poll waits on for bytes to arrive.
    virtual int Descriptor() const = 0;
    // Takes what has arrived, up to the capacity, without waiting.
    virtual LineRead ReadSome(unsigned char* bytes, std::size_t capacity) = 0;
    // Writes all of it (waiting while the device or the connection cannot take more).
    virtual LineResult WriteAll(const unsigned char* bytes, std::size_t length) = 0;
    // Throws away what has arrived and not been read.
    virtual LineResult DiscardInput() = 0;
    // The line format; the port has checked its values.
    virtual LineResult ApplyFormat(const LineFormat& format) = 0;
    // Handshaking mode 0 none, 1 XON/XOFF, 2 DTR and RTS raised without output flow control.
    virtual LineResult ApplyHandshaking(int mode) = 0;
    // The line format in force, when the backend can tell it.
    virtual std::optional<LineFormat> Format() = 0;
    // Whether the baud rate is one this transport can set at all.
    virtual bool TakesBaudRate(std::int32_t baudRate) const = 0;
};

struct OpenedBackend {
    std::unique_ptr<LineBackend> backend;  // null when the open failed
    LineFailure failure;
};

// Opens what a port name leads to (DevicePathOfPort): "tcp://HOST:PORT",
// "rfc2217://HOST:PORT" or a device path.
OpenedBackend OpenLineBackend(std::string_view destination);

}  // namespace telvor
