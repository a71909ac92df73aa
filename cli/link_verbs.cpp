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
#include "link_flow.h"
#include "link_options.h"
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

#define LINK_OPTIONS                                                                                  \
    "[--port N|PATH] [--baud B] [--data-bits 7|8] [--parity none|odd|even] [--stop-bits 1|2] "     \
    "[--link-stations TEXT] [--on-error continue|abort] [--yes]"

constexpr Verb kVerbs[] = {
    {"scan", "--stations TEXT " LINK_OPTIONS,
     "link to the first station of TEXT that answers and print the status bar's version, station and model",
     RunScan},
    {"read", "--station N [--basic] [--advanced] -o FILE [--force] " LINK_OPTIONS,
     "read a station (both groups unless one is named) into a new parameter file; --force replaces FILE",
     RunRead},
    {"write", "--stations TEXT [--basic] [--advanced] FILE " LINK_OPTIONS,
     "write FILE's parameter set into each station of TEXT", RunWrite},
    {"put", "--station N CODE TEXT " LINK_OPTIONS, "write one parameter online as the grid's online edit would",
     RunPut},
};

#undef LINK_OPTIONS

const Verb& VerbNamed(std::string_view name) {
    for (const Verb& verb : kVerbs)
        if (name == verb.name) return verb;
    return kVerbs[0];
}

}  // namespace

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool ParseCommandLine(std::span<const std::string> arguments, LinkCommandLine& line) {
    std::vector<std::string> words;
    std::string error;
    if (!ParseLinkOptions(arguments, line.link, words, error)) {
        std::fprintf(stderr, "telvorctl: %s\n", error.c_str());
        return false;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        auto value = [&]() -> const std::string* { return i + 1 < words.size() ? &words[++i] : nullptr; };
        auto number = [&](std::optional<int>& out) {
            const std::string* text = value();
            if (text) out = WholeNumber(*text);
            return out.has_value();
        };
        auto text = [&](std::optional<std::string>& out) {
            const std::string* given = value();
            if (given) out = *given;
            return given != nullptr;
        };
        bool ok = true;
        if (word == "--link-stations") {
            ok = text(line.linkStations);
        } else if (word == "--on-error") {
            const std::string* given = value();
            ok = given && (*given == "continue" || *given == "abort");
            line.answers.continueOnError = ok && *given == "continue";
        } else if (word == "--yes") {
            line.answers.yes = true;
        } else if (word == "--stations") {
            ok = text(line.stations);
        } else if (word == "--station") {
            ok = number(line.station);
        } else if (word == "--basic") {
            line.basic = true;
        } else if (word == "--advanced") {
            line.advanced = true;
        } else if (word == "-o") {
            ok = text(line.output);
        } else if (word == "--force") {
            line.force = true;
        } else if (word.size() > 1 && word[0] == '-' && word[1] == '-') {
            ok = false;
        } else {
            line.positional.push_back(word);
        }
        if (!ok) return false;
    }
    return true;
}

ParameterGroups GroupsOf(const LinkCommandLine& line) {
    if (!line.basic && !line.advanced) return {};
    return {line.basic, line.advanced};
}

bool PrepareApp(CSolvaneApp& app, const LinkCommandLine& line) {
    if (line.link.programFolder.empty()) {
        ShowMessage(kNoSystemDataMessage);
        return false;
    }
    app.SetProgramFolder(line.link.programFolder);
    app.TakeSettings(ReadSettingsFile(SettingsFilePath(line.link.programFolder)));
    ProgramSettings& settings = app.Settings();
    const std::string& port = line.link.port;
    std::optional<int> number = WholeNumber(port.rfind("COM", 0) == 0 ? port.substr(3) : port);
    if (number) {
        settings.comPort = *number;
    } else {
        app.linkPath = port;
    }
    settings.baudRate = line.link.baudRate;
    settings.dataBits = line.link.dataBits;
    settings.parity = line.link.parity;
    settings.stopBits = line.link.stopBits;
    if (FrameTraceRequested()) {
        static StreamFrameTrace trace(stderr);
        app.Modbus().SetFrameTrace(&trace);
    }
    return true;
}

bool LinkTo(CSolvaneApp& app, UserInterface& ui, const std::string& stationText) {
    std::optional<LinkDialogData> data = BeginLinkCommand(app);
    if (!data) return false;
    data->stationText = stationText;
    return FinishLinkCommand(app, ui, LinkDialogAction::Link, *data);
}

void CloseLink(CSolvaneApp& app) {
    if (app.Modbus().IsOpen()) app.Modbus().Close();
}

namespace {

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
    WriteReport report = FinishWriteCommand(app, ui, *data);
    CloseLink(app);
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
