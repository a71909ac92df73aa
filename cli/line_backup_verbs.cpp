#include "line_backup_verbs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
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

// Links to the line of TEXT and runs `station` for each of its stations, in order;
// the summary line follows. Exit status 1 when any station failed.
int ForEachStation(const LinkCommandLine& line, const char* done,
                   const std::function<bool(CSolvaneApp&, UserInterface&, bool answered, int station)>& station) {
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    const StationMarks marks = ParseStationRange(*line.stations, EmptyStationText::MarkStationOne);
    const bool linked = LinkTo(app, ui, *line.stations);
    int succeeded = 0;
    for (const int number : marks.list) {
        succeeded += station(app, ui, linked && Answered(app, number), number) ? 1 : 0;
        std::fflush(stdout);
    }
    CloseLink(app);
    std::printf("%d stations %s, %d failed\n", succeeded, done, marks.count - succeeded);
    return succeeded == marks.count ? kExitOk : kExitFailed;
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
    return ForEachStation(line, "backed up", [&](CSolvaneApp& app, UserInterface& ui, bool answered, int station) {
        const bool ok = answered && BackUpStation(app, ui, folder, station);
        std::printf("%s %s\n", StationLabel(station).c_str(), ok ? "OK" : "FAILED");
        return ok;
    });
}

// Writes the station's file into it as the Write command does; the result of a station
// without a readable parameter file, or that did not answer the scan, is a failure.
StationWriteResult RestoreStation(CSolvaneApp& app, UserInterface& ui, const LinkCommandLine& line, bool answered,
                                  int station) {
    StationWriteResult result;
    result.station = station;
    DocumentReadResult file = ReadDocumentFile(StationFile(line.positional[0], station).string());
    if (!file.ok) {
        ShowMessage(file.message.text);
    } else if (IsComparison(file.doc)) {
        ShowMessage("A compare file cannot be written to a drive.\n");
    } else if (answered) {
        app.SetDocument(std::move(file.doc));
        if (std::optional<WriteDialogData> data = BeginWriteCommand(app, ui)) {
            data->stationText = std::to_string(station);
            data->verify = line.verify;
            WriteReport report = FinishWriteCommand(app, ui, *data);
            if (!report.stations.empty()) result = report.stations.front();
        }
    }
    return result;
}

int RunRestore(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.stations || line.positional.size() != 1)
        return UsageError(kVerbs[1]);
    return ForEachStation(line, "restored", [&](CSolvaneApp& app, UserInterface& ui, bool answered, int station) {
        const StationWriteResult result = RestoreStation(app, ui, line, answered, station);
        std::printf("%s\n", StationResultLine(result).c_str());
        return result.ok;
    });
}

}  // namespace

std::span<const Verb> LineBackupVerbs() { return kVerbs; }

}  // namespace telvor
