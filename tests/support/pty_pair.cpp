#include "pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace telvor::testing {

PtyPair::PtyPair() {
    char name[128] = {};
    termios raw{};
    cfmakeraw(&raw);
    int master = -1;
    if (openpty(&master, &slave_, name, &raw, nullptr) != 0) return;
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    master_ = master;
    slavePath_ = name;
}

PtyPair::~PtyPair() {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
}

void PtyPair::Send(const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = write(master_, bytes.data() + sent, bytes.size() - sent);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

std::string PtyPair::Receive(std::chrono::milliseconds wait) {
    std::string received;
    char buffer[256];
    pollfd waiter{master_, POLLIN, 0};
    while (poll(&waiter, 1, static_cast<int>(wait.count())) > 0) {
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        received.append(buffer, static_cast<std::size_t>(n));
        wait = std::chrono::milliseconds(50);
    }
    return received;
}

std::string PtyPair::ReceiveAvailable(std::chrono::milliseconds wait) {
    std::string received;
    char buffer[256];
    pollfd waiter{master_, POLLIN, 0};
    for (int timeout = static_cast<int>(wait.count()); poll(&waiter, 1, timeout) > 0; timeout = 0) {
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

}  // namespace telvor::testing
