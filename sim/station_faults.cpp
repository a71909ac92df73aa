#include "station_faults.h"

#include <charconv>

namespace telvor::sim {
namespace {

bool ParseCount(std::string_view text, int& value) {
    int parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < 0) return false;
    value = parsed;
    return true;
}

}  // namespace

bool ApplyFault(StationFaults& faults, std::string_view name, std::string_view argument, std::string* error) {
    const auto needsArgument = [&](int& field) {
        if (ParseCount(argument, field)) return true;
        if (error) *error = "fault " + std::string(name) + " needs a number, not \"" + std::string(argument) + "\"";
        return false;
    };
    if (name == "clear") {
        faults = StationFaults{};
    } else if (name == "silent") {
        faults.silent = true;
    } else if (name == "every") {
        faults.requestsCounted = 0;
        return needsArgument(faults.answerEvery);
    } else if (name == "bad-lrc") {
        return needsArgument(faults.badLrcReplies);
    } else if (name == "stray") {
        faults.strayByte = true;
    } else if (name == "lower-case") {
        faults.lowerCase = true;
    } else if (name == "half-frame") {
        faults.halfFrame = true;
    } else if (name == "other-address") {
        if (!needsArgument(faults.otherAddress)) return false;
        if (faults.otherAddress < 1 || faults.otherAddress > 255) {
            if (error) *error = "other-address needs an address 1..255";
            faults.otherAddress = 0;
            return false;
        }
    } else if (name == "delay") {
        return needsArgument(faults.delayMs);
    } else if (name == "jitter") {
        faults.repliesDelayed = 0;
        return needsArgument(faults.jitterMs);
    } else if (name == "silent-after") {
        return needsArgument(faults.answersLeft);
    } else {
        if (error) *error = "unknown fault \"" + std::string(name) + "\"";
        return false;
    }
    return true;
}

}  // namespace telvor::sim
