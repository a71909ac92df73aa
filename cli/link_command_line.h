#pragma once
// What the link verbs of telvorctl share: the words of their command lines, the
// application prepared from the settings file and the line options, and the Link
// command run as the dialog's "&Link" would run it.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "console_user_interface.h"
#include "link_options.h"
#include "parameter_groups.h"

namespace telvor {

class CSolvaneApp;

// The line options every link verb takes, for its usage text.
#define TELVORCTL_LINK_OPTIONS                                                                  \
    "[--port N|PATH|ADDRESS] [--baud B] [--data-bits 7|8] [--parity none|odd|even] [--stop-bits 1|2] " \
    "[--link-stations TEXT] [--on-error continue|abort] [--yes] [--stats]"

std::optional<int> WholeNumber(const std::string& text);

// The words of one verb's command line.
struct LinkCommandLine {
    LinkOptions link;  // --port, --baud, --data-bits, --parity, --stop-bits over the settings file
    std::optional<std::string> linkStations;
    ConsoleAnswers answers;
    std::optional<std::string> stations;  // --stations, a text the strict station parser takes
    std::vector<int> stationList;         // its stations, ascending
    std::optional<int> station;           // --station, one number 1..254
    bool basic = false;
    bool advanced = false;
    std::optional<std::string> output;  // -o
    bool force = false;
    bool blockRead = false;             // --block-read
    std::optional<int> blockSize;       // --block-size
    bool verify = false;                // --verify
    bool quick = false;                 // --quick: the quick echo first
    bool all = false;                   // --all: every station that answers
    std::optional<std::string> titles;  // --titles FILE: a parameter file naming the stations
    std::vector<std::string> positional;
};

// False when a word is unknown or lacks its value; a bad line option, and a station
// text that names no station strictly, is explained on stderr.
bool ParseCommandLine(std::span<const std::string> arguments, LinkCommandLine& line);

ParameterGroups GroupsOf(const LinkCommandLine& line);

// The settings of the program folder with the command line's line format and read
// options over them: "COMn" or n is port n, any other name the device to open.
bool PrepareApp(CSolvaneApp& app, const LinkCommandLine& line);

// The Link command with "Single" and the station text; `quickScan`: its station search
// asks each station with the quick echo first.
bool LinkTo(CSolvaneApp& app, UserInterface& ui, const std::string& stationText, bool quickScan = false);

void CloseLink(CSolvaneApp& app);

}  // namespace telvor
