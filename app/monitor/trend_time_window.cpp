#include "trend_time_window.h"

#include <algorithm>

namespace telvor {

TrendRange TrendTimeWindow::Shown(double first, double latest) const {
    const double end = following_ ? latest : end_;
    if (span_ == kWholeRecord) return {first, std::max(end, first + kShortestSpan)};
    if (end - span_ < first) return {first, first + span_};
    return {end - span_, end};
}

void TrendTimeWindow::Hold(double first, double latest) {
    const TrendRange shown = Shown(first, latest);
    span_ = shown.Span();
    end_ = shown.to;
    following_ = false;
}

void TrendTimeWindow::Pause(double first, double latest) {
    end_ = Shown(first, latest).to;
    following_ = false;
}

void TrendTimeWindow::Zoom(double factor, std::optional<double> anchor, double first, double latest) {
    const TrendRange shown = Shown(first, latest);
    const double span = std::max(shown.Span() * factor, kShortestSpan);
    if (factor > 1 && span >= latest - first) {
        span_ = kWholeRecord;
        end_ = latest;
        return;
    }
    span_ = span;
    if (following_ && !anchor) return;
    following_ = false;
    const double fixed = std::clamp(anchor.value_or((shown.from + shown.to) / 2), shown.from, shown.to);
    const double from = fixed - (fixed - shown.from) * span / shown.Span();
    end_ = std::clamp(from + span, std::min(first + span, latest), latest);
}

void TrendTimeWindow::Pan(double seconds, double first, double latest) {
    Hold(first, latest);
    end_ = std::clamp(end_ + seconds, std::min(first + span_, latest), latest);
}

void TrendTimeWindow::ToStart(double first, double latest) {
    Hold(first, latest);
    end_ = first + span_;
}

}  // namespace telvor
