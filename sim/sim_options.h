#pragma once
// The command line of telvor-sim.

#include <string>
#include <utility>
#include <vector>

#include "drive_line.h"
#include "pty_server.h"

namespace telvor::sim {

struct SimOptions {
    ServerOptions server;
    std::vector<int> stations{1};
    int model = 0;
    bool is50Hz = true;
    std::vector<std::pair<int, int>> stationModels;  // station, model
    std::vector<std::string> faults;                 // control lines at the start: "fault S NAME [ARG]", "register S REG V"
    bool help = false;
    bool version = false;
};

// "1,3,5-7" -> 1 3 5 6 7; false for anything else or a station outside 1..254.
bool ParseStationList(const std::string& text, std::vector<int>& stations);

bool ParseSimOptions(int argc, char** argv, SimOptions& options, std::string* error);

// The line the options describe, with their faults applied.
bool BuildLine(const SimOptions& options, DriveLine& line, std::string* error);

extern const char* const kSimUsage;

}  // namespace telvor::sim
