#pragma once
// A line through a serial device server that speaks Telnet with RFC 2217's
// COM-PORT-CONTROL: the program sets the server's baud rate, data bits, parity and
// stop bits from the line settings, and its DTR and RTS as a serial port raises them.
// The line's data is IAC-escaped both ways; what the server says besides is taken
// apart by TelnetCodec and answered at once.

#include <functional>

#include "tcp_line.h"
#include "telnet_codec.h"

namespace telvor {

// How long the server may take to agree to COM-PORT-OPTION (counted with the connection)
// and to confirm a line format.
inline constexpr std::chrono::milliseconds kServerAnswerTimeout{3000};

class Rfc2217Line : public TcpLine {
public:
    // Null with the failure when no connection is made, or the server does not agree
    // to COM-PORT-OPTION, within kConnectTimeout.
    static std::unique_ptr<Rfc2217Line> Open(const LineAddress& address, LineFailure& failure);

    LineRead ReadSome(unsigned char* bytes, std::size_t capacity) override;
    LineResult WriteAll(const unsigned char* bytes, std::size_t length) override;
    // Sends the four settings and waits for the server's answers: the format counts as
    // set only when each answer gives back the value asked for.
    LineResult ApplyFormat(const LineFormat& format) override;
    // SET-CONTROL: flow control, DTR and RTS. Servers need not answer these (ser2net
    // does not on a pty), so nothing is waited for.
    LineResult ApplyHandshaking(int mode) override;
    // The format the server last confirmed.
    std::optional<LineFormat> Format() override { return format_; }

private:
    explicit Rfc2217Line(int fd) : TcpLine(fd) {}
    LineResult Send(const std::string& bytes);
    // Reads and answers what the server sends until `done`; the line's data is dropped
    // meanwhile. A failure of the connection, or `atDeadline` when the deadline comes first.
    LineResult AwaitServer(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline,
                           const LineFailure& atDeadline);

    TelnetCodec codec_;
    std::optional<LineFormat> format_;
};

}  // namespace telvor
