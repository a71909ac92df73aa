#pragma once
// The Link command around its dialog, and Unlink.

#include <cstdint>
#include <optional>
#include <string>

namespace telvor {

class CSolvaneApp;
class ModbusTransport;
class UserInterface;

struct LineSettings {
    int comPort = 1;  // port "COM%d"
    int baudRate = 38400;
    int dataBits = 8;
    int parity = 0;    // 0 none, 1 odd, 2 even
    int stopBits = 0;  // 0 one stop bit, 2 two stop bits
};

// The dialog's choices: as it starts, and as "&Link" delivers them.
struct LinkDialogData {
    LineSettings line;
    bool allStations = false;
    std::string stationText = "1";
    bool quickScan = false;  // the station search asks each station with the quick echo first
    bool linked = false;  // at the start: only "&Unlink" and "&Close" are usable
    std::string programFolder;  // where ports/COMn says each port leads
};

enum class LinkDialogAction { Link, Unlink, Close };

// How the dialog shows stored settings: a baud rate other than 4800, 9600 or
// 19200 is 38400, data bits other than 7 are 8, parity other than 1 and 2 is 0,
// stop bits other than 2 are 0.
LineSettings ShownLineSettings(LineSettings line);

// Before the dialog: nothing when a station scan runs; otherwise sets the
// modal-busy flag and gives what the dialog starts with (the settings and the
// current station).
std::optional<LinkDialogData> BeginLinkCommand(CSolvaneApp& app);

// After the dialog: links (opens the port, finds a station, reads its version
// and capacity), unlinks, or does nothing. Clears the modal-busy flag. True
// when the program is linked afterwards.
bool FinishLinkCommand(CSolvaneApp& app, UserInterface& ui, LinkDialogAction action, const LinkDialogData& choice);

// Opens the port of the settings with their line format and handshaking, as Link does;
// a failure is shown ("COM Port already opened!", "Can not open COM port!"). The result of Open.
std::int32_t OpenLinkLine(CSolvaneApp& app, UserInterface& ui, const LineSettings& line);

// The line settings and station list of the dialog's choice, kept in the settings
// and the link state; gives the settings as the line is set up with them.
LineSettings TakeLinkChoice(CSolvaneApp& app, const LinkDialogData& choice);

// On an open line: finds the station of the link's station list (one station: its
// echo test; more: the scan with its cancel-progress window) and reads its version
// and capacity into the link state. False after a reported failure, when no station
// answered, or when the scan was cancelled; the caller then closes the line.
bool FindLinkedStation(CSolvaneApp& app, UserInterface& ui, ModbusTransport& port);

// Closes the port, clears the linked flag and closes the monitor windows.
void Unlink(CSolvaneApp& app, UserInterface& ui);

// The cancel-progress text of a station scan: "Station_001 ... ... ...".
std::string ScanText(int station);

// The device behind port "COM%d": the application's fixed link path when one
// is set, else the program folder's ports/COM%d.
std::string PortDevicePath(const CSolvaneApp& app, int comPort);

}  // namespace telvor
