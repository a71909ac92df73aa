#include "register_block_reads.h"

#include <charconv>

#include "simulated_drive.h"

namespace telvor::sim {

std::uint8_t RegisterBlockReads::Refusal(int start, int count) const {
    if (maxCount > 0 && count > maxCount) return kExceptionCount;
    if (count > 1 && singleOnly.lower_bound(start) != singleOnly.lower_bound(start + count)) return kExceptionAddress;
    return 0;
}

bool IsBlockReadControl(std::string_view verb) { return verb == "max-count" || verb == "single-only"; }

bool ApplyBlockReadControl(RegisterBlockReads& reads, std::string_view verb, std::string_view argument,
                           std::string* error) {
    int number = 0;
    const auto [end, failed] = std::from_chars(argument.data(), argument.data() + argument.size(), number);
    const bool whole = failed == std::errc() && end == argument.data() + argument.size();
    if (verb == "max-count" && whole && number >= 1 && number <= kMaxRegistersPerRequest) {
        reads.maxCount = number;
        return true;
    }
    if (verb == "single-only" && whole && number >= 0 && number <= 0xFFFF) {
        reads.singleOnly.insert(number);
        return true;
    }
    if (error)
        *error = std::string(verb) + (verb == "max-count" ? " needs a count 1..32" : " needs a register") +
                 ", not \"" + std::string(argument) + "\"";
    return false;
}

}  // namespace telvor::sim
