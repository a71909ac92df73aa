#pragma once
// One serial line of the PC: exclusive open by name, the line format, handshaking
// and the read time-outs, blocking writes and reads. Failures are Windows-style
// error codes (0 is success), kept as the last error; the port's own messages go
// to the MessageSink the owner supplies. The line is a serial device or a serial
// device server on the network (LineBackend): the read time-outs, the codes and the
// messages are the same on each.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "line_backend.h"
#include "message_sink.h"
#include "port_names.h"

namespace telvor {

// The Link command's queue sizes.
inline constexpr std::int32_t kLinkQueueSize = 2048;

// Shown when a port that failed cannot be opened again (the adapter was pulled out,
// the server went away).
inline constexpr const char* kReopenFailedMessage = "Unable to reopen the port!\nCheck the adapter.";

// Read time-outs of mode 0: a read ends 50 ms after the last character received
// or 400 ms after it began, whichever comes first (or when the buffer is full).
inline constexpr std::chrono::milliseconds kReadIntervalTimeout{50};
inline constexpr std::chrono::milliseconds kReadTotalTimeout{400};

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

    // Opens what the name leads to (DevicePathOfPort with the program folder): a device
    // for exclusive use in raw mode, or a connection to a serial device server; then
    // read time-outs mode 0 and handshaking mode 2. The queue sizes are kept by the line
    // driver or the connection itself and are not used.
    virtual std::int32_t Open(const std::string& name, std::int32_t inputQueueSize, std::int32_t outputQueueSize);
    // Restores the line settings found at Open and closes the device (or the
    // connection). A port left closed by a failed Reopen is closed quietly.
    virtual std::int32_t Close();
    // Writes the text's characters (up to its NUL).
    virtual std::int32_t Write(const char* text);
    // Writes the whole buffer; the count written may be omitted.
    virtual std::int32_t Write(const void* buffer, std::size_t length, std::size_t* written = nullptr);
    // Reads up to the capacity under the read time-outs; the count read may be omitted.
    // A silent line gives 0 with a count of 0.
    virtual std::int32_t Read(void* buffer, std::size_t capacity, std::size_t* bytesRead = nullptr);
    // Takes what has arrived, up to the capacity, without waiting (for a transport that
    // waits on Handle in a thread of its own). A failure of the port is reported as Read's.
    std::int32_t ReadArrived(void* buffer, std::size_t capacity, std::size_t* bytesRead);

    bool IsOpen() const { return line_ != nullptr; }
    // What to wait on for bytes to arrive, -1 while closed (the device, or the
    // connection to the server).
    int Handle() const { return line_ ? line_->Descriptor() : -1; }
    std::int32_t LastError() const { return lastError_; }
    // errno's text of the last failure of the operating system; empty when there was none.
    const std::string& LastErrorText() const { return lastErrorText_; }
    // The name given to the last successful Open ("COM3", "/tmp/line", "tcp://10.0.0.5:4001").
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
    std::int32_t Fail(std::int32_t code);
    std::int32_t Fail(const LineFailure& failure);
    // A failure of the device during a write or read.
    std::int32_t PortFailure(const LineFailure& failure);
    void ShowPortMessage(const char* text);

    MessageSink* sink_;
    std::filesystem::path programFolder_;
    std::string portName_;
    std::unique_ptr<LineBackend> line_;
    std::int32_t lastError_ = 0;
    std::string lastErrorText_;
    int readTimeoutMode_ = 0;
    int handshaking_ = 0;
    std::optional<LineFormat> format_;  // the last line format Setup applied
    bool portFailed_ = false;
};

}  // namespace telvor
