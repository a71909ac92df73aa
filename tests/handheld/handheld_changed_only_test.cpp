// The handheld's Changed only view: its View menu item and toolbar toggle over
// the shared grid, and the count in its status bar.

#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "grid_edit.h"
#include "gui_test_registry.h"
#include "handheld_rig.h"
#include "parameter_table_model.h"
#include "solvane_view.h"

namespace telvor::testing {

class HandheldChangedOnlyTest : public QObject {
    Q_OBJECT
private slots:
    void theViewMenuAndToolbarShowOnlyTheChangedRows();
};

void HandheldChangedOnlyTest::theViewMenuAndToolbarShowOnlyTheChangedRows() {
    HandheldRig rig("");
    rig.frame->show();
    CSolvaneView& view = *rig.frame->View();
    QAction* toggle = nullptr;
    for (QAction* menu : rig.frame->menuBar()->actions())
        if (menu->text().remove('&') == "View")
            for (QAction* item : menu->menu()->actions())
                if (item->text().remove('&') == "Changed only") toggle = item;
    QVERIFY(toggle);
    QVERIFY(rig.frame->findChild<QToolBar*>("Toolbar")->actions().contains(toggle));
    auto* count = rig.frame->findChild<QLabel*>("changedCount");
    QVERIFY(count);
    QCOMPARE(count->text(), QString("0 of 111 changed"));
    QVERIFY(TypeIntoSetting(view, 4, "8.5"));
    QCOMPARE(count->text(), QString("1 of 111 changed"));

    toggle->trigger();
    QVERIFY(toggle->isChecked());
    QCOMPARE(view.Model()->rowCount(), 1);
    QCOMPARE(view.Model()->CodeIndexOfRow(0), 4);
    toggle->trigger();
    QVERIFY(!toggle->isChecked());
    QCOMPARE(view.Model()->rowCount(), 111);
    QCOMPARE(rig.shown, QStringList());
}

static RegisterTest<HandheldChangedOnlyTest> registration;

}  // namespace telvor::testing

#include "handheld_changed_only_test.moc"
