#pragma once
// What the handheld's "Module Status" window shows: the drive it is linked to (with
// its run state, read when the window opens) or the open document's model.

#include <string>

namespace telvor {

class CSolvaneApp;
class UserInterface;

struct ModuleStatusTexts {
    std::string model;
    std::string version;
    std::string linkStatus;  // "Linking, " and "RUN" or "STOP"; "Unlink"
    std::string direction;   // beside the link status: "FWD >>" or "<< REV" while linked
    std::string station;
};

// While linked the status words of the current station are read; a failed read is
// reported and the run state is left out.
ModuleStatusTexts ReadModuleStatus(CSolvaneApp& app, UserInterface& ui);

}  // namespace telvor
