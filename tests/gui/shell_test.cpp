// The main window: start-up, menus, toolbar, status panes, the document
// commands with the save question, Help, About and the close rules.

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "block_read_setting.h"
#include "command_table.h"
#include "grid_edit.h"
#include "gui_rig.h"
#include "gui_test_registry.h"
#include "model_select_dialog.h"
#include "parameter_table_model.h"
#include "program_folder.h"
#include "program_settings.h"
#include "sim_line.h"
#include "solvane_view.h"
#include "startup.h"

namespace telvor::testing {
namespace {

QStringList MenuTitles(CMainFrame& frame) {
    QStringList titles;
    for (QAction* menu : frame.menuBar()->actions()) titles << menu->text();
    return titles;
}

// The items of a menu: texts, "-" for separators, "[submenu]" for a submenu's title in brackets.
QStringList MenuItems(CMainFrame& frame, const QString& title) {
    for (QAction* menu : frame.menuBar()->actions()) {
        if (menu->text() != title) continue;
        QStringList items;
        for (QAction* item : menu->menu()->actions()) {
            if (item->isSeparator()) items << "-";
            else if (item->menu()) items << "[" + item->text() + "]";
            else if (item->isVisible()) items << item->text();
        }
        return items;
    }
    return {};
}

DialogAnswer ChooseFile(const QString& path) {
    return [path](QDialog& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        files.selectFile(path);
        dialog.accept();  // QFileDialog's own accept, through the dialog
    };
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void startingWithoutAFileAsksForAModelFirst() {
        GuiRig rig;
        rig.frame->hide();
        rig.answers.push_back([&rig](QDialog& dialog) {
            QVERIFY(!rig.frame->isVisible());  // Model Select comes before the main window
            dialog.reject();
        });
        StartMainWindow(*rig.frame, rig.app, QString(), false);
        QCOMPARE(rig.shown, QStringList{"Model Select"});
        QVERIFY(rig.frame->isVisible());
        QCOMPARE(rig.frame->windowTitle(), QString("VarnoxLink Ver:1.1.140123"));
        QVERIFY(!rig.app.Document());
        QCOMPARE(MenuTitles(*rig.frame), (QStringList{"&File", "&Operation", "&View", "&Help"}));
        QCOMPARE(MenuItems(*rig.frame, "&File"),
                 (QStringList{"&New...", "&Open...", "-", "[Co&mpare]", "-", "Recent File", "-", "E&xit"}));
        QCOMPARE(MenuItems(*rig.frame, "&Operation"),
                 (QStringList{"&Link...", "Line &Overview...", "-", "&Read...", "-", "&Monitor...", "-",
                              "Online &Edit", "&Block read"}));
    }

    void startingWithAFileOpensItWithoutModelSelect() {
        GuiRig rig;
        rig.NewDocument(8, false);
        const QString path = QString::fromStdString(rig.Folder() + "/start.vx3");
        rig.answers.push_back(ChooseFile(path));
        QVERIFY(rig.frame->OnFileSave());
        rig.app.CloseDocument();
        rig.frame->ShowDocument();
        rig.shown.clear();
        StartMainWindow(*rig.frame, rig.app, path, false);
        QVERIFY(rig.shown.isEmpty());
        QVERIFY(rig.app.Document());
        QCOMPARE(rig.frame->DocumentTitle(), QString("start.vx3"));
        QCOMPARE(CellText(*rig.frame, 8, kDefaultColumn), QString("440.0"));
    }

    void theDocumentMenuBarHasEveryItem() {
        GuiRig rig;
        rig.NewDocument(0, true);
        QCOMPARE(MenuTitles(*rig.frame), (QStringList{"&File", "&Edit", "&Operation", "&View", "&Help"}));
        QCOMPARE(MenuItems(*rig.frame, "&File"),
                 (QStringList{"&New...", "&Open...", "&Close", "-", "[Co&mpare]", "-", "&Save", "Save &As...",
                              "&Export CSV...", "-", "Print &Title && Set...", "Print Pre&view", "&Print...",
                              "Export P&DF...", "-", "Recent File", "-",
                              "E&xit"}));
        QCOMPARE(MenuItems(*rig.frame, "&Edit"),
                 (QStringList{"Station &Title...", "-", "&Find...", "&Go to...", "-", "&Definite parameter..."}));
        QCOMPARE(MenuItems(*rig.frame, "&Operation"),
                 (QStringList{"&Link...", "Line &Overview...", "-", "&Read...", "&Write...", "-", "&Monitor...",
                              "-", "Online &Edit", "&Block read"}));
        QCOMPARE(MenuItems(*rig.frame, "&View"), (QStringList{"&Toolbar", "&Status Bar", "-", "&Changed only"}));
        QCOMPARE(MenuItems(*rig.frame, "&Help"), (QStringList{"&Contents", "-", "&About VarnoxLink..."}));
    }

    void acceleratorsAndPrompts_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("New") << int(ID_FILE_NEW) << "Ctrl+N";
        QTest::newRow("Open") << int(ID_FILE_OPEN) << "Ctrl+O";
        QTest::newRow("Save") << int(ID_FILE_SAVE) << "Ctrl+S";
        QTest::newRow("Print") << int(ID_FILE_PRINT) << "Ctrl+P";
        QTest::newRow("Find") << int(ID_EDIT_FIND) << "Ctrl+F";
        QTest::newRow("Go to") << int(ID_EDIT_GOTO) << "Ctrl+G";
        QTest::newRow("Read") << int(ID_READ) << "Ctrl+R";
        QTest::newRow("Write") << int(ID_WRITE) << "Ctrl+W";
        QTest::newRow("Help") << int(ID_HELP_CONTENTS) << "F1";
        QTest::newRow("Next pane") << int(ID_NEXT_PANE) << "F6";
        QTest::newRow("Previous pane") << int(ID_PREV_PANE) << "Shift+F6";
        QTest::newRow("Link") << int(ID_LINK) << "";
        QTest::newRow("Station Title") << int(ID_STATION_TITLE) << "";
    }
    void acceleratorsAndPrompts() {
        QFETCH(int, id);
        QFETCH(QString, shortcut);
        GuiRig rig;
        QCOMPARE(rig.frame->Action(id)->shortcut(), QKeySequence(shortcut));
        rig.frame->Action(id)->showStatusText(rig.frame.get());
        const QString prompt = QString(FindCommand(id)->prompt).section('\n', 0, 0);
        QCOMPARE(rig.frame->Pane(0)->text(), prompt);
        QCOMPARE(rig.frame->Action(id)->toolTip(), QString(FindCommand(id)->prompt).section('\n', 1));
        QStatusTipEvent idle{QString()};
        QCoreApplication::sendEvent(rig.frame.get(), &idle);
        QCOMPARE(rig.frame->Pane(0)->text(), QString("Ready"));
    }

