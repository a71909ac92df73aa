#pragma once
// The texts of the status bar's panes 1 to 4 for the application's state.

#include <string>

namespace telvor {

struct LinkState;

// "Ver: " and "x.x", or while linked to an identified station the software version as
// "%d.%d": "Ver: 1.2".
std::string VersionPaneText(const LinkState& link);
// "Linking " and " %03d" of the current station while linked ("Linking  003"),
// else "No station linked".
std::string StationPaneText(const LinkState& link);
// "Model: " and the current model's name when the program is linked to an identified
// station, or not linked and a document is open, and the index names a model;
// otherwise "Model: xxx-xxx-xx".
std::string ModelPaneText(const LinkState& link, bool documentOpen);
// "Online Edit" or "Offline Edit".
std::string EditPaneText(bool onlineEdit);

}  // namespace telvor
