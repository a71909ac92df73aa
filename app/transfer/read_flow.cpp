#include "read_flow.h"

#include <vector>

#include "document_save.h"
#include "parameter_source.h"
#include "solvane_app.h"
#include "station_range.h"
#include "transactions.h"
#include "user_interface.h"

namespace telvor {
namespace {

// Reads the parameters of one group into `kept`; false after a reported failure.
bool ReadGroup(ParameterSource& source, UserInterface& ui, CProgressDialog& window, int firstCode, int firstSlot,
               int count, ParameterSet& kept) {
    window.SetRange(0, count);
    window.SetPos(0);
    for (int i = 0; i < count; ++i) {
        int code = firstCode + i;
        StepReadProgress(window, code);
        TransactionReply reply = source.Read(code);
        if (!reply.Ok()) {
            CommunicationFailureReport(ui, reply);
            return false;
        }
        kept[firstSlot + i] = reply.values.front();
    }
    return true;
}

}  // namespace

void StepReadProgress(CProgressDialog& window, int codeIndex) {
    window.Show();
    window.SetText(kReadProgressText + CodeText(codeIndex));
    window.StepIt();
    window.Repaint();
}

std::optional<ReadDialogData> BeginReadCommand(CSolvaneApp& app) {
    LinkState& link = app.Link();
    if (link.modalBusy || link.stationScan) return std::nullopt;
    link.modalBusy = true;
    ReadDialogData data;
    data.station = link.currentStation;
    data.locked = link.monitorOpen;
    return data;
}

ReadAllResult ReadAllParameters(CSolvaneApp& app, UserInterface& ui, int station, ParameterGroups groups) {
    ReadAllResult result;
    if (!app.Link().linked) {
        ui.RunFixedDialog(FixedDialog::NotLinked);
        return result;
    }
    if (!IsStationNumber(station)) {
        ui.ShowMessage("Error Message", "Address Error !", MessageIcon::Information);
        return result;
    }
    ModbusTransport& port = app.Line(ui);
    TransactionReply version = ReadSoftwareVersion(port, station);
    if (!version.Ok()) {
        CommunicationFailureReport(ui, version);
        return result;
    }
    TransactionReply capacity = ReadCapacityCode(port, station);
    if (!capacity.Ok()) {
        CommunicationFailureReport(ui, capacity);
        return result;
    }

    app.progressWindow = ui.CreateProgressDialog();
    std::vector<int> codes;
    for (int slot = 0; slot < kParameterCount; ++slot)
        if (slot < kBasicCount ? groups.basic : groups.advanced) codes.push_back(CodeIndexOfSlot(slot));
    ParameterSource source(port, station, codes, app.readOptions);
    ParameterSet kept{};
    bool ok = (!groups.basic || ReadGroup(source, ui, *app.progressWindow, 0, 0, kBasicCount, kept)) &&
              (!groups.advanced || ReadGroup(source, ui, *app.progressWindow, 100, kBasicCount, kAdvancedCount, kept));
    app.CloseProgressWindow();
    if (!ok) return result;

    ParameterSet& buffer = app.ReadBuffer();
    for (int slot = 0; slot < kSetSize; ++slot) {
        bool basicSlot = slot < kBasicCount;
        bool advancedSlot = slot >= kBasicCount && slot < kParameterCount;
        if ((basicSlot && groups.basic) || (advancedSlot && groups.advanced)) {
            buffer[slot] = kept[slot];
        } else if (slot >= kParameterCount) {
            buffer[slot] = 0;
        }
    }
    result.ok = true;
    result.softwareVersion = version.values.front();
    result.capacityCode = capacity.values.front();
    return result;
}

bool FinishReadCommand(CSolvaneApp& app, UserInterface& ui, const std::optional<ReadDialogData>& choice) {
    LinkState& link = app.Link();
    auto finish = [&link](bool read) {
        link.modalBusy = false;
        return read;
    };
    if (!choice) return finish(false);
    int station = choice->station;
    ParameterGroups groups = choice->groups;
    if (choice->locked) {
        station = link.currentStation;
        groups = ParameterGroups{};
    }

    if (CSolvaneDoc* doc = app.Document()) {
        if (!SaveIfModified(*doc, ui, SaveButtons::YesNo)) return finish(false);
        // A comparison is never refilled in place: its window is closed and the
        // read makes a new parameter document.
        if (app.Pending().mode != CompareNone || IsComparison(*doc) || ui.ViewInPrintPreview()) {
            app.CloseDocument();
            ui.DocumentClosed();
        }
    }

    app.ReadGroups() = groups;
    ReadAllResult read = ReadAllParameters(app, ui, station, groups);
    if (!read.ok) return finish(false);

    link.currentStation = station;
    link.softwareVersion = read.softwareVersion;
    link.currentModel = read.capacityCode;
    link.stationIdentified = true;
    app.Pending().Clear();
    ui.StatusChanged();

    if (CSolvaneDoc* doc = app.Document()) {
        PendingRead values{groups.basic, groups.advanced, app.ReadBuffer()};
        ReloadFromLink(*doc, link.currentModel, link.is50Hz, link.linked, values);
        ui.DocumentRefilled(*doc);
    } else {
        app.readIntoNewDocument = true;
        ui.NewDocumentFromRead(app.NewDocument());
    }
    return finish(true);
}

}  // namespace telvor
