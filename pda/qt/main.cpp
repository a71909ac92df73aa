// TelvorPDA, the handheld edition: one parameter document, its own serial line,
// link, read, write and online edit from a pocket screen.

#include <QApplication>
#include <QCommandLineParser>

#include "gsm_modbus_ascii.h"
#include "pda_frame.h"
#include "pda_user_interface.h"
#include "program_folder.h"
#include "program_icons.h"
#include "solvane_app.h"
#include "telvor_version.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("TelvorPDA");
    QApplication::setApplicationVersion(kTelvorVersion);
    QApplication::setWindowIcon(telvor::ApplicationIcon());
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "TelvorPDA, the handheld edition: one parameter document (*.vx3, *.mvx) on a pocket screen,\n"
        "linked to drives on the serial line COM1..COM4 (ports/COMn of the program folder).");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A parameter or compare file to open.", "[file]");
    parser.process(application);
    telvor::CSolvaneApp app;
    telvor::PdaUserInterface ui;
    telvor::CGSMModbusAscii line;
    // The handheld keeps no settings; the folder only names the ports ("COM1:" is its ports/COM1).
    const telvor::ProgramFolderResult folder = telvor::FindProgramFolder();
    if (folder.ok) app.SetProgramFolder(folder.folder);
    telvor::CPdaFrame frame(app, ui, line);
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) frame.OpenDocumentFile(files.first());
    frame.show();
    return application.exec();
}
