#include "link_verbs.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "console_user_interface.h"
#include "document_file.h"
#include "line_survey_verbs.h"
#include "link_command_line.h"
#include "online_edit.h"
#include "parameter_catalogue.h"
#include "program_folder.h"
#include "program_settings.h"
#include "read_flow.h"
#include "setting_edit.h"
#include "solvane_app.h"
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
    {"scan", "--stations TEXT [--quick] [--all [--titles FILE]] " LINK_OPTIONS,
     "link to the first station of TEXT that answers and print the status bar's version, station and model; "
     "--all lists every station that answers (station, model, version, title from FILE's station titles); "
     "--quick asks each station once with a short wait before the echo test",
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
    if (!ParseCommandLine(arguments, line) || !line.stations || !line.positional.empty() ||
        (line.titles && !line.all))
        return UsageError(VerbNamed("scan"));
    if (line.all) return RunLineOverview(line);
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    if (!LinkTo(app, ui, line.linkStations.value_or(*line.stations), line.quick)) return kExitFailed;
    std::printf("%s\n%s\n%s\n", VersionPaneText(app.Link()).c_str(), StationPaneText(app.Link()).c_str(),
                ModelPaneText(app.Link(), false).c_str());
    CloseLink(app);
    return kExitOk;
}

int RunRead(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.station || !line.output || !line.positional.empty())
        return UsageError(VerbNamed("read"));
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

int RunPut(std::span<const std::string> arguments) {
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.station || line.positional.size() != 2)
        return UsageError(VerbNamed("put"));
    const int code = CodeIndexOfText(line.positional[0]);
    if (code == kNoParameter) {
        std::fprintf(stderr, "telvorctl: no parameter '%s'\n", line.positional[0].c_str());
        return kExitUsage;
    }
    // The value is checked whole before the line is opened.
    if (!CanEditSetting(code, true)) {
        ShowMessage(ReadOnlyMessage(code));
        return kExitUsage;
    }
    const std::optional<std::int32_t> value = ParseParameterValue(code, line.positional[1]);
    if (!value) {
        ShowMessage(RangeMessage(code));
        return kExitUsage;
    }
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    if (!LinkTo(app, ui, line.linkStations.value_or(std::to_string(*line.station)))) return kExitFailed;
    app.SetOnlineEdit(true);

    // The edit goes into a document of the drive's model, as in the grid; an
    // unchanged value is sent again, as ending an online edit does.
    CSolvaneDoc& doc = app.NewDocument();
    std::int32_t& setting = doc.sets[0][SlotOfCodeIndex(code)];
    const OnlineEdit commit{code, *value, setting, *line.station, doc.modified};
    setting = *value;
    const int status = CommitOnlineEdit(app, ui, commit) == OnlineEditResult::Undone ? kExitFailed : kExitOk;
    CloseLink(app);
    return status;
}

}  // namespace

std::span<const Verb> LineVerbs() { return kVerbs; }

}  // namespace telvor
