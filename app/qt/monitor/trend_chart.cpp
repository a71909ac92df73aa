#include "trend_chart.h"

#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace telvor {
namespace {

void DropBefore(QLineSeries* series, double seconds) {
    int old = 0;
    while (old < series->count() && series->at(old).x() < seconds) ++old;
    if (old > 0) series->removePoints(0, old);
}

double Highest(QLineSeries* series, double floor) {
    double highest = floor;
    for (const QPointF& point : series->points()) highest = std::max(highest, point.y());
    return highest;
}

}  // namespace

TrendChart::TrendChart(QWidget* parent)
    // The view owns the chart it is made with; one set later would orphan the view's own.
    : QChartView(new QChart, parent),
      frequency_(new QLineSeries),
      current_(new QLineSeries),
      time_(new QValueAxis),
      hertz_(new QValueAxis),
      amperes_(new QValueAxis) {
    setObjectName("trend");
    frequency_->setName("Output freq. (Hz)");
    current_->setName("Output amp. (A)");
    QChart* chart = this->chart();
    chart->addSeries(frequency_);
    chart->addSeries(current_);
    time_->setTitleText("s");
    time_->setLabelFormat("%d");
    hertz_->setLabelFormat("%.0f");
    amperes_->setLabelFormat("%.1f");
    chart->addAxis(time_, Qt::AlignBottom);
    chart->addAxis(hertz_, Qt::AlignLeft);
    chart->addAxis(amperes_, Qt::AlignRight);
    frequency_->attachAxis(time_);
    frequency_->attachAxis(hertz_);
    current_->attachAxis(time_);
    current_->attachAxis(amperes_);
    time_->setRange(0, kSpanSeconds);
    hertz_->setRange(0, 60);
    amperes_->setRange(0, 5);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(2, 2, 2, 2));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(420, 260);
}

void TrendChart::AddSample(double seconds, double hertz, double amperes) {
    frequency_->append(seconds, hertz);
    current_->append(seconds, amperes);
    const double start = std::max(0.0, seconds - kSpanSeconds);
    DropBefore(frequency_, start);
    DropBefore(current_, start);
    time_->setRange(start, std::max(start + kSpanSeconds, seconds));
    hertz_->setRange(0, Highest(frequency_, 60) * 1.05);
    amperes_->setRange(0, Highest(current_, 5) * 1.05);
}

}  // namespace telvor
