#include "trend_extremes.h"

#include <algorithm>

namespace telvor {

TrendExtremesIndex::Node TrendExtremesIndex::Joined(const std::vector<std::uint32_t>& values, Node left,
                                                    Node right) {
    return {values[right.lowest] < values[left.lowest] ? right.lowest : left.lowest,
            values[right.highest] > values[left.highest] ? right.highest : left.highest};
}

void TrendExtremesIndex::Grown(const std::vector<std::uint32_t>& values) {
    const std::size_t count = values.size();
    if (count % kBlock != 0) return;
    const auto first = static_cast<std::uint32_t>(count - kBlock);
    Node block{first, first};
    for (auto i = first + 1; i < count; ++i) block = Joined(values, block, {i, i});
    if (levels_.empty()) levels_.emplace_back();
    levels_[0].push_back(block);
    // Every pair completed on one level makes a node of the next.
    for (std::size_t j = 0; levels_[j].size() % 2 == 0; ++j) {
        if (levels_.size() == j + 1) levels_.emplace_back();
        const std::vector<Node>& level = levels_[j];
        levels_[j + 1].push_back(Joined(values, level[level.size() - 2], level.back()));
    }
}

TrendExtremes TrendExtremesIndex::Of(const std::vector<std::uint32_t>& values, std::size_t first,
                                     std::size_t end) const {
    Node best{static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(first)};
    auto take = [&](Node node) { best = Joined(values, best, node); };
    auto takeSamples = [&](std::size_t from, std::size_t to) {
        for (auto i = static_cast<std::uint32_t>(from); i < to; ++i) take({i, i});
    };
    // Loose samples up to the first whole block and after the last one; the
    // whole blocks between them from the pyramid, the widest nodes that fit.
    const std::size_t headEnd = std::min(end, (first + kBlock - 1) / kBlock * kBlock);
    takeSamples(first + 1, headEnd);
    if (headEnd == end) return {best.lowest, best.highest};
    const std::size_t tailStart = std::max(headEnd, end / kBlock * kBlock);
    takeSamples(tailStart, end);
    std::size_t left = headEnd / kBlock;
    std::size_t right = tailStart / kBlock;
    for (std::size_t j = 0; left < right; ++j, left /= 2, right /= 2) {
        if (left % 2 == 1) take(levels_[j][left++]);
        if (right % 2 == 1) take(levels_[j][--right]);
    }
    return {best.lowest, best.highest};
}

}  // namespace telvor
