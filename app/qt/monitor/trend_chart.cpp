#include "trend_chart.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>
#include <cmath>
#include <limits>

namespace telvor {
namespace {

struct ChannelLook {
    QColor color;
    Qt::Alignment side;
    Qt::PenStyle style;
};

// The frequencies and the bus voltage read on the left, the motor's voltage,
// current and power on the right; the set frequency is dashed, a reference.
const std::array<ChannelLook, kTrendChannelCount> kLooks = {{
    {QColor(110, 110, 110), Qt::AlignLeft, Qt::DashLine},
    {QColor(31, 119, 180), Qt::AlignLeft, Qt::SolidLine},
    {QColor(255, 127, 14), Qt::AlignRight, Qt::SolidLine},
    {QColor(214, 39, 40), Qt::AlignRight, Qt::SolidLine},
    {QColor(148, 103, 189), Qt::AlignRight, Qt::SolidLine},
    {QColor(44, 160, 44), Qt::AlignLeft, Qt::SolidLine},
}};

const std::array<QColor, 3> kMarkerColors = {QColor(200, 0, 0), QColor(0, 120, 0), QColor(0, 70, 170)};

// The top of a scale from 0 with five steps of 1, 2, 2.5, 4 or 5 times a power of ten.
double ScaleTop(double highest) {
    const double step = std::max(highest, 1.0) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    for (double nice : {1.0, 2.0, 2.5, 4.0, 5.0, 10.0})
        if (nice * power >= step) return 5 * nice * power;
    return 50 * power;
}

}  // namespace

TrendChart::TrendChart(const TrendRecord& record, TrendTimeWindow& window, QWidget* parent)
    // The view owns the chart it is made with; one set later would orphan the view's own.
    : QChartView(new QChart, parent),
      record_(record),
      window_(window),
      startMs_(static_cast<double>(
          std::chrono::duration_cast<std::chrono::milliseconds>(record.Start().time_since_epoch()).count())),
      time_(new QDateTimeAxis) {
    setObjectName("trend");
    QChart* chart = this->chart();
    time_->setFormat("HH:mm:ss");
    time_->setTickCount(5);
    chart->addAxis(time_, Qt::AlignBottom);
    for (TrendChannel channel : kTrendChannels) {
        const TrendChannelInfo& info = InfoOf(channel);
        const ChannelLook& look = kLooks[Slot(channel)];
        auto* series = new QLineSeries;
        series->setName(QString("%1 (%2)").arg(info.name, info.unit));
        series->setPen(QPen(look.color, 1, look.style));
        auto* axis = new QValueAxis;
        axis->setTitleText(info.unit);
        axis->setLabelFormat("%g");
        axis->setTickCount(6);
        axis->setLabelsColor(look.color);
        axis->setLinePenColor(look.color);
        axis->setTitleBrush(look.color);
        axis->setGridLineVisible(false);
        chart->addSeries(series);
        chart->addAxis(axis, look.side);
        series->attachAxis(time_);
        series->attachAxis(axis);
        series_[Slot(channel)] = series;
        axes_[Slot(channel)] = axis;
        SetChannelVisible(channel, channel == TrendChannel::OutputFrequency || channel == TrendChannel::OutputCurrent);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(2, 2, 2, 2));
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setMinimumSize(560, 300);
    Redraw();
}

void TrendChart::ShowChannel(TrendChannel channel, bool shown) {
    SetChannelVisible(channel, shown);
    Redraw();
}

void TrendChart::SetChannelVisible(TrendChannel channel, bool shown) {
    QLineSeries* series = Series(channel);
    series->setVisible(shown);
    Axis(channel)->setVisible(shown);
    for (QLegendMarker* marker : chart()->legend()->markers(series)) marker->setVisible(shown);
    if (!shown) series->clear();
}

bool TrendChart::ChannelShown(TrendChannel channel) const { return Series(channel)->isVisible(); }

double TrendChart::ChartX(double seconds) const { return startMs_ + seconds * 1000; }

void TrendChart::RedrawSoon() {
    if (redrawWaiting_) return;
    redrawWaiting_ = true;
    QMetaObject::invokeMethod(this, &TrendChart::Redraw, Qt::QueuedConnection);
}

void TrendChart::Redraw() {
    redrawWaiting_ = false;
    shown_ = window_.Shown(record_.FirstSeconds(), record_.LastSeconds());
    time_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ChartX(shown_.from))),
                    QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ChartX(shown_.to))));
    // One column per pixel of the plot (the whole view before the chart's first layout).
    const double plotWidth = chart()->plotArea().width();
    const int columns = std::max(1, static_cast<int>(plotWidth > 1 ? plotWidth : viewport()->width()));
    for (TrendChannel channel : kTrendChannels) {
        if (!ChannelShown(channel)) continue;
        QList<QPointF> points;
        double highest = 0;
        for (std::size_t sample : record_.Decimate(channel, shown_.from, shown_.to, columns)) {
            const double value = record_.Value(channel, sample);
            points.append(QPointF(ChartX(record_.SecondsOf(sample)), value));
            highest = std::max(highest, value);
        }
        Series(channel)->replace(points);
        Axis(channel)->setRange(0, ScaleTop(highest));
    }
    viewport()->update();
}

void TrendChart::SetSpan(double seconds) {
    window_.SetSpan(seconds);
    Redraw();
    emit viewChanged();
}

