// The dialogs, the fixed message boxes, the progress windows and the Setting
// editor as real widgets.

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "drive_models.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "link_dialog.h"
#include "model_select_dialog.h"
#include "parameter_catalogue.h"
#include "progress_windows.h"
#include "read_para_dialog.h"
#include "setting_editor.h"
#include "value_format.h"
#include "write_para_dialog.h"

namespace telvor::testing {
namespace {

QRadioButton* Radio(QWidget& dialog, const QString& text) {
    for (QRadioButton* b : dialog.findChildren<QRadioButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

QPushButton* Button(QWidget& dialog, const QString& text) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

// The least width that shows a caption whole beside the title bar's buttons.
int CaptionRoom(const QString& caption) {
    QFont title = QApplication::font();
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption) + 80;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void modelSelectShowsTheRatingOfTheChosenModelAtOnce() {
        CModelType dialog({42, false});
        QCOMPARE(dialog.windowTitle(), QString("Model Select"));
        QCOMPARE(dialog.ModelList()->count(), 11);
        QCOMPARE(dialog.ModelList()->currentIndex(), 0);  // an index without a model shows model 0
        QCOMPARE(dialog.FrequencyList()->currentText(), QString("60 Hz"));
        dialog.ModelList()->setCurrentIndex(8);
        QCOMPARE(dialog.RatingLabel()->text(), QString::fromStdString(RatingText(8)));
        QVERIFY(dialog.RatingLabel()->text().startsWith(" KRV-075-43:\n 1. Horsepower: 1HP\n"));
        const ModelChoice choice = dialog.Choice();
        QCOMPARE(choice.modelIndex, 8);
        QCOMPARE(choice.is50Hz, false);
    }

    void linkDialogShowsStoredSettingsAsTheyAreUsed_data() {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<int>("storedBaud");
        QTest::newRow("baud 0") << 0 << 8 << 0 << 0 << QStringList{"38400", "8 bits", "None", "1 bit"} << 38400;
        QTest::newRow("9600 7E2") << 9600 << 7 << 2 << 2 << QStringList{"9600", "7 bits", "Even", "2 bits"} << 9600;
        QTest::newRow("odd, 9 data bits") << 4800 << 9 << 1 << 1 << QStringList{"4800", "8 bits", "Odd", "1 bit"}
                                          << 4800;
    }
    void linkDialogShowsStoredSettingsAsTheyAreUsed() {
        QFETCH(int, baud);
        QFETCH(int, dataBits);
        QFETCH(int, parity);
        QFETCH(int, stopBits);
        QFETCH(QStringList, checked);
        QFETCH(int, storedBaud);
        LinkDialogData start;
        start.line = {3, baud, dataBits, parity, stopBits};
        start.stationText = "7";
        CLinkDialog dialog(start);
        QStringList on;
        for (QRadioButton* b : dialog.findChildren<QRadioButton*>())
            if (b->isChecked() && b->text() != "Single") on << b->text();
        QCOMPARE(on, checked);
        QCOMPARE(dialog.findChild<QComboBox*>("port")->currentText(), QString("3"));
        QCOMPARE(dialog.Choice().line.baudRate, storedBaud);
        QCOMPARE(dialog.Choice().stationText, std::string("7"));
    }

    void linkDialogDefaultSettingAndStationChoice() {
        LinkDialogData start;
        start.line = {2, 9600, 7, 1, 2};
        CLinkDialog dialog(start);
        QVERIFY(!Button(dialog, "&Unlink")->isEnabled());
        Button(dialog, "&Default setting")->click();
        const LineSettings line = dialog.Choice().line;
        QCOMPARE(line.comPort, 2);
        QCOMPARE(line.baudRate, 38400);
        QCOMPARE(line.dataBits, 8);
        QCOMPARE(line.parity, 0);
        QCOMPARE(line.stopBits, 0);
        Radio(dialog, "Even")->click();
        QCOMPARE(dialog.Choice().line.parity, 2);
        Radio(dialog, "All of the Inverter")->click();
        QVERIFY(!dialog.findChild<QLineEdit*>("station")->isEnabled());
        QVERIFY(dialog.Choice().allStations);
        Radio(dialog, "Single")->click();
        QVERIFY(dialog.findChild<QLineEdit*>("station")->isEnabled());
        Button(dialog, "&Unlink")->setEnabled(true);
        Button(dialog, "&Unlink")->click();
        QCOMPARE(dialog.result(), CLinkDialog::kUnlinkResult);
        QCOMPARE(dialog.Action(), LinkDialogAction::Unlink);
    }

    void linkDialogShowsWhereTheChosenPortLeads() {
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("ports");
        const auto address = [&](const char* name, const char* text) {
            QFile file(folder.filePath(QString("ports/") + name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        address("COM7", "tcp://10.0.0.5:4001\n");
        address("COM12", "rfc2217://10.0.0.6:4002\n");
        LinkDialogData start;
        start.line = {7, 38400, 8, 0, 0};
        start.programFolder = folder.path().toStdString();
        CLinkDialog dialog(start);
        auto* port = dialog.findChild<QComboBox*>("port");
        auto* leads = dialog.findChild<QLabel*>("portLeads");
        QCOMPARE(leads->text(), QString("raw TCP to 10.0.0.5:4001; the line format is the server's own"));
        QCOMPARE(port->itemText(port->count() - 1), QString("12"));
        port->setCurrentIndex(port->count() - 1);
        emit port->activated(port->count() - 1);
        QCOMPARE(dialog.Choice().line.comPort, 12);
        QCOMPARE(leads->text(), QString("RFC 2217 to 10.0.0.6:4002; the line format is set at the server"));
        port->setCurrentIndex(1);
        emit port->activated(1);
        QCOMPARE(leads->text(), QString("/dev/ttyS1"));
    }

    void linkDialogWhileLinkedLeavesOnlyUnlinkAndClose() {
        LinkDialogData start;
        start.linked = true;
        CLinkDialog dialog(start);
        QStringList usable;
        for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
            if (b->isEnabled()) usable << b->text();
        QCOMPARE(usable, (QStringList{"&Unlink", "&Close"}));
        QVERIFY(!dialog.findChild<QComboBox*>("port")->isEnabled());
        QVERIFY(!dialog.findChild<QLineEdit*>("station")->isEnabled());
    }

    void groupBoxesKeepOneGroupChosen_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("basic");
        QTest::addColumn<bool>("advanced");
        QTest::newRow("basic off") << "basic" << "" << false << true;
        QTest::newRow("advanced off") << "advanced" << "" << true << false;
        QTest::newRow("basic off, then advanced off") << "basic" << "advanced" << true << false;
        QTest::newRow("advanced off, then basic off") << "advanced" << "basic" << false << true;
    }
    void groupBoxesKeepOneGroupChosen() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, basic);
        QFETCH(bool, advanced);
        CReadParaDialog read({5, {true, true}, false});
        QtUserInterface messages;
        CWriteParaDialog write({"1,3", false, {true, true}}, messages);
        for (QDialog* dialog : std::initializer_list<QDialog*>{&read, &write}) {
            dialog->findChild<QCheckBox*>(first)->click();
            if (!second.isEmpty()) dialog->findChild<QCheckBox*>(second)->click();
            QCOMPARE(dialog->findChild<QCheckBox*>("basic")->isChecked(), basic);
            QCOMPARE(dialog->findChild<QCheckBox*>("advanced")->isChecked(), advanced);
        }
        QCOMPARE(read.Choice().groups.basic, basic);
        QCOMPARE(read.Choice().groups.advanced, advanced);
        QCOMPARE(read.Choice().station, 5);
        QCOMPARE(write.Choice().groups.basic, basic);
        QCOMPARE(write.Choice().stationText, std::string("1,3"));
    }

    void readDialogLockedWhileMonitoring() {
        CReadParaDialog dialog({12, {true, true}, true});
        auto* list = dialog.findChild<QComboBox*>("station");
        QCOMPARE(list->count(), 254);
        QCOMPARE(list->currentText(), QString("12"));
        QVERIFY(!list->isEnabled());
        QVERIFY(!dialog.findChild<QCheckBox*>("basic")->isEnabled());
        QVERIFY(!dialog.findChild<QCheckBox*>("advanced")->isEnabled());
    }

    void writeDialogAllStationDisablesTheText() {
        QtUserInterface messages;
        CWriteParaDialog dialog({"4", false, {true, true}}, messages);
        Radio(dialog, "All Station")->click();
        QVERIFY(!dialog.findChild<QLineEdit*>("station")->isEnabled());
        QVERIFY(dialog.Choice().allStations);
    }

    void writeDialogVerifyAfterWriteReachesTheChoice() {
        QtUserInterface messages;
        CWriteParaDialog dialog({"4", false, {true, true}}, messages);
        auto* verify = dialog.findChild<QCheckBox*>("verify");
        QCOMPARE(verify->text(), QString("Verify after write"));
        QVERIFY(!dialog.Choice().verify);
        verify->click();
        QVERIFY(dialog.Choice().verify);
    }

    void fixedDialogsShowTheirTextsAndEndWithTheirButtons_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("ok");
        QTest::newRow("155") << 155 << "Communication Message" << "TIME-OUT !!" << "&Quit" << true;
        QTest::newRow("261") << 261 << "Communication Message" << "Check Sum Error !!" << "&Quit" << true;
        QTest::newRow("263") << 263 << "Communication Message" << "Varnox Not Link With PC !!" << "&Quit" << true;
        QTest::newRow("265 continue") << 265 << "Write Message"
                                      << "Communication Error !!\nContinue to Next Station ?" << "&Continue" << true;
        QTest::newRow("265 abort") << 265 << "Write Message" << "Communication Error !!\nContinue to Next Station ?"
                                   << "&Abort" << false;
        QTest::newRow("266 continue") << 266 << "Write Message" << "Continue to Next Station ?" << "&Continue" << true;
        QTest::newRow("266 abort") << 266 << "Write Message" << "Continue to Next Station ?" << "&Abort" << false;
        QTest::newRow("267") << 267 << "Write Message" << "Write Parameter Successfully !!" << "OK" << true;
    }
    void fixedDialogsShowTheirTextsAndEndWithTheirButtons() {
        QFETCH(int, id);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(bool, ok);
        QtUserInterface ui;
        QString seen;
        QStringList buttons;
        int width = 0;
        ui.SetModalHook([&](QDialog& dialog) {
            seen = Describe(dialog);
            width = dialog.width();
            for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) buttons << b->text();
            Press(button)(dialog);
        });
        const DialogResult result = ui.RunFixedDialog(static_cast<FixedDialog>(id));
        QCOMPARE(seen, caption + "|" + text);
        QVERIFY2(width >= CaptionRoom(caption), qPrintable(QString::number(width)));
        QVERIFY(buttons.contains(button));
        QCOMPARE(buttons.size(), id == 265 || id == 266 ? 2 : 1);
        QCOMPARE(result, ok ? DialogResult::Ok : DialogResult::Cancel);
    }