    void blockReadIsKeptWithTheProgramsSettingsAndReachesTheReadOptions() {
        QSettings("Zek", "Telvor").remove(kBlockReadKey);
        {
            GuiRig rig;
            QVERIFY(rig.frame->Action(ID_BLOCK_READ)->isCheckable());
            QVERIFY(!rig.app.readOptions.blockRead);
            rig.frame->Action(ID_BLOCK_READ)->trigger();
            QVERIFY(rig.app.readOptions.blockRead);
        }
        GuiRig next;
        QVERIFY(next.frame->Action(ID_BLOCK_READ)->isChecked());
        QVERIFY(next.app.readOptions.blockRead);
        next.frame->Action(ID_BLOCK_READ)->trigger();
        QVERIFY(!QSettings("Zek", "Telvor").value(kBlockReadKey).toBool());
    }

    void linkPromptAndToolbarOrder() {
        GuiRig rig;
        rig.frame->Action(ID_LINK)->showStatusText(rig.frame.get());
        QCOMPARE(rig.frame->Pane(0)->text(), QString("Link with inverter"));
        QCOMPARE(rig.frame->Action(ID_ONLINE_EDIT)->statusTip(), QString("Setting online edit"));
        QList<int> order;
        for (QAction* a : rig.frame->ToolBar()->actions()) order << (a->isSeparator() ? 0 : a->data().toInt());
        QCOMPARE(order, (QList<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0,
                                    ID_LINK, ID_MONITOR, ID_READ, ID_WRITE, 0, ID_VIEW_CHANGED_ONLY, 0,
                                    ID_HELP_CONTENTS}));
        QCOMPARE(rig.frame->Action(ID_STATION_TITLE)->statusTip(), QString("Edit the station title"));
        QCOMPARE(rig.frame->ToolBar()->windowTitle(), QString("Toolbar"));
        QCOMPARE(rig.frame->ToolBar()->iconSize(), QSize(16, 16));
    }

