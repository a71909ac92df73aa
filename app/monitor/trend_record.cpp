#include "trend_record.h"

#include <algorithm>

#include "monitor_texts.h"

namespace telvor {

std::string FaultMarkerLabel(int faultCode) {
    if (faultCode == 0) return "no fault";
    const std::string text = FaultText(faultCode);
    return text.empty() ? "fault " + std::to_string(faultCode) : text.substr(1);
}

void TrendRecord::Add(double seconds, const StationMonitor& entry) {
    seconds_.push_back(seconds_.empty() ? seconds : std::max(seconds, seconds_.back()));
    for (TrendChannel channel : kTrendChannels) {
        std::vector<std::uint32_t>& column = raw_[static_cast<std::size_t>(IndexOf(channel))];
        column.push_back(RawChannelValue(entry.values, channel));
        extremes_[static_cast<std::size_t>(IndexOf(channel))].Grown(column);
    }
    Status now{entry.faultCode, entry.runStatus[kRunningFlag], entry.runStatus[kReverseFlag], 0,
               static_cast<std::uint8_t>(entry.function.CodeIndex()), entry.FunctionData(entry.function)};
    for (int k = 0; k < kTerminalCount; ++k)
        if (entry.terminals[static_cast<std::size_t>(k)]) now.terminals |= static_cast<std::uint8_t>(1u << k);
    if (!status_.empty()) AddMarkers(status_.back(), now);
    status_.push_back(now);
}

void TrendRecord::AddMarkers(const Status& before, const Status& now) {
    const std::size_t sample = status_.size();
    const double seconds = seconds_.back();
    if (now.faultCode != before.faultCode)
        markers_.push_back({sample, seconds, TrendMarkerKind::Fault, FaultMarkerLabel(now.faultCode)});
    if (now.running != before.running)
        markers_.push_back({sample, seconds, TrendMarkerKind::RunStop, now.running ? kRunText : kStopText});
    if (now.reverse != before.reverse)
        markers_.push_back({sample, seconds, TrendMarkerKind::Direction, now.reverse ? kReverseText : kForwardText});
}

std::chrono::system_clock::time_point TrendRecord::TimeOf(std::size_t sample) const {
    return start_ + std::chrono::round<std::chrono::system_clock::duration>(
                        std::chrono::duration<double>(seconds_[sample]));
}

std::uint32_t TrendRecord::Raw(TrendChannel channel, std::size_t sample) const {
    return raw_[static_cast<std::size_t>(IndexOf(channel))][sample];
}

double TrendRecord::Value(TrendChannel channel, std::size_t sample) const {
    return Raw(channel, sample) * InfoOf(channel).scale;
}

void TrendRecord::FillEntry(std::size_t sample, StationMonitor& entry) const {
    entry.values[SetFrequency] = static_cast<std::uint16_t>(Raw(TrendChannel::SetFrequency, sample));
    entry.values[OutputFrequency] = static_cast<std::uint16_t>(Raw(TrendChannel::OutputFrequency, sample));
    entry.values[OutputVoltage] = static_cast<std::uint16_t>(Raw(TrendChannel::OutputVoltage, sample));
    entry.values[OutputCurrent] = static_cast<std::uint16_t>(Raw(TrendChannel::OutputCurrent, sample));
    entry.values[BusVoltage] = static_cast<std::uint16_t>(Raw(TrendChannel::BusVoltage, sample));
    const Status& status = status_[sample];
    entry.faultCode = status.faultCode;
    entry.runStatus[kRunningFlag] = status.running;
    entry.runStatus[kReverseFlag] = status.reverse;
    for (int k = 0; k < kTerminalCount; ++k) entry.terminals[static_cast<std::size_t>(k)] = status.terminals >> k & 1u;
    entry.function = {status.functionCode / 100, status.functionCode % 100};
    entry.FunctionData(entry.function) = status.functionData;
}

std::pair<std::size_t, std::size_t> TrendRecord::MarkersWithin(double from, double to) const {
    auto first = std::lower_bound(markers_.begin(), markers_.end(), from,
                                  [](const TrendMarker& marker, double t) { return marker.seconds < t; });
    auto end = std::upper_bound(first, markers_.end(), to,
                                [](double t, const TrendMarker& marker) { return t < marker.seconds; });
    return {static_cast<std::size_t>(first - markers_.begin()), static_cast<std::size_t>(end - markers_.begin())};
}

std::optional<std::size_t> TrendRecord::Nearest(double seconds) const {
    if (seconds_.empty()) return std::nullopt;
    auto after = std::lower_bound(seconds_.begin(), seconds_.end(), seconds);
    if (after == seconds_.end()) return seconds_.size() - 1;
    if (after == seconds_.begin()) return 0;
    auto before = after - 1;
    return static_cast<std::size_t>((seconds - *before <= *after - seconds ? before : after) - seconds_.begin());
}

std::vector<std::size_t> TrendRecord::Decimate(TrendChannel channel, double from, double to, int columns) const {
    const auto begin = seconds_.begin();
    const auto first = static_cast<std::size_t>(std::lower_bound(begin, seconds_.end(), from) - begin);
    const auto end = static_cast<std::size_t>(std::upper_bound(begin + static_cast<std::ptrdiff_t>(first),
                                                               seconds_.end(), to) - begin);
    std::vector<std::size_t> kept;
    if (first > 0) kept.push_back(first - 1);
    const auto width = static_cast<std::size_t>(std::max(columns, 1));
    if (end - first <= 2 * width) {
        for (std::size_t i = first; i < end; ++i) kept.push_back(i);
    } else {
        const std::vector<std::uint32_t>& values = raw_[static_cast<std::size_t>(IndexOf(channel))];
        const TrendExtremesIndex& extremes = extremes_[static_cast<std::size_t>(IndexOf(channel))];
        const double step = (to - from) / static_cast<double>(width);
        std::size_t columnStart = first;
        for (std::size_t c = 1; c <= width && columnStart < end; ++c) {
            const std::size_t columnEnd =
                c == width ? end
                           : static_cast<std::size_t>(std::lower_bound(begin + static_cast<std::ptrdiff_t>(columnStart),
                                                                       begin + static_cast<std::ptrdiff_t>(end),
                                                                       from + step * static_cast<double>(c)) -
                                                      begin);
            if (columnEnd == columnStart) continue;
            const TrendExtremes column = extremes.Of(values, columnStart, columnEnd);
            kept.push_back(std::min(column.lowest, column.highest));
            if (column.lowest != column.highest) kept.push_back(std::max(column.lowest, column.highest));
            columnStart = columnEnd;
        }
    }
    if (end < seconds_.size()) kept.push_back(end);
    return kept;
}

}  // namespace telvor
