#pragma once
// Serves a DriveLine on a pty pair: the slave side is reachable through a symlink,
// requests are cut into frames at their LF, replies go out after the time the
// line would take at the chosen baud rate.

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "drive_line.h"

namespace telvor::sim {

// A line format the drives are set to, as "9600-7E1" names it: baud rate, data bits
// 7 or 8, parity N, O or E, stop bits 1 or 2.
struct LineFormat {
    int baud = 38400;
    int dataBits = 8;
    char parity = 'N';
    int stopBits = 1;
};
bool ParseLineFormat(std::string_view text, LineFormat& format);

struct ServerOptions {
    std::string linkPath;                        // symlink to the pty's slave side
    int baud = 0;                                // 0: no line timing
    std::chrono::microseconds turnaround{2000};  // with line timing: the drive's time to answer
    std::string logPath;                         // one line per frame received; empty: no log
    std::string controlPath;                     // FIFO of control lines; empty: none
    // The drives' line format: requests arrive only while the pty is set to it (what a
    // drive at another format receives is noise); none: every format is heard.
    std::optional<LineFormat> format;
};

// The time a request and its reply take on a line at this baud rate, 10 bits per character.
std::chrono::microseconds LineTime(std::size_t requestLength, std::size_t replyLength, int baud);

class PtyServer {
public:
    PtyServer(DriveLine line, ServerOptions options);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pty pair, the link, the log and the control FIFO.
    bool Open(std::string* error);
    // Serves until Stop (from another thread or a signal handler: it only writes to a pipe).
    void Run();
    void Stop();
    // Run on a thread of its own, for tests in the same process.
    bool Start(std::string* error);

    const std::string& SlavePath() const { return slavePath_; }
    // Changes the line while it runs (faults, registers).
    void WithLine(const std::function<void(DriveLine&)>& change);
    bool ApplyControl(const std::string& line, std::string* error);

private:
    struct Pending {
        Clock::time_point due;
        std::string bytes;
    };
    void TakeBytes(const char* bytes, std::size_t count);
    void TakeControl();
    void SendDue();
    // Whether the pty is set to the drives' line format (always, without one).
    bool HearsLine() const;
    void Cleanup();

    DriveLine line_;
    ServerOptions options_;
    std::mutex mutex_;
    int master_ = -1;
    int slave_ = -1;  // held open so that the master never sees a hang-up between clients
    int control_ = -1;
    int wake_[2] = {-1, -1};
    std::FILE* log_ = nullptr;
    std::string slavePath_;
    std::string received_;
    std::string controlText_;
    std::deque<Pending> pending_;
    std::thread thread_;
    bool linked_ = false;
    bool fifoMade_ = false;
};

}  // namespace telvor::sim
