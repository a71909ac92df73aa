#include "line_statistics.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace telvor {

void LineStatistics::CountReply(std::chrono::microseconds replyTime) {
    ++replies;
    replyTimeTotal += replyTime;
    replyTimeLargest = std::max(replyTimeLargest, replyTime);
}

void LineStatistics::Add(const LineStatistics& other) {
    sent += other.sent;
    replies += other.replies;
    timeouts += other.timeouts;
    checksum += other.checksum;
    exceptions += other.exceptions;
    late += other.late;
    retries += other.retries;
    replyTimeTotal += other.replyTimeTotal;
    replyTimeLargest = std::max(replyTimeLargest, other.replyTimeLargest);
}

double LineStatistics::MeanReplyMilliseconds() const {
    return replies == 0 ? 0.0
                        : static_cast<double>(replyTimeTotal.count()) / 1000.0 / static_cast<double>(replies);
}

double LineStatistics::LargestReplyMilliseconds() const {
    return static_cast<double>(replyTimeLargest.count()) / 1000.0;
}

std::string LineStatisticsText(const LineStatistics& statistics) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "sent=%" PRId64 " replies=%" PRId64 " timeouts=%" PRId64 " checksum=%" PRId64
                  " exceptions=%" PRId64 " late=%" PRId64 " retries=%" PRId64
                  " mean_reply_ms=%.1f max_reply_ms=%.1f",
                  statistics.sent, statistics.replies, statistics.timeouts, statistics.checksum,
                  statistics.exceptions, statistics.late, statistics.retries,
                  statistics.MeanReplyMilliseconds(), statistics.LargestReplyMilliseconds());
    return text;
}

}  // namespace telvor
