#pragma once
// The trend of the single-station window: the record of every poll since the
// window opened, its chart, and the controls to steer it: which channels, the
// time window (1, 10 or 60 minutes, or all), Pause/Resume, the cursor's reading
// of every channel, and the exports (the chart as PNG, the record as CSV).

#include <QWidget>
#include <array>
#include <chrono>
#include <string>

#include "atomic_file.h"
#include "trend_record.h"
#include "trend_time_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace telvor {

class TrendChart;
class UserInterface;
struct SavePathRequest;

class TrendPanel : public QWidget {
    Q_OBJECT
public:
    // The window choices in their order: 1, 10 and 60 minutes, and "All".
    static constexpr std::array<double, 4> kSpans = {60, 600, 3600, TrendTimeWindow::kWholeRecord};

    explicit TrendPanel(UserInterface& ui, QWidget* parent = nullptr);

    // What a poll read, now.
    void AddPoll(const StationMonitor& entry);
    // What a poll read, `seconds` after the window opened.
    void AddSample(double seconds, const StationMonitor& entry);

    const TrendRecord& Record() const { return record_; }
    TrendChart* Chart() const { return chart_; }
    // The time, state and every channel at the cursor.
    QString Readout() const;

    // The chart as it is shown, and the whole record; written whole or not at all.
    AtomicWriteResult SaveImage(const std::string& path) const;
    AtomicWriteResult SaveCsv(const std::string& path) const;

private:
    void AskAndSave(const SavePathRequest& request, AtomicWriteResult (TrendPanel::*save)(const std::string&) const);
    void ViewChanged();

    UserInterface& ui_;
    TrendRecord record_;
    TrendTimeWindow window_;
    std::chrono::steady_clock::time_point opened_;
    TrendChart* chart_;
    QPushButton* pause_;
    QLabel* readout_;
};

}  // namespace telvor
