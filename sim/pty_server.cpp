#include "pty_server.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "frame_trace.h"

namespace telvor::sim {

std::chrono::microseconds LineTime(std::size_t requestLength, std::size_t replyLength, int baud) {
    if (baud <= 0) return std::chrono::microseconds(0);
    const auto bits = static_cast<long long>(requestLength + replyLength) * 10;
    return std::chrono::microseconds(bits * 1000000 / baud);
}

bool ParseLineFormat(std::string_view text, LineFormat& format) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos || text.size() != dash + 4) return false;
    int baud = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + dash, baud);
    const char data = text[dash + 1], parity = text[dash + 2], stop = text[dash + 3];
    if (error != std::errc() || end != text.data() + dash || baud <= 0 || (data != '7' && data != '8') ||
        (parity != 'N' && parity != 'O' && parity != 'E') || (stop != '1' && stop != '2'))
        return false;
    format = {baud, data - '0', parity, stop - '0'};
    return true;
}

namespace {

int BaudOfSpeed(speed_t speed) {
    switch (speed) {
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}

}  // namespace

PtyServer::PtyServer(DriveLine line, ServerOptions options) : line_(std::move(line)), options_(std::move(options)) {}

PtyServer::~PtyServer() {
    if (thread_.joinable()) {
        Stop();
        thread_.join();
    }
    Cleanup();
}

void PtyServer::Cleanup() {
    if (linked_) unlink(options_.linkPath.c_str());
    if (fifoMade_) unlink(options_.controlPath.c_str());
    linked_ = fifoMade_ = false;
    for (int* fd : {&master_, &slave_, &control_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0) close(*fd);
        *fd = -1;
    }
    if (log_) std::fclose(log_);
    log_ = nullptr;
}

bool PtyServer::Open(std::string* error) {
    const auto fail = [&](const std::string& what) {
        if (error) *error = what + ": " + std::strerror(errno);
        Cleanup();
        return false;
    };
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return fail("cannot create a pty");
    const char* name = ptsname(master_);
    if (!name) return fail("cannot name the pty");
    slavePath_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios raw{};
    if (slave_ < 0 || tcgetattr(slave_, &raw) != 0) return fail("cannot open " + slavePath_);
    cfmakeraw(&raw);
    if (tcsetattr(slave_, TCSANOW, &raw) != 0) return fail("cannot set " + slavePath_ + " raw");
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) return fail("cannot create a pipe");
    if (!options_.logPath.empty()) {
        log_ = std::fopen(options_.logPath.c_str(), "w");
        if (!log_) return fail("cannot write " + options_.logPath);
    }
    if (!options_.controlPath.empty()) {
        unlink(options_.controlPath.c_str());
        if (mkfifo(options_.controlPath.c_str(), 0600) != 0) return fail("cannot create " + options_.controlPath);
        fifoMade_ = true;
        // Held open for writing as well, so that the FIFO never reports end of file between writers.
        control_ = open(options_.controlPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (control_ < 0) return fail("cannot open " + options_.controlPath);
    }
    if (!options_.linkPath.empty()) {
        unlink(options_.linkPath.c_str());
        if (symlink(slavePath_.c_str(), options_.linkPath.c_str()) != 0) return fail("cannot link " + options_.linkPath);
        linked_ = true;
    }
    return true;
}

void PtyServer::Stop() {
    const char byte = 1;
    // A full pipe already holds a wake-up.
    if (wake_[1] >= 0 && write(wake_[1], &byte, 1) < 0) {
    }
}

bool PtyServer::Start(std::string* error) {
    if (!Open(error)) return false;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void PtyServer::WithLine(const std::function<void(DriveLine&)>& change) {
    std::lock_guard lock(mutex_);
    change(line_);
}

bool PtyServer::ApplyControl(const std::string& line, std::string* error) {
    std::lock_guard lock(mutex_);
    return line_.ApplyControl(line, error);
}

void PtyServer::Run() {
    char buffer[512];
    for (;;) {
        int wait = -1;
        if (!pending_.empty()) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(pending_.front().due - Clock::now());
            wait = left.count() <= 0 ? 0 : static_cast<int>((left.count() + 999) / 1000);
        }
        pollfd fds[3] = {{wake_[0], POLLIN, 0}, {control_, POLLIN, 0}, {master_, POLLIN, 0}};
        const int ready = poll(fds, 3, wait);
        if (ready < 0 && errno != EINTR) return;
        if (fds[0].revents & POLLIN) return;
        // Control lines first: a test that changes a fault and then sends a request
        // finds the change made.
        if (fds[1].revents & POLLIN) TakeControl();
        if (fds[2].revents & POLLIN) {
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n > 0) TakeBytes(buffer, static_cast<std::size_t>(n));
        }
        SendDue();
    }
}

