#include "startup.h"

#include <QSplashScreen>
#include <QTimer>

#include "main_frame.h"
#include "program_folder.h"
#include "program_icons.h"
#include "program_settings.h"
#include "qt_user_interface.h"
#include "window_geometry.h"
#include "solvane_app.h"

namespace telvor {
namespace {

constexpr int kSplashMs = 1000;
constexpr double kFirstShare = 0.85;  // of the screen's free area, the main window's first normal size

}  // namespace

bool TakeProgramFolder(CSolvaneApp& app, QtUserInterface& ui) {
    const ProgramFolderResult folder = FindProgramFolder();
    if (!folder.ok) {
        ui.ShowMessage(kApplicationTitle, folder.message, MessageIcon::Stop);
        return false;
    }
    app.SetProgramFolder(folder.folder);
    return true;
}

void StartMainWindow(CMainFrame& frame, CSolvaneApp& app, const QString& file, bool withSplash) {
    if (file.isEmpty()) frame.OnFileNew();
    else frame.OpenDocumentFile(file);
    // Where the last run left the window; the first run opens maximised over a
    // normal size that the status panes fit.
    if (RestoreWindowGeometry(frame, kMainWindowName)) {
        frame.show();
    } else {
        PlaceOnScreen(frame, kFirstShare);
        frame.showMaximized();
    }
    if (withSplash) {
        auto* splash = new QSplashScreen(frame.screen(), ProgramBanner());
        splash->setAttribute(Qt::WA_DeleteOnClose);
        splash->show();
        QTimer::singleShot(kSplashMs, splash, &QWidget::close);
    }
    // On top of what start-up chose already (the 50/60 Hz choice of New).
    app.TakeSettings(ReadSettingsFile(SettingsFilePath(app.ProgramFolder()), app.SettingsToStore()));
    frame.UpdateCommandUi();
}

}  // namespace telvor
