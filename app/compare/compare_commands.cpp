#include "compare_commands.h"

#include <cstdio>

#include "document_save.h"
#include "drive_models.h"
#include "read_flow.h"
#include "solvane_app.h"
#include "user_interface.h"

namespace telvor {
namespace {

// Nothing while other link work, a scan or another command holds the line.
bool TakeModalBusy(CSolvaneApp& app) {
    LinkState& link = app.Link();
    if (link.modalBusy || link.stationScan) return false;
    link.modalBusy = true;
    return true;
}

bool EndCommand(CSolvaneApp& app, bool made) {
    app.Link().modalBusy = false;
    return made;
}

// The open document's save question with Yes, No and Cancel, then its window is
// closed; false when the user cancelled or the chosen save failed.
bool CloseOpenDocument(CSolvaneApp& app, UserInterface& ui) {
    CSolvaneDoc* doc = app.Document();
    if (!doc) return true;
    if (!SaveIfModified(*doc, ui, SaveButtons::YesNoCancel)) return false;
    app.CloseDocument();
    ui.DocumentClosed();
    return true;
}

void SetPendingSet(PendingCompare& pending, int set, const CompareFileSlot& slot, const std::string& absentName) {
    pending.present[set] = slot.loaded;
    pending.names[set] = slot.loaded ? slot.fileName : absentName;
    pending.sets[set] = slot.loaded ? slot.values : ParameterSet{};
}

bool MakeDocument(CSolvaneApp& app, UserInterface& ui) {
    app.readIntoNewDocument = false;
    app.NewDocument();
    ui.StatusChanged();
    return EndCommand(app, true);
}

}  // namespace

bool CanCompareInverterWithDefault(const LinkState& link) {
    return link.linked && !link.monitorOpen && !link.stationScan;
}

bool CanAccept(const FileWithFileData& data) { return data.files[0].loaded && data.files[1].loaded; }

bool CanAccept(const FileWithDefData& data) {
    for (const CompareFileSlot& slot : data.files)
        if (slot.loaded) return true;
    return false;
}

std::string StationSetName(int station) {
    char text[16];
    std::snprintf(text, sizeof text, "_%03d", station);
    return std::string("Station") + text;
}

std::optional<SelStationData> BeginCompareInverterDefault(CSolvaneApp& app) {
    if (!CanCompareInverterWithDefault(app.Link()) || !TakeModalBusy(app)) return std::nullopt;
    return SelStationData{app.Link().currentStation, app.Link().is50Hz};
}

bool FinishCompareInverterDefault(CSolvaneApp& app, UserInterface& ui, const std::optional<SelStationData>& choice) {
    if (!choice || !CloseOpenDocument(app, ui)) return EndCommand(app, false);
    const ReadAllResult read = ReadAllParameters(app, ui, choice->station, ParameterGroups{});
    if (!read.ok) return EndCommand(app, false);

    LinkState& link = app.Link();
    link.currentStation = choice->station;
    link.softwareVersion = read.softwareVersion;
    link.currentModel = read.capacityCode;
    link.stationIdentified = true;
    link.is50Hz = choice->is50Hz;

    // Set 1 is the read buffer, which the read has just filled.
    PendingCompare& pending = app.Pending();
    pending.Clear();
    pending.mode = CompareInverterDefault;
    pending.present = {true, false, false};
    pending.names[0] = StationSetName(choice->station);
    pending.sets[1] = {};
    pending.sets[2] = {};
    return MakeDocument(app, ui);
}

std::optional<FileWithFileData> BeginCompareFileFile(CSolvaneApp& app) {
    if (!TakeModalBusy(app)) return std::nullopt;
    return FileWithFileData{};
}

bool FinishCompareFileFile(CSolvaneApp& app, UserInterface& ui, const std::optional<FileWithFileData>& choice) {
    if (!choice || !CanAccept(*choice) || !CloseOpenDocument(app, ui)) return EndCommand(app, false);
    const CompareFileSlot& file1 = choice->files[0];
    const CompareFileSlot& file2 = choice->files[1];
    PendingCompare& pending = app.Pending();
    pending.Clear();
    pending.mode = CompareFileFile;
    SetPendingSet(pending, 0, file1, "");
    SetPendingSet(pending, 1, file2, "");
    SetPendingSet(pending, 2, CompareFileSlot{}, "");
    pending.differs = FileWithFileDiffers(file1.present, file1.values, file2.present, file2.values);
    return MakeDocument(app, ui);
}

std::optional<FileWithDefData> BeginCompareFilesDefault(CSolvaneApp& app) {
    if (!TakeModalBusy(app)) return std::nullopt;
    FileWithDefData data;
    data.modelIndex = IsModelIndex(app.Link().currentModel) ? app.Link().currentModel : 0;
    data.is50Hz = app.Link().is50Hz;
    return data;
}

bool FinishCompareFilesDefault(CSolvaneApp& app, UserInterface& ui, const std::optional<FileWithDefData>& choice) {
    if (!choice || !CanAccept(*choice) || !CloseOpenDocument(app, ui)) return EndCommand(app, false);
    LinkState& link = app.Link();
    link.currentModel = IsModelIndex(choice->modelIndex) ? choice->modelIndex : 0;
    link.is50Hz = choice->is50Hz;
    PendingCompare& pending = app.Pending();
    pending.Clear();
    pending.mode = CompareFilesDefault;
    for (int set = 0; set < kCompareSetCount; ++set) SetPendingSet(pending, set, choice->files[set], kAbsentSetName);
    return MakeDocument(app, ui);
}

}  // namespace telvor
