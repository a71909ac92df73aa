#include "line_backup_verbs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "document_file.h"
#include "link_command_line.h"
#include "read_flow.h"
#include "solvane_app.h"
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
     "write DIR/Station_NNN.vx3 into each station of TEXT as the Write command does; every file is opened "
     "and checked first, and one bad file writes nothing",
     RunRestore},
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
    const bool linked = LinkTo(app, ui, *line.stations);
    const int count = static_cast<int>(line.stationList.size());
    int succeeded = 0;
    for (const int number : line.stationList) {
        succeeded += station(app, ui, linked && Answered(app, number), number) ? 1 : 0;
        std::fflush(stdout);
    }
    CloseLink(app);
    std::printf("%d stations %s, %d failed\n", succeeded, done, count - succeeded);
    return succeeded == count ? kExitOk : kExitFailed;
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

// Opens every station's file and checks it as a whole-set write would: a parameter
// file whose every value to be sent lies in its range. Nothing after the message
// naming the first file that fails.
std::optional<std::map<int, CSolvaneDoc>> OpenStationFiles(const std::string& folder,
                                                           const std::vector<int>& stations) {
    std::map<int, CSolvaneDoc> documents;
    for (const int station : stations) {
        const std::string path = StationFile(folder, station).string();
        DocumentReadResult file = ReadDocumentFile(path);
        std::string refusal;
        if (!file.ok) {
            refusal = file.message.text;
        } else if (IsComparison(file.doc)) {
            refusal = "A compare file cannot be written to a drive.";
        } else {
            refusal = OutOfRangeValues(file.doc, ParameterGroups{});
        }
        if (!refusal.empty()) {
            ShowMessage(path + ":\n" + refusal);
            return std::nullopt;
        }
        documents.emplace(station, std::move(file.doc));
    }
    return documents;
}

// Writes the station's document into it as the Write command does; a station that did
// not answer the scan is a failure.
StationWriteResult RestoreStation(CSolvaneApp& app, UserInterface& ui, bool verify, bool answered,
                                  int station, CSolvaneDoc document) {
    StationWriteResult result;
    result.station = station;
    if (!answered) return result;
    app.SetDocument(std::move(document));
    if (std::optional<WriteDialogData> data = BeginWriteCommand(app, ui)) {
        data->stationText = std::to_string(station);
        data->verify = verify;
        WriteReport report = FinishWriteCommand(app, ui, *data);
        if (!report.stations.empty()) result = report.stations.front();
    }
    return result;
}

int RunRestore(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.stations || line.positional.size() != 1)
        return UsageError(kVerbs[1]);
    std::optional<std::map<int, CSolvaneDoc>> documents =
        OpenStationFiles(line.positional[0], line.stationList);
    if (!documents) return kExitFailed;
    return ForEachStation(line, "restored", [&](CSolvaneApp& app, UserInterface& ui, bool answered, int station) {
        const StationWriteResult result =
            RestoreStation(app, ui, line.verify, answered, station, std::move(documents->at(station)));
        std::printf("%s\n", StationResultLine(result).c_str());
        return result.ok;
    });
}

}  // namespace

std::span<const Verb> LineBackupVerbs() { return kVerbs; }

}  // namespace telvor
