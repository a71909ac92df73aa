#include "line_backup_verbs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "document_file.h"
#include "link_command_line.h"
#include "read_flow.h"
#include "solvane_app.h"
#include "station_range.h"
#include "write_flow.h"

namespace telvor {
namespace {

int RunBackup(std::span<const std::string> arguments);
int RunRestore(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {
    {"backup", "--stations TEXT [--block-read [--block-size N]] DIR " TELVORCTL_LINK_OPTIONS,
     "read every answering station of TEXT into DIR/Station_NNN.vx3, keeping the titles of a file already there",
     RunBackup},
    {"restore", "--stations TEXT [--verify [--block-read]] DIR " TELVORCTL_LINK_OPTIONS,
     "write DIR/Station_NNN.vx3 into each station of TEXT as the Write command does", RunRestore},
};

std::filesystem::path StationFile(const std::string& folder, int station) {
    return std::filesystem::path(folder) / (StationLabel(station) + ".vx3");
}

// What the station scan left of TEXT: the stations still listed may answer; the others did not.
bool Answered(const CSolvaneApp& app, int station) {
    const std::vector<int>& list = app.Link().stationList;
    return std::find(list.begin(), list.end(), station) != list.end();
}

int Summary(const char* done, int succeeded, int failed) {
    std::printf("%d stations %s, %d failed\n", succeeded, done, failed);
    return failed == 0 ? kExitOk : kExitFailed;
}

// Reads one station with the Read command into a new document and saves it over its
// file, the texts of the file that was there kept. The file is replaced only once
// the whole read has come in, and atomically.
bool BackUpStation(CSolvaneApp& app, UserInterface& ui, const std::string& folder, int station) {
    app.CloseDocument();
    std::optional<ReadDialogData> data = BeginReadCommand(app);
    if (!data) return false;
    data->station = station;
    data->groups = ParameterGroups{};
    if (!FinishReadCommand(app, ui, data) || !app.Document()) return false;
    CSolvaneDoc& doc = *app.Document();
    const std::string path = StationFile(folder, station).string();
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        DocumentReadResult before = ReadDocumentFile(path);
        if (before.ok && !IsComparison(before.doc)) {
            doc.stationTitles = before.doc.stationTitles;
            doc.titleBlock = before.doc.titleBlock;
        }
    }
    DocumentWriteResult written = WriteDocumentFile(doc, path, WriteMode::Replace);
    if (!written.ok) ShowMessage(written.message.text);
    return written.ok;
}

int RunBackup(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.stations || line.positional.size() != 1)
        return UsageError(kVerbs[0]);
    const std::string& folder = line.positional[0];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        ShowMessage("Cannot make the folder " + folder + ".");
        return kExitFailed;
    }
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    const StationMarks marks = ParseStationRange(*line.stations, EmptyStationText::MarkStationOne);
    const bool linked = LinkTo(app, ui, *line.stations);
    int saved = 0;
    for (const int station : marks.list) {
        const bool ok = linked && Answered(app, station) && BackUpStation(app, ui, folder, station);
        std::printf("%s %s\n", StationLabel(station).c_str(), ok ? "OK" : "FAILED");
        std::fflush(stdout);
        saved += ok ? 1 : 0;
    }
    CloseLink(app);
    return Summary("backed up", saved, marks.count - saved);
}

int RunRestore(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.stations || line.positional.size() != 1)
        return UsageError(kVerbs[1]);
    const std::string& folder = line.positional[0];
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    const StationMarks marks = ParseStationRange(*line.stations, EmptyStationText::MarkStationOne);
    const bool linked = LinkTo(app, ui, *line.stations);
    int restored = 0;
    for (const int station : marks.list) {
        StationWriteResult result;
        result.station = station;
        DocumentReadResult file = ReadDocumentFile(StationFile(folder, station).string());
        if (!file.ok) {
            ShowMessage(file.message.text);
        } else if (IsComparison(file.doc)) {
            ShowMessage("A compare file cannot be written to a drive.\n");
        } else if (linked && Answered(app, station)) {
            app.SetDocument(std::move(file.doc));
            if (std::optional<WriteDialogData> data = BeginWriteCommand(app, ui)) {
                data->stationText = std::to_string(station);
                data->verify = line.verify;
                WriteReport report = FinishWriteCommand(app, ui, *data);
                if (!report.stations.empty()) result = report.stations.front();
            }
        }
        std::printf("%s\n", StationResultLine(result).c_str());
        std::fflush(stdout);
        restored += result.ok ? 1 : 0;
    }
    CloseLink(app);
    return Summary("restored", restored, marks.count - restored);
}

}  // namespace

std::span<const Verb> LineBackupVerbs() { return kVerbs; }

}  // namespace telvor
