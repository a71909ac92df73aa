#include "gui_rig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "model_select_dialog.h"
#include "sim_line.h"

namespace telvor::testing {

QString Describe(QDialog& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) return box->windowTitle() + "|" + box->text();
    return dialog.windowTitle();
}

DialogAnswer Press(const QString& buttonText) {
    return [buttonText](QDialog& dialog) {
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
            if (button->text() == buttonText && button->isEnabled()) {
                button->click();
                return;
            }
        }
        dialog.done(-1);
    };
}

DialogAnswer PressStandard(QMessageBox::StandardButton which) {
    return [which](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        QAbstractButton* button = box ? box->button(which) : nullptr;
        if (button) button->click();
        else dialog.done(-1);
    };
}

DialogAnswer Accept() {
    return [](QDialog& dialog) { dialog.accept(); };
}

DialogAnswer Reject() {
    return [](QDialog& dialog) { dialog.reject(); };
}

GuiRig::GuiRig(const std::string& linkPath) : folder_(MakeTempFolder()) {
    if (!linkPath.empty()) {
        std::filesystem::create_directories(folder_ + "/ports");
        std::filesystem::create_symlink(linkPath, folder_ + "/ports/COM1");
    }
    setenv("TELVOR_HOME", folder_.c_str(), 1);
    QSettings("Zek", "Telvor").remove("Recent File List");  // each run starts with an empty list
    app.SetProgramFolder(folder_);
    ui.SetModalHook([this](QDialog& dialog) {
        shown << Describe(dialog);
        if (answers.empty()) {
            ++unexpected;
            dialog.done(-1);
            return;
        }
        DialogAnswer answer = std::move(answers.front());
        answers.pop_front();
        answer(dialog);
        // An answer that failed half-way (a failed comparison in it) must not leave the test waiting.
        QPointer<QDialog> guard(&dialog);
        QTimer::singleShot(0, &dialog, [this, guard] {
            if (guard && guard->isVisible()) {
                ++unexpected;
                guard->done(-1);
            }
        });
    });
    frame = std::make_unique<CMainFrame>(app, ui);
    frame->resize(1000, 700);
    frame->show();
}

GuiRig::~GuiRig() {
    frame.reset();
    RemoveFolder(folder_);
}

void GuiRig::NewDocument(int modelIndex, bool is50Hz) {
    answers.push_back([modelIndex, is50Hz](QDialog& dialog) {
        auto& select = static_cast<CModelType&>(dialog);
        select.ModelList()->setCurrentIndex(modelIndex);
        select.FrequencyList()->setCurrentIndex(is50Hz ? 0 : 1);
        dialog.accept();
    });
    frame->OnFileNew();
}

void GuiRig::Link(const QString& stationText, std::deque<DialogAnswer> after) {
    answers.push_back([stationText](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("station")->setText(stationText);
        Press("&Link")(dialog);
    });
    for (auto& answer : after) answers.push_back(std::move(answer));
    frame->OnLink();
}

bool SaveScreenshot(QWidget& widget, const QString& path) {
    const bool ok = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

void GuiRig::StopTimer() { frame->findChild<QTimer*>("monitorTimer")->stop(); }

void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

bool HasRealFocus() { return QGuiApplication::platformName() == "xcb"; }

bool ShowFocused(QWidget& window, QWidget& focus) {
    window.show();
    window.raise();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return false;
    focus.setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([&] { return QApplication::focusWidget() == &focus; });
}

void PressKey(QWidget& window, Qt::Key key) {
    QTest::keyClick(window.windowHandle(), key);
    Settle();
}

}  // namespace telvor::testing
