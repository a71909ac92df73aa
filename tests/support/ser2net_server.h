#pragma once
// Debian's ser2net run by a test in the foreground in front of a device (the simulator's
// pty): one raw TCP port and one Telnet port with RFC 2217, both on 127.0.0.1 at free
// ports, without the per-reply wait (chardelay) that would dominate a local line.

#include <string>

#include "child_process.h"

namespace telvor::testing {

inline const char* const kSer2net = "/usr/sbin/ser2net";

// A TCP port on 127.0.0.1 that nothing listens on at the moment of the call.
int FreeLocalPort();

class Ser2netServer {
public:
    // Writes the configuration into `dir` and starts ser2net; true once both ports listen.
    // The device starts at `format` ("38400n81") until an RFC 2217 client sets it.
    bool Start(const TempDir& dir, const std::string& device, const std::string& format = "38400n81");
    // Ends it at once, as a server that loses its power.
    void Kill();

    std::string RawAddress() const { return "tcp://127.0.0.1:" + std::to_string(rawPort_); }
    std::string Rfc2217Address() const { return "rfc2217://127.0.0.1:" + std::to_string(rfc2217Port_); }
    // What ser2net printed, for a failure's explanation.
    std::string Output() const;

private:
    ChildProcess process_;
    std::string outputFile_;
    int rawPort_ = 0;
    int rfc2217Port_ = 0;
};

}  // namespace telvor::testing
