#include "pending_compare.h"

namespace telvor {

void PendingCompare::Clear() {
    mode = 0;
    present = {};
    for (auto& name : names) name.clear();
    differs = {};
}

}  // namespace telvor
