#pragma once
// A pty pair for tests: the test plays the far end of the line on the master side.

#include <chrono>
#include <string>

namespace telvor::testing {

class PtyPair {
public:
    PtyPair();  // check Ok()
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }
    void Send(const std::string& bytes);
    // Everything that arrives within the time-out after the last byte (at least `wait` for the first).
    std::string Receive(std::chrono::milliseconds wait = std::chrono::milliseconds(200));
    // What has arrived, after waiting at most `wait` for the first byte; no wait for more.
    std::string ReceiveAvailable(std::chrono::milliseconds wait);

private:
    int master_ = -1;
    int slave_ = -1;  // held open so that the master sees no hang-up between opens of the port
    std::string slavePath_;
};

}  // namespace telvor::testing
