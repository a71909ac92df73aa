#pragma once
// The live trend of the single-station window: output frequency (Hz, left axis)
// and output current (A, right axis) over the last minutes, one point per poll.

#include <QChartView>

class QLineSeries;
class QValueAxis;

namespace telvor {

class TrendChart : public QChartView {
    Q_OBJECT
public:
    static constexpr double kSpanSeconds = 300;  // five minutes

    explicit TrendChart(QWidget* parent = nullptr);

    // One poll's values at `seconds` since the monitor started; points older than
    // the span are dropped.
    void AddSample(double seconds, double hertz, double amperes);

    QLineSeries* Frequency() const { return frequency_; }
    QLineSeries* Current() const { return current_; }

private:
    QLineSeries* frequency_;
    QLineSeries* current_;
    QValueAxis* time_;
    QValueAxis* hertz_;
    QValueAxis* amperes_;
};

}  // namespace telvor
