#pragma once
// The command line of the verbs that link: the line options, the answers to the
// dialogs and the words of the verb, and the Link command that starts them.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "console_user_interface.h"
#include "link_options.h"
#include "parameter_groups.h"

namespace telvor {

class CSolvaneApp;
class UserInterface;

std::optional<int> WholeNumber(const std::string& text);

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

ParameterGroups GroupsOf(const LinkCommandLine& line);

// The settings of the program folder with the command line's line format over them:
// "COMn" or n is port n, any other name the device to open.
bool PrepareApp(CSolvaneApp& app, const LinkCommandLine& line);

// The Link command with "Single" and the station text.
bool LinkTo(CSolvaneApp& app, UserInterface& ui, const std::string& stationText);

void CloseLink(CSolvaneApp& app);

}  // namespace telvor
