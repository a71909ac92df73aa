#include "file_verbs.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "document_csv.h"
#include "document_file.h"
#include "document_rows.h"
#include "drive_models.h"
#include "file_edit_lock.h"
#include "parameter_catalogue.h"
#include "program_folder.h"
#include "program_settings.h"
#include "setting_edit.h"
#include "value_format.h"

namespace telvor {
namespace {

int RunNew(std::span<const std::string> arguments);
int RunShow(std::span<const std::string> arguments);
int RunSet(std::span<const std::string> arguments);
int RunSettings(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {
    {"new", "FILE --model N --hz 50|60 [--force]",
     "write a new parameter file of the defaults of model N (0..10); --force replaces FILE", RunNew},
    {"show", "FILE [--changed] [--csv]",
     "list the shown rows of a parameter or compare file; --changed only the parameters whose Setting differs "
     "from the Default (as the grid's Changed only view); --csv prints the grid's columns as CSV",
     RunShow},
    {"set", "FILE CODE TEXT", "set one parameter as the Setting cell would and save the file", RunSet},
    {"settings", "[--reset]", "print the settings of the program folder; --reset writes the default file",
     RunSettings},
};

const Verb& VerbNamed(std::string_view name) {
    for (const Verb& verb : kVerbs)
        if (name == verb.name) return verb;
    return kVerbs[0];
}

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Opens a file for a verb; on failure the message is shown.
std::optional<CSolvaneDoc> OpenDocument(const std::string& path) {
    DocumentReadResult read = ReadDocumentFile(path);
    if (!read.ok) {
        ShowMessage(read.message.text);
        return std::nullopt;
    }
    return std::move(read.doc);
}

int Save(CSolvaneDoc& doc, const std::string& path, WriteMode mode = WriteMode::Replace) {
    const DocumentWriteResult written = WriteDocumentFile(doc, path, mode);
    if (written.ok) return kExitOk;
    if (written.fileExists) return RefuseExistingFile(path);
    ShowMessage(written.message.text);
    return kExitFailed;
}

int RunNew(std::span<const std::string> arguments) {
    const Verb& verb = VerbNamed("new");
    std::optional<std::string> path;
    std::optional<int> model, hz;
    bool force = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        const bool option = word == "--model" || word == "--hz";
        if (word == "--force")
            force = true;
        else if (option && i + 1 < arguments.size())
            (word == "--model" ? model : hz) = WholeNumber(arguments[++i]);
        else if (!option && !path && !word.starts_with("--"))
            path = word;
        else
            return UsageError(verb);
    }
    if (!path || !model || !hz || !IsModelIndex(*model) || (*hz != 50 && *hz != 60)) return UsageError(verb);
    CSolvaneDoc doc = NewDocument(*model, *hz == 50, false);
    return Save(doc, *path, force ? WriteMode::Replace : WriteMode::CreateOnly);
}

int RunShow(std::span<const std::string> arguments) {
    std::optional<std::string> path;
    bool csv = false;
    bool changed = false;
    for (const std::string& word : arguments) {
        if (word == "--csv" && !csv)
            csv = true;
        else if (word == "--changed" && !changed)
            changed = true;
        else if (!path && !word.starts_with("--"))
            path = word;
        else
            return UsageError(VerbNamed("show"));
    }
    if (!path) return UsageError(VerbNamed("show"));
    const std::optional<CSolvaneDoc> doc = OpenDocument(*path);
    if (!doc) return kExitFailed;
    if (changed && IsComparison(*doc)) {
        ShowMessage("A compare file lists only its differing rows already; --changed is for parameter files.\n");
        return kExitFailed;
    }
    const RowFilter filter = changed ? RowFilter::ChangedOnly : RowFilter::All;
    std::fputs((csv ? DocumentCsv(*doc, filter) : ShownRowsText(*doc, filter)).c_str(), stdout);
    return kExitOk;
}

std::string RefusalText(int code, SettingEditOutcome outcome, const std::string& text) {
    if (outcome == SettingEditOutcome::Rejected)
        return "The Setting cell of " + CodeText(code) + " does not take \"" + text + "\".\n";
    if (code == kCodeB95) return "b95 can be set only online, with a station linked.\n";
    return CodeText(code) + " is read-only.\n";
}

int RunSet(std::span<const std::string> arguments) {
    const Verb& verb = VerbNamed("set");
    if (arguments.size() != 3) return UsageError(verb);
    const std::string& path = arguments[0];
    const int code = CodeIndexOfText(arguments[1]);
    if (code == kNoParameter) {
        std::fprintf(stderr, "telvorctl: no parameter '%s'\n", arguments[1].c_str());
        return kExitUsage;
    }
    // Held from load to save, so that concurrent edits of the file all land.
    const FileEditLock lock(path);
    std::optional<CSolvaneDoc> doc = OpenDocument(path);
    if (!doc) return kExitFailed;
    if (IsComparison(*doc)) {
        ShowMessage("A compare file cannot be edited.\n");
        return kExitFailed;
    }
    const SettingEditResult edit = EditSetting(*doc, code, arguments[2], false);
    switch (edit.outcome) {
        case SettingEditOutcome::Stored:
            return Save(*doc, path);
        case SettingEditOutcome::Unchanged:
            return kExitOk;
        case SettingEditOutcome::OutOfRange:
            ShowMessage(edit.message);
            return kExitFailed;
        case SettingEditOutcome::NotEditable:
        case SettingEditOutcome::Rejected:
            ShowMessage(RefusalText(code, edit.outcome, arguments[2]));
            return kExitFailed;
    }
    return kExitFailed;
}

int RunSettings(std::span<const std::string> arguments) {
    const bool reset = arguments.size() == 1 && arguments[0] == "--reset";
    if (!arguments.empty() && !reset) return UsageError(VerbNamed("settings"));
    const ProgramFolderResult folder = FindProgramFolder();
    if (!folder.ok) {
        ShowMessage(folder.message);
        return kExitFailed;
    }
    const std::string path = SettingsFilePath(folder.folder);
    if (reset) {
        const SettingsWriteResult written = EditSettingsFile(path, [](ProgramSettings& settings) {
            settings = ProgramSettings{};
            return true;
        });
        if (written.ok) return kExitOk;
        ShowMessage(written.message);
        return kExitFailed;
    }
    const ProgramSettings settings = ReadSettingsFile(path);
    std::string out;
    for (const SettingsEntry& entry : SystemEntries(settings)) out += entry.key + entry.value + "\n";
    out += "Definite Parameter=";
    for (int i = 0; i < settings.definite.count; ++i) {
        const std::string code = DefiniteEntryCode(settings.definite.entries[i]);
        out += (i ? " " : "") + (code.empty() ? std::string("--") : code);
    }
    std::fputs((out + "\n").c_str(), stdout);
    return kExitOk;
}

}  // namespace

std::span<const Verb> FileVerbs() {
    return kVerbs;
}

}  // namespace telvor
