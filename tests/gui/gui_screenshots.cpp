// Pictures of the desktop program for the docs: the main window with a set read
// from a simulated drive, the Link dialog, a range message, the Definite
// parameter dialog and a compare document. Drives the real
// widgets the way gui_tests does; scripts/screenshots.sh runs it under Xvfb.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

#include "command_table.h"
#include "definite_rules.h"
#include "grid_edit.h"
#include "gui_rig.h"
#include "modbus_ascii.h"
#include "sim_line.h"

using namespace telvor;
using namespace telvor::testing;

namespace {

bool Save(QWidget& widget, const QString& path) {
    const bool ok = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

// Grabs the dialog once it is painted, then answers it.
DialogAnswer GrabThen(const QString& path, bool* ok, DialogAnswer answer) {
    return [path, ok, answer](QDialog& dialog) {
        dialog.adjustSize();
        QApplication::processEvents();
        *ok = Save(dialog, path) && *ok;
        answer(dialog);
    };
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWheelScrollLines(3);
    const QString out = argc > 1 ? QString(argv[1]) : QString("docs");
    QDir().mkpath(out);
    const std::string config = MakeTempFolder();
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    SimLine sim({"--stations", "1-3", "--station-model", "1=8", "--station-model", "2=3", "--station-model", "3=10"});
    if (!sim.Started()) {
        std::fprintf(stderr, "gui_screenshots: telvor-sim did not start\n");
        return 1;
    }
    // A drive that has been set up for its machine, not just factory defaults.
    for (const auto& [code, value] : {std::pair{4, 85}, {5, 120}, {2, 5500}, {101, 30}, {110, 4400}})
        sim.Control("register 1 " + std::to_string(RegisterOfParameter(code)) + " " + std::to_string(value));

    bool ok = true;
    {
        GuiRig rig(sim.LinkPath());
        rig.frame->resize(1280, 800);
        rig.frame->showMaximized();
        rig.answers.push_back(GrabThen(out + "/link-dialog.png", &ok, [](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("station")->setText("1");
            Press("&Link")(dialog);
        }));
        rig.frame->OnLink();
        rig.answers.push_back(Accept());
        rig.frame->Action(ID_READ)->trigger();
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        QApplication::processEvents();
        rig.frame->Action(ID_READ)->showStatusText(rig.frame.get());
        QApplication::processEvents();
        ok = Save(*rig.frame, out + "/main-window.png") && ok;

        rig.answers.push_back(GrabThen(out + "/range-message.png", &ok, PressStandard(QMessageBox::Ok)));
        TypeIntoSetting(*rig.frame, 4, "0");

        rig.app.Settings().definite = DefiniteListOf({2, 4, 5, 101, 110});
        rig.answers.push_back(GrabThen(out + "/definite-dialog.png", &ok, Press("&Close")));
        rig.frame->Action(ID_DEFINITE_PARAMETER)->trigger();

        // The drive on station 1 against the 50 Hz defaults of its model.
        rig.answers.push_back(Accept());
        rig.answers.push_back(PressStandard(QMessageBox::No));  // the save question of the read set
        rig.frame->Action(ID_COMPARE_INVERTER_DEFAULT)->trigger();
        QApplication::processEvents();
        ok = Save(*rig.frame, out + "/compare-document.png") && ok;
        rig.answers.push_back(PressStandard(QMessageBox::No));  // the save question at close
        rig.frame->close();
        if (rig.unexpected != 0 || !rig.answers.empty()) ok = false;
    }
    RemoveFolder(config);
    return ok ? 0 : 1;
}
