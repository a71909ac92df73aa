#include "parameter_source.h"

namespace telvor {

ParameterSource::ParameterSource(ModbusTransport& port, int station, std::span<const int> codeIndexes,
                                 const ReadOptions& options)
    : port_(port), station_(station) {
    if (options.blockRead) blocks_.emplace(port, station, codeIndexes, options.blockLimit);
}

TransactionReply ParameterSource::Read(int codeIndex) {
    return blocks_ ? blocks_->Read(codeIndex) : ReadParameter(port_, station_, codeIndex);
}

}  // namespace telvor
