#include "line_survey_verbs.h"

#include <cstdio>
#include <string>
#include <vector>

#include "console_user_interface.h"
#include "document_file.h"
#include "line_format_search.h"
#include "line_overview.h"
#include "quick_scan.h"
#include "transactions.h"

namespace telvor {
namespace {

int RunDetect(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {
    {"detect", "--stations TEXT " TELVORCTL_LINK_OPTIONS,
     "find the line format at which a station of TEXT answers: the settings' format first, then every format "
     "of the Link dialog from the fastest; prints it and the stations that answered",
     RunDetect},
};

const char* ParityName(int parity) {
    return parity == 1 ? "odd" : parity == 2 ? "even" : "none";
}

bool Open(CModbusAscii& port, const LinkCommandLine& line) {
    std::string message;
    if (OpenLinkPort(port, line.link, message)) return true;
    ShowMessage(message);
    return false;
}

// The stations that answer their echo as the Link scan asks them (two attempts each).
std::vector<int> AnsweringStations(ModbusTransport& port, const std::vector<int>& stations) {
    std::vector<int> found;
    for (int station : stations) {
        const ExchangeResult result = EchoTest(port, station, kEchoAttemptsScanning).result;
        if (result == ExchangeResult::ReplyNormal || result == ExchangeResult::ReplyException)
            found.push_back(station);
    }
    return found;
}

int RunDetect(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.stations || !line.positional.empty())
        return UsageError(kVerbs[0]);
    ConsoleUserInterface ui(line.answers);
    CModbusAscii port(&ui);
    if (!Open(port, line)) return kExitFailed;
    const LineSettings first{0, line.link.baudRate, line.link.dataBits, line.link.parity, line.link.stopBits};
    const LineFormatSearch search =
        FindLineFormat(port, port, first, line.stationList, [](const LineSettings&, int) { return true; });
    port.Close();
    if (!search.format) {
        ShowMessage("No station answered at any line format.");
        return kExitFailed;
    }
    const LineSettings& format = *search.format;
    std::printf("baud=%d data=%d parity=%s stop=%d\nstations:", format.baudRate, format.dataBits,
                ParityName(format.parity), format.stopBits == 2 ? 2 : 1);
    for (int station : search.stations) std::printf(" %03d", station);
    std::printf("\n");
    return kExitOk;
}

}  // namespace

int RunLineOverview(const LinkCommandLine& line) {
    std::vector<std::string> titles(kStationTitleCount);
    if (line.titles) {
        DocumentReadResult file = ReadDocumentFile(*line.titles);
        if (!file.ok) {
            ShowMessage(file.message.text);
            return kExitFailed;
        }
        titles.assign(file.doc.stationTitles.begin(), file.doc.stationTitles.end());
    }
    ConsoleUserInterface ui(line.answers);
    CModbusAscii port(&ui);
    if (!Open(port, line)) return kExitFailed;
    const std::vector<int> found =
        line.quick
            ? QuickScanStations(port, line.link.baudRate, line.stationList, [](int) { return true; }).found
            : AnsweringStations(port, line.stationList);
    std::printf("%s\n", kOverviewHeader);
    for (int station : found)
        std::printf("%s\n",
                    OverviewLine(SurveyStation(port, station), titles[static_cast<std::size_t>(station - 1)])
                        .c_str());
    port.Close();
    return found.empty() ? kExitFailed : kExitOk;
}

std::span<const Verb> LineSurveyVerbs() {
    return kVerbs;
}

}  // namespace telvor
