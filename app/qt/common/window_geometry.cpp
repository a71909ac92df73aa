#include "window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace telvor {
namespace {

QString Key(const QString& name) { return QString(kWindowGeometryGroup) + "/" + name; }

}  // namespace

bool RestoreWindowGeometry(QWidget& window, const QString& name) {
    const QByteArray kept = QSettings("Zek", "Telvor").value(Key(name)).toByteArray();
    return !kept.isEmpty() && window.restoreGeometry(kept);
}

void SaveWindowGeometry(const QWidget& window, const QString& name) {
    QSettings("Zek", "Telvor").setValue(Key(name), window.saveGeometry());
}

void PlaceOnScreen(QWidget& window, double share) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    QRect placed(QPoint(), free.size() * share);
    placed.moveCenter(free.center());
    window.setGeometry(placed);
}

}  // namespace telvor
