#include "link_flow.h"

#include <cstdio>

#include "quick_scan.h"
#include "solvane_app.h"
#include "station_range.h"
#include "transactions.h"
#include "user_interface.h"

namespace telvor {
namespace {

constexpr const char* kCommunicationCaption = "Communication Message";

std::string PortName(int comPort) { return "COM" + std::to_string(comPort); }

void DrainTwice(UserInterface& ui) {
    ui.DrainEvents();
    ui.DrainEvents();
}

// A failed link leaves the program unlinked with the port closed.
bool EndUnlinked(CSolvaneApp& app, UserInterface& ui) {
    LinkState& link = app.Link();
    if (app.Modbus().IsOpen()) app.Modbus().Close();
    link.linked = false;
    link.modalBusy = false;
    ui.StatusChanged();
    return false;
}

// The scan of a station list of two or more: the first station that answers at
// all (or with a bad reply) ends it. Stations that stay silent are removed from
// the list. False when none is left or the user cancelled.
bool ScanStations(CSolvaneApp& app, UserInterface& ui, ModbusTransport& port) {
    LinkState& link = app.Link();
    app.cancelProgressWindow = ui.CreateCancelProgressDialog([&link] { link.scanCancel = true; });
    CCancelProgressDialog& window = *app.cancelProgressWindow;
    window.SetRange(0, link.stationCount);
    window.SetPos(0);
    window.Show();
    link.stationScan = true;

    bool found = false;
    for (int& station : link.stationList) {
        if (station == 0) continue;
        window.SetText(ScanText(station));
        window.StepIt();
        window.Repaint();
        DrainTwice(ui);
        if (link.scanCancel) break;

        if (link.quickScan) {
            if (QuickEchoAnswered(port, station, app.Settings().baudRate)) {
                DrainTwice(ui);
                if (link.scanCancel) break;
                if (StationConfirmed(port, station)) {
                    found = true;
                    break;
                }
            }
        } else {
            ExchangeResult result = EchoTest(port, station, 1).result;
            if (result == ExchangeResult::ReplyTimeout || result == ExchangeResult::ReplyChecksumError) {
                DrainTwice(ui);
                if (link.scanCancel) break;
                result = EchoTest(port, station, 1).result;
            }
            if (result != ExchangeResult::ReplyTimeout) {
                found = true;
                break;
            }
        }
        station = 0;
        --link.stationCount;
        DrainTwice(ui);
        if (link.scanCancel) break;
    }

    if (link.scanCancel) {
        app.cancelProgressWindow.reset();  // Cancel destroyed the window
    } else {
        app.CloseCancelProgressWindow();
    }
    link.stationScan = false;
    if (!found || link.scanCancel || link.stationCount == 0) return false;
    for (int station : link.stationList) {
        if (station != 0) {
            link.currentStation = station;
            break;
        }
    }
    return true;
}

}  // namespace

std::string ScanText(int station) {
    char text[40];
    std::snprintf(text, sizeof text, "_%03d ... ... ...", station);
    return std::string("Station") + text;
}

LineSettings ShownLineSettings(LineSettings line) {
    if (line.baudRate != 4800 && line.baudRate != 9600 && line.baudRate != 19200) line.baudRate = 38400;
    if (line.dataBits != 7) line.dataBits = 8;
    if (line.parity != 1 && line.parity != 2) line.parity = 0;
    if (line.stopBits != 2) line.stopBits = 0;
    return line;
}

std::optional<LinkDialogData> BeginLinkCommand(CSolvaneApp& app) {
    LinkState& link = app.Link();
    if (link.stationScan) return std::nullopt;
    link.modalBusy = true;
    const ProgramSettings& settings = app.Settings();
    LinkDialogData data;
    data.line = {settings.comPort, settings.baudRate, settings.dataBits, settings.parity, settings.stopBits};
    data.stationText = std::to_string(link.currentStation);
    data.linked = link.linked;
    data.programFolder = app.ProgramFolder();
    data.quickScan = link.quickScan;
    return data;
}

void Unlink(CSolvaneApp& app, UserInterface& ui) {
    LinkState& link = app.Link();
    app.Line(ui).CloseLine();
    link.linked = false;
    ui.CloseMonitorWindows();
    link.monitorOpen = false;
    ui.StatusChanged();
}

bool FinishLinkCommand(CSolvaneApp& app, UserInterface& ui, LinkDialogAction action, const LinkDialogData& choice) {
    LinkState& link = app.Link();
    if (action == LinkDialogAction::Close) {
        link.modalBusy = false;
        return link.linked;
    }
    if (action == LinkDialogAction::Unlink) {
        Unlink(app, ui);
        link.modalBusy = false;
        return false;
    }

    const LineSettings line = TakeLinkChoice(app, choice);
    const std::int32_t opened = OpenLinkLine(app, ui, line);
    if (opened == kErrorAlreadyInitialized) {
        link.modalBusy = false;
        return link.linked;
    }
    if (opened != kErrorSuccess) {
        link.linked = false;
        link.modalBusy = false;
        ui.StatusChanged();
        return false;
    }
    if (!FindLinkedStation(app, ui, app.Modbus(ui))) return EndUnlinked(app, ui);
    link.linked = true;
    link.modalBusy = false;
    ui.StatusChanged();
    return true;
}

std::int32_t OpenLinkLine(CSolvaneApp& app, UserInterface& ui, const LineSettings& line) {
    CModbusAscii& port = app.Modbus(ui);
    const std::int32_t opened =
        port.Open(app.linkPath.empty() ? PortName(line.comPort) : app.linkPath, kLinkQueueSize, kLinkQueueSize);
    if (opened == kErrorAlreadyInitialized) {
        ui.ShowMessage(kCommunicationCaption, "COM Port already opened!", MessageIcon::Information);
    } else if (opened != kErrorSuccess) {
        ui.ShowMessage(kCommunicationCaption, "Communication error!!\nCan not open COM port!", MessageIcon::Stop);
    } else {
        port.Setup(line.baudRate, line.dataBits, line.parity, line.stopBits);
        port.SetupHandshaking(2);
    }
    return opened;
}

LineSettings TakeLinkChoice(CSolvaneApp& app, const LinkDialogData& choice) {
    const LineSettings line = ShownLineSettings(choice.line);
    ProgramSettings& settings = app.Settings();
    settings.comPort = line.comPort;
    settings.baudRate = line.baudRate;
    settings.dataBits = line.dataBits;
    settings.parity = line.parity;
    settings.stopBits = line.stopBits;
    const StationMarks marks =
        choice.allStations ? AllStations() : ParseStationRange(choice.stationText, EmptyStationText::MarkStationOne);
    LinkState& link = app.Link();
    link.stationList = marks.list;
    link.stationCount = marks.count;
    link.quickScan = choice.quickScan;
    return line;
}

bool FindLinkedStation(CSolvaneApp& app, UserInterface& ui, ModbusTransport& port) {
    LinkState& link = app.Link();
    link.scanCancel = false;
    if (link.stationCount == 0) return false;
    if (link.stationCount == 1) {
        link.currentStation = link.stationList.front();
        TransactionReply echo = EchoTest(port, link.currentStation, kEchoAttemptsSingle);
        if (!echo.Ok()) {
            CommunicationFailureReport(ui, echo);
            return false;
        }
    } else if (!ScanStations(app, ui, port)) {
        return false;
    }

    TransactionReply version = ReadSoftwareVersion(port, link.currentStation);
    if (!version.Ok()) {
        CommunicationFailureReport(ui, version);
        return false;
    }
    link.softwareVersion = version.values.front();
    TransactionReply capacity = ReadCapacityCode(port, link.currentStation);
    if (!capacity.Ok()) {
        CommunicationFailureReport(ui, capacity);
        return false;
    }
    link.currentModel = capacity.values.front();
    link.stationIdentified = true;
    return true;
}

std::string PortDevicePath(const CSolvaneApp& app, int comPort) {
    if (!app.linkPath.empty()) return app.linkPath;
    return DevicePathOfPort(PortName(comPort), app.ProgramFolder());
}

}  // namespace telvor
