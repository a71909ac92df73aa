#pragma once
// One serial line of the PC: exclusive open by name, the line format, handshaking
// and the read time-outs, blocking writes and reads. Failures are Windows-style
// error codes (0 is success), kept as the last error; the port's own messages go
// to the MessageSink the owner supplies.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <termios.h>

#include "message_sink.h"

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

// The Link command's queue sizes.
inline constexpr std::int32_t kLinkQueueSize = 2048;

// Shown when a port that failed cannot be opened again (the adapter was pulled out).
inline constexpr const char* kReopenFailedMessage = "Unable to reopen the port!\nCheck the adapter.";

// Read time-outs of mode 0: a read ends 50 ms after the last character received
// or 400 ms after it began, whichever comes first (or when the buffer is full).
inline constexpr std::chrono::milliseconds kReadIntervalTimeout{50};
inline constexpr std::chrono::milliseconds kReadTotalTimeout{400};

// The device a port name stands for: "COMn" is <programFolder>/ports/COMn when that
// exists (a symlink to any device or pty), else /dev/ttyS<n-1>; a name containing
// "/" is a path and is used as it is. Other names are returned unchanged.
std::string DevicePathOfPort(std::string_view name, const std::filesystem::path& programFolder);

// The input flags of a line with or without parity. With parity every byte received is
// checked (INPCK), and one that fails the check reaches the reader as "\377\0" and the
// byte (PARMRK), so that the frame it belongs to fails its checks; it is neither dropped
// (IGNPAR) nor cut to 7 bits (ISTRIP). Without parity nothing is checked or marked.
tcflag_t InputFlagsForParity(tcflag_t inputFlags, bool parity);

class CSerialPort {
public:
    explicit CSerialPort(MessageSink* sink = nullptr);
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Queries: -1 when the port is closed or the line settings cannot be read.
    virtual std::int32_t GetBaudRate();
    virtual std::int32_t GetDataBits();
    virtual std::int32_t GetParity();    // 0 none, 1 odd, 2 even
    virtual std::int32_t GetStopBits();  // 0 one stop bit, 2 two
    virtual std::int32_t GetHandshaking();

    // Baud 4800/9600/19200/38400 (others the line supports are accepted too),
    // data bits 7 or 8, parity 0 none / 1 odd / 2 even, stop bits 0 (one) or 2 (two).
    virtual std::int32_t Setup(std::int32_t baudRate, std::int32_t dataBits, std::int32_t parity, std::int32_t stopBits);
    // 0 none; 1 XON/XOFF; 2 DTR and RTS raised, no output flow control. Other modes leave the line as it is.
    virtual std::int32_t SetupHandshaking(std::int32_t mode);
    // 0: the 50 ms gap / 400 ms total time-outs; 1: reads wait until the buffer is full;
    // anything else gives kErrorInvalidArgument and changes nothing.
    virtual std::int32_t SetupReadTimeouts(std::int32_t mode);

    // Opens the device of the name (DevicePathOfPort with the program folder) for
    // exclusive use, in raw mode, with read time-outs mode 0 and handshaking mode 2.
    // The queue sizes are kept by the line driver itself on Linux and are not used.
    virtual std::int32_t Open(const std::string& name, std::int32_t inputQueueSize, std::int32_t outputQueueSize);
    // Restores the line settings found at Open and closes the device. A port left closed
    // by a failed Reopen is closed quietly.
    virtual std::int32_t Close();
    // Writes the text's characters (up to its NUL).
    virtual std::int32_t Write(const char* text);
    // Writes the whole buffer; the count written may be omitted.
    virtual std::int32_t Write(const void* buffer, std::size_t length, std::size_t* written = nullptr);
    // Reads up to the capacity under the read time-outs; the count read may be omitted.
    // A silent line gives 0 with a count of 0.
    virtual std::int32_t Read(void* buffer, std::size_t capacity, std::size_t* bytesRead = nullptr);

    bool IsOpen() const { return fd_ >= 0; }
    // The open device's descriptor, -1 while closed (for a transport that reads on a thread of its own).
    int Handle() const { return fd_; }
    std::int32_t LastError() const { return lastError_; }
    // errno's text of the last failure of the operating system; empty when there was none.
    const std::string& LastErrorText() const { return lastErrorText_; }
    // The name given to the last successful Open ("COM3", "/tmp/line").
    const std::string& PortName() const { return portName_; }

    void SetMessageSink(MessageSink* sink) { sink_ = sink; }
    // Where "COMn" names are looked up (<folder>/ports/COMn); empty: /dev/ttyS<n-1> only.
    void SetProgramFolder(std::filesystem::path folder) { programFolder_ = std::move(folder); }

    // Throws away whatever the line has received and not yet been read.
    std::int32_t DiscardInput();

    // Whether a write or read failed in the device itself (an error of the operating
    // system or a hang-up, not a time-out) since the port was opened.
    bool PortFailed() const { return portFailed_; }
    // Closes the port and opens it again by the name of the last Open, with the line
    // format, handshaking and read time-outs it had. When that fails the port stays
    // closed, keeps its failure and shows kReopenFailedMessage.
    std::int32_t Reopen();

protected:
    // A read under the read time-outs whose total time ends at `deadline` instead of
    // 400 ms after it began; it also ends as soon as the byte `last` arrives (-1: no such byte).
    std::int32_t ReadBefore(void* buffer, std::size_t capacity, std::size_t* bytesRead, int last,
                            std::chrono::steady_clock::time_point deadline);

private:
    struct LineFormat {
        std::int32_t baudRate, dataBits, parity, stopBits;
    };
    std::int32_t Fail(std::int32_t code);
    std::int32_t FailFromErrno(int error);
    // A failure of the device during a write or read.
    std::int32_t PortFailure(int error);
    void ShowPortMessage(const char* text);
    // Restores the line settings found at Open and closes the open device.
    void CloseDevice();

    MessageSink* sink_;
    std::filesystem::path programFolder_;
    std::string portName_;
    int fd_ = -1;
    std::int32_t lastError_ = 0;
    std::string lastErrorText_;
    int readTimeoutMode_ = 0;
    int handshaking_ = 0;
    std::optional<LineFormat> format_;  // the last line format Setup applied
    bool portFailed_ = false;
    termios savedLine_{};  // the line settings found at Open, restored by Close
};

}  // namespace telvor
