#include "status_panes.h"

#include <cstdio>

#include "drive_models.h"
#include "link_state.h"
#include "transactions.h"

namespace telvor {

std::string VersionPaneText(const LinkState& link) {
    const bool known = link.linked && link.stationIdentified;
    return std::string("Ver: ") + (known ? SoftwareVersionText(link.softwareVersion) : "x.x");
}

std::string StationPaneText(const LinkState& link) {
    if (!link.linked) return "No station linked";
    char number[16];
    std::snprintf(number, sizeof number, " %03d", link.currentStation);
    return std::string("Linking ") + number;
}

std::string ModelPaneText(const LinkState& link, bool documentOpen) {
    const bool known = link.linked ? link.stationIdentified : documentOpen;
    const bool named = known && IsModelIndex(link.currentModel);
    return std::string("Model: ") + (named ? ModelName(link.currentModel) : "xxx-xxx-xx");
}

std::string EditPaneText(bool onlineEdit) { return onlineEdit ? "Online Edit" : "Offline Edit"; }

}  // namespace telvor
