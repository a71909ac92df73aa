#pragma once
// One run of the desktop program in a test: a fresh program folder, the
// application object, the Qt user interface and the main window, with every
// modal dialog answered from a script.

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "main_frame.h"
#include "qt_user_interface.h"
#include "solvane_app.h"

namespace telvor::testing {

using DialogAnswer = std::function<void(QDialog&)>;

// "caption|text" for a message box, the caption for any other dialog.
QString Describe(QDialog& dialog);

// Answers: press the button with this text, or a message box's standard button.
DialogAnswer Press(const QString& buttonText);
DialogAnswer PressStandard(QMessageBox::StandardButton button);
DialogAnswer Accept();
DialogAnswer Reject();

class GuiRig {
public:
    // linkPath: the device that ports/COM1 of the program folder points at (empty: none).
    explicit GuiRig(const std::string& linkPath = {});
    ~GuiRig();

    CSolvaneApp app;
    QtUserInterface ui;
    std::unique_ptr<CMainFrame> frame;
    const std::string& Folder() const { return folder_; }

    // What the next modal dialogs get, in order. A dialog without an answer is
    // recorded and rejected, and counts as unexpected.
    std::deque<DialogAnswer> answers;
    QStringList shown;
    int unexpected = 0;

    // A new document of defaults for the model and frequency, through the New command.
    void NewDocument(int modelIndex, bool is50Hz);
    // Links to the stations of the text with the default line settings.
    void Link(const QString& stationText, std::deque<DialogAnswer> after = {});
    // Stops the main window's 400 ms timer, for tests that poll by hand and count the
    // frames: a tick of a slow run would add a poll of its own.
    void StopTimer();

private:
    std::string folder_;
};

// Saves a picture of the widget as PNG and says so on stdout.
bool SaveScreenshot(QWidget& widget, const QString& path);

// Lets queued events (edit hand-offs, commits) run.
void Settle();

// Keys and focus are real only on an X display (gui_focus_tests runs on Xvfb);
// the offscreen platform hides the faults of default buttons and focus.
bool HasRealFocus();
// Shows the window, makes it the active one and gives `focus` the keyboard focus;
// false when the window system did not.
bool ShowFocused(QWidget& window, QWidget& focus);
// A key pressed and released as the window system delivers it: to the focus
// widget of the active window, through shortcuts, and on to the parents that ignore it.
void PressKey(QWidget& window, Qt::Key key);

}  // namespace telvor::testing
