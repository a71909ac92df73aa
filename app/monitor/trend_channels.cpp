#include "trend_channels.h"


#include "parameter_catalogue.h"
#include "value_format.h"

namespace telvor {
namespace {

constexpr std::array<TrendChannelInfo, kTrendChannelCount> kInfos = {{
    {"Set freq.", "Hz", kFormatTwoDecimals, 0.01},
    {"Output freq.", "Hz", kFormatTwoDecimals, 0.01},
    {"Output volt.", "V", kFormatOneDecimal, 0.1},
    {"Output amp.", "A", kFormatOneDecimal, 0.1},
    {"Output power", "W", kFormatTwoDecimals, 0.01},
    {"Bus volt.", "V", kFormatOneDecimal, 0.1},
}};

}  // namespace

const TrendChannelInfo& InfoOf(TrendChannel channel) { return kInfos[static_cast<std::size_t>(IndexOf(channel))]; }

std::uint32_t RawChannelValue(const std::array<std::uint16_t, kMonitorValuesUsed>& values, TrendChannel channel) {
    switch (channel) {
        case TrendChannel::SetFrequency: return values[SetFrequency];
        case TrendChannel::OutputFrequency: return values[OutputFrequency];
        case TrendChannel::OutputVoltage: return values[OutputVoltage];
        case TrendChannel::OutputCurrent: return values[OutputCurrent];
        case TrendChannel::OutputPower: return std::uint32_t{values[OutputVoltage]} * values[OutputCurrent];
        case TrendChannel::BusVoltage: return values[BusVoltage];
    }
    return 0;
}

std::string ChannelValueText(TrendChannel channel, std::uint32_t raw) {
    const TrendChannelInfo& info = InfoOf(channel);
    return FormatRawValue(info.valueFormat, raw) + " " + info.unit;
}

}  // namespace telvor
