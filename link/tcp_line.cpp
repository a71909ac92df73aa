#include "tcp_line.h"

#include <cerrno>

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace telvor {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left) + 1;
}

// Connects one socket of the address; 0, or the errno of the failure (ETIMEDOUT at the deadline).
int ConnectOne(int fd, const addrinfo& address, Clock::time_point deadline) {
    if (connect(fd, address.ai_addr, address.ai_addrlen) == 0) return 0;
    if (errno != EINPROGRESS) return errno;
    pollfd waiter{fd, POLLOUT, 0};
    for (;;) {
        const int ready = poll(&waiter, 1, MillisecondsUntil(deadline));
        if (ready > 0) break;
        if (ready == 0) return ETIMEDOUT;
        if (errno != EINTR) return errno;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
    return error;
}

}  // namespace

int TcpLine::Connect(const LineAddress& address, Clock::time_point deadline, LineFailure& failure) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int error = getaddrinfo(address.host.c_str(), address.service.c_str(), &hints, &found); error != 0) {
        failure = {kErrorFileNotFound, address.host + ": " + gai_strerror(error)};
        return -1;
    }
    int lastError = ETIMEDOUT;
    int connected = -1;
    for (const addrinfo* at = found; at && connected < 0 && Clock::now() < deadline; at = at->ai_next) {
        const int fd = socket(at->ai_family, at->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, at->ai_protocol);
        if (fd < 0) {
            lastError = errno;
            continue;
        }
        lastError = ConnectOne(fd, *at, deadline);
        if (lastError == 0) connected = fd;
        else close(fd);
    }
    freeaddrinfo(found);
    if (connected < 0) {
        failure = lastError == ETIMEDOUT
                      ? LineFailure{kErrorTimeout, "no connection within " +
                                                       std::to_string(kConnectTimeout.count() / 1000) + " s"}
                      : FailureFromErrno(lastError);
        return -1;
    }
    // Each frame goes out as it is written, not held back for the next one.
    const int on = 1;
    setsockopt(connected, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return connected;
}

std::unique_ptr<TcpLine> TcpLine::Open(const LineAddress& address, LineFailure& failure) {
    const int fd = Connect(address, Clock::now() + kConnectTimeout, failure);
    if (fd < 0) return nullptr;
    return std::unique_ptr<TcpLine>(new TcpLine(fd));
}

TcpLine::~TcpLine() { close(fd_); }

LineRead TcpLine::ReadSome(unsigned char* bytes, std::size_t capacity) {
    const ssize_t n = recv(fd_, bytes, capacity, 0);
    if (n > 0) {
        // Acknowledge at once: a server that holds back the rest of a reply until the
        // first part is acknowledged (Nagle's algorithm) would otherwise wait for the
        // delayed acknowledgement, tens of milliseconds on every longer reply.
        const int on = 1;
        setsockopt(fd_, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
        return {static_cast<std::size_t>(n), std::nullopt};
    }
    if (n == 0) return {0, HangUpFailure("the server closed the connection")};
    if (errno == EAGAIN || errno == EINTR) return {};
    return {0, FailureFromErrno(errno)};
}

LineResult TcpLine::WriteAll(const unsigned char* bytes, std::size_t length) {
    return WriteAllTo(fd_, bytes, length, [](int fd, const unsigned char* some, std::size_t count) -> long {
        return send(fd, some, count, MSG_NOSIGNAL);
    });
}

LineResult TcpLine::DiscardInput() {
    unsigned char scratch[256];
    // A closed connection or a failure stays for the next read to report.
    while (ReadSome(scratch, sizeof scratch).count > 0) {
    }
    return std::nullopt;
}

}  // namespace telvor
