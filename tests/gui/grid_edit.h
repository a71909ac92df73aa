#pragma once
// Types into a Setting cell of the main window's grid as a user does: the first
// key opens the in-place editor, the rest go into it, and the end key closes it.

#include <QString>
#include <Qt>

namespace telvor {
class CMainFrame;
class CSolvaneView;
}

namespace telvor::testing {

// Text shown in a cell of the row of codeIndex.
QString CellText(CMainFrame& frame, int codeIndex, int column);

// False when no editor opened (a read-only cell).
bool TypeIntoSetting(CMainFrame& frame, int codeIndex, const QString& text, Qt::Key endKey = Qt::Key_Return);
bool TypeIntoSetting(CSolvaneView& view, int codeIndex, const QString& text, Qt::Key endKey = Qt::Key_Return);

}  // namespace telvor::testing
