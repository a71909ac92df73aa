#pragma once
// The Write command around its dialog, and WriteOneParameter.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "parameter_groups.h"
#include "write_verify.h"

namespace telvor {

class CSolvaneApp;
class UserInterface;
struct CSolvaneDoc;

struct WriteDialogData {
    std::string stationText;  // "Single:" text, "1,3,5-12"
    bool allStations = false;
    ParameterGroups groups;
    // "Verify after write": every parameter sent is read back and compared.
    bool verify = false;
};

// Before the dialog: nothing when there is no document, the document shows a
// comparison or a station scan runs; dialog 263 and nothing when not linked.
// Otherwise what the dialog starts with (the current station, both groups).
std::optional<WriteDialogData> BeginWriteCommand(CSolvaneApp& app, UserInterface& ui);

struct WriteReport {
    int stationsWritten = 0;  // stations that took every parameter of the chosen groups
    int stationsSkipped = 0;  // stations given up after a failure or a capacity mismatch, the user going on
    bool ended = false;       // the command ended early (a failure, a mismatch or Abort)
    std::vector<StationWriteResult> stations{};  // every station that was started, in order
    bool Complete() const { return !ended && stationsSkipped == 0; }
};

// After the dialog's OK: writes the document's set into each chosen station. A
// station text that the strict station parser refuses gets its message and
// nothing is sent.
WriteReport FinishWriteCommand(CSolvaneApp& app, UserInterface& ui, const WriteDialogData& choice);

// Every value of the document that a write of these groups would send and that
// fails its range check, as one message naming each code and value under
// kOverRangeText; empty when every value passes. A station gets nothing while
// the message is not empty.
std::string OutOfRangeValues(const CSolvaneDoc& doc, ParameterGroups groups);

// Writes one parameter to one station; dialog 267 when the drive accepted it.
bool WriteOneParameter(CSolvaneApp& app, UserInterface& ui, int station, int codeIndex, std::int64_t value);

}  // namespace telvor
