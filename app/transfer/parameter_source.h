#pragma once
// Where the parameter reads of a flow go: one ReadParameter per parameter (the
// default), or the blocks of a ParameterBlockReader when block reads are on.

#include <optional>
#include <span>

#include "parameter_block_reader.h"
#include "parameter_groups.h"

namespace telvor {

class ParameterSource {
public:
    // `codeIndexes`: every parameter that will be asked for (the blocks are planned from them).
    ParameterSource(ModbusTransport& port, int station, std::span<const int> codeIndexes, const ReadOptions& options);

    TransactionReply Read(int codeIndex);

private:
    ModbusTransport& port_;
    int station_;
    std::optional<ParameterBlockReader> blocks_;
};

}  // namespace telvor
