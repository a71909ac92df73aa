#pragma once
// How a simulated drive takes reads of several registers at once: the largest
// count it answers (a larger request gets exception 53) and registers that it serves
// only one at a time (a read of more than one register that covers one gets
// exception 52, as a drive whose block reads stop short of such a register would).

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace telvor::sim {

struct RegisterBlockReads {
    int maxCount = 0;  // 0: only the drive's own limit
    std::set<int> singleOnly;

    // 0 when a read of `count` registers from `start` may be answered, else the exception code.
    std::uint8_t Refusal(int start, int count) const;
};

bool IsBlockReadControl(std::string_view verb);
// The control lines "max-count S N" (N 1..32) and "single-only S REG"; `verb` and
// `argument` are the line's first and third words.
bool ApplyBlockReadControl(RegisterBlockReads& reads, std::string_view verb, std::string_view argument,
                           std::string* error);

}  // namespace telvor::sim
