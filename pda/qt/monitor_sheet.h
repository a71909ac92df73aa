#pragma once
// CINVMonSheet, the handheld's modal "Monitor" sheet of one station: the desktop's
// monitor panel with the handheld's labels, split over the pages "CURRENT",
// "CONTROL" and "TM2 Status", polled every 400 ms through the monitor session
// while it is open. Each page scrolls when the screen is smaller than the page,
// and "Close" ends the sheet.

#include <QDialog>
#include <QTimer>

#include "monitor_session.h"

class QTabWidget;

namespace telvor {

class MonitorPanel;

class CINVMonSheet : public QDialog, public MonitorListener {
    Q_OBJECT
public:
    static constexpr int kTimerPeriodMs = 400;

    CINVMonSheet(MonitorSession& session, int station, QWidget* parent = nullptr);
    ~CINVMonSheet() override;

    QTabWidget* Pages() const { return pages_; }
    MonitorPanel* Panel() const { return panel_; }

    void MonitorRefreshed() override;
    void StationTakenOff(int) override {}

private:
    void Tick();
    // As large as the pages want, but never larger than the program's window.
    void FitOwner();

    MonitorSession& session_;
    MonitorPanel* panel_;
    QTabWidget* pages_;
    QTimer timer_;
};

}  // namespace telvor
