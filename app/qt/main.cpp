// Telvor, the desktop program: edit parameter sets, link to drives on a serial
// line, read and write them.

#include <QApplication>
#include <QCommandLineParser>

#include "main_frame.h"
#include "program_icons.h"
#include "qt_user_interface.h"
#include "solvane_app.h"
#include "startup.h"
#include "telvor_version.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Zek");
    QApplication::setApplicationName("Telvor");
    QApplication::setApplicationVersion(kTelvorVersion);
    QApplication::setWheelScrollLines(3);
    QApplication::setWindowIcon(telvor::ApplicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Telvor edits drive parameter sets (*.vx3) and compare files (*.mvx), links to drives on a\n"
        "serial line (MODBUS ASCII, stations 1..254) and reads and writes their parameters.\n"
        "The program folder is $TELVOR_HOME, else $XDG_CONFIG_HOME/telvor, else ~/.config/telvor;\n"
        "it holds vx3inf.ini and ports/COM1..COM8, links to the serial devices. Help > Contents opens\n"
        "the manual TelvorPC.html installed with the program, else the one in the program folder.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A parameter or compare file to open instead of a new document.", "[file]");
    parser.process(application);

    telvor::CSolvaneApp app;
    telvor::QtUserInterface ui;
    if (!telvor::TakeProgramFolder(app, ui)) return 1;
    telvor::CMainFrame frame(app, ui);
    const QStringList files = parser.positionalArguments();
    telvor::StartMainWindow(frame, app, files.isEmpty() ? QString() : files.first(), true);
    return application.exec();
}
