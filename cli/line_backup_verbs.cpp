#include "line_backup_verbs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <numeric>
#include <optional>
#include <thread>
#include <vector>
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
     "read every answering station of TEXT into DIR/Station_NNN.vx3, keeping the titles of a file already there; "
     "--port P --stations TEXT given again for each further line backs the lines up at the same time",
     RunBackup},
    {"restore", "--stations TEXT [--verify [--block-read]] DIR " TELVORCTL_LINK_OPTIONS,
     "write DIR/Station_NNN.vx3 into each station of TEXT as the Write command does; every file is opened "
     "and checked first, and one bad file writes nothing; several --port P --stations TEXT restore the lines "
     "at the same time",
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

using StationWork = std::function<bool(CSolvaneApp&, UserInterface&, bool answered, int station)>;

// Links to the line of TEXT and runs `station` for each of its stations, in order;
// gives how many succeeded.
int ForEachStation(const LinkCommandLine& line, const StationWork& station) {
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return 0;
    ConsoleUserInterface ui(line.answers);
    const bool linked = LinkTo(app, ui, *line.stations);
    int succeeded = 0;
    for (const int number : line.stationList) {
        succeeded += station(app, ui, linked && Answered(app, number), number) ? 1 : 0;
        std::fflush(stdout);
    }
    CloseLink(app);
    return succeeded;
}

// Runs every line, each in a worker of its own when there are several (the stations of
// one line are asked one at a time; different lines need not wait for each other); the
// summary line over all follows. Exit status 1 when any station failed.
int ForEachLine(const std::vector<LinkCommandLine>& lines, const char* done, const StationWork& station) {
    std::vector<int> succeeded(lines.size(), 0);
    if (lines.size() == 1) {
        succeeded[0] = ForEachStation(lines[0], station);
    } else {
        std::vector<std::thread> workers;
        for (std::size_t i = 0; i < lines.size(); ++i)
            workers.emplace_back([&, i] { succeeded[i] = ForEachStation(lines[i], station); });
        for (std::thread& worker : workers) worker.join();
    }
    int count = 0;
    for (const LinkCommandLine& line : lines) count += static_cast<int>(line.stationList.size());
    const int ok = std::accumulate(succeeded.begin(), succeeded.end(), 0);
    std::printf("%d stations %s, %d failed\n", ok, done, count - ok);
    return ok == count ? kExitOk : kExitFailed;
}

// The command lines of the lines a verb works on. With --port given more than once,
// each --port takes the --stations that follows it (before the next --port), and every
// other word goes to each line; otherwise there is one line, the command line itself.
// Nothing when a line lacks its --stations or has two, or when a station is on two
// lines (its file in DIR would be written twice).
std::optional<std::vector<LinkCommandLine>> ParseLines(std::span<const std::string> arguments) {
    std::vector<std::string> shared;
    std::vector<std::vector<std::string>> own;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        const bool valued = i + 1 < arguments.size();
        if (word == "--port" && valued) {
            own.push_back({word, arguments[++i]});
        } else if (word == "--stations" && valued && !own.empty()) {
            own.back().insert(own.back().end(), {word, arguments[++i]});
        } else {
            shared.push_back(word);
        }
    }
    std::vector<LinkCommandLine> lines;
    if (own.size() <= 1) {
        LinkCommandLine line;
        if (!ParseCommandLine(arguments, line) || !line.stations || line.positional.size() != 1) return std::nullopt;
        lines.push_back(std::move(line));
        return lines;
    }
    if (std::find(shared.begin(), shared.end(), "--stations") != shared.end()) return std::nullopt;
    std::vector<int> named;
    for (const std::vector<std::string>& port : own) {
        std::vector<std::string> words = shared;
        words.insert(words.end(), port.begin(), port.end());
        LinkCommandLine line;
        if (port.size() != 4 || !ParseCommandLine(words, line) || line.positional.size() != 1) return std::nullopt;
        for (const int station : line.stationList) {
            if (std::find(named.begin(), named.end(), station) != named.end()) {
                std::fprintf(stderr, "telvorctl: station %d is on two lines\n", station);
                return std::nullopt;
            }
            named.push_back(station);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

int RunBackup(std::span<const std::string> arguments) {
    const std::optional<std::vector<LinkCommandLine>> lines = ParseLines(arguments);
    if (!lines) return UsageError(kVerbs[0]);
    const std::string& folder = lines->front().positional[0];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        ShowMessage("Cannot make the folder " + folder + ".");
        return kExitFailed;
    }
    return ForEachLine(*lines, "backed up", [&](CSolvaneApp& app, UserInterface& ui, bool answered, int station) {
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
    const std::optional<std::vector<LinkCommandLine>> lines = ParseLines(arguments);
    if (!lines) return UsageError(kVerbs[1]);
    std::vector<int> stations;
    for (const LinkCommandLine& line : *lines)
        stations.insert(stations.end(), line.stationList.begin(), line.stationList.end());
    // The map is complete before the workers start; each takes only its own stations' documents.
    std::optional<std::map<int, CSolvaneDoc>> documents = OpenStationFiles(lines->front().positional[0], stations);
    if (!documents) return kExitFailed;
    const bool verify = lines->front().verify;
    return ForEachLine(*lines, "restored", [&](CSolvaneApp& app, UserInterface& ui, bool answered, int station) {
        const StationWriteResult result =
            RestoreStation(app, ui, verify, answered, station, std::move(documents->at(station)));
        std::printf("%s\n", StationResultLine(result).c_str());
        return result.ok;
    });
}

}  // namespace

std::span<const Verb> LineBackupVerbs() { return kVerbs; }

}  // namespace telvor
