#pragma once
// The three compare commands around their dialogs: Inverter with Default, File
// with File and Files with Default. Each Begin sets the modal-busy flag and gives
// what its dialog starts with; each Finish (nothing: the dialog was cancelled)
// closes the open document after its save question, fills the pending
// comparison, makes the compare document through the New path and clears the
// flag, whichever way the command ends. Finish is true when a document was made.

#include <array>
#include <optional>

#include "compare_input_file.h"

namespace telvor {

class CSolvaneApp;
struct LinkState;
class UserInterface;

inline constexpr const char* kAbsentSetName = "------";

// Whether Compare Inverter with Default may start: linked, with no monitor window
// open and no station scan running (a monitor window sets monitorOpen).
bool CanCompareInverterWithDefault(const LinkState& link);

struct SelStationData {
    int station = 1;  // 1..254
    bool is50Hz = true;
};

struct FileWithFileData {
    std::array<CompareFileSlot, 2> files;
    int loadCount = 0;
};

struct FileWithDefData {
    std::array<CompareFileSlot, kCompareSetCount> files;
    int loadCount = 0;
    int modelIndex = 0;  // 0..10
    bool is50Hz = true;
};

// OK of each file dialog is taken only when these hold; otherwise it does nothing.
bool CanAccept(const FileWithFileData& data);
bool CanAccept(const FileWithDefData& data);

// "Station_007" for station 7.
std::string StationSetName(int station);

std::optional<SelStationData> BeginCompareInverterDefault(CSolvaneApp& app);
bool FinishCompareInverterDefault(CSolvaneApp& app, UserInterface& ui, const std::optional<SelStationData>& choice);

std::optional<FileWithFileData> BeginCompareFileFile(CSolvaneApp& app);
bool FinishCompareFileFile(CSolvaneApp& app, UserInterface& ui, const std::optional<FileWithFileData>& choice);

std::optional<FileWithDefData> BeginCompareFilesDefault(CSolvaneApp& app);
bool FinishCompareFilesDefault(CSolvaneApp& app, UserInterface& ui, const std::optional<FileWithDefData>& choice);

}  // namespace telvor
