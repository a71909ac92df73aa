#pragma once
// What the drive transactions need of a line. The desktop's CModbusAscii and the
// handheld's line both provide it: one request/reply exchange, the way back from a
// failed port, the line's step with its stations (LineSync, kept by the transactions),
// the line's statistics and how long an attempt waits for its reply.

#include <chrono>
#include <cstddef>
#include <optional>
#include <set>

#include "line_statistics.h"
#include "line_sync.h"

namespace telvor {

enum class ExchangeResult {
    ReplyTimeout = 0,        // no frame received
    ReplyChecksumError = 1,  // a frame arrived with a bad hex digit, a wrong LRC, or too short to hold one
    ReplyNormal = 2,         // valid frame, normal reply
    ReplyException = 3,      // valid frame whose function field has the high bit set
};

class ModbusTransport {
public:
    virtual ~ModbusTransport() = default;
    // Sends the request and classifies its reply, up to `attempts` times while nothing
    // answers. `received` (may be omitted) is the length of the reply put into `reply`.
    virtual ExchangeResult Exchange(const char* request, std::size_t requestLength, char* reply,
                                    std::size_t replyCapacity, int attempts, std::size_t* received = nullptr) = 0;
    // Closes the line (Unlink).
    virtual void CloseLine() = 0;
    // Before each attempt: a line whose port failed (a fault of the device, not a time-out)
    // is opened again by its name, once. False when that failed as well (the user has been
    // told why): the attempt is not made.
    virtual bool ReopenAfterPortError() { return true; }

    LineSync& Sync() { return sync_; }

    // The line's statistics; counted into `shared` instead once CountInto names one
    // (a command line that prints them after its line is gone).
    LineStatistics& Statistics() { return *statistics_; }
    void CountInto(LineStatistics& shared) { statistics_ = &shared; }

    // How long an attempt waits for its reply: nothing set, the line's read time-out;
    // a quick echo sets a shorter wait for its one attempt (QuickEchoWait).
    std::optional<std::chrono::milliseconds> ReplyWait() const { return replyWait_; }
    void SetReplyWait(std::optional<std::chrono::milliseconds> wait) { replyWait_ = wait; }

    // Stations whose echo was answered after its wait was over (the reply was dropped
    // as late); a quick scan asks them again.
    std::set<int>& LateEchoStations() { return lateEchoStations_; }

private:
    LineSync sync_;
    LineStatistics ownStatistics_;
    LineStatistics* statistics_ = &ownStatistics_;
    std::optional<std::chrono::milliseconds> replyWait_;
    std::set<int> lateEchoStations_;
};

}  // namespace telvor
