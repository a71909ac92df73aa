#include "gsm_com.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "serial_port.h"

namespace telvor {
namespace {

using Clock = std::chrono::steady_clock;

// The hand-over of the receive buffer between the program and the read thread.
// Blocked: the thread takes nothing. Waiting: the program waits for a reply; the
// thread may take one line. Storing: the thread is filling the buffer. Stored: the
// buffer holds the reply; only the program touches it until it arms the next wait.
enum class Receive { Blocked, Waiting, Storing, Stored };

// The longest line the read thread assembles; bytes beyond it without a line feed are dropped.
constexpr std::size_t kLineCapacity = 4096;

struct SharedLine {
    CSerialPort port;
    const CGSMCom* owner = nullptr;
    // Bytes received and not yet taken as a line: the read thread's while it stores,
    // the program's while receiving is blocked.
    std::string assembled;
    std::array<char, kGsmReceiveBufferSize> buffer{};
    std::uint32_t count = 0;
    std::atomic<bool> run{false};
    std::atomic<Receive> receive{Receive::Blocked};
    std::mutex storedLock;
    std::condition_variable stored;
    int wakeRead = -1;
    int wakeWrite = -1;
};

SharedLine& Line() {
    static SharedLine line;
    return line;
}

void WakeReadThread() {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(Line().wakeWrite, &byte, 1);
}

void DrainWakeUps() {
    char bytes[64];
    while (read(Line().wakeRead, bytes, sizeof bytes) > 0) {
    }
}

// Ends the program's part of a wait: nothing is taken after this. A reply the read
// thread is storing at this moment is let finish. True when a reply was stored.
bool BlockReceiving() {
    auto& line = Line();
    Receive expected = Receive::Waiting;
    while (!line.receive.compare_exchange_weak(expected, Receive::Blocked)) {
        if (expected == Receive::Stored || expected == Receive::Blocked) {
            const bool stored = expected == Receive::Stored;
            line.receive.store(Receive::Blocked);
            return stored;
        }
        expected = Receive::Waiting;
        std::this_thread::yield();
    }
    return false;
}

// The port hands over whole lines: a line is taken once its line feed has arrived, and
// the bytes of an unfinished line stay until they are purged. No character but the line
// feed is special. If a reply is awaited, takes what has arrived and, when a whole line
// is there, the first one into the receive buffer, cut to its size. False when the port failed.
bool TakeReply() {
    auto& line = Line();
    Receive expected = Receive::Waiting;
    if (!line.receive.compare_exchange_strong(expected, Receive::Storing)) return true;
    std::array<char, kLineCapacity> bytes;
    std::size_t count = 0;
    bool failed = false;
    do {
        failed = line.port.ReadArrived(bytes.data(), kLineCapacity - line.assembled.size(), &count) != kErrorSuccess;
        line.assembled.append(bytes.data(), count);
    } while (count > 0 && line.assembled.size() < kLineCapacity);
    const std::size_t end = line.assembled.find('\n');
    if (end == std::string::npos) {
        if (line.assembled.size() >= kLineCapacity) line.assembled.clear();
        line.receive.store(Receive::Waiting);
        return !failed;
    }
    const auto taken = std::min(end + 1, kGsmReceiveBufferSize);
    std::copy_n(line.assembled.begin(), taken, line.buffer.begin());
    line.count = static_cast<std::uint32_t>(taken);
    line.assembled.erase(0, end + 1);
    {
        std::lock_guard lock(line.storedLock);
        line.receive.store(Receive::Stored);
    }
    line.stored.notify_all();
    return true;
}

}  // namespace

CGSMCom::~CGSMCom() {
    if (Line().owner == this) Close();
}

bool CGSMCom::IsOpen() const { return Line().owner == this && Line().port.IsOpen(); }

std::int16_t CGSMCom::Open(const std::string& name) {
    auto& line = Line();
    if (line.owner) const_cast<CGSMCom*>(line.owner)->Close();
    std::string portName = name;
    if (!portName.empty() && portName.back() == ':') portName.pop_back();
    line.port.SetProgramFolder(programFolder_);
    if (line.port.Open(portName, 300, 300) != kErrorSuccess) return -1;
    line.assembled.clear();
    if (line.port.Setup(baudRate, dataBits, parity, stopBits) != kErrorSuccess) {
        line.port.Close();
        return -1;
    }
    line.owner = this;
    if (!CreateReadThread()) {
        line.owner = nullptr;
        line.port.Close();
        return -2;
    }
    return 0;
}

bool CGSMCom::CreateReadThread() {
    auto& line = Line();
    if (readThread_.joinable() || !line.port.IsOpen()) return false;
    if (line.wakeRead < 0) {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
        line.wakeRead = ends[0];
        line.wakeWrite = ends[1];
    }
    line.receive.store(Receive::Blocked);
    line.run.store(true);
    try {
        readThread_ = std::thread(&CGSMCom::ReadLoop, this);
    } catch (const std::system_error&) {
        line.run.store(false);
        return false;
    }
    return true;
}

void CGSMCom::Close() {
    auto& line = Line();
    if (line.owner != this) return;
    line.run.store(false);
    WakeReadThread();
    if (readThread_.joinable()) readThread_.join();
    DrainWakeUps();
    line.receive.store(Receive::Blocked);
    line.port.Close();
    line.owner = nullptr;
}

void CGSMCom::ReadLoop() {
    auto& line = Line();
    const int fd = line.port.Handle();
    bool hungUp = false;
    while (line.run.load()) {
        // A line may be waiting already (two came at once), or bytes may have arrived
        // before the wait began.
        if (line.receive.load() == Receive::Waiting && !hungUp) hungUp = !TakeReply();
        // The port is watched only while a reply is awaited: bytes that arrive meanwhile
        // wait for the next wait instead of waking this thread over and over.
        const bool watchPort = line.receive.load() == Receive::Waiting && !hungUp;
        std::array<pollfd, 2> watched{{{line.wakeRead, POLLIN, 0}, {fd, static_cast<short>(watchPort ? POLLIN : 0), 0}}};
        if (poll(watched.data(), watched.size(), -1) < 0 && errno != EINTR) break;
        if (watched[0].revents & POLLIN) {
            DrainWakeUps();
            hungUp = false;
        }
        if (watchPort && (watched[1].revents & POLLIN) == 0 && (watched[1].revents & (POLLHUP | POLLERR | POLLNVAL)))
            hungUp = true;  // nothing can arrive; wait for the next wait or for Close
    }
    line.port.DiscardInput();
}

int CGSMCom::WriteProc(const char* request, int length) {
    auto& line = Line();
    Delay(static_cast<std::uint32_t>(kGsmWritePause.count()));
    BlockReceiving();
    if (line.owner != this || length < 0) return 0;
    line.port.DiscardInput();
    line.assembled.clear();
    return line.port.Write(request, static_cast<std::size_t>(length)) == kErrorSuccess ? 1 : 0;
}

bool CGSMCom::WaitResponse() { return WaitResponseUntil(Clock::now() + kGsmResponseWait); }

bool CGSMCom::WaitResponseUntil(Clock::time_point deadline) {
    auto& line = Line();
    if (line.owner != this) return false;
    line.count = 0;
    line.receive.store(Receive::Waiting);
    WakeReadThread();
    {
        std::unique_lock lock(line.storedLock);
        line.stored.wait_until(lock, deadline, [&line] { return line.receive.load() == Receive::Stored; });
    }
    return BlockReceiving();
}

int CGSMCom::ReadProc(char* buffer, std::uint32_t* count) {
    const auto& line = Line();
    std::copy(line.buffer.begin(), line.buffer.end(), buffer);
    *count = line.count;
    return 1;
}

void CGSMCom::Delay(std::uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace telvor
