#pragma once
// The faults a simulated drive can show on the line, one set per station.

#include <string>
#include <string_view>

namespace telvor::sim {

struct StationFaults {
    bool silent = false;     // never answers
    int answerEvery = 0;     // answers only every Nth request (0 or 1: every request)
    int badLrcReplies = 0;   // the next K replies carry a wrong LRC
    bool strayByte = false;  // a NUL goes out before every reply
    bool lowerCase = false;  // hex letters of every reply in lower case
    bool halfFrame = false;  // only the first half of every reply, no CR LF
    int otherAddress = 0;    // replies carry this station address instead of its own (0: its own)
    int delayMs = 0;         // every reply is held back this much longer
    int jitterMs = 0;        // every other reply is held back this much more again
    int repliesDelayed = 0;  // replies since "jitter" was set, to pick every other one
    int answersLeft = -1;    // answers this many more requests, then falls silent (-1: no limit)
    int requestsCounted = 0; // requests since "every" was set, to pick the Nth
};

// Sets one fault by name: "silent", "every N", "bad-lrc K", "stray", "lower-case",
// "half-frame", "other-address A", "delay MS", "jitter MS", "silent-after N"; "clear"
// removes them all.
// Returns false (and an explanation in `error`) for an unknown name or a missing or bad argument.
bool ApplyFault(StationFaults& faults, std::string_view name, std::string_view argument, std::string* error);

}  // namespace telvor::sim
