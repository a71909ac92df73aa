#include "compare_verbs.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "compare_commands.h"
#include "console_user_interface.h"
#include "document_file.h"
#include "document_rows.h"
#include "drive_models.h"
#include "link_command_line.h"
#include "solvane_app.h"

namespace telvor {
namespace {

int RunCompare(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {
    {"compare",
     "drive --station N --hz 50|60 -o OUT.mvx [--force] [LINK OPTIONS] | files A.vx3 B.vx3 -o OUT.mvx [--force] | "
     "defaults --model M --hz 50|60 [--file1 F] [--file2 F] [--file3 F] -o OUT.mvx [--force]",
     "compare a drive with the defaults, two parameter files, or up to three files with the defaults; write the "
     "compare file and print its rows (LINK OPTIONS as for read)",
     RunCompare},
};

// The words of compare files and compare defaults.
struct FileCompareLine {
    std::vector<std::string> files;                 // files: A and B
    std::array<std::optional<std::string>, 3> slot;  // defaults: --file1..--file3
    std::optional<int> model;
    std::optional<int> hz;
    std::optional<std::string> output;
    bool force = false;
};

// Takes "--hz V" out of the words; false when its value is missing or not 50 or 60.
bool TakeHz(std::vector<std::string>& words, std::optional<int>& hz) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] != "--hz") continue;
        if (i + 1 >= words.size()) return false;
        hz = WholeNumber(words[i + 1]);
        words.erase(words.begin() + static_cast<long>(i), words.begin() + static_cast<long>(i) + 2);
        return hz == 50 || hz == 60;
    }
    return true;
}

bool ParseFileCompareLine(std::span<const std::string> arguments, FileCompareLine& line) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        const std::string* value = i + 1 < arguments.size() ? &arguments[i + 1] : nullptr;
        const bool takesValue = word == "-o" || word == "--model" || word == "--hz" || word.starts_with("--file");
        if (takesValue && !value) return false;
        if (word == "--force") {
            line.force = true;
        } else if (word == "-o") {
            line.output = *value;
        } else if (word == "--model") {
            line.model = WholeNumber(*value);
            if (!line.model) return false;
        } else if (word == "--hz") {
            line.hz = WholeNumber(*value);
            if (!line.hz) return false;
        } else if (word == "--file1" || word == "--file2" || word == "--file3") {
            line.slot[word.back() - '1'] = *value;
        } else if (word.starts_with("--")) {
            return false;
        } else {
            line.files.push_back(word);
            continue;
        }
        if (takesValue) ++i;
    }
    return line.output.has_value();
}

// Writes the compare document to OUT (an existing OUT only with --force) and prints its rows.
int WriteAndShow(CSolvaneApp& app, const std::string& output, bool force) {
    CSolvaneDoc* doc = app.Document();
    if (!doc) return kExitFailed;
    const DocumentWriteResult written =
        WriteDocumentFile(*doc, output, force ? WriteMode::Replace : WriteMode::CreateOnly);
    if (written.fileExists) return RefuseExistingFile(output);
    if (!written.ok) {
        ShowMessage(written.message.text);
        return kExitFailed;
    }
    std::fputs(ShownRowsText(*doc).c_str(), stdout);
    return kExitOk;
}

bool OutputFree(const std::string& output, bool force) {
    std::error_code ec;
    return force || !std::filesystem::exists(output, ec);
}

int CompareDrive(std::span<const std::string> arguments) {
    std::vector<std::string> words(arguments.begin(), arguments.end());
    std::optional<int> hz;
    LinkCommandLine line;
    if (!TakeHz(words, hz) || !hz || !ParseCommandLine(words, line) || !line.station || !line.output ||
        !line.positional.empty())
        return UsageError(kVerbs[0]);
    // Refused before the drive is read; the save refuses again if the file appeared meanwhile.
    if (!OutputFree(*line.output, line.force)) return RefuseExistingFile(*line.output);
    CSolvaneApp app;
    if (!PrepareApp(app, line)) return kExitFailed;
    ConsoleUserInterface ui(line.answers);
    if (!LinkTo(app, ui, line.linkStations.value_or(std::to_string(*line.station)))) return kExitFailed;
    std::optional<SelStationData> data = BeginCompareInverterDefault(app);
    if (!data) return kExitFailed;
    data->station = *line.station;
    data->is50Hz = *hz == 50;
    const bool made = FinishCompareInverterDefault(app, ui, data);
    CloseLink(app);
    return made ? WriteAndShow(app, *line.output, line.force) : kExitFailed;
}

int CompareFiles(std::span<const std::string> arguments) {
    FileCompareLine line;
    if (!ParseFileCompareLine(arguments, line) || line.files.size() != 2 || line.model || line.hz ||
        line.slot != decltype(line.slot){})
        return UsageError(kVerbs[0]);
    if (!OutputFree(*line.output, line.force)) return RefuseExistingFile(*line.output);
    CSolvaneApp app;
    ConsoleUserInterface ui({});
    std::optional<FileWithFileData> data = BeginCompareFileFile(app);
    if (!data) return kExitFailed;
    for (int k = 0; k < 2; ++k)
        if (!LoadCompareSlot(data->files[k], line.files[k], ui)) return kExitFailed;
    if (!FinishCompareFileFile(app, ui, data)) return kExitFailed;
    return WriteAndShow(app, *line.output, line.force);
}

int CompareDefaults(std::span<const std::string> arguments) {
    FileCompareLine line;
    if (!ParseFileCompareLine(arguments, line) || !line.files.empty() || !line.model || !IsModelIndex(*line.model) ||
        (line.hz != 50 && line.hz != 60) ||
        std::none_of(line.slot.begin(), line.slot.end(), [](const auto& f) { return f.has_value(); }))
        return UsageError(kVerbs[0]);
    if (!OutputFree(*line.output, line.force)) return RefuseExistingFile(*line.output);
    CSolvaneApp app;
    ConsoleUserInterface ui({});
    std::optional<FileWithDefData> data = BeginCompareFilesDefault(app);
    if (!data) return kExitFailed;
    for (int k = 0; k < kCompareSetCount; ++k)
        if (line.slot[k] && !LoadCompareSlot(data->files[k], *line.slot[k], ui)) return kExitFailed;
    data->modelIndex = *line.model;
    data->is50Hz = *line.hz == 50;
    if (!FinishCompareFilesDefault(app, ui, data)) return kExitFailed;
    return WriteAndShow(app, *line.output, line.force);
}

int RunCompare(std::span<const std::string> arguments) {
    if (arguments.empty()) return UsageError(kVerbs[0]);
    const std::string& mode = arguments[0];
    const auto rest = arguments.subspan(1);
    if (mode == "drive") return CompareDrive(rest);
    if (mode == "files") return CompareFiles(rest);
    if (mode == "defaults") return CompareDefaults(rest);
    return UsageError(kVerbs[0]);
}

}  // namespace

std::span<const Verb> CompareVerbs() { return kVerbs; }

}  // namespace telvor
