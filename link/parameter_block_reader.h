#pragma once
// Reads a set of parameters of one station with as few requests as the drive
// allows: the parameters' registers are grouped in runs without gaps, and each run is
// read with ReadParameterBlock in blocks of at most the block limit.
//
// A block that a drive refuses falls back. Exception 53 (data amount): the limit is
// halved and kept for the rest of the read, so that later runs start at a size that
// worked. Any other exception (52: a register the drive serves only alone): that block
// is halved, down to single ReadParameter transactions, and nothing is kept. No reply
// carrying the count asked for (the exchange drops it and ends in a time-out) or a
// damaged one: the block's parameters are read one at a time and the limit becomes 1;
// a station that has fallen silent is then reported by a single read, as the
// per-parameter read reports it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "parameter_keys.h"
#include "transactions.h"

namespace telvor {

// Parameters whose registers follow one another without a gap, in register order.
struct RegisterRun {
    int firstRegister = 0;
    std::vector<int> codes;
};

std::vector<RegisterRun> RegisterRuns(std::span<const int> codeIndexes);

class ParameterBlockReader {
public:
    ParameterBlockReader(ModbusTransport& port, int station, std::span<const int> codeIndexes,
                         int blockLimit = kDefaultParameterBlock);

    // One of the parameters as a one-value transaction: the value that a block read
    // already brought, or the run that holds it read now. A failure gives the transaction
    // that failed, to be reported as a failed ReadParameter would be.
    TransactionReply Read(int codeIndex);

    // The largest block this station has taken so far in this read.
    int BlockLimit() const { return limit_; }

private:
    std::optional<TransactionReply> ReadSpan(int firstRegister, std::span<const int> codes);
    std::optional<TransactionReply> ReadBlock(int firstRegister, std::span<const int> codes);

    ModbusTransport& port_;
    int station_;
    int limit_;
    std::vector<RegisterRun> runs_;
    std::array<std::optional<std::uint16_t>, kParameterCount> values_{};
};

}  // namespace telvor
