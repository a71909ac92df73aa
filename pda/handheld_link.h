#pragma once
// The handheld's Link command after its dialog, and its Unlink: the line settings go
// into the handheld line's members, the port "COM%d:" is opened, and the station is
// found and read as on the desktop.

#include "link_flow.h"
#include "message_sink.h"

namespace telvor {

class CGSMModbusAscii;

inline constexpr const char* kCannotOpenPortMessage = "Communication error!!\nCan not open COM port!";

// "COM%d:" of the port number, or the application's fixed link path when one is set.
std::string HandheldPortName(const CSolvaneApp& app, int comPort);

// Opens the handheld line with the settings kept from the last Link; false after
// "Can not open COM port!" was shown.
bool OpenHandheldLine(CSolvaneApp& app, UserInterface& ui, CGSMModbusAscii& line);

// As FinishLinkCommand, on the handheld line. True when the program is linked afterwards.
bool FinishHandheldLinkCommand(CSolvaneApp& app, UserInterface& ui, CGSMModbusAscii& line, LinkDialogAction action,
                               const LinkDialogData& choice);

// The monitor's failure after a time-out on the handheld: "To continue... (Yes/No?)".
// Yes closes the line and opens it again (Ok, or Cancel after "Can not open COM
// port!"); No gives Cancel. On Cancel the monitor closes and unlinks.
DialogResult HandheldMonitorFailure(CSolvaneApp& app, UserInterface& ui, CGSMModbusAscii& line);

}  // namespace telvor
