#pragma once
// The lowest and the highest value of any stretch of one channel of the trend,
// found in time that grows with the logarithm of the record's length: a pyramid
// of the extremes of blocks of 16 samples, of 32, of 64 and so on, built as the
// samples arrive (each new sample costs a constant share of work).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace telvor {

struct TrendExtremes {
    std::size_t lowest = 0;   // sample index of a lowest value
    std::size_t highest = 0;  // sample index of a highest value
};

class TrendExtremesIndex {
public:
    static constexpr std::size_t kBlock = 16;

    // `values` has just grown by one sample.
    void Grown(const std::vector<std::uint32_t>& values);
    // The extremes of values[first, end); first < end <= values.size().
    TrendExtremes Of(const std::vector<std::uint32_t>& values, std::size_t first, std::size_t end) const;

private:
    struct Node {
        std::uint32_t lowest;
        std::uint32_t highest;
    };
    static Node Joined(const std::vector<std::uint32_t>& values, Node left, Node right);

    // levels_[j][i]: the extremes of samples [i * kBlock << j, (i + 1) * kBlock << j).
    std::vector<std::vector<Node>> levels_;
};

}  // namespace telvor
