#pragma once
// A serial device through termios: opened for exclusive use in raw mode, without
// waiting, the settings found at the open put back when it closes.

#include <memory>
#include <string>

#include <termios.h>

#include "line_backend.h"

namespace telvor {

// The input flags of a line with or without parity. With parity every byte received is
// checked (INPCK), and one that fails the check reaches the reader as "\377\0" and the
// byte (PARMRK), so that the frame it belongs to fails its checks; it is neither dropped
// (IGNPAR) nor cut to 7 bits (ISTRIP). Without parity nothing is checked or marked.
tcflag_t InputFlagsForParity(tcflag_t inputFlags, bool parity);

class TermiosLine : public LineBackend {
public:
    // Null with the failure when the device cannot be opened, locked or set raw.
    static std::unique_ptr<TermiosLine> Open(const std::string& path, LineFailure& failure);
    ~TermiosLine() override;
    TermiosLine(const TermiosLine&) = delete;
    TermiosLine& operator=(const TermiosLine&) = delete;

    int Descriptor() const override { return fd_; }
    LineRead ReadSome(unsigned char* bytes, std::size_t capacity) override;
    LineResult WriteAll(const unsigned char* bytes, std::size_t length) override;
    LineResult DiscardInput() override;
    // Refused when the device does not take the whole format (a pty keeps 8 bits
    // without parity); the line is then left as it was.
    LineResult ApplyFormat(const LineFormat& format) override;
    LineResult ApplyHandshaking(int mode) override;
    std::optional<LineFormat> Format() override;
    bool TakesBaudRate(std::int32_t baudRate) const override;

private:
    TermiosLine(int fd, const termios& saved) : fd_(fd), saved_(saved) {}

    int fd_;
    termios saved_;  // the line settings found at the open
};

}  // namespace telvor
