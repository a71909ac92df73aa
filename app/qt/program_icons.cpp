#include "program_icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QStandardPaths>

namespace telvor {
namespace {

void UseFallbackTheme() {
    static const bool set = [] {
        // Platforms without a desktop theme (offscreen, a bare X server) name no icon folders.
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString& folder :
             QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, "icons", QStandardPaths::LocateDirectory))
            if (!paths.contains(folder)) paths << folder;
        QIcon::setThemeSearchPaths(paths);
        QIcon::setFallbackThemeName(kFallbackIconTheme);
        if (QIcon::themeName().isEmpty()) QIcon::setThemeName(kFallbackIconTheme);
        return true;
    }();
    (void)set;
}

}  // namespace

QIcon ApplicationIcon() { return QIcon(":/icons/telvor.svg"); }

QIcon ThemeIcon(const char* name, const char* secondChoice) {
    UseFallbackTheme();
    const QIcon icon = QIcon::fromTheme(name);
    if (!icon.isNull() || !secondChoice) return icon;
    return QIcon::fromTheme(secondChoice);
}

QPixmap ProgramBanner() {
    constexpr int kWidth = 360;
    constexpr int kHeight = 160;
    QPixmap pixmap(kWidth, kHeight);
    QPainter painter(&pixmap);
    QLinearGradient background(0, 0, 0, kHeight);
    background.setColorAt(0, QColor(52, 90, 150));
    background.setColorAt(1, QColor(24, 46, 82));
    painter.fillRect(pixmap.rect(), background);
    painter.drawPixmap(24, 32, ApplicationIcon().pixmap(96, 96));
    painter.setPen(Qt::white);
    QFont title("DejaVu Sans");
    title.setPixelSize(30);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(132, 40, kWidth - 140, 44), Qt::AlignLeft | Qt::AlignVCenter, "VarnoxLink");
    QFont version("DejaVu Sans");
    version.setPixelSize(14);
    painter.setFont(version);
    painter.drawText(QRect(134, 88, kWidth - 140, 24), Qt::AlignLeft | Qt::AlignVCenter, "Version: 1.1.140123");
    return pixmap;
}

}  // namespace telvor
