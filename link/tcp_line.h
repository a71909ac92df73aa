#pragma once
// A raw TCP line: a serial device server passes the line's bytes through one TCP
// connection as they are, at the line format set up on the server. The connection is
// made within kConnectTimeout, without Nagle's delay, and is never listened for: the
// program only connects.

#include <chrono>
#include <memory>

#include "line_address.h"
#include "line_backend.h"

namespace telvor {

inline constexpr std::chrono::milliseconds kConnectTimeout{3000};

class TcpLine : public LineBackend {
public:
    // Null with the failure when no connection is made within kConnectTimeout.
    static std::unique_ptr<TcpLine> Open(const LineAddress& address, LineFailure& failure);
    ~TcpLine() override;
    TcpLine(const TcpLine&) = delete;
    TcpLine& operator=(const TcpLine&) = delete;

    int Descriptor() const override { return fd_; }
    // A connection the server closed is a hang-up, as a device that is gone.
    LineRead ReadSome(unsigned char* bytes, std::size_t capacity) override;
    LineResult WriteAll(const unsigned char* bytes, std::size_t length) override;
    LineResult DiscardInput() override;
    // The line format and the modem lines are the server's own: nothing is sent.
    LineResult ApplyFormat(const LineFormat&) override { return std::nullopt; }
    LineResult ApplyHandshaking(int) override { return std::nullopt; }
    std::optional<LineFormat> Format() override { return std::nullopt; }
    bool TakesBaudRate(std::int32_t baudRate) const override { return baudRate > 0; }

protected:
    explicit TcpLine(int fd) : fd_(fd) {}
    // The connected socket of the address, or -1 with the failure.
    static int Connect(const LineAddress& address, std::chrono::steady_clock::time_point deadline,
                       LineFailure& failure);

private:
    int fd_;
};

}  // namespace telvor
