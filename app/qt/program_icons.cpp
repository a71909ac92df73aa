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

constexpr double kDisabledOpacity = 0.3;

QIcon WithFadedDisabledState(const QIcon& icon) {
    if (icon.isNull()) return icon;
    QIcon shown;
    for (int size : {16, 22, 24, 32, 48}) {
        const QPixmap normal = icon.pixmap(QSize(size, size));
        if (normal.isNull()) continue;
        QPixmap faded(normal.size());
        faded.setDevicePixelRatio(normal.devicePixelRatio());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(kDisabledOpacity);
        painter.drawPixmap(0, 0, normal);
        painter.end();
        shown.addPixmap(normal, QIcon::Normal);
        shown.addPixmap(faded, QIcon::Disabled);
    }
    return shown;
}

}  // namespace

QIcon ApplicationIcon() { return QIcon(":/icons/telvor.svg"); }

QIcon ThemeIcon(const char* name, const char* secondChoice) {
    UseFallbackTheme();
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull() && secondChoice) icon = QIcon::fromTheme(secondChoice);
    return WithFadedDisabledState(icon);
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
