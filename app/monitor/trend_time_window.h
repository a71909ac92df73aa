#pragma once
// Which stretch of the record the trend shows. Following, it shows the last
// minutes (1, 10, 60 or the whole record) and moves on with every poll; Pause,
// a pan or Home hold it still while the record keeps growing, and Resume (or End)
// follows again. Zoom changes the span around a time (the mouse's), which holds the
// window there; without one it keeps the newest sample at the right edge while
// following, and the middle otherwise.

#include <optional>

namespace telvor {

struct TrendRange {
    double from = 0;
    double to = 0;
    double Span() const { return to - from; }
};

class TrendTimeWindow {
public:
    static constexpr double kWholeRecord = 0;  // the span "All"
    static constexpr double kShortestSpan = 4;

    // The span of the window choice: seconds, or kWholeRecord.
    void SetSpan(double seconds) { span_ = seconds; }
    double Span() const { return span_; }
    bool Following() const { return following_; }

    // What is shown of a record that holds the times [first, latest]. A record
    // shorter than the span fills the window from its left edge.
    TrendRange Shown(double first, double latest) const;

    void Pause(double first, double latest);
    void Resume() { following_ = true; }
    // The span times `factor`, around `anchor` when there is one.
    void Zoom(double factor, std::optional<double> anchor, double first, double latest);
    // Moves the window by `seconds` (back when negative), within the record.
    void Pan(double seconds, double first, double latest);
    // The window at the record's beginning (Home).
    void ToStart(double first, double latest);

private:
    // Holds the window still at what it shows now.
    void Hold(double first, double latest);

    double span_ = 600;
    bool following_ = true;
    double end_ = 0;  // the right edge while not following
};

}  // namespace telvor
