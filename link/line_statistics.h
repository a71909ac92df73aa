#pragma once
// What happened on one line since it was opened: every frame sent (the echoes that
// bring a station back in step included) and how each attempt ended.

#include <chrono>
#include <cstdint>
#include <string>

namespace telvor {

struct LineStatistics {
    std::int64_t sent = 0;        // requests written
    std::int64_t replies = 0;     // replies taken as the answer (exception replies included)
    std::int64_t timeouts = 0;    // attempts that ended without a reply
    std::int64_t checksum = 0;    // replies with a bad digit, a wrong LRC or a parity error
    std::int64_t exceptions = 0;  // exception replies
    std::int64_t late = 0;        // replies to earlier requests, dropped
    std::int64_t retries = 0;     // attempts after the first of a request
    std::chrono::microseconds replyTimeTotal{
        0};  // from the request written to its reply, summed over `replies`
    std::chrono::microseconds replyTimeLargest{0};

    void CountReply(std::chrono::microseconds replyTime);
    void Add(const LineStatistics& other);  // another line's counts into these
    double MeanReplyMilliseconds() const;
    double LargestReplyMilliseconds() const;
};

// "sent=N replies=N timeouts=N checksum=N exceptions=N late=N retries=N mean_reply_ms=X max_reply_ms=Y",
// the times with one decimal.
std::string LineStatisticsText(const LineStatistics& statistics);

}  // namespace telvor
