#pragma once
// A drive on a real pty whose chosen replies come late. It answers one request at a
// time and in the order asked, as a MODBUS station does: it starts on a request once
// its reply to the one before is out, so a reply held back holds back every later one. Reads give each
// register's value, writes store theirs and are echoed, the echo returns the data it is sent; a write to a
// refused register gets the refusal's exception instead.

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "pty_pair.h"

namespace telvor::testing {

class DelayingDrive {
public:
    // Every register reads 100 + its number, but for the capacity code (model 8) and
    // the software version (12).
    explicit DelayingDrive(int station = 1);
    ~DelayingDrive();
    DelayingDrive(const DelayingDrive&) = delete;
    DelayingDrive& operator=(const DelayingDrive&) = delete;

    const std::string& Path() const { return line_.SlavePath(); }

    // The replies to the next occurrences of this request frame take the drive these
    // delays; later ones go out at once.
    void Delay(const std::string& request, std::vector<std::chrono::milliseconds> delays);
    // The next `count` requests, whatever they ask, get no reply.
    void Ignore(int count);
    void SetRegister(int reg, std::uint16_t value);
    std::uint16_t Register(int reg);
    // Writes to the register are refused with this exception code.
    void Refuse(int reg, int exceptionCode);
    // Every request frame received so far, CR LF included.
    std::vector<std::string> Requests();

private:
    struct Due {
        std::chrono::steady_clock::time_point at;
        std::string reply;
    };
    void Serve();
    void Take(const std::string& request);
    std::string Answer(const std::string& request);

    PtyPair line_;
    int station_;
    std::mutex mutex_;
    std::map<std::string, std::deque<std::chrono::milliseconds>> delays_;
    std::map<int, std::uint16_t> registers_;
    std::map<int, int> refusals_;
    std::vector<std::string> requests_;
    int ignore_ = 0;
    std::deque<Due> due_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace telvor::testing
