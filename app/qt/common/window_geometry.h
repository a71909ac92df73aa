#pragma once
// Where the program's windows were: the main window's and the monitor windows'
// geometry (with the maximised state) is kept between runs in the program's Qt
// settings, under "Windows/<name>", and given back when the window opens again.

class QString;
class QWidget;

namespace telvor {

inline constexpr const char* kWindowGeometryGroup = "Windows";  // the settings group

// The window's geometry of the last run; false when none was kept.
bool RestoreWindowGeometry(QWidget& window, const QString& name);
void SaveWindowGeometry(const QWidget& window, const QString& name);

// A first size for a window that has none kept: the share of its screen's free
// area, centred there.
void PlaceOnScreen(QWidget& window, double share);

}  // namespace telvor
