#pragma once
// Verbs that work on the line: scan, read, write and put. Each first runs the
// Link command's flow, then its own. The command line and the link they share
// serve the monitor verbs too.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "console_user_interface.h"
#include "link_options.h"
#include "verb.h"

namespace telvor {

class CSolvaneApp;

std::span<const Verb> LineVerbs();

// The words of one verb's command line.
struct LinkCommandLine {
    LinkOptions link;  // --port, --baud, --data-bits, --parity, --stop-bits over the settings file
    std::optional<std::string> linkStations;
    ConsoleAnswers answers;
    std::optional<std::string> stations;  // --stations
    std::optional<int> station;           // --station
    bool basic = false;
    bool advanced = false;
    std::optional<std::string> output;  // -o
    bool force = false;
    std::vector<std::string> positional;
};

// False when a word is unknown or lacks its value; a bad line option is explained on stderr.
bool ParseCommandLine(std::span<const std::string> arguments, LinkCommandLine& line);
// The settings of the program folder with the command line's line format over them.
bool PrepareApp(CSolvaneApp& app, const LinkCommandLine& line);
// The Link command with "Single" and the station text.
bool LinkTo(CSolvaneApp& app, UserInterface& ui, const std::string& stationText);
void CloseLink(CSolvaneApp& app);

}  // namespace telvor
