#pragma once
// F6 and Shift+F6: the keyboard focus goes to the next or the previous pane of
// the main window, the document's grid and every dock window that is shown, in
// turn; from anywhere else (the toolbar, nothing) it goes to the first pane.

class QMainWindow;

namespace telvor {

void FocusNextPane(QMainWindow& window, bool forward);

}  // namespace telvor
