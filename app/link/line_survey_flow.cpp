#include "line_survey_flow.h"

#include <memory>

#include "line_format_search.h"
#include "quick_scan.h"
#include "solvane_app.h"
#include "station_range.h"
#include "user_interface.h"

namespace telvor {
namespace {

constexpr const char* kNothingAnswered = "No station answered at any line format.";

// Holds the line for one survey: the linked line, or the port opened for the survey
// with `line` and closed when it ends. Sets the flags that keep other link work away.
class SurveyLine {
  public:
    SurveyLine(CSolvaneApp& app, UserInterface& ui, const LineSettings& line) : app_(app) {
        LinkState& link = app.Link();
        if (link.stationScan) return;
        ownPort_ = !link.linked;
        if (ownPort_ && OpenLinkLine(app, ui, line) != kErrorSuccess) return;
        modalBusyBefore_ = link.modalBusy;
        link.stationScan = true;
        link.modalBusy = true;
        open_ = true;
    }
    ~SurveyLine() {
        if (!open_) return;
        if (ownPort_) app_.Modbus().Close();
        app_.Link().stationScan = false;
        app_.Link().modalBusy = modalBusyBefore_;  // the Link dialog holds it while Find settings runs
    }
    SurveyLine(const SurveyLine&) = delete;
    SurveyLine& operator=(const SurveyLine&) = delete;

    bool Open() const { return open_; }

  private:
    CSolvaneApp& app_;
    bool ownPort_ = false;
    bool open_ = false;
    bool modalBusyBefore_ = false;
};

LineSettings SettingsOf(const CSolvaneApp& app) {
    const ProgramSettings& settings = app.Settings();
    return {settings.comPort, settings.baudRate, settings.dataBits, settings.parity, settings.stopBits};
}

}  // namespace

std::optional<LineOverviewScan> ScanLineOverview(CSolvaneApp& app, UserInterface& ui,
                                                 const SurveyProgress& progress) {
    const LineSettings line = SettingsOf(app);
    SurveyLine survey(app, ui, line);
    if (!survey.Open()) return std::nullopt;
    ModbusTransport& port = app.Modbus(ui);
    const std::vector<int> stations = AllStations().list;
    int done = 0;
    int total = static_cast<int>(stations.size());
    const QuickScanResult scan =
        QuickScanStations(port, line.baudRate, stations, [&](int) { return progress(done++, total); });
    LineOverviewScan overview;
    overview.cancelled = scan.cancelled;
    // Each station found is surveyed as a step of its own.
    done = total;
    total += static_cast<int>(scan.found.size());
    for (int station : scan.found) {
        if (overview.cancelled || !progress(done++, total)) {
            overview.cancelled = true;
            break;
        }
        overview.stations.push_back(SurveyStation(port, station));
    }
    return overview;
}

bool LinkOverviewStation(CSolvaneApp& app, UserInterface& ui, int station) {
    if (app.Link().stationScan) return false;
    if (app.Link().linked) Unlink(app, ui);
    std::optional<LinkDialogData> choice = BeginLinkCommand(app);
    if (!choice) return false;
    choice->allStations = false;
    choice->stationText = std::to_string(station);
    return FinishLinkCommand(app, ui, LinkDialogAction::Link, *choice);
}

std::optional<LineSettings> FindLinkSettings(CSolvaneApp& app, UserInterface& ui,
                                             const LinkDialogData& choice) {
    if (app.Link().linked) return std::nullopt;
    const LineSettings first = ShownLineSettings(choice.line);
    SurveyLine survey(app, ui, first);
    if (!survey.Open()) return std::nullopt;
    const StationMarks marks = choice.allStations
                                   ? AllStations()
                                   : ParseStationRange(choice.stationText, EmptyStationText::MarkStationOne);
    bool cancelled = false;
    std::unique_ptr<CCancelProgressDialog> window =
        ui.CreateCancelProgressDialog([&cancelled] { cancelled = true; });
    const int formatCount = static_cast<int>(FormatsToTry(first).size());
    window->SetRange(0, formatCount * static_cast<int>(marks.list.size()));
    window->SetPos(0);
    window->Show();
    CModbusAscii& port = app.Modbus(ui);
    const LineFormatSearch search =
        FindLineFormat(port, port, first, marks.list, [&](const LineSettings&, int station) {
            window->SetText(ScanText(station));
            window->StepIt();
            window->Repaint();
            ui.DrainEvents();
            return !cancelled;
        });
    if (cancelled) return std::nullopt;  // Cancel closed the window
    window->Close();
    if (!search.format) {
        ui.ShowMessage("Communication Message", kNothingAnswered, MessageIcon::Information);
        return std::nullopt;
    }
    return search.format;
}

}  // namespace telvor
