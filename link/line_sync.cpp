#include "line_sync.h"

#include <algorithm>
#include <chrono>

#include "modbus_ascii.h"

namespace telvor {
namespace {

constexpr int kFunctionEcho = 0x08;

// The data word of an echo request (positions 9-12), or -1.
std::int64_t EchoDataOf(std::string_view request) {
    if (FunctionOfFrame(request) != kFunctionEcho || request.size() < 13) return -1;
    std::int64_t data = 0;
    for (std::size_t at = 9; at < 13; ++at) {
        if (!IsUpperHexDigit(request[at])) return -1;
        data = 16 * data + HexDigitValue(request[at]);
    }
    return data;
}

}  // namespace

// Two programs on the same line (one after the other) start from different data.
LineSync::LineSync()
    : lastEcho_(static_cast<std::uint16_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

bool LineSync::NeedsEcho(std::string_view request) const {
    const auto owed = owed_.find(StationOfReply(request));
    if (owed == owed_.end()) return false;
    return std::any_of(owed->second.begin(), owed->second.end(), [&](const std::string& earlier) {
        return earlier != request && FunctionOfFrame(earlier) == FunctionOfFrame(request);
    });
}

std::int64_t LineSync::FreshEchoData() {
    do {
        ++lastEcho_;
    } while (lastEcho_ == kEchoTestData || EchoAwaited(lastEcho_));
    return lastEcho_;
}

bool LineSync::EchoAwaited(std::int64_t data) const {
    return std::any_of(owed_.begin(), owed_.end(), [&](const auto& station) {
        return std::any_of(station.second.begin(), station.second.end(),
                           [&](const std::string& request) { return EchoDataOf(request) == data; });
    });
}

void LineSync::Settle(std::string_view request, bool answered, bool anAttemptFailed) {
    const int station = StationOfReply(request);
    const auto owed = owed_.find(station);
    // Owed from before: the reply taken may have been the answer to an earlier attempt,
    // and the answer to this one may still come.
    const bool owedBefore =
        owed != owed_.end() && std::find(owed->second.begin(), owed->second.end(), request) != owed->second.end();
    // Otherwise the reply taken is the answer to one of this request's own attempts: every
    // reply to what was asked before has come in front of it.
    if (answered && !owedBefore && owed != owed_.end()) owed_.erase(owed);
    if (!owedBefore && (!answered || anAttemptFailed)) owed_[station].emplace_back(request);
}

}  // namespace telvor