    // Before the main window shows (a message at start-up, the first Model
    // Select), a dialog opens in the middle of the screen.
    void dialogsOfAHiddenOwnerOpenCentredOnTheScreen_data() {
        QTest::addColumn<bool>("modelSelect");
        QTest::newRow("Model Select") << true;
        QTest::newRow("message box") << false;
    }
    void dialogsOfAHiddenOwnerOpenCentredOnTheScreen() {
        QFETCH(bool, modelSelect);
        QWidget owner;
        owner.resize(900, 600);
        QtUserInterface ui;
        ui.SetOwner(&owner);
        QRect placed;
        QString caption;
        ui.SetModalHook([&](QDialog& dialog) {
            placed = dialog.geometry();
            caption = dialog.windowTitle();
            dialog.reject();
        });
        if (modelSelect) {
            CModelType dialog({0, true}, &owner);
            ui.RunModal(dialog);
        } else {
            ui.ShowMessage("Open\n", "Error: Open file failure!", MessageIcon::Warning);
        }
        const QPoint middle = owner.screen()->availableGeometry().center();
        QVERIFY2((placed.center() - middle).manhattanLength() < 60, qPrintable(caption));
        QVERIFY(placed.width() >= CaptionRoom(caption));
    }

    void askOffersTheButtonsItIsGiven() {
        QtUserInterface ui;
        QList<QMessageBox::StandardButtons> offered;
        ui.SetModalHook([&](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            offered << box.standardButtons();
            box.button(QMessageBox::No)->click();
        });
        QCOMPARE(ui.Ask("Write Message", "question", AskButtons::YesNo, MessageIcon::Warning), Answer::No);
        QCOMPARE(ui.Ask("VarnoxLink", "question", AskButtons::YesNoCancel, MessageIcon::Warning), Answer::No);
        QCOMPARE(offered.value(0), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(offered.value(1), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }

    void fileFiltersBecomeQtNameFilters() {
        QCOMPARE(QtNameFilters("VarnoxLink Files (*.vx3; *.mvx)|*.vx3; *.mvx|Parameter Files (*.vx3)|*.vx3|"
                               "Compare Files (*.mvx)|*.mvx|All Files (*.*)|*.*|"),
                 (QStringList{"VarnoxLink Files (*.vx3 *.mvx)", "Parameter Files (*.vx3)", "Compare Files (*.mvx)",
                              "All Files (*.*)"}));
        QCOMPARE(QtNameFilters("Compara Files (*.mvx)|*.mvx||"), QStringList{"Compara Files (*.mvx)"});
    }

    void progressWindowStepsAndShowsItsText() {
        QtProgressDialog progress(nullptr, false);
        progress.SetRange(0, 13);
        progress.SetPos(0);
        progress.Show();
        for (int i = 0; i < 20; ++i) progress.StepIt();
        progress.SetText("Read Inverter Function Parameter...A12");
        progress.Repaint();
        QCOMPARE(progress.Window()->Bar()->value(), 13);
        QCOMPARE(progress.Window()->TextLine()->text(), QString("Read Inverter Function Parameter...A12"));
        QVERIFY(progress.Window()->isVisible());
        QVERIFY(!progress.Window()->CancelButton());
        progress.Close();
        QVERIFY(!progress.IsOpen());
        progress.StepIt();  // a closed window takes further calls
        progress.SetText("after");
    }

    void cancelProgressCancelRunsTheCallbackAndDestroysTheWindow_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape key") << true;
    }
    void cancelProgressCancelRunsTheCallbackAndDestroysTheWindow() {
        QFETCH(bool, byEscape);
        int cancels = 0;
        QtProgressDialog progress(nullptr, true, [&] { ++cancels; });
        progress.Show();
        QPointer<ProgressWindow> window = progress.Window();
        QCOMPARE(window->CancelButton()->text(), QString("Cancel"));
        if (byEscape) QTest::keyClick(window, Qt::Key_Escape);
        else window->CancelButton()->click();
        QCOMPARE(cancels, 1);
        QVERIFY(!progress.IsOpen());
        QTRY_VERIFY(window.isNull());
    }

    void settingEditorUndoesKeystrokesThatBreakTheFormat_data() {
        QTest::addColumn<int>("codeIndex");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("A04 999.0") << 4 << "999.0" << "999.0";
        QTest::newRow("A04 1000") << 4 << "1000" << "100";
        QTest::newRow("A04 99.99") << 4 << "99.99" << "99.9";
        QTest::newRow("A04 second point") << 4 << "1..5" << "1.5";
        QTest::newRow("A04 letters") << 4 << "a1b2" << "12";
        QTest::newRow("A02 200.00") << 2 << "200.00" << "200.00";
        QTest::newRow("A02 2000") << 2 << "2000" << "200";
        QTest::newRow("A02 20.000") << 2 << "20.000" << "20.00";
        QTest::newRow("b12 5.5") << 112 << "5.5" << "5.5";
        QTest::newRow("b12 .5") << 112 << ".5" << ".5";
        QTest::newRow("b12 55") << 112 << "55" << "5";
        QTest::newRow("b12 5.55") << 112 << "5.55" << "5.5";
        QTest::newRow("b95 integer takes no point") << 195 << "1.2" << "12";
    }
    void settingEditorUndoesKeystrokesThatBreakTheFormat() {
        QFETCH(int, codeIndex);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        SettingEditor editor(ValueFormatOf(codeIndex), LimitsOf(codeIndex).editorWidth);
        editor.Start("");
        QTest::keyClicks(&editor, typed);
        QCOMPARE(editor.text(), shown);
        QCOMPARE(editor.cursorPosition(), static_cast<int>(shown.size()));
    }
};

static RegisterTest<DialogsTest> registration;

}  // namespace telvor::testing

#include "dialogs_test.moc"
