#include "status_panes.h"

#include <cstdio>

#include "drive_models.h"
#include "link_state.h"
#include "transactions.h"

namespace telvor {

std::string VersionPaneText(const LinkState& link) {
    return std::string("Ver: ") + (link.linked ? SoftwareVersionText(link.softwareVersion) : "x.x");
}

std::string StationPaneText(const LinkState& link) {
    if (!link.linked) return "No station linked";
    char number[16];
    std::snprintf(number, sizeof number, " %03d", link.currentStation);
    return std::string("Linking ") + number;
}

std::string ModelPaneText(const LinkState& link, bool documentOpen) {
    bool named = (documentOpen || link.linked) && IsModelIndex(link.currentModel);
    return std::string("Model: ") + (named ? ModelName(link.currentModel) : "xxx-xxx-xx");
}

std::string EditPaneText(bool onlineEdit) { return onlineEdit ? "Online Edit" : "Offline Edit"; }

}  // namespace telvor
