#pragma once
// Keeps a reply that comes after its attempt's read time-out from being taken as
// the answer to another request.
//
// Every attempt waits for its reply until one arrives or it is given up. A drive
// answers in the order it was asked, so a frame is the reply to the earliest waiting
// attempt it can answer; the exchange takes it only when that attempt asked the same
// as the one now waiting (a repeat carries the same answer). Before a request goes out,
// attempts of other requests whose replies would look like its reply are waited for:
// until they are answered, or until the line has been quiet for longer than twice the
// latest reply seen so far, after which they are given up. Nothing is waited for while
// no reply has come late; and an attempt is forgotten after kHorizon.

#include <chrono>
#include <deque>
#include <string>
#include <string_view>

namespace telvor {

class LateReplyGuard {
public:
    using Clock = std::chrono::steady_clock;

    // No drive on a working line answers later than this.
    static constexpr Clock::duration kHorizon = std::chrono::seconds(3);
    // Added to the quiet time, which must be longer than twice the lateness seen.
    static constexpr Clock::duration kQuietMargin = std::chrono::milliseconds(100);

    // An attempt of `request` went out at `sent` and waits for its reply.
    void Sent(std::string_view request, Clock::time_point sent);
    // A frame arrived at `now`: the reply to the earliest waiting attempt it can answer
    // (to the earliest waiting attempt of all when it is no valid reply), which then
    // waits no more. Returns that attempt's request, or an empty text when none waits.
    std::string Received(std::string_view frame, Clock::time_point now);
    // How long the line must have been quiet before `next` may go out; zero when no
    // attempt of another request with a look-alike reply waits, or no reply came late yet.
    Clock::duration QuietBefore(std::string_view next, Clock::time_point now);
    // The line was quiet that long: the look-alike attempts will never be answered.
    void GiveUpBefore(std::string_view next);

private:
    struct Attempt {
        std::string request;
        Clock::time_point sent;
    };
    bool Blocks(const Attempt& attempt, std::string_view next) const;
    void Forget(Clock::time_point now);

    std::deque<Attempt> waiting_;
    Clock::duration lateness_{};  // the latest reply so far, from its attempt's sending
};

}  // namespace telvor
