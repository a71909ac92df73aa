#pragma once
// Where the program's windows were: the main window's and the monitor windows'
// geometry (with the maximised state) is kept between runs in the program's Qt
// settings, under "Windows/<name>", and given back when the window opens again.

class QSize;
class QString;
class QWidget;

namespace telvor {

// The window's geometry of the last run; false when none was kept.
bool RestoreWindowGeometry(QWidget& window, const QString& name);
void SaveWindowGeometry(const QWidget& window, const QString& name);
// Forgets every kept geometry (a fresh start).
void ForgetWindowGeometries();

// The size the window asks for (wanted), no larger than the free area of its
// screen, and centred there.
void FitToScreen(QWidget& window, const QSize& wanted);

}  // namespace telvor
