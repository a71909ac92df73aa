#pragma once
// Where a line leads: a serial device, or a serial device server on the network,
// reached in raw TCP ("tcp://HOST:PORT": the line's bytes as they are, at the
// server's own line format) or through Telnet with RFC 2217 ("rfc2217://HOST:PORT":
// the program sets the server's line format and modem lines).

#include <optional>
#include <string>
#include <string_view>

namespace telvor {

enum class LineKind { Device, RawTcp, Rfc2217 };

struct LineAddress {
    LineKind kind = LineKind::Device;
    std::string path;     // a device's path
    std::string host;     // a name, an IPv4 address, or an IPv6 address without its brackets
    std::string service;  // the TCP port, 1..65535
};

// "tcp://" or "rfc2217://" with HOST:PORT (an IPv6 host in brackets, "[::1]:4001")
// is a network line; a text without "://" is a device path. Anything else (another
// scheme, no port, a port outside 1..65535, something after it) is no line: nullopt.
std::optional<LineAddress> ParseLineAddress(std::string_view text);

// Whether the text names a network line (begins with a scheme of one).
bool IsNetworkAddress(std::string_view text);

// One line for a person: "/dev/ttyUSB0", "raw TCP to 10.0.0.5:4001; the line format is
// the server's own", "RFC 2217 to 10.0.0.5:4001; the line format is set at the server",
// or what is wrong with the text.
std::string DescribeLine(std::string_view destination);

}  // namespace telvor
