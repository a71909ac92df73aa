#include "handheld_link.h"

#include <cstdio>

#include "gsm_modbus_ascii.h"
#include "solvane_app.h"
#include "user_interface.h"

namespace telvor {
namespace {

constexpr const char* kCommunicationCaption = "Communication Message";

}  // namespace

std::string HandheldPortName(const CSolvaneApp& app, int comPort) {
    if (!app.linkPath.empty()) return app.linkPath;
    char name[24];
    std::snprintf(name, sizeof name, "COM%d:", comPort);
    return name;
}

bool OpenHandheldLine(CSolvaneApp& app, UserInterface& ui, CGSMModbusAscii& line) {
    const ProgramSettings& settings = app.Settings();
    line.baudRate = settings.baudRate;
    line.dataBits = settings.dataBits;
    line.parity = settings.parity;
    line.stopBits = settings.stopBits;
    line.SetProgramFolder(app.ProgramFolder());
    if (line.Open(HandheldPortName(app, settings.comPort)) == 0) return true;
    ui.ShowMessage(kCommunicationCaption, kCannotOpenPortMessage, MessageIcon::Stop);
    return false;
}

void HandheldUnlink(CSolvaneApp& app, UserInterface& ui, CGSMModbusAscii& line) {
    LinkState& link = app.Link();
    line.Close();
    link.linked = false;
    ui.CloseMonitorWindows();
    link.monitorOpen = false;
    ui.StatusChanged();
}

bool FinishHandheldLinkCommand(CSolvaneApp& app, UserInterface& ui, CGSMModbusAscii& line, LinkDialogAction action,
                               const LinkDialogData& choice) {
    LinkState& link = app.Link();
    if (action == LinkDialogAction::Link) {
        TakeLinkChoice(app, choice);
        app.UseLine(&line);
        if (OpenHandheldLine(app, ui, line) && FindLinkedStation(app, ui, line)) {
            link.linked = true;
        } else {
            line.Close();
            link.linked = false;
        }
        ui.StatusChanged();
    } else if (action == LinkDialogAction::Unlink) {
        HandheldUnlink(app, ui, line);
    }
    link.modalBusy = false;
    return link.linked;
}

}  // namespace telvor