void PtyServer::TakeControl() {
    char buffer[256];
    for (ssize_t n; (n = read(control_, buffer, sizeof buffer)) > 0;) controlText_.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = controlText_.find('\n')) != std::string::npos;) {
        const std::string line = controlText_.substr(0, end);
        controlText_.erase(0, end + 1);
        std::string error;
        if (!ApplyControl(line, &error)) std::fprintf(stderr, "telvor-sim: %s\n", error.c_str());
    }
}

bool PtyServer::HearsLine() const {
    if (!options_.format) return true;
    termios line{};
    // The master side reports the line settings its slave side was given.
    if (tcgetattr(master_, &line) != 0) return false;
    const LineFormat& format = *options_.format;
    const tcflag_t parity = line.c_cflag & (PARENB | PARODD);
    const tcflag_t wanted = format.parity == 'N' ? 0 : format.parity == 'O' ? PARENB | PARODD : PARENB;
    return BaudOfSpeed(cfgetospeed(&line)) == format.baud && (line.c_cflag & CSIZE) == (format.dataBits == 7 ? CS7 : CS8) &&
           parity == wanted && ((line.c_cflag & CSTOPB) != 0) == (format.stopBits == 2);
}

void PtyServer::TakeBytes(const char* bytes, std::size_t count) {
    if (!HearsLine()) return;
    received_.append(bytes, count);
    for (std::size_t end; (end = received_.find('\n')) != std::string::npos;) {
        std::string chunk = received_.substr(0, end + 1);
        received_.erase(0, end + 1);
        // Whatever came before the ":" is line noise.
        const std::size_t start = chunk.find(':');
        if (start == std::string::npos) continue;
        const std::string frame = chunk.substr(start);
        if (log_) {
            std::fprintf(log_, "%s\n", ShowFrameBytes(frame).c_str());
            std::fflush(log_);
        }
        const Clock::time_point now = Clock::now();
        std::optional<LineReply> reply;
        {
            std::lock_guard lock(mutex_);
            reply = line_.Handle(frame, now);
        }
        if (!reply) continue;
        auto due = now + reply->delay + LineTime(frame.size(), reply->bytes.size(), options_.baud);
        if (options_.baud > 0) due += options_.turnaround;
        // A drive answers in the order it was asked: no reply overtakes one held back longer.
        if (!pending_.empty()) due = std::max(due, pending_.back().due);
        pending_.push_back({due, std::move(reply->bytes)});
    }
    // A line that never ends in LF is noise, not a frame in the making.
    if (received_.size() > 1024) received_.clear();
}

void PtyServer::SendDue() {
    const Clock::time_point now = Clock::now();
    while (!pending_.empty() && pending_.front().due <= now) {
        const std::string& bytes = pending_.front().bytes;
        for (std::size_t sent = 0; sent < bytes.size();) {
            const ssize_t n = write(master_, bytes.data() + sent, bytes.size() - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            break;  // nobody reads the line: the reply is lost, as on a real line
        }
        pending_.pop_front();
    }
}

}  // namespace telvor::sim
