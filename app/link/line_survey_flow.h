#pragma once
// The desktop's surveys of the line: the Line Overview's scan, linking a station it
// found, and the Link dialog's Find settings. Each runs on the linked line, or opens
// the settings' port for itself and closes it again; while it runs the station-scan
// and modal-busy flags keep other link work and the monitor poll away.

#include <functional>
#include <optional>
#include <vector>

#include "line_overview.h"
#include "link_flow.h"

namespace telvor {

class CSolvaneApp;
class UserInterface;

// Asked before every transaction with the steps done and the steps known so far;
// false cancels.
using SurveyProgress = std::function<bool(int done, int total)>;

struct LineOverviewScan {
    std::vector<StationOverview> stations;  // ascending
    bool cancelled = false;
};

// The quick scan of stations 1..254 and the survey of each station found. Nothing
// when another scan runs or the port cannot be opened (the user has been told).
std::optional<LineOverviewScan> ScanLineOverview(CSolvaneApp& app, UserInterface& ui,
                                                 const SurveyProgress& progress);

// Makes the station the current station as the Link command would: a link to another
// station ends first, then the station is linked with its echo test and reads. True
// when linked.
bool LinkOverviewStation(CSolvaneApp& app, UserInterface& ui, int station);

// The Link dialog's Find settings: the formats of the dialog, the dialog's format first,
// tried with the quick echo on the stations of its station choice, under a
// cancel-progress window. The format found; nothing when cancelled, when nothing
// answered ("No station answered at any line format." is shown) or when the port
// cannot be opened.
std::optional<LineSettings> FindLinkSettings(CSolvaneApp& app, UserInterface& ui,
                                             const LinkDialogData& choice);

}  // namespace telvor
