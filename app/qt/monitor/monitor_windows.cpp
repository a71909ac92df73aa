#include "monitor_windows.h"

#include <QTimer>

#include "mon_multi_dialog.h"
#include "mon_single_dialog.h"
#include "monitor_dialog.h"
#include "monitor_panel.h"
#include "monitor_texts.h"
#include "qt_user_interface.h"
#include "station_title_dialog.h"
#include "trend_panel.h"
#include "window_geometry.h"
#include "solvane_app.h"

namespace telvor {

MonitorWindows::MonitorWindows(CSolvaneApp& app, QtUserInterface& ui, QWidget* owner)
    : QObject(owner), app_(app), ui_(ui), owner_(owner), session_(app, ui) {
    session_.SetListener(this);
    connect(&ui_, &QtUserInterface::monitorWindowsClosing, this, &MonitorWindows::CloseWindows);
}

CMonSingleDialog* MonitorWindows::SingleWindow() const { return single_; }

CMonMultiDialog* MonitorWindows::MultiWindow() const { return multi_; }

QString MonitorWindows::Caption(int station) const {
    CSolvaneDoc* doc = app_.Document();
    const std::string* title = nullptr;
    if (doc && station >= 1 && station <= kStationTitleCount)
        title = &doc->stationTitles[static_cast<std::size_t>(station - 1)];
    return QString::fromStdString(StationCaption(station, title));
}

void MonitorWindows::OnMonitor() {
    LinkState& link = app_.Link();
    if (link.monitorOpen || link.stationScan) return;
    CMonitorDialog dialog(link.currentStation, owner_);
    if (ui_.RunModal(dialog) != QDialog::Accepted) return;
    if (dialog.AllStations()) {
        StartAll(dialog.StationList());
    } else {
        StartSingle(dialog.SingleStation());
    }
}

void MonitorWindows::StartSingle(int station) {
    if (!session_.StartSingle(station)) return;
    if (!single_) {
        single_ = new CMonSingleDialog(session_, ui_, station, owner_);
        connect(single_->Panel(), &MonitorPanel::requestPosted, this, &MonitorWindows::PostRequests);
        connect(single_, &QDialog::finished, this, &MonitorWindows::WindowClosed);
        connect(single_, &CMonSingleDialog::logRequested, this, &MonitorWindows::StartLog);
        KeepGeometry(*single_);
        single_->SetCaption(Caption(station));
        single_->show();
    }
    single_->activateWindow();
    single_->Panel()->Refresh();
    emit stateChanged();
}

void MonitorWindows::StartAll(const std::vector<int>& stations) {
    bool opened = session_.StartAll(stations);
    emit stateChanged();
    if (!opened) return;
    if (!multi_) {
        multi_ = new CMonMultiDialog(session_, [this](int station) { return Caption(station); }, owner_);
        connect(multi_, &CMonMultiDialog::requestPosted, this, &MonitorWindows::PostRequests);
        connect(multi_, &QDialog::finished, this, &MonitorWindows::WindowClosed);
        connect(multi_, &CMonMultiDialog::logRequested, this, &MonitorWindows::StartLog);
        KeepGeometry(*multi_);
        multi_->show();
    }
    multi_->ShowPage();
    multi_->activateWindow();
}

void MonitorWindows::KeepGeometry(QDialog& window) {
    const QString name = window.objectName();
    RestoreWindowGeometry(window, name);
    connect(&window, &QDialog::finished, this, [&window, name] { SaveWindowGeometry(window, name); });
}

void MonitorWindows::Poll() {
    session_.Poll();
    AddTrendSample();
    if (log_.IsOpen() && !log_.WriteTick(session_))
        ui_.ShowMessage("Error Message", "The monitor log could not be written; logging stopped.",
                        MessageIcon::Information);
    if (session_.Window() == MonitorWindow::None && (single_ || multi_)) CloseWindows();
}

void MonitorWindows::AddTrendSample() {
    const int station = session_.SingleStation();
    if (!single_ || !session_.PolledInLastTick(station)) return;
    single_->Trend()->AddPoll(session_.Station(station));
}

void MonitorWindows::PostRequests() {
    QTimer::singleShot(0, this, [this] { session_.RunRequests(); });
}

void MonitorWindows::OnStationTitle() {
    CSolvaneDoc* doc = app_.Document();
    LinkState& link = app_.Link();
    if (!doc || link.modalBusy) return;
    link.modalBusy = true;
    CStationTitleDialog dialog(doc->stationTitles, owner_);
    if (ui_.RunModal(dialog) == QDialog::Accepted) {
        ApplyStationTitles(*doc, dialog.Titles());
        RefreshCaptions();
    }
    link.modalBusy = false;
    emit stateChanged();
}

void MonitorWindows::RefreshCaptions() {
    if (single_) single_->SetCaption(Caption(session_.SingleStation()));
    if (multi_) multi_->ShowPage();
}

void MonitorWindows::CloseWindows() {
    if (single_) single_->close();
    if (multi_) multi_->close();
}

void MonitorWindows::StartLog() {
    std::optional<std::string> path = ui_.AskSavePath({"monitor.csv", "CSV Files (*.csv)|*.csv||", "csv", "Log to CSV"});
    if (!path) return;
    if (!log_.Open(*path, session_.Window() == MonitorWindow::All))
        ui_.ShowMessage("Error Message", "Can not create " + *path, MessageIcon::Information);
}

void MonitorWindows::WindowClosed() {
    log_.Close();
    session_.CloseWindow();
    emit stateChanged();
}

void MonitorWindows::MonitorRefreshed() {
    if (single_) single_->Panel()->Refresh();
    if (multi_) multi_->RefreshPanels();
}

void MonitorWindows::StationTakenOff(int station) {
    if (multi_) multi_->TakeOff(station);
}

}  // namespace telvor
