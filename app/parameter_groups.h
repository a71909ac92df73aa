#pragma once
// Which groups a read or a write moves: basic (A00..A12) and advanced (b00..b97).

namespace telvor {

struct ParameterGroups {
    bool basic = true;
    bool advanced = true;
};

}  // namespace telvor