    void f6PutsTheFocusBackIntoTheGrid() {
        GuiRig rig;
        rig.NewDocument(0, true);
        rig.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.frame.get()));
        rig.frame->setFocus();
        QVERIFY(!rig.frame->View()->hasFocus());
        QTest::keyClick(rig.frame.get(), Qt::Key_F6);
        QVERIFY(rig.frame->View()->hasFocus());
        rig.frame->setFocus();
        QTest::keyClick(rig.frame.get(), Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(rig.frame->View()->hasFocus());
    }

    void statusPanesBeforeAnyLink() {
        GuiRig rig;
        const QStringList texts{"Ready", "Ver: x.x", "No station linked", "Model: xxx-xxx-xx", "Offline Edit"};
        const int h = rig.frame->screen()->geometry().width();
        const QList<int> widths{h / 4, h / 14, h / 8, h / 8, h / 8};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(rig.frame->Pane(i)->text(), texts[i]);
            QCOMPARE(rig.frame->Pane(i)->width(), widths[i]);
        }
        rig.NewDocument(10, true);
        QCOMPARE(rig.frame->Pane(3)->text(), QString("Model: KRV-220-43"));
    }

    void onlineEditTogglesItsPaneAndCheckMark() {
        GuiRig rig;
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        QCOMPARE(rig.frame->Pane(4)->text(), QString("Online Edit"));
        QVERIFY(rig.frame->Action(ID_ONLINE_EDIT)->isChecked());
        QVERIFY(rig.app.OnlineEdit());
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        QCOMPARE(rig.frame->Pane(4)->text(), QString("Offline Edit"));
        QVERIFY(!rig.frame->Action(ID_ONLINE_EDIT)->isChecked());
    }

    void commandEnabling() {
        GuiRig rig;
        rig.NewDocument(0, true);
        rig.frame->UpdateCommandUi();
        QVERIFY(rig.frame->Action(ID_LINK)->isEnabled());
        QVERIFY(!rig.frame->Action(ID_READ)->isEnabled());
        QVERIFY(!rig.frame->Action(ID_WRITE)->isEnabled());
        QVERIFY(rig.frame->Action(ID_ONLINE_EDIT)->isEnabled());
        QVERIFY(!rig.frame->Action(ID_COMPARE_INVERTER_DEFAULT)->isEnabled());
        QVERIFY(rig.frame->Action(ID_COMPARE_FILE_FILE)->isEnabled());
        QVERIFY(rig.frame->Action(ID_COMPARE_FILES_DEFAULT)->isEnabled());
        for (int id : {ID_MONITOR})
            QVERIFY2(!rig.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(rig.frame->Action(ID_STATION_TITLE)->isEnabled());
        rig.app.Link().linked = true;
        rig.frame->UpdateCommandUi();
        QVERIFY(rig.frame->Action(ID_READ)->isEnabled());
        QVERIFY(rig.frame->Action(ID_WRITE)->isEnabled());
        QVERIFY(rig.frame->Action(ID_MONITOR)->isEnabled());
        QVERIFY(rig.frame->Action(ID_COMPARE_INVERTER_DEFAULT)->isEnabled());
        rig.app.Link().monitorOpen = true;
        rig.frame->UpdateCommandUi();
        QVERIFY(!rig.frame->Action(ID_WRITE)->isEnabled());
        QVERIFY(!rig.frame->Action(ID_COMPARE_INVERTER_DEFAULT)->isEnabled());
        rig.app.Link().monitorOpen = false;
        rig.app.Link().modalBusy = true;
        rig.app.Link().stationScan = true;
        rig.frame->UpdateCommandUi();
        QVERIFY(!rig.frame->Action(ID_READ)->isEnabled());
        QVERIFY(!rig.frame->Action(ID_WRITE)->isEnabled());
        QVERIFY(!rig.frame->Action(ID_LINK)->isEnabled());
        QVERIFY(!rig.frame->Action(ID_COMPARE_INVERTER_DEFAULT)->isEnabled());
        rig.app.Link() = LinkState{};
    }

    void helpWithoutTheFileSaysSo() {
        GuiRig rig;
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_HELP_CONTENTS)->trigger();
        QCOMPARE(rig.shown, QStringList{"VarnoxLink|Not Find Help File!!"});
    }

    void aboutShowsIconNameVersionAndPicture() {
        GuiRig rig;
        rig.answers.push_back([&rig](QDialog& dialog) {
            QVERIFY(rig.app.Link().modalBusy);
            QCOMPARE(dialog.findChild<QLabel*>("name")->text(), QString("VarnoxLink\nVersion: 1.1.140123"));
            QVERIFY(!dialog.findChild<QLabel*>("icon")->pixmap().isNull());
            QVERIFY(dialog.findChild<QLabel*>("picture")->pixmap().width() >= 300);
            Press("OK")(dialog);
        });
        rig.frame->Action(ID_APP_ABOUT)->trigger();
        QCOMPARE(rig.shown, QStringList{"About VarnoxLink"});
        QCOMPARE(rig.unexpected, 0);
        QVERIFY(!rig.app.Link().modalBusy);
    }

    // Real pictures: the application icon and a theme icon on every toolbar button.
    void windowAndToolbarShowIcons() {
        GuiRig rig;
        QVERIFY(!rig.frame->windowIcon().pixmap(32, 32).isNull());
        QSet<QByteArray> distinct;
        for (QAction* action : rig.frame->ToolBar()->actions()) {
            if (action->isSeparator()) continue;
            const QImage image = action->icon().pixmap(16, 16).toImage();
            QVERIFY2(!image.isNull(), qPrintable(action->text()));
            distinct << QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        }
        QCOMPARE(distinct.size(), 11);
    }

    // A disabled toolbar button looks disabled: Write without a link has hardly any ink.
    void aDisabledToolbarButtonLooksFaded() {
        GuiRig rig;
        rig.NewDocument(0, true);
        QAction* write = rig.frame->Action(ID_WRITE);
        QVERIFY(!write->isEnabled());
        QWidget* button = rig.frame->ToolBar()->widgetForAction(write);
        // How far the picture stands out from the button's background, summed over its pixels.
        const auto contrast = [button] {
            const QImage image = button->grab().toImage();
            const int background = qGray(image.pixel(1, 1));
            int sum = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) sum += std::abs(qGray(image.pixel(x, y)) - background);
            return sum;
        };
        const int disabled = contrast();
        write->setEnabled(true);
        const int enabled = contrast();
        QVERIFY2(enabled > 1000 && disabled * 2 < enabled, qPrintable(QString("%1 %2").arg(disabled).arg(enabled)));
    }

    // Each kind of file's dialog starts in the folder last used for that kind, also in the next run.
    void fileDialogsStartInTheFolderLastUsedForTheirKind() {
        QSettings("Zek", "Telvor").remove("Folders");
        const std::string sets = MakeTempFolder(), tables = MakeTempFolder();
        QStringList started;
        const auto chooseIn = [&started](const std::string& file) {
            return [&started, file](QDialog& dialog) {
                auto& files = static_cast<QFileDialog&>(dialog);
                started << files.directory().absolutePath();
                if (file.empty()) {
                    dialog.reject();
                    return;
                }
                files.selectFile(QString::fromStdString(file));
                dialog.accept();
            };
        };
        {
            GuiRig rig;
            rig.NewDocument(0, true);
            const QString working = QDir::currentPath();
            rig.answers.push_back(chooseIn(sets + "/one.vx3"));
            QVERIFY(rig.frame->OnFileSaveAs());
            rig.answers.push_back(chooseIn(""));
            rig.frame->Action(ID_FILE_OPEN)->trigger();
            rig.answers.push_back(chooseIn(tables + "/one.csv"));
            rig.frame->Action(ID_FILE_EXPORT_CSV)->trigger();
            rig.answers.push_back(chooseIn(""));
            rig.frame->Action(ID_FILE_EXPORT_PDF)->trigger();
            QCOMPARE(started, (QStringList{working, QString::fromStdString(sets), working, working}));
            QCOMPARE(rig.unexpected, 0);
        }
        started.clear();
        GuiRig next;
        next.NewDocument(0, true);
        next.answers.push_back(chooseIn(""));
        next.frame->Action(ID_FILE_OPEN)->trigger();
        next.answers.push_back(chooseIn(""));
        next.frame->Action(ID_FILE_EXPORT_CSV)->trigger();
        next.answers.push_back([](QDialog& dialog) {
            Press("File&1...")(dialog);  // its chooser is answered next
            dialog.reject();
        });
        next.answers.push_back(chooseIn(""));
        next.frame->Action(ID_COMPARE_FILE_FILE)->trigger();
        QCOMPARE(started, (QStringList{QString::fromStdString(sets), QString::fromStdString(tables),
                                       QString::fromStdString(sets)}));
        QCOMPARE(next.unexpected, 0);
        RemoveFolder(sets);
        RemoveFolder(tables);
    }

    void openingAFileOfAnotherKindKeepsTheDocument() {
        GuiRig rig;
        rig.NewDocument(0, true);
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "9"));
        const std::string text = rig.Folder() + "/data.txt";
        std::ofstream(text) << "Varnox\n";
        rig.answers.push_back(ChooseFile(QString::fromStdString(text)));
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_FILE_OPEN)->trigger();
        QCOMPARE(rig.shown.value(2),
                 QString("VarnoxLink|Error: Open file failure!\n\nThe file format is not correctly!\n"));
        QVERIFY(rig.app.Document());
        QCOMPARE(rig.app.Document()->sets[0][4], 90);
        QCOMPARE(rig.unexpected, 0);
    }

    void aBrokenParameterFileLeavesTheOpenDocument() {
        GuiRig rig;
        rig.NewDocument(0, true);
        const std::string broken = rig.Folder() + "/broken.vx3";
        std::ofstream(broken) << "Something else\nParameter\n";
        rig.answers.push_back(Accept());
        QVERIFY(!rig.frame->OpenDocumentFile(QString::fromStdString(broken)));
        // The caption "Open\n" shows on one line.
        QCOMPARE(rig.shown.value(1), QString("Open|Error: Open file failure!\n\nThe file format is not correctly!\n"));
        QVERIFY(rig.app.Document());
    }

    void saveCloseWithTheQuestionAndReopen() {
        GuiRig rig;
        rig.NewDocument(2, false);
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "12.5"));
        const QString path = QString::fromStdString(rig.Folder() + "/set.vx3");

        rig.answers.push_back(PressStandard(QMessageBox::Cancel));
        rig.frame->Action(ID_FILE_CLOSE)->trigger();
        QCOMPARE(rig.shown.value(1), QString("VarnoxLink|The file has been modified!\nDo you want to save file?\n"));
        QVERIFY(rig.app.Document());

        rig.answers.push_back(PressStandard(QMessageBox::Yes));
        rig.answers.push_back([path](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            QCOMPARE(files.nameFilters(), QStringList{"Parameter Files (*.vx3)"});
            QCOMPARE(files.defaultSuffix(), QString("vx3"));
            QCOMPARE(QFileInfo(files.selectedFiles().value(0)).fileName(), QString("Untitled.vx3"));
            ChooseFile(path)(dialog);
        });
        rig.frame->Action(ID_FILE_CLOSE)->trigger();
        QVERIFY(!rig.app.Document());
        QCOMPARE(FileBytes(path.toStdString()).size(), std::size_t{1803});
        QCOMPARE(QSettings("Zek", "Telvor").value("Recent File List/File1").toString(), path);

        QVERIFY(rig.frame->OpenDocumentFile(path));
        QCOMPARE(rig.frame->DocumentTitle(), QString("set.vx3"));
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("12.5"));
        QCOMPARE(CellText(*rig.frame, 2, kSettingColumn), QString("60.00"));
        QCOMPARE(rig.frame->Pane(3)->text(), QString("Model: KRV-075-11"));

        // No closes the document and leaves the file as it was.
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "3"));
        rig.answers.push_back(PressStandard(QMessageBox::No));
        rig.frame->Action(ID_FILE_CLOSE)->trigger();
        QVERIFY(!rig.app.Document());
        QVERIFY(rig.frame->OpenDocumentFile(path));
        QCOMPARE(CellText(*rig.frame, 4, kSettingColumn), QString("12.5"));
        QCOMPARE(rig.unexpected, 0);
    }

    void theRecentFileReopens() {
        GuiRig rig;
        rig.NewDocument(5, true);
        const QString path = QString::fromStdString(rig.Folder() + "/recent.vx3");
        rig.answers.push_back(ChooseFile(path));
        QVERIFY(rig.frame->OnFileSaveAs());
        rig.frame->Action(ID_FILE_CLOSE)->trigger();
        rig.frame->UpdateCommandUi();
        QCOMPARE(rig.frame->Action(ID_FILE_MRU_FILE1)->text(), QString("&1 recent.vx3"));
        rig.frame->Action(ID_FILE_MRU_FILE1)->trigger();
        QVERIFY(rig.app.Document());
        QCOMPARE(rig.frame->DocumentTitle(), QString("recent.vx3"));
    }

    void newCancelledInTheSaveQuestionKeepsDocumentAndModel() {
        GuiRig rig;
        rig.NewDocument(4, true);
        QVERIFY(TypeIntoSetting(*rig.frame, 4, "7"));
        rig.answers.push_back(PressStandard(QMessageBox::Cancel));
        rig.NewDocument(9, false);
        QVERIFY(rig.app.Document());
        QCOMPARE(rig.app.Document()->sets[0][4], 70);
        QCOMPARE(rig.app.Document()->modelIndex, 4);
        QCOMPARE(rig.app.Link().currentModel, 4);
        QVERIFY(!rig.app.Link().modalBusy);
    }

    void closingIsRefusedWhileAStationScanRuns() {
        GuiRig rig;
        rig.app.Link().stationScan = true;
        QVERIFY(!rig.frame->close());
        QVERIFY(rig.frame->isVisible());
        QVERIFY(!std::filesystem::exists(SettingsFilePath(rig.Folder())));
        rig.app.Link().stationScan = false;
    }

    void closingWritesTheSettings() {
        GuiRig rig;
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        rig.NewDocument(1, false);
        QVERIFY(rig.frame->close());
        const std::string text = FileBytes(SettingsFilePath(rig.Folder()));
        QVERIFY(text.find("OnLineEdit=1\r\n") != std::string::npos);
        QVERIFY(text.find("Freq50HzFlag=0\r\n") != std::string::npos);
        QCOMPARE(rig.unexpected, 0);
    }

    // The file is read on top of what start-up chose: a key the file lacks keeps
    // the 60 Hz choice of the start-up New.
    void theStartUpFrequencyChoiceSurvivesTheSettingsFile_data() {
        QTest::addColumn<QString>("file");  // "-": no file
        QTest::addColumn<bool>("is50Hz");
        QTest::newRow("no file") << "-" << false;
        QTest::newRow("ends after ComPort") << "[VarnoxLink]\nVersion=v1.1.140123\n[System]\nComPort=2\n" << false;
        QTest::newRow("wrong first line") << "[Other]\n" << false;
        QTest::newRow("the file says 50 Hz")
            << "[VarnoxLink]\nV\n[System]\nComPort=2\nBaudRate=9600\nDataLengthBits=8\nParityBit=0\nStopBits=0\n"
               "Print Title=1\nPrint AxxFlag=1\nPrint bxxFlag=1\nOnLineEdit=0\nFreq50HzFlag=1\n"
            << true;
    }
    void theStartUpFrequencyChoiceSurvivesTheSettingsFile() {
        QFETCH(QString, file);
        QFETCH(bool, is50Hz);
        GuiRig rig;
        rig.frame->hide();
        if (file != "-") std::ofstream(SettingsFilePath(rig.Folder()), std::ios::binary) << file.toStdString();
        rig.answers.push_back([](QDialog& dialog) {
            static_cast<CModelType&>(dialog).FrequencyList()->setCurrentIndex(1);  // 60 Hz
            dialog.accept();
        });
        StartMainWindow(*rig.frame, rig.app, QString(), false);
        QCOMPARE(rig.app.Link().is50Hz, is50Hz);
        QVERIFY(!Is50Hz(*rig.app.Document()));
        rig.app.Document()->modified = false;
        QVERIFY(rig.frame->close());
        const std::string written = FileBytes(SettingsFilePath(rig.Folder()));
        QVERIFY(written.find(is50Hz ? "Freq50HzFlag=1\r\n" : "Freq50HzFlag=0\r\n") != std::string::npos);
        QCOMPARE(rig.unexpected, 0);
    }

    void aSettingsFileThatCannotBeWrittenLetsTheUserChoose() {
        GuiRig rig;
        // A folder where the file should be: the write must fail.
        std::filesystem::create_directory(SettingsFilePath(rig.Folder()));
        rig.answers.push_back(Press("&Go back"));
        QVERIFY(!rig.frame->close());
        QVERIFY(rig.frame->isVisible());
        QVERIFY(rig.shown.value(0).contains("vx3inf.ini"));
        rig.answers.push_back(Press("&Quit without saving"));
        QVERIFY(rig.frame->close());
        QCOMPARE(rig.unexpected, 0);
    }
};

static RegisterTest<ShellTest> registration;

}  // namespace telvor::testing

#include "shell_test.moc"
