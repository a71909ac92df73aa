#include "line_address.h"

#include <charconv>

namespace telvor {
namespace {

constexpr std::string_view kRawTcpScheme = "tcp://";
constexpr std::string_view kRfc2217Scheme = "rfc2217://";

bool IsPortNumber(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && number >= 1 && number <= 65535;
}

std::optional<LineAddress> ParseHostAndPort(LineKind kind, std::string_view text) {
    LineAddress address;
    address.kind = kind;
    std::string_view rest;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        address.host = text.substr(1, close - 1);
        rest = text.substr(close + 1);
    } else {
        const std::size_t colon = text.rfind(':');
        if (colon == std::string_view::npos) return std::nullopt;
        address.host = text.substr(0, colon);
        rest = text.substr(colon);
        if (address.host.find(':') != std::string::npos) return std::nullopt;  // IPv6 wants its brackets
    }
    if (address.host.empty() || rest.size() < 2 || rest.front() != ':') return std::nullopt;
    for (const char c : address.host)
        if (c == '/' || c == ' ' || c == '@') return std::nullopt;
    address.service = rest.substr(1);
    if (!IsPortNumber(address.service)) return std::nullopt;
    return address;
}

}  // namespace

bool IsNetworkAddress(std::string_view text) {
    return text.starts_with(kRawTcpScheme) || text.starts_with(kRfc2217Scheme);
}

std::optional<LineAddress> ParseLineAddress(std::string_view text) {
    if (text.starts_with(kRawTcpScheme)) return ParseHostAndPort(LineKind::RawTcp, text.substr(kRawTcpScheme.size()));
    if (text.starts_with(kRfc2217Scheme))
        return ParseHostAndPort(LineKind::Rfc2217, text.substr(kRfc2217Scheme.size()));
    if (text.empty() || text.find("://") != std::string_view::npos) return std::nullopt;
    LineAddress device;
    device.path = text;
    return device;
}

std::string DescribeLine(std::string_view destination) {
    const std::optional<LineAddress> address = ParseLineAddress(destination);
    if (!address) return std::string(destination) + ": not an address (tcp://HOST:PORT or rfc2217://HOST:PORT)";
    const std::string hostPort = (address->host.find(':') != std::string::npos ? "[" + address->host + "]"
                                                                               : address->host) +
                                 ":" + address->service;
    switch (address->kind) {
    case LineKind::RawTcp: return "raw TCP to " + hostPort + "; the line format is the server's own";
    case LineKind::Rfc2217: return "RFC 2217 to " + hostPort + "; the line format is set at the server";
    case LineKind::Device: break;
    }
    return address->path;
}

}  // namespace telvor
