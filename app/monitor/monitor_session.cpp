#include "monitor_session.h"

#include <algorithm>
#include <cstdio>

#include "fixed_dialog_text.h"
#include "link_flow.h"
#include "monitor_paging.h"
#include "monitor_texts.h"
#include "quick_scan.h"
#include "parameter_catalogue.h"
#include "solvane_app.h"
#include "station_range.h"
#include "transactions.h"
#include "user_interface.h"

namespace telvor {
namespace {

constexpr std::uint16_t kRunBit = 1u << 0;
constexpr std::uint16_t kReverseBit = 1u << 1;
constexpr std::uint16_t kFaultResetBit = 1u << 3;

std::string MonitorMessageText(int station) {
    char number[16];
    std::snprintf(number, sizeof number, ": %03d", station);
    return std::string("Communication error!!\nStation") + number;
}

// The control word with the station's command and toggle requests applied; the
// requests are cleared.
std::uint16_t ComposeControlWord(std::uint16_t word, StationMonitor& station) {
    const auto& command = station.commandRequests;
    if (command[CommandRun]) word |= kRunBit;
    if (command[CommandStop]) word &= static_cast<std::uint16_t>(~kRunBit);
    if (command[CommandForward]) word &= static_cast<std::uint16_t>(~kReverseBit);
    if (command[CommandReverse]) word |= kReverseBit;
    if (command[CommandFaultReset]) word |= kFaultResetBit;
    station.commandRequests.fill(false);
    for (int t = 0; t < kTerminalCount; ++t) {
        if (!station.toggleRequests[t]) continue;
        auto bit = static_cast<std::uint16_t>(1u << kTerminalControlBit[t]);
        word = station.terminals[t] ? static_cast<std::uint16_t>(word & ~bit) : static_cast<std::uint16_t>(word | bit);
    }
    station.toggleRequests.fill(false);
    return word;
}

bool AnyRequest(const StationMonitor& station) {
    auto set = [](bool flag) { return flag; };
    return std::any_of(station.commandRequests.begin(), station.commandRequests.end(), set) ||
           std::any_of(station.toggleRequests.begin(), station.toggleRequests.end(), set);
}

}  // namespace

MonitorSession::MonitorSession(CSolvaneApp& app, UserInterface& ui)
    : app_(app), ui_(ui), tables_(std::make_unique<MonitorTables>()) {}

StationMonitor& MonitorSession::Station(int station) {
    return tables_->stations[static_cast<std::size_t>(std::clamp(station, 0, kMonitorTableSize - 1))];
}

const StationMonitor& MonitorSession::Station(int station) const {
    return tables_->stations[static_cast<std::size_t>(std::clamp(station, 0, kMonitorTableSize - 1))];
}

void MonitorSession::ShowPage(int page) { page_ = std::clamp(page, 0, kLastPage); }

bool MonitorSession::StartSingle(int station) {
    LinkState& link = app_.Link();
    if (!link.linked) {
        ui_.RunFixedDialog(FixedDialog::NotLinked);
        return false;
    }
    ModbusTransport& port = app_.Line(ui_);
    TransactionReply version = ReadSoftwareVersion(port, station);
    if (!version.Ok()) {
        CommunicationFailureReport(ui_, version);
        return false;
    }
    link.softwareVersion = version.values.front();
    ui_.StatusChanged();
    TransactionReply capacity = ReadCapacityCode(port, station);
    if (!capacity.Ok()) {
        CommunicationFailureReport(ui_, capacity);
        return false;
    }
    link.currentModel = capacity.values.front();
    link.currentStation = station;
    link.stationIdentified = true;
    ui_.StatusChanged();

    tables_->Reset();
    Station(station).FunctionData({kCodeB89 / 100, kCodeB89 % 100}) = capacity.values.front();
    if (window_ == MonitorWindow::Single) return true;
    window_ = MonitorWindow::Single;
    singleStation_ = station;
    link.monitorOpen = true;
    requests_.clear();
    tables_->ClearRequests();
    Refresh();
    return true;
}

bool MonitorSession::StartAll(const std::vector<int>& stations) {
    LinkState& link = app_.Link();
    if (!link.linked) {
        ui_.RunFixedDialog(FixedDialog::NotLinked);
        return false;
    }
    tables_->Reset();
    link.stationScan = true;
    link.scanCancel = false;
    ModbusTransport& port = app_.Line(ui_);
    app_.cancelProgressWindow = ui_.CreateCancelProgressDialog([&link] { link.scanCancel = true; });
    CCancelProgressDialog& progress = *app_.cancelProgressWindow;
    progress.SetText(ScanText(stations.empty() ? kFirstStation : stations.front()));
    progress.SetRange(0, static_cast<int>(stations.size()));
    progress.SetPos(0);

    auto drainAndCancelled = [this, &link] {
        for (int i = 0; i < 2; ++i) {
            ui_.DrainEvents();
            if (link.scanCancel) return true;
        }
        return false;
    };
    for (int station : stations) {
        progress.Show();
        progress.SetText(ScanText(station));
        progress.StepIt();
        progress.Repaint();
        if (drainAndCancelled()) break;
        bool present = false;
        if (link.quickScan) {
            const bool answered = QuickEchoAnswered(port, station, app_.Settings().baudRate);
            if (drainAndCancelled()) break;
            present = answered && StationConfirmed(port, station);
        } else {
            ExchangeResult result = EchoTest(port, station, 1).result;
            if (drainAndCancelled()) break;
            if (result == ExchangeResult::ReplyTimeout || result == ExchangeResult::ReplyChecksumError)
                result = EchoTest(port, station, 1).result;
            present = result == ExchangeResult::ReplyNormal;
        }
        if (present) {
            Station(station).present = true;
            link.currentStation = station;
        }
        if (drainAndCancelled()) break;
    }
    link.stationScan = false;
    if (link.scanCancel) {
        app_.cancelProgressWindow.reset();  // Cancel destroyed the window
        return false;
    }
    app_.CloseCancelProgressWindow();
    if (window_ == MonitorWindow::All) return true;

    int first = stations.empty() ? kFirstStation : stations.front();
    for (int station = kFirstStation; station <= kLastStation; ++station) {
        if (Station(station).present) {
            first = station;
            break;
        }
    }
    page_ = FirstPageOf(first);
    window_ = MonitorWindow::All;
    link.monitorOpen = true;
    requests_.clear();
    Refresh();
    return true;
}

void MonitorSession::CloseWindow() {
    window_ = MonitorWindow::None;
    app_.Link().monitorOpen = false;
    requests_.clear();
}

void MonitorSession::PressCommand(int station, Command command) {
    auto& requests = Station(station).commandRequests;
    if (command == CommandRun || command == CommandStop) {
        requests[CommandRun] = command == CommandRun;
        requests[CommandStop] = command == CommandStop;
    } else if (command == CommandForward || command == CommandReverse) {
        requests[CommandForward] = command == CommandForward;
        requests[CommandReverse] = command == CommandReverse;
    } else {
        requests[command] = true;
    }
    Post({RequestKind::ControlWord, station});
}

void MonitorSession::PressToggle(int station, Terminal terminal) {
    Station(station).toggleRequests[terminal] = true;
    Post({RequestKind::ControlWord, station});
}

CheckedInput MonitorSession::PressFrequencySet(int station, std::string_view text) {
    StationMonitor& entry = Station(station);
    CheckedInput input = CheckFrequencyInput(entry, text);
    if (!input.InRange()) {
        ShowRefusal(input.message);
        return input;
    }
    entry.frequencyCommand = input.raw;
    Post({RequestKind::FrequencyCommand, station});
    return input;
}

CheckedInput MonitorSession::PressSetData(int station, std::string_view text) {
    const int codeIndex = Station(station).function.CodeIndex();
    CheckedInput input = CheckSetDataInput(codeIndex, text, setDataForm_);
    if (!input.InRange()) {
        ShowRefusal(input.message);
        return input;
    }
    if (codeIndex == kCodeB95 && input.raw != 0 && !ConfirmReset(input.raw)) {
        input.declined = true;
        return input;
    }
    Post({RequestKind::SetData, station, codeIndex, input.raw});
    return input;
}

void MonitorSession::ShowRefusal(const std::string& message) {
    LinkState& link = app_.Link();
    const bool wasBusy = link.modalBusy;
    link.modalBusy = true;
    ui_.ShowMessage(kMonitorErrorCaption, message, MessageIcon::Information);
    link.modalBusy = wasBusy;
}

bool MonitorSession::ConfirmReset(std::int32_t value) {
    LinkState& link = app_.Link();
    const bool wasBusy = link.modalBusy;
    link.modalBusy = true;
    const bool yes = ConfirmFactoryReset(ui_, value);
    link.modalBusy = wasBusy;
    return yes;
}

void MonitorSession::ChooseFunction(int station, int entry) {
    Station(station).function = FunctionChoiceOfEntry(std::clamp(entry, 0, kFunctionEntryCount - 1));
}

void MonitorSession::UnlinkStation(int station) {
    if (IsStationNumber(station)) Station(station).present = false;
}

void MonitorSession::LinkStation(int station) {
    if (IsStationNumber(station)) Station(station).present = true;
}

void MonitorSession::Post(MonitorRequest request) {
    // Requests of one kind for one station are one request: the tables hold
    // what they carry, so the one carried out takes everything pressed so far.
    if (std::find(requests_.begin(), requests_.end(), request) == requests_.end()) requests_.push_back(request);
}

void MonitorSession::TimerTick() {
    LinkState& link = app_.Link();
    if (!link.linked || link.modalBusy) return;
    link.modalBusy = true;
    Poll();
    link.modalBusy = false;
}

void MonitorSession::Poll() {
    const LinkState& link = app_.Link();
    RunQueuedRequests();
    polledInTick_.fill(false);
    if (link.monitorOpen && window_ == MonitorWindow::Single) PollSingle();
    if (link.monitorOpen && window_ == MonitorWindow::All) PollPage();
    RunQueuedRequests();
}

void MonitorSession::RunRequests() {
    LinkState& link = app_.Link();
    if (link.modalBusy || requests_.empty()) return;
    link.modalBusy = true;
    RunQueuedRequests();
    link.modalBusy = false;
}

void MonitorSession::RunQueuedRequests() {
    while (!requests_.empty()) {
        MonitorRequest request = requests_.front();
        requests_.pop_front();
        CarryOut(request);
    }
}

void MonitorSession::CarryOut(MonitorRequest request) {
    if (!app_.Link().linked) {
        ui_.RunFixedDialog(FixedDialog::NotLinked);
        return;
    }
    ModbusTransport& port = app_.Line(ui_);
    StationMonitor& station = Station(request.station);
    TransactionReply reply;
    switch (request.kind) {
    case RequestKind::ControlWord: ControlWordRequest(request.station); return;
    case RequestKind::FrequencyCommand:
        reply = WriteRegister(port, request.station, kRegisterFrequencyCommand, station.frequencyCommand);
        break;
    case RequestKind::SetData:
        reply = WriteParameter(port, request.station, request.codeIndex, request.value);
        break;
    }
    if (!reply.Ok()) MonitorFailure(reply, request.station);
}

bool MonitorSession::ControlWordRequest(int station) {
    if (!AnyRequest(Station(station))) return true;
    ModbusTransport& port = app_.Line(ui_);
    TransactionReply read = ReadControlWord(port, station);
    StationMonitor* replying = ReplyStation(read, station);
    if (!replying) return false;
    std::uint16_t word = ComposeControlWord(read.values.front(), *replying);
    TransactionReply written = WriteRegister(port, read.replyStation, kRegisterControlWord, word);
    return written.Ok() || MonitorFailure(written, read.replyStation);
}

void MonitorSession::PollSingle() { PollStation(singleStation_); }

void MonitorSession::PollPage() {
    std::vector<int> stations;
    if (pollEveryPresent_) {
        for (int station = kFirstStation; station <= kLastStation; ++station) stations.push_back(station);
    } else {
        for (int panel = 0; panel < kPanelsPerPage; ++panel) stations.push_back(StationOfPanel(page_, panel));
    }
    for (int station : stations) {
        if (window_ != MonitorWindow::All) return;
        if (!IsStationNumber(station) || !Station(station).present) continue;
        if (!PollStation(station)) return;
    }
}

bool MonitorSession::PollStation(int station) {
    if (!PollLimits(station)) return false;
    polledInTick_[static_cast<std::size_t>(station)] =
        PollValues(station) && PollStatus(station) && PollFunction(station);
    return true;
}

StationMonitor* MonitorSession::ReplyStation(const TransactionReply& reply, int station) {
    if (!reply.Ok()) {
        MonitorFailure(reply, station);
        return nullptr;
    }
    // A reply from an address no table holds is not filed anywhere.
    if (!IsStationNumber(reply.replyStation)) {
        TransactionReply bad = reply;
        bad.result = ExchangeResult::ReplyChecksumError;
        MonitorFailure(bad, station);
        return nullptr;
    }
    return &Station(reply.replyStation);
}

bool MonitorSession::PollLimits(int station) {
    TransactionReply reply = ReadFrequencyLimits(app_.Line(ui_), station);
    StationMonitor* entry = ReplyStation(reply, station);
    if (!entry) return false;
    entry->highLimit = reply.values[0];
    entry->lowLimit = reply.values[1];
    return true;
}

bool MonitorSession::PollValues(int station) {
    TransactionReply reply = ReadMonitorValues(app_.Line(ui_), station);
    StationMonitor* entry = ReplyStation(reply, station);
    if (!entry) return false;
    std::copy_n(reply.values.begin(), kMonitorValuesUsed, entry->values.begin());
    Refresh();
    return true;
}

bool MonitorSession::PollStatus(int station) {
    TransactionReply reply = ReadStatusWords(app_.Line(ui_), station);
    StationMonitor* entry = ReplyStation(reply, station);
    if (!entry) return false;
    for (int flag = 0; flag < kRunStatusFlags; ++flag) entry->runStatus[flag] = (reply.values[0] >> flag) & 1u;
    entry->faultCode = reply.values[1];
    for (int t = 0; t < kTerminalCount; ++t) entry->terminals[t] = (reply.values[2] >> kTerminalStatusBit[t]) & 1u;
    Refresh();
    return true;
}

bool MonitorSession::PollFunction(int station) {
    TransactionReply reply = ReadParameter(app_.Line(ui_), station, Station(station).function.CodeIndex());
    StationMonitor* entry = ReplyStation(reply, station);
    if (!entry) return false;
    entry->FunctionData(entry->function) = reply.values.front();
    Refresh();
    return true;
}

void MonitorSession::Refresh() {
    if (listener_) listener_->MonitorRefreshed();
}

bool MonitorSession::MonitorFailure(const TransactionReply& reply, int station) {
    LinkState& link = app_.Link();
    bool wasBusy = link.modalBusy;
    link.modalBusy = true;
    ++failures_;
    if (reply.result == ExchangeResult::ReplyTimeout && !reply.requestRefused && link.monitorOpen) {
        if (ui_.RunMonitorMessage(MonitorMessageText(station)) == DialogResult::Cancel) {
            if (window_ == MonitorWindow::All) {
                Station(station).present = false;
                if (listener_) listener_->StationTakenOff(station);
            } else {
                CloseWindow();
                Unlink(app_, ui_);
            }
        }
    } else {
        CommunicationFailureReport(ui_, reply);
    }
    link.modalBusy = wasBusy;
    return false;
}

}  // namespace telvor
