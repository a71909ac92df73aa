#pragma once
// telvorctl run against a simulated line, for the end-to-end tests of its verbs.

#include <algorithm>
#include <string>
#include <vector>

#include "sim_line.h"
#include "telvorctl_runner.h"

namespace telvor::testing {

using Frames = std::vector<std::string>;

// telvorctl against one simulated line, with a program folder of its own.
struct CtlRig {
    explicit CtlRig(std::vector<std::string> simArguments) : sim(std::move(simArguments)) {}

    telvor::test::RunResult Run(std::vector<std::string> arguments) {
        arguments.push_back("--port");
        arguments.push_back(sim.LinkPath());
        return telvor::test::RunTelvorctl(arguments, {{"TELVOR_HOME", sim.Folder() + "/home"}});
    }
    std::string File(const std::string& name) const { return sim.Folder() + "/" + name; }
    Frames NewFrames() {
        Frames all = sim.Frames();
        Frames fresh(all.begin() + static_cast<long>(std::min(seen, all.size())), all.end());
        seen = all.size();
        return fresh;
    }
    bool Contains(const Frames& frames, const std::string& frame) {
        return std::find(frames.begin(), frames.end(), frame) != frames.end();
    }

    SimLine sim;
    std::size_t seen = 0;
};

}  // namespace telvor::testing
