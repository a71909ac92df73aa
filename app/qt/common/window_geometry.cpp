#include "window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace telvor {
namespace {

constexpr const char* kGroup = "Windows";

QString Key(const QString& name) { return QString(kGroup) + "/" + name; }

}  // namespace

bool RestoreWindowGeometry(QWidget& window, const QString& name) {
    const QByteArray kept = QSettings("Zek", "Telvor").value(Key(name)).toByteArray();
    return !kept.isEmpty() && window.restoreGeometry(kept);
}

void SaveWindowGeometry(const QWidget& window, const QString& name) {
    QSettings("Zek", "Telvor").setValue(Key(name), window.saveGeometry());
}

void ForgetWindowGeometries() { QSettings("Zek", "Telvor").remove(kGroup); }

void FitToScreen(QWidget& window, const QSize& wanted) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(wanted);
        return;
    }
    const QRect free = screen->availableGeometry();
    // The window manager's frame comes on top of the size the window gets.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    QRect placed(QPoint(), wanted.boundedTo(free.size() - frame).expandedTo(window.minimumSizeHint()));
    placed.moveCenter(free.center());
    window.resize(placed.size());
    window.move(placed.topLeft());
}

}  // namespace telvor
