#include "line_backend.h"

#include <cerrno>
#include <cstring>

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
