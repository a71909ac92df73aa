#include "grid_edit.h"

#include <QTest>

#include "gui_rig.h"
#include "parameter_table_model.h"
#include "setting_editor.h"
#include "solvane_view.h"

namespace telvor::testing {

QString CellText(CMainFrame& frame, int codeIndex, int column) {
    ParameterTableModel* model = frame.View()->Model();
    return model->index(model->RowOfCodeIndex(codeIndex), column).data().toString();
}

bool TypeIntoSetting(CMainFrame& frame, int codeIndex, const QString& text, Qt::Key endKey) {
    return TypeIntoSetting(*frame.View(), codeIndex, text, endKey);
}

bool TypeIntoSetting(CSolvaneView& grid, int codeIndex, const QString& text, Qt::Key endKey) {
    CSolvaneView* view = &grid;
    ParameterTableModel* model = view->Model();
    const QModelIndex cell = model->index(model->RowOfCodeIndex(codeIndex), kSettingColumn);
    view->setCurrentIndex(cell);
    view->scrollTo(cell);
    QTest::keyClicks(view, text.left(1));
    auto* editor = view->findChild<SettingEditor*>();
    if (!editor || !editor->isVisible()) return false;
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, endKey);
    Settle();
    return true;
}

}  // namespace telvor::testing
