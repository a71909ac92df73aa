#pragma once
// What every modal dialog of the program gets before it shows: it is at least
// as wide as its caption needs in the title bar, and it opens centred on the
// screen while the window that owns it is not shown yet (the start-up Model
// Select), as it opens centred over the main window later.

class QDialog;
class QString;
class QWidget;

namespace telvor {

// Room the title bar takes besides the caption: the window icon, the buttons, margins.
inline constexpr int kTitleBarFurniture = 120;

// The width a dialog needs to show its caption whole.
int CaptionWidth(const QString& caption);

void FitDialog(QDialog& dialog, const QWidget* owner);

}  // namespace telvor
