#pragma once
// The main frame's side of the monitor: the Monitor command, the one
// single-station window and the one monitor-all window, the tick that the 400 ms
// timer runs, and the requests the windows post, carried out between polls.

#include <QObject>
#include <QPointer>

#include "monitor_csv_log.h"
#include "monitor_session.h"

class QDialog;
class QWidget;

namespace telvor {

class CMonMultiDialog;
class CMonSingleDialog;
class CSolvaneApp;
class QtUserInterface;

class MonitorWindows : public QObject, public MonitorListener {
    Q_OBJECT
public:
    MonitorWindows(CSolvaneApp& app, QtUserInterface& ui, QWidget* owner);

    MonitorSession& Session() { return session_; }
    CMonSingleDialog* SingleWindow() const;
    CMonMultiDialog* MultiWindow() const;

    // The Monitor command: nothing while a monitor is open or a scan runs.
    void OnMonitor();
    // Opens the monitor for one station, or scans the stations and opens the
    // monitor-all window (what the Monitor dialog's OK does).
    void StartSingle(int station);
    void StartAll(const std::vector<int>& stations);
    // One monitor tick, run by the 400 ms timer while linked with the modal-busy
    // flag held; a window whose monitor ended ("&Abort") closes.
    void Poll();
    // The Station Title command: the document's titles in the dialog; OK puts
    // them back and shows them in the open monitor window's caption.
    void OnStationTitle();
    // The open window's caption(s) again (after the station titles changed).
    void RefreshCaptions();
    // Closes both windows (Unlink).
    void CloseWindows();

    // "Log to CSV...": asks for the file; every tick adds its lines until the window closes.
    void StartLog();

    void MonitorRefreshed() override;
    void StationTakenOff(int station) override;

signals:
    void stateChanged();

private:
    QString Caption(int station) const;
    void PostRequests();
    // The single-station window's trend gets the values the last poll read.
    void AddTrendSample();
    void WindowClosed();
    // Where the window was at the end of its last run (else its own size); kept
    // again when it closes.
    void KeepGeometry(QDialog& window);

    CSolvaneApp& app_;
    QtUserInterface& ui_;
    QWidget* owner_;
    MonitorSession session_;
    QPointer<CMonSingleDialog> single_;
    QPointer<CMonMultiDialog> multi_;
    MonitorCsvLog log_;
};

}  // namespace telvor
