#pragma once
// Keeps a reply to an earlier request from ever being taken for the answer to a
// later one, however late it comes.
//
// A station answers one request at a time, in the order it was asked. An attempt that
// timed out or failed may still be answered, and its reply would look like the answer
// to any later request of the same function. So a station whose requests have
// attempts that may still be answered is out of step: before a request of the same
// function but other content goes to it, the line is brought back in step by an echo
// (function 08, sub-function 0000) carrying data never sent before. Only the exact echo
// of that data answers it, and every reply to an earlier request comes before it and is
// dropped; after it the station owes nothing but replies to that echo, which answer no
// other request. A repeat of the same request needs no echo: whatever answer comes
// first is that request's. Replies to requests of another function are never taken
// (ReplyAnswersRequest compares the function), so they need none either.
//
// The transactions keep one LineSync per line and tell it how each request ended; it
// knows nothing of ports, only of frames.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace telvor {

class LineSync {
public:
    LineSync();

    // Whether the request's station must be brought back in step before it goes out.
    bool NeedsEcho(std::string_view request) const;
    // Data for the next echo: never the Link command's A537 and never the data of an
    // echo whose replies may still come.
    std::int64_t FreshEchoData();
    // The attempts of a request are over. `answered`: a reply that answers it was taken;
    // `anAttemptFailed`: one of them timed out or failed before.
    void Settle(std::string_view request, bool answered, bool anAttemptFailed);

private:
    bool EchoAwaited(std::int64_t data) const;

    // By station: the requests with attempts that may still be answered.
    std::map<int, std::vector<std::string>> owed_;
    std::uint16_t lastEcho_;
};

}  // namespace telvor
