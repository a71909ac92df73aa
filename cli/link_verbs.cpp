#include "link_verbs.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "console_user_interface.h"
#include "document_file.h"
#include "link_command_line.h"
#include "online_edit.h"
#include "parameter_catalogue.h"
#include "program_folder.h"
#include "program_settings.h"
#include "read_flow.h"
#include "setting_edit.h"
#include "solvane_app.h"
#include "station_range.h"
#include "status_panes.h"
#include "value_format.h"
#include "write_flow.h"

namespace telvor {
namespace {

int RunScan(std::span<const std::string> arguments);
int RunRead(std::span<const std::string> arguments);
int RunWrite(std::span<const std::string> arguments);
int RunPut(std::span<const std::string> arguments);

#define LINK_OPTIONS TELVORCTL_LINK_OPTIONS

constexpr Verb kVerbs[] = {
    {"scan", "--stations TEXT " LINK_OPTIONS,
     "link to the first station of TEXT that answers and print the status bar's version, station and model",
     RunScan},
    {"read", "--station N [--basic] [--advanced] -o FILE [--force] [--block-read [--block-size N]] " LINK_OPTIONS,
     "read a station (both groups unless one is named) into a new parameter file; --force replaces FILE; "
     "--block-read reads runs of registers, at most N (16) a request",
     RunRead},
    {"write", "--stations TEXT [--basic] [--advanced] [--verify [--block-read]] FILE " LINK_OPTIONS,
     "write FILE's parameter set into each station of TEXT; --verify reads every value back and prints "
     "one line a station",
     RunWrite},
    {"put", "--station N CODE TEXT " LINK_OPTIONS, "write one parameter online as the grid's online edit would",
     RunPut},
};

#undef LINK_OPTIONS

const Verb& VerbNamed(std::string_view name) {
    for (const Verb& verb : kVerbs)
        if (name == verb.name) return verb;
    return kVerbs[0];
}


int RunScan(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.stations || !line.positional.empty())
        return UsageError(VerbNamed("scan"));
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    if (!LinkTo(app, ui, line.linkStations.value_or(*line.stations))) return kExitFailed;
    std::printf("%s\n%s\n%s\n", VersionPaneText(app.Link()).c_str(), StationPaneText(app.Link()).c_str(),
                ModelPaneText(app.Link(), false).c_str());
    CloseLink(app);
    return kExitOk;
}

int RunRead(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.station || !line.output || !line.positional.empty())
        return UsageError(VerbNamed("read"));
    if (!IsStationNumber(*line.station)) {
        std::fprintf(stderr, "telvorctl: station %d is not 1..254\n", *line.station);
        return kExitUsage;
    }
    // Refused before the drive is read; the save refuses again if the file appeared meanwhile.
    std::error_code ec;
    if (!line.force && std::filesystem::exists(*line.output, ec)) return RefuseExistingFile(*line.output);
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    if (!LinkTo(app, ui, line.linkStations.value_or(std::to_string(*line.station)))) return kExitFailed;
    std::optional<ReadDialogData> data = BeginReadCommand(app);
    if (!data) return kExitFailed;
    data->station = *line.station;
    data->groups = GroupsOf(line);
    bool read = FinishReadCommand(app, ui, data);
    CloseLink(app);
    if (!read || !app.Document()) return kExitFailed;
    DocumentWriteResult written =
        WriteDocumentFile(*app.Document(), *line.output, line.force ? WriteMode::Replace : WriteMode::CreateOnly);
    if (written.fileExists) return RefuseExistingFile(*line.output);
    if (!written.ok) {
        ShowMessage(written.message.text);
        return kExitFailed;
    }
    return kExitOk;
}

int RunWrite(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.stations || line.positional.size() != 1)
        return UsageError(VerbNamed("write"));
    DocumentReadResult file = ReadDocumentFile(line.positional[0]);
    if (!file.ok) {
        ShowMessage(file.message.text);
        return kExitFailed;
    }
    if (IsComparison(file.doc)) {
        ShowMessage("A compare file cannot be written to a drive.\n");
        return kExitFailed;
    }
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    app.SetDocument(std::move(file.doc));
    ConsoleUserInterface ui(line.answers);
    if (!LinkTo(app, ui, line.linkStations.value_or(*line.stations))) return kExitFailed;
    std::optional<WriteDialogData> data = BeginWriteCommand(app, ui);
    if (!data) return kExitFailed;
    data->stationText = *line.stations;
    data->groups = GroupsOf(line);
    data->verify = line.verify;
    WriteReport report = FinishWriteCommand(app, ui, *data);
    CloseLink(app);
    if (line.verify)
        for (const StationWriteResult& station : report.stations) std::printf("%s\n", StationResultLine(station).c_str());
    return report.Complete() ? kExitOk : kExitFailed;
}

std::string RefusalText(int code, SettingEditOutcome outcome, const std::string& text) {
    if (outcome == SettingEditOutcome::Rejected)
        return "The Setting cell of " + CodeText(code) + " does not take \"" + text + "\".\n";
    return CodeText(code) + " is read-only.\n";
}

int RunPut(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.station || line.positional.size() != 2)
        return UsageError(VerbNamed("put"));
    if (!IsStationNumber(*line.station)) {
        std::fprintf(stderr, "telvorctl: station %d is not 1..254\n", *line.station);
        return kExitUsage;
    }
    const int code = CodeIndexOfText(line.positional[0]);
    if (code == kNoParameter) {
        std::fprintf(stderr, "telvorctl: no parameter '%s'\n", line.positional[0].c_str());
        return kExitUsage;
    }
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    if (!LinkTo(app, ui, line.linkStations.value_or(std::to_string(*line.station)))) return kExitFailed;
    app.SetOnlineEdit(true);

    // The edit goes into a document of the drive's model, as in the grid.
    CSolvaneDoc& doc = app.NewDocument();
    const int slot = SlotOfCodeIndex(code);
    const std::int32_t previous = doc.sets[0][slot];
    const bool wasModified = doc.modified;
    SettingEditResult edit = EditSetting(doc, code, line.positional[1], true);
    int status = kExitFailed;
    switch (edit.outcome) {
        case SettingEditOutcome::Stored:
        case SettingEditOutcome::Unchanged: {
            // An unchanged text is sent again, as ending an online edit does.
            OnlineEdit commit{code, doc.sets[0][slot], previous, *line.station, wasModified};
            status = CommitOnlineEdit(app, ui, commit) == OnlineEditResult::Undone ? kExitFailed : kExitOk;
            break;
        }
        case SettingEditOutcome::OutOfRange:
            ShowMessage(edit.message);
            break;
        case SettingEditOutcome::NotEditable:
        case SettingEditOutcome::Rejected:
            ShowMessage(RefusalText(code, edit.outcome, line.positional[1]));
            break;
    }
    CloseLink(app);
    return status;
}

}  // namespace

std::span<const Verb> LineVerbs() { return kVerbs; }

}  // namespace telvor
