#pragma once
// The chart of the single-station window's trend: the chosen channels of the
// record over the time window, each on a scale of its own, a legend, the markers
// where the fault, RUN/STOP or the direction changed, and a cursor. What it draws
// is decimated to the lowest and highest sample of each pixel column, so a day of
// polls draws as fast as a minute.
//
// Mouse: the wheel zooms around the time under it, dragging pans, hovering moves
// the cursor. Keys: + and - zoom, Left and Right pan a tenth of the window,
// Page Up and Page Down a whole window, Home goes to the beginning, End follows
// the newest polls again, Space pauses and resumes.

#include <QChartView>
#include <array>
#include <optional>

#include "trend_record.h"
#include "trend_time_window.h"

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace telvor {

class TrendChart : public QChartView {
    Q_OBJECT
public:
    TrendChart(const TrendRecord& record, TrendTimeWindow& window, QWidget* parent = nullptr);

    void ShowChannel(TrendChannel channel, bool shown);
    bool ChannelShown(TrendChannel channel) const;
    QLineSeries* Series(TrendChannel channel) const { return series_[Slot(channel)]; }
    QValueAxis* Axis(TrendChannel channel) const { return axes_[Slot(channel)]; }

    // The record's stretch that the time window shows, drawn again.
    void Redraw();
    // The same once the events waiting now have run: a poll's new sample is drawn
    // after its tick, and samples that come faster than the drawing share one redraw.
    void RedrawSoon();
    TrendRange Shown() const { return shown_; }

    // The view's moves, as the mouse and the keys make them.
    void SetSpan(double seconds);
    void TogglePause();
    // Around the time `anchor` (the mouse's), which holds the window; else see TrendTimeWindow::Zoom.
    void ZoomBy(double factor, std::optional<double> anchor);
    void PanBy(double seconds);
    void ToStart();
    void Follow();

    // The sample the cursor stands on, if the cursor was placed.
    std::optional<std::size_t> CursorSample() const { return cursor_; }
    void SetCursor(double seconds);

signals:
    // The window moved, or stopped or started following.
    void viewChanged();
    void cursorMoved();

protected:
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static std::size_t Slot(TrendChannel channel) { return static_cast<std::size_t>(IndexOf(channel)); }
    void SetChannelVisible(TrendChannel channel, bool shown);
    double XOf(double seconds) const;
    double SecondsAt(double x) const;
    double ChartX(double seconds) const;  // the time axis' value: milliseconds since the epoch
    void DrawMarkers(QPainter& painter, const QRectF& plot) const;
    void DrawCursor(QPainter& painter, const QRectF& plot) const;

    const TrendRecord& record_;
    TrendTimeWindow& window_;
    double startMs_;
    TrendRange shown_;
    QDateTimeAxis* time_;
    std::array<QLineSeries*, kTrendChannelCount> series_{};
    std::array<QValueAxis*, kTrendChannelCount> axes_{};
    std::optional<std::size_t> cursor_;
    std::optional<double> dragX_;
    bool redrawWaiting_ = false;
};

}  // namespace telvor
