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

DialogResult HandheldMonitorFailure(CSolvaneApp& app, UserInterface& ui, CGSMModbusAscii& line) {
    char station[16];
    std::snprintf(station, sizeof station, ": %03d\n", app.Link().currentStation);
    // The failure and the station on lines of their own.
    const std::string question =
        std::string("Communication error!!") + "\n" + "Station" + station + "To continue... (Yes/No?)";
    if (ui.Ask("Monitor Message", question, AskButtons::YesNo, MessageIcon::Warning) != Answer::Yes)
        return DialogResult::Cancel;
    line.Close();
    return OpenHandheldLine(app, ui, line) ? DialogResult::Ok : DialogResult::Cancel;
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
        Unlink(app, ui);
    }
    link.modalBusy = false;
    return link.linked;
}

}  // namespace telvor
