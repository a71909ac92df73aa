#include "parameter_block_reader.h"

#include <algorithm>
#include <utility>

namespace telvor {
namespace {

bool IsDataAmountException(const TransactionReply& reply) {
    return reply.result == ExchangeResult::ReplyException && reply.reply.size() >= 7 && reply.reply.substr(5, 2) == "53";
}

}  // namespace

std::vector<RegisterRun> RegisterRuns(std::span<const int> codeIndexes) {
    std::vector<std::pair<int, int>> byRegister;  // register, code
    for (const int code : codeIndexes)
        if (IsParameterCodeIndex(code)) byRegister.emplace_back(RegisterOfParameter(code), code);
    std::sort(byRegister.begin(), byRegister.end());
    std::vector<RegisterRun> runs;
    for (const auto& [reg, code] : byRegister) {
        if (runs.empty() || runs.back().firstRegister + static_cast<int>(runs.back().codes.size()) != reg)
            runs.push_back({reg, {}});
        runs.back().codes.push_back(code);
    }
    return runs;
}

ParameterBlockReader::ParameterBlockReader(ModbusTransport& port, int station, std::span<const int> codeIndexes,
                                           int blockLimit)
    : port_(port),
      station_(station),
      limit_(std::clamp(blockLimit, 1, kLargestParameterBlock)),
      runs_(RegisterRuns(codeIndexes)) {}

TransactionReply ParameterBlockReader::Read(int codeIndex) {
    const int slot = SlotOfCodeIndex(codeIndex);
    if (slot == kNoParameter) return ReadParameter(port_, station_, codeIndex);
    std::optional<std::uint16_t>& value = values_[static_cast<std::size_t>(slot)];
    if (!value) {
        const auto run = std::find_if(runs_.begin(), runs_.end(), [&](const RegisterRun& r) {
            return std::find(r.codes.begin(), r.codes.end(), codeIndex) != r.codes.end();
        });
        if (run == runs_.end()) return ReadParameter(port_, station_, codeIndex);
        if (std::optional<TransactionReply> failure = ReadSpan(run->firstRegister, run->codes)) return *failure;
    }
    TransactionReply known;
    known.result = ExchangeResult::ReplyNormal;
    known.values = {*value};
    known.replyStation = station_;
    return known;
}

std::optional<TransactionReply> ParameterBlockReader::ReadSpan(int firstRegister, std::span<const int> codes) {
    for (std::size_t at = 0; at < codes.size();) {
        const std::size_t count = std::min(static_cast<std::size_t>(limit_), codes.size() - at);
        if (auto failure = ReadBlock(firstRegister + static_cast<int>(at), codes.subspan(at, count))) return failure;
        at += count;
    }
    return std::nullopt;
}

std::optional<TransactionReply> ParameterBlockReader::ReadBlock(int firstRegister, std::span<const int> codes) {
    const auto store = [&](const TransactionReply& reply) {
        for (std::size_t k = 0; k < codes.size(); ++k)
            values_[static_cast<std::size_t>(SlotOfCodeIndex(codes[k]))] = reply.values[k];
    };
    if (codes.size() == 1) {
        TransactionReply single = ReadParameter(port_, station_, codes.front());
        if (!single.Ok()) return single;
        store(single);
        return std::nullopt;
    }
    const int count = static_cast<int>(codes.size());
    TransactionReply block = ReadParameterBlock(port_, station_, firstRegister, count);
    if (block.Ok()) {
        store(block);
        return std::nullopt;
    }
    const int half = (count + 1) / 2;
    if (IsDataAmountException(block)) {
        limit_ = std::min(limit_, half);
        return ReadSpan(firstRegister, codes);
    }
    if (block.result == ExchangeResult::ReplyException) {
        if (auto failure = ReadBlock(firstRegister, codes.first(static_cast<std::size_t>(half)))) return failure;
        return ReadBlock(firstRegister + half, codes.subspan(static_cast<std::size_t>(half)));
    }
    limit_ = 1;
    return ReadSpan(firstRegister, codes);
}

}  // namespace telvor
