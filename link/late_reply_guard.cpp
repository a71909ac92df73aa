#include "late_reply_guard.h"

#include <algorithm>

#include "modbus_ascii.h"

namespace telvor {

void LateReplyGuard::Sent(std::string_view request, Clock::time_point sent) {
    Forget(sent);
    waiting_.push_back({std::string(request), sent});
}

std::string LateReplyGuard::Received(std::string_view frame, Clock::time_point now) {
    Forget(now);
    const ExchangeResult result = ValidateReply(frame.data(), frame.size());
    const bool valid = result == ExchangeResult::ReplyNormal || result == ExchangeResult::ReplyException;
    const auto answered = std::find_if(waiting_.begin(), waiting_.end(), [&](const Attempt& attempt) {
        return !valid || ReplyAnswersRequest(attempt.request, frame);
    });
    if (answered == waiting_.end()) return {};
    lateness_ = std::max(lateness_, now - answered->sent);
    std::string request = std::move(answered->request);
    waiting_.erase(answered);
    return request;
}

LateReplyGuard::Clock::duration LateReplyGuard::QuietBefore(std::string_view next, Clock::time_point now) {
    Forget(now);
    if (lateness_ <= kReadTotalTimeout) return Clock::duration::zero();
    const bool blocked =
        std::any_of(waiting_.begin(), waiting_.end(), [&](const Attempt& attempt) { return Blocks(attempt, next); });
    return blocked ? 2 * lateness_ + kQuietMargin : Clock::duration::zero();
}

void LateReplyGuard::GiveUpBefore(std::string_view next) {
    std::erase_if(waiting_, [&](const Attempt& attempt) { return Blocks(attempt, next); });
}

bool LateReplyGuard::Blocks(const Attempt& attempt, std::string_view next) const {
    return attempt.request != next && RepliesLookAlike(attempt.request, next);
}

void LateReplyGuard::Forget(Clock::time_point now) {
    std::erase_if(waiting_, [&](const Attempt& attempt) { return now - attempt.sent > kHorizon; });
}

}  // namespace telvor
