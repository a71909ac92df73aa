#include "status_pane_texts.h"

#include <cstdio>

#include "drive_models.h"

namespace telvor {

std::string VersionPaneText(bool linked, int softwareVersion) {
    if (!linked) return "Ver: x.x";
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d", softwareVersion / 10, softwareVersion % 10);
    return std::string("Ver: ") + text;
}

std::string StationPaneText(bool linked, int station) {
    if (!linked) return "No station linked";
    char text[16];
    std::snprintf(text, sizeof text, " %03d", station);
    return std::string("Linking ") + text;
}

std::string ModelPaneText(bool showModel, int modelIndex) {
    const std::string name = showModel ? ModelName(modelIndex) : std::string();
    return "Model: " + (name.empty() ? std::string("xxx-xxx-xx") : name);
}

std::string EditPaneText(bool onlineEdit) { return onlineEdit ? "Online Edit" : "Offline Edit"; }

std::array<int, 5> StatusPaneWidths(int screenWidth) {
    return {screenWidth / 4, screenWidth / 14, screenWidth / 8, screenWidth / 8, screenWidth / 8};
}

}  // namespace telvor
