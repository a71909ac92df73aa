#pragma once
// Texts of the status-bar panes 1 to 4 and the width rule of all five panes.

#include <array>
#include <string>

namespace telvor {

// "Ver: x.x" before a link, "Ver: 10.5" for version 105 while linked.
std::string VersionPaneText(bool linked, int softwareVersion);
// "Linking  007" while linked to station 7, else "No station linked".
std::string StationPaneText(bool linked, int station);
// "Model: KRV-075-43"; "Model: xxx-xxx-xx" when nothing is open or linked, or the index names no model.
std::string ModelPaneText(bool showModel, int modelIndex);
// "Online Edit" or "Offline Edit".
std::string EditPaneText(bool onlineEdit);

// Pane widths in pixels for a screen of the given horizontal resolution.
std::array<int, 5> StatusPaneWidths(int screenWidth);

}  // namespace telvor
