#pragma once
// The values the trend of the single-station window can draw, one channel each,
// in the order of the window's CURRENT group: their names, units and raw forms.

#include <array>
#include <cstdint>
#include <string>

#include "monitor_tables.h"

namespace telvor {

enum class TrendChannel { SetFrequency, OutputFrequency, OutputVoltage, OutputCurrent, OutputPower, BusVoltage };
inline constexpr int kTrendChannelCount = 6;
inline constexpr std::array<TrendChannel, kTrendChannelCount> kTrendChannels = {
    TrendChannel::SetFrequency,  TrendChannel::OutputFrequency, TrendChannel::OutputVoltage,
    TrendChannel::OutputCurrent, TrendChannel::OutputPower,     TrendChannel::BusVoltage};

struct TrendChannelInfo {
    const char* name;  // "Set freq.", as the window labels the value
    const char* unit;  // "Hz"
    int valueFormat;   // the catalogue's format of the raw value (two or one decimals)
    double scale;      // raw value times scale is the value in the unit
};

const TrendChannelInfo& InfoOf(TrendChannel channel);
inline int IndexOf(TrendChannel channel) { return static_cast<int>(channel); }

// The channel's raw value in one poll's monitor values: the registers' own, and
// for the output power voltage times current (two decimals, as the window shows it).
std::uint32_t RawChannelValue(const std::array<std::uint16_t, kMonitorValuesUsed>& values, TrendChannel channel);

// "50.00 Hz"
std::string ChannelValueText(TrendChannel channel, std::uint32_t raw);

}  // namespace telvor
