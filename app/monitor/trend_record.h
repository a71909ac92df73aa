#pragma once
// Everything the single-station monitor read in one session, tick by tick, for
// its trend: the six channels, the run state, direction, fault, terminals and the
// chosen parameter of every poll, and the markers where the fault code, RUN/STOP
// or the direction changed. A day at the 400 ms tick is 216,000 samples; adding
// one costs the same however long the record is, and so does drawing any window
// of it (Decimate).

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor_tables.h"
#include "trend_channels.h"
#include "trend_extremes.h"

namespace telvor {

enum class TrendMarkerKind { Fault, RunStop, Direction };

struct TrendMarker {
    std::size_t sample;  // the first sample that shows the change
    double seconds;
    TrendMarkerKind kind;
    std::string label;  // "OC", "no fault", "RUN", "STOP", "FWD >>", "<< REV"
    bool operator==(const TrendMarker&) const = default;
};

// The label of a fault marker: the fault text without its blank, "no fault" for
// code 0 and "fault N" for a code without a text.
std::string FaultMarkerLabel(int faultCode);

class TrendRecord {
public:
    // `start`: the wall-clock time of second 0.
    explicit TrendRecord(std::chrono::system_clock::time_point start) : start_(start) {}

    // One poll's values `seconds` after the start; a time before the last
    // sample's is taken as the last sample's.
    void Add(double seconds, const StationMonitor& entry);

    std::size_t Size() const { return seconds_.size(); }
    bool Empty() const { return seconds_.empty(); }
    double SecondsOf(std::size_t sample) const { return seconds_[sample]; }
    double FirstSeconds() const { return seconds_.empty() ? 0 : seconds_.front(); }
    double LastSeconds() const { return seconds_.empty() ? 0 : seconds_.back(); }
    std::chrono::system_clock::time_point Start() const { return start_; }
    std::chrono::system_clock::time_point TimeOf(std::size_t sample) const;
    std::uint32_t Raw(TrendChannel channel, std::size_t sample) const;
    double Value(TrendChannel channel, std::size_t sample) const;
    // The monitor table entry of one sample, as the poll left it (for the log's columns).
    void FillEntry(std::size_t sample, StationMonitor& entry) const;

    const std::vector<TrendMarker>& Markers() const { return markers_; }
    // The markers at times within [from, to]: indices [first, second) of Markers().
    std::pair<std::size_t, std::size_t> MarkersWithin(double from, double to) const;
    // The sample nearest to a time; nothing while the record is empty.
    std::optional<std::size_t> Nearest(double seconds) const;

    // The samples that draw one channel over [from, to] on `columns` pixel
    // columns, in time order: every sample when there are at most two per column,
    // else the lowest and the highest of each column, so that every extreme of the
    // window is drawn. The samples just outside the window come with it, for the
    // lines to reach its edges.
    std::vector<std::size_t> Decimate(TrendChannel channel, double from, double to, int columns) const;

private:
    struct Status {
        std::uint16_t faultCode;
        bool running;
        bool reverse;
        std::uint8_t terminals;  // bit k: terminal k (S1, S2, S3, S4, AIN, RY1) on
        std::uint8_t functionCode;
        std::int32_t functionData;
    };
    void AddMarkers(const Status& before, const Status& now);

    std::chrono::system_clock::time_point start_;
    std::vector<double> seconds_;
    std::array<std::vector<std::uint32_t>, kTrendChannelCount> raw_;
    std::array<TrendExtremesIndex, kTrendChannelCount> extremes_;
    std::vector<Status> status_;
    std::vector<TrendMarker> markers_;
};

}  // namespace telvor
