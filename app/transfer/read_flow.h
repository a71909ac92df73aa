#pragma once
// The Read command around its dialog, and ReadAllParameters.

#include <cstdint>
#include <optional>

#include "parameter_groups.h"

namespace telvor {

class CSolvaneApp;
class UserInterface;

// The progress text of each parameter read, followed by its code ("...A00").
inline constexpr const char* kReadProgressText = "Read Inverter Function Parameter...";

class CProgressDialog;
// Before a parameter is read: shows the window with its progress text, steps the bar
// and repaints.
void StepReadProgress(CProgressDialog& window, int codeIndex);

struct ReadDialogData {
    int station = 1;  // 1..254
    ParameterGroups groups;
    // At the start: a monitor window is open, so the station list and the group
    // boxes are disabled and the monitored station is read with both groups.
    bool locked = false;
};

// Before the dialog: nothing while the modal-busy or the station-scan flag is
// set; otherwise sets the modal-busy flag and gives what the dialog starts with.
std::optional<ReadDialogData> BeginReadCommand(CSolvaneApp& app);

// After the dialog (nothing: the user cancelled): the save question, the read
// and the document refresh or the new document. Clears the modal-busy flag.
// True when the values were read into a document.
bool FinishReadCommand(CSolvaneApp& app, UserInterface& ui, const std::optional<ReadDialogData>& choice);

struct ReadAllResult {
    bool ok = false;
    std::uint16_t softwareVersion = 0;
    int capacityCode = 0;
};

// Reads the version, the capacity and the chosen groups of one station into the
// read buffer; shows its own messages.
ReadAllResult ReadAllParameters(CSolvaneApp& app, UserInterface& ui, int station, ParameterGroups groups);

}  // namespace telvor
