#pragma once
// What a read or a write moves: the basic (A00..A12) and advanced (b00..b97) groups;
// and how the parameter reads go: one ReadParameter each, or blocks.

#include "transactions.h"

namespace telvor {

struct ParameterGroups {
    bool basic = true;
    bool advanced = true;
};

struct ReadOptions {
    bool blockRead = false;
    int blockLimit = kDefaultParameterBlock;  // registers a request, 1..kLargestParameterBlock
};

}  // namespace telvor
