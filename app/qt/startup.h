#pragma once
// The start-up order of the desktop program: program folder, the first
// document, the main window, the splash, and then the settings file.

#include <QString>

namespace telvor {

class CMainFrame;
class CSolvaneApp;
class QtUserInterface;

// Finds (or makes) the program folder; false after "Error: Not find system data!!".
bool TakeProgramFolder(CSolvaneApp& app, QtUserInterface& ui);

// Opens the file, or runs New without one; shows the main window where the last
// run left it (the first time maximised over a normal size fit for the screen) and
// the splash for about a second (without holding the event loop); reads the settings.
void StartMainWindow(CMainFrame& frame, CSolvaneApp& app, const QString& file, bool withSplash);

}  // namespace telvor
