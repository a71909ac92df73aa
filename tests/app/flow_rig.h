#pragma once
// One application, one scripted user interface and one simulated line, for the
// flow tests.

#include <string>
#include <vector>

#include "link_flow.h"
#include "scripted_user_interface.h"
#include "sim_line.h"
#include "solvane_app.h"

namespace telvor::testing {

struct FlowRig {
    explicit FlowRig(std::vector<std::string> simArguments) : sim(std::move(simArguments)) {
        app.SetProgramFolder(sim.Folder());
        app.linkPath = sim.LinkPath();
    }

    // The Link command with "Single" and this station text.
    bool Link(const std::string& stationText) {
        std::optional<LinkDialogData> data = BeginLinkCommand(app);
        if (!data) return false;
        data->stationText = stationText;
        return FinishLinkCommand(app, ui, LinkDialogAction::Link, *data);
    }

    // Frames logged since the last call.
    std::vector<std::string> NewFrames() {
        std::vector<std::string> all = sim.Frames();
        std::vector<std::string> fresh(all.begin() + static_cast<long>(std::min(seen, all.size())), all.end());
        seen = all.size();
        return fresh;
    }

    SimLine sim;
    CSolvaneApp app;
    ScriptedUserInterface ui;
    std::size_t seen = 0;
};

}  // namespace telvor::testing
