#pragma once
// The application's link state: flags that keep link work from being re-entered,
// the current station and what the last link or read learnt about it.

#include <cstdint>
#include <vector>

namespace telvor {

struct LinkState {
    bool linked = false;       // a station answered the last Link; the port is open
    bool modalBusy = false;    // a command or a failure report holds the line; the monitor poll waits
    bool stationScan = false;  // a station scan runs
    bool scanCancel = false;   // the cancel-progress window's Cancel was pressed
    bool quickScan = false;    // scans use the quick echo (QuickEchoWait) before the echo test
    bool monitorOpen = false;  // a monitor window is open
    int currentStation = 1;
    // The stations chosen in the Link dialog, ascending; a station that did not
    // answer during the scan is set to 0 and no longer counted.
    std::vector<int> stationList;
    int stationCount = 0;
    std::uint16_t softwareVersion = 0;  // register 44 of the current station
    int currentModel = 0;               // ModelIndex; the capacity code of the current station
    // The version and model were read from the current station; a Write that moved on to
    // a station which did not tell them clears it, and the panes then show neither.
    bool stationIdentified = true;
    bool is50Hz = true;                 // 50 Hz defaults (true) or 60 Hz defaults (false)
};

}  // namespace telvor