void TrendChart::TogglePause() {
    if (window_.Following()) {
        window_.Pause(record_.FirstSeconds(), record_.LastSeconds());
    } else {
        window_.Resume();
    }
    Redraw();
    emit viewChanged();
}

void TrendChart::ZoomBy(double factor, std::optional<double> anchor) {
    window_.Zoom(factor, anchor, record_.FirstSeconds(), record_.LastSeconds());
    Redraw();
    emit viewChanged();
}

void TrendChart::PanBy(double seconds) {
    window_.Pan(seconds, record_.FirstSeconds(), record_.LastSeconds());
    Redraw();
    emit viewChanged();
}

void TrendChart::ToStart() {
    window_.ToStart(record_.FirstSeconds(), record_.LastSeconds());
    Redraw();
    emit viewChanged();
}

void TrendChart::Follow() {
    window_.Resume();
    Redraw();
    emit viewChanged();
}

void TrendChart::SetCursor(double seconds) {
    cursor_ = record_.Nearest(seconds);
    viewport()->update();
    emit cursorMoved();
}

double TrendChart::XOf(double seconds) const {
    const QRectF plot = chart()->plotArea();
    return plot.left() + (seconds - shown_.from) / shown_.Span() * plot.width();
}

double TrendChart::SecondsAt(double x) const {
    const QRectF plot = chart()->plotArea();
    return shown_.from + (x - plot.left()) / std::max(plot.width(), 1.0) * shown_.Span();
}

void TrendChart::drawForeground(QPainter* painter, const QRectF& rect) {
    QChartView::drawForeground(painter, rect);
    const QRectF plot = chart()->plotArea();
    painter->save();
    painter->setClipRect(plot);
    DrawMarkers(*painter, plot);
    DrawCursor(*painter, plot);
    painter->restore();
}

// A dashed line per marker, its label at the top in a row of its kind; of the
// markers on one pixel only the first is drawn, and a label that would run into
// the one before it in its row is left out.
void TrendChart::DrawMarkers(QPainter& painter, const QRectF& plot) const {
    const auto [first, end] = record_.MarkersWithin(shown_.from, shown_.to);
    const QFontMetricsF metrics(painter.font());
    constexpr double kNone = -std::numeric_limits<double>::infinity();
    std::array<double, 3> lastLine = {kNone, kNone, kNone};
    std::array<double, 3> lastLabelEnd = {kNone, kNone, kNone};
    for (std::size_t i = first; i < end; ++i) {
        const TrendMarker& marker = record_.Markers()[i];
        const auto row = static_cast<std::size_t>(marker.kind);
        const double x = XOf(marker.seconds);
        if (x - lastLine[row] < 1) continue;
        lastLine[row] = x;
        painter.setPen(QPen(kMarkerColors[row], 1, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const QString label = QString::fromStdString(marker.label);
        if (x + 2 < lastLabelEnd[row] + 6) continue;
        const double baseline = plot.top() + metrics.ascent() + 2 + metrics.height() * static_cast<double>(row);
        painter.setPen(kMarkerColors[row]);
        painter.drawText(QPointF(x + 2, baseline), label);
        lastLabelEnd[row] = x + 2 + metrics.horizontalAdvance(label);
    }
}

// A line at the cursor's sample and a dot on every channel drawn there.
void TrendChart::DrawCursor(QPainter& painter, const QRectF& plot) const {
    if (!cursor_ || *cursor_ >= record_.Size()) return;
    const double x = XOf(record_.SecondsOf(*cursor_));
    if (x < plot.left() || x > plot.right()) return;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    for (TrendChannel channel : kTrendChannels) {
        if (!ChannelShown(channel)) continue;
        const QPointF at = chart()->mapToPosition(
            QPointF(ChartX(record_.SecondsOf(*cursor_)), record_.Value(channel, *cursor_)), Series(channel));
        painter.setBrush(kLooks[Slot(channel)].color);
        painter.drawEllipse(at, 3, 3);
    }
}

void TrendChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    Redraw();
}

void TrendChart::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    ZoomBy(std::pow(2.0, -notches), SecondsAt(mapToScene(event->position().toPoint()).x()));
    event->accept();
}

void TrendChart::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    dragX_ = mapToScene(event->position().toPoint()).x();
    event->accept();
}

void TrendChart::mouseMoveEvent(QMouseEvent* event) {
    const double x = mapToScene(event->position().toPoint()).x();
    if (dragX_) {
        const double seconds = (*dragX_ - x) / std::max(chart()->plotArea().width(), 1.0) * shown_.Span();
        dragX_ = x;
        PanBy(seconds);
    } else if (chart()->plotArea().contains(mapToScene(event->position().toPoint()))) {
        SetCursor(SecondsAt(x));
    }
    event->accept();
}

void TrendChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragX_.reset();
    event->accept();
}

void TrendChart::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: ZoomBy(0.5, std::nullopt); break;
        case Qt::Key_Minus: ZoomBy(2, std::nullopt); break;
        case Qt::Key_Left: PanBy(-shown_.Span() / 10); break;
        case Qt::Key_Right: PanBy(shown_.Span() / 10); break;
        case Qt::Key_PageUp: PanBy(-shown_.Span()); break;
        case Qt::Key_PageDown: PanBy(shown_.Span()); break;
        case Qt::Key_Home: ToStart(); break;
        case Qt::Key_End: Follow(); break;
        case Qt::Key_Space: TogglePause(); break;
        default: QChartView::keyPressEvent(event); return;
    }
    event->accept();
}

}  // namespace telvor
