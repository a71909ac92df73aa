#include "line_backend.h"

#include <cerrno>
#include <cstring>

#include <poll.h>

#include "line_address.h"
#include "rfc2217_line.h"
#include "tcp_line.h"
#include "termios_line.h"

namespace telvor {
namespace {

std::int32_t CodeOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR: return kErrorFileNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK: return kErrorAccessDenied;
    case ENOTTY: return kErrorNotSupported;
    case EINVAL: return kErrorInvalidParameter;
    case ETIMEDOUT: return kErrorTimeout;
    default: return kErrorDeviceFailure;
    }
}

}  // namespace

LineFailure FailureFromErrno(int error) { return {CodeOfErrno(error), std::strerror(error)}; }

LineFailure HangUpFailure(std::string text) { return {kErrorDeviceFailure, std::move(text)}; }

LineResult WriteAllTo(int fd, const unsigned char* bytes, std::size_t length, WriteSomeFunction writeSome) {
    std::size_t count = 0;
    while (count < length) {
        const long n = writeSome(fd, bytes + count, length - count);
        if (n > 0) {
            count += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return FailureFromErrno(errno);
        pollfd waiter{fd, POLLOUT, 0};
        if (poll(&waiter, 1, -1) < 0 && errno != EINTR) return FailureFromErrno(errno);
    }
    return std::nullopt;
}

OpenedBackend OpenLineBackend(std::string_view destination) {
    OpenedBackend opened;
    const std::optional<LineAddress> address = ParseLineAddress(destination);
    if (!address) {
        opened.failure = {kErrorFileNotFound, DescribeLine(destination)};
        return opened;
    }
    switch (address->kind) {
    case LineKind::RawTcp: opened.backend = TcpLine::Open(*address, opened.failure); break;
    case LineKind::Rfc2217: opened.backend = Rfc2217Line::Open(*address, opened.failure); break;
    case LineKind::Device: opened.backend = TermiosLine::Open(address->path, opened.failure); break;
    }
    return opened;
}

}  // namespace telvor
