#pragma once
// The monitor of running drives as the main frame runs it: the start of the
// single-station monitor and of the monitor-all scan, the 400 ms tick that polls
// the monitored stations, the requests the windows post and the monitor's own
// failure report. The windows only show the tables and press buttons here; they
// never talk to the line themselves.

#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "monitor_input.h"
#include "monitor_tables.h"

namespace telvor {

class CSolvaneApp;
class UserInterface;
struct TransactionReply;

enum class MonitorWindow { None, Single, All };
enum class RequestKind { ControlWord = 1, FrequencyCommand = 2, SetData = 3 };

struct MonitorRequest {
    RequestKind kind;
    int station;
    // SetData: the parameter and value as they were when "Set" was pressed, so that
    // choosing another "Fun. no." before the request runs cannot redirect it.
    int codeIndex = 0;
    std::int32_t value = 0;
    bool operator==(const MonitorRequest&) const = default;
};

// What the open monitor window hears from the session.
class MonitorListener {
public:
    virtual ~MonitorListener() = default;
    // A poll step stored new values: show the tables again.
    virtual void MonitorRefreshed() = 0;
    // "&Abort" in the monitor-all window took the station off the poll.
    virtual void StationTakenOff(int station) = 0;
};

class MonitorSession {
public:
    MonitorSession(CSolvaneApp& app, UserInterface& ui);

    void SetListener(MonitorListener* listener) { listener_ = listener; }

    MonitorTables& Tables() { return *tables_; }
    StationMonitor& Station(int station);
    const StationMonitor& Station(int station) const;
    MonitorWindow Window() const { return window_; }
    int SingleStation() const { return singleStation_; }
    int Page() const { return page_; }
    void ShowPage(int page);

    // The Monitor command's two ways. True when the monitor window is open
    // afterwards (the caller shows it).
    bool StartSingle(int station);
    bool StartAll(const std::vector<int>& stations);
    // EXIT or the close box: the window is gone, the tables stay.
    void CloseWindow();

    // The window's buttons. They record the request in the tables and post it;
    // it is carried out between polls.
    void PressCommand(int station, Command command);
    void PressToggle(int station, Terminal terminal);
    // The two "Set" buttons: a refused text shows the message and posts nothing.
    // The set data of b95 that resets the drive asks the grid's question first; No
    // posts nothing (the result is then `declined`).
    CheckedInput PressFrequencySet(int station, std::string_view text);
    CheckedInput PressSetData(int station, std::string_view text);
    void SetSetDataMessageForm(SetDataMessageForm form) { setDataForm_ = form; }
    // "Fun. no." entry 0..110 for the station.
    void ChooseFunction(int station, int entry);
    // "Unlink" and "Link" of a panel of the monitor-all window.
    void UnlinkStation(int station);
    void LinkStation(int station);

    // The main frame's 400 ms tick: nothing unless linked and not busy; then the
    // waiting requests, one poll of the monitored station or page, and the
    // requests posted during the poll, with the modal-busy flag held.
    void TimerTick();
    // The same with the checks and the modal-busy flag left to the caller.
    void Poll();
    // Carries out the waiting requests now unless the modal-busy flag is set.
    void RunRequests();
    bool RequestsWaiting() const { return !requests_.empty(); }

    // The monitor-all tick polls every present station instead of the visible page
    // (the command line has no pages).
    void PollEveryPresentStation(bool every) { pollEveryPresent_ = every; }
    // Whether the last tick read all four values of the station.
    bool PolledInLastTick(int station) const { return polledInTick_[static_cast<std::size_t>(station)]; }
    // Monitor failures reported since the session began.
    int FailureCount() const { return failures_; }

private:
    void Post(MonitorRequest request);
    // Shows a refusal or asks a question with the modal-busy flag held.
    void ShowRefusal(const std::string& message);
    bool ConfirmReset(std::int32_t value);
    void RunQueuedRequests();
    void CarryOut(MonitorRequest request);
    bool ControlWordRequest(int station);
    void PollSingle();
    void PollPage();
    // One station's four reads; false when ReadFrequencyLimits failed.
    bool PollStation(int station);
    bool PollLimits(int station);
    bool PollValues(int station);
    bool PollStatus(int station);
    bool PollFunction(int station);
    // The station a good reply is filed under, or nothing after the failure report.
    StationMonitor* ReplyStation(const TransactionReply& reply, int station);
    void Refresh();
    // Reports a failed transaction of the monitor; false always.
    bool MonitorFailure(const TransactionReply& reply, int station);

    CSolvaneApp& app_;
    UserInterface& ui_;
    MonitorListener* listener_ = nullptr;
    std::unique_ptr<MonitorTables> tables_;
    MonitorWindow window_ = MonitorWindow::None;
    int singleStation_ = 1;
    int page_ = 0;
    std::deque<MonitorRequest> requests_;
    bool pollEveryPresent_ = false;
    SetDataMessageForm setDataForm_ = SetDataMessageForm::Monitor;
    std::array<bool, kMonitorTableSize> polledInTick_{};
    int failures_ = 0;
};

}  // namespace telvor
