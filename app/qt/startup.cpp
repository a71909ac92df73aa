#include "startup.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QSplashScreen>
#include <QTimer>

#include "main_frame.h"
#include "program_folder.h"
#include "program_settings.h"
#include "qt_user_interface.h"
#include "solvane_app.h"

namespace telvor {
namespace {

constexpr int kSplashMs = 1000;

QPixmap SplashPicture() {
    QPixmap pixmap(360, 160);
    pixmap.fill(QColor(40, 70, 120));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont title("DejaVu Sans");
    title.setPixelSize(34);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(0, 30, 360, 60), Qt::AlignCenter, "VarnoxLink");
    QFont version("DejaVu Sans");
    version.setPixelSize(14);
    painter.setFont(version);
    painter.drawText(QRect(0, 95, 360, 30), Qt::AlignCenter, "Version: 1.1.140123");
    return pixmap;
}

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
    frame.showMaximized();
    if (withSplash) {
        auto* splash = new QSplashScreen(frame.screen(), SplashPicture());
        splash->setAttribute(Qt::WA_DeleteOnClose);
        splash->show();
        QTimer::singleShot(kSplashMs, splash, &QWidget::close);
    }
    // On top of what start-up chose already (the 50/60 Hz choice of New).
    app.TakeSettings(ReadSettingsFile(SettingsFilePath(app.ProgramFolder()), app.SettingsToStore()));
    frame.UpdateCommandUi();
}

}  // namespace telvor
