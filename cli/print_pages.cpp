// telvorctl-print, the page renderer: `telvorctl print` starts it with the verb's
// words and it draws the pages with Qt GUI on the offscreen platform.

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "document_file.h"
#include "pdf_export.h"
#include "print_verb.h"
#include "program_folder.h"
#include "program_settings.h"

namespace telvor {
namespace {

int RunPrint(std::span<const std::string> arguments);

constexpr Verb kPrintVerb{"print", kPrintArguments, kPrintSummary, RunPrint};

struct PrintArguments {
    std::string file;
    std::string out;
    std::optional<bool> title;
    bool basic = false;
    bool advanced = false;
    bool landscape = false;
    bool force = false;
};

std::optional<PrintArguments> ParseArguments(std::span<const std::string> arguments) {
    PrintArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "-o" && i + 1 < arguments.size() && parsed.out.empty()) parsed.out = arguments[++i];
        else if ((word == "--title" || word == "--no-title") && !parsed.title) parsed.title = word == "--title";
        else if (word == "--basic") parsed.basic = true;
        else if (word == "--advanced") parsed.advanced = true;
        else if (word == "--landscape") parsed.landscape = true;
        else if (word == "--force") parsed.force = true;
        else if (!word.starts_with("-") && parsed.file.empty()) parsed.file = word;
        else return std::nullopt;
    }
    if (parsed.file.empty() || parsed.out.empty()) return std::nullopt;
    return parsed;
}

// The settings file's print choice, overridden by what the command line names.
PrintChoice ChoiceOf(const PrintArguments& arguments) {
    const ProgramFolderResult folder = FindProgramFolder();
    PrintChoice choice = PrintChoiceOf(folder.ok ? ReadSettingsFile(SettingsFilePath(folder.folder)) : ProgramSettings{});
    if (arguments.title) choice.title = *arguments.title;
    if (arguments.basic || arguments.advanced) choice.groups = {arguments.basic, arguments.advanced};
    return choice;
}

// Qt's own notes about the headless session (no runtime folder, no display) are
// not the user's business; its critical messages still reach stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

int RunPrint(std::span<const std::string> words) {
    const std::optional<PrintArguments> arguments = ParseArguments(words);
    if (!arguments) return UsageError(kPrintVerb);
    const PrintChoice choice = ChoiceOf(*arguments);
    if (!HasPrintGroup(choice)) {
        ShowMessage(kNoPrintGroupMessage);
        return kExitFailed;
    }
    DocumentReadResult read = ReadDocumentFile(arguments->file);
    if (!read.ok) {
        ShowMessage(read.message.text);
        return kExitFailed;
    }
    // Pages are rendered without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietQtMessages);
    int argc = 1;
    char name[] = "telvorctl";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    PdfRequest request;
    request.choice = choice;
    request.orientation = arguments->landscape ? PageOrientation::Landscape : PageOrientation::Portrait;
    request.paper = PaperOfLocale();
    request.mode = arguments->force ? WriteMode::Replace : WriteMode::CreateOnly;
    const PdfExportResult written = ExportPrintPdf(read.doc, request, arguments->out);
    if (written.ok) return kExitOk;
    if (written.fileExists) return RefuseExistingFile(arguments->out);
    ShowMessage(written.message);
    return kExitFailed;
}

}  // namespace
}  // namespace telvor

// As telvorctl's own verbs: whatever the libraries throw still ends with a message.
int main(int argc, char** argv) {
    try {
        const std::vector<std::string> words(argv + 1, argv + argc);
        return telvor::RunPrint(words);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "telvorctl: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "telvorctl: unexpected failure\n");
    }
    return telvor::kExitFailed;
}
