// Pictures of the desktop program for the docs and the manual: Model Select, the
// main window with a set read from a simulated drive, the Link, Read and Write
// dialogs, a range message and About. Drives the real widgets the way gui_tests
// does; scripts/screenshots.sh runs it under Xvfb.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

#include "command_table.h"
#include "grid_edit.h"
#include "gui_rig.h"
#include "modbus_ascii.h"
#include "model_select_dialog.h"
#include "pdf_export.h"
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
        rig.answers.push_back(GrabThen(out + "/model-select.png", &ok, [](QDialog& dialog) {
            static_cast<CModelType&>(dialog).ModelList()->setCurrentIndex(8);
            dialog.accept();
        }));
        rig.frame->OnFileNew();
        rig.answers.push_back(GrabThen(out + "/link-dialog.png", &ok, [](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("station")->setText("1");
            Press("&Link")(dialog);
        }));
        rig.frame->OnLink();
        rig.answers.push_back(GrabThen(out + "/read-dialog.png", &ok, Accept()));
        rig.frame->Action(ID_READ)->trigger();
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        rig.frame->Action(ID_ONLINE_EDIT)->trigger();
        QApplication::processEvents();
        rig.frame->Action(ID_READ)->showStatusText(rig.frame.get());
        QApplication::processEvents();
        ok = Save(*rig.frame, out + "/main-window.png") && ok;

        // The set as a commissioning record: page 1 of its PDF becomes print-page.png.
        CSolvaneDoc& doc = *rig.app.Document();
        doc.titleBlock = {"Conveyor line 2, main drive", "Harbour Mill Works", "J. Rivera", "1.0", "2026-12-09",
                          "Read from station 1 after commissioning.",
                          "Acceleration and deceleration set for the loaded belt.", ""};
        PdfRequest record;
        record.paper = QPageSize::A4;
        ok = ExportPrintPdf(doc, record, (out + "/print-page.pdf").toStdString()).ok && ok;

        rig.answers.push_back(GrabThen(out + "/range-message.png", &ok, PressStandard(QMessageBox::Ok)));
        TypeIntoSetting(*rig.frame, 4, "0");
        rig.answers.push_back(GrabThen(out + "/write-dialog.png", &ok, Reject()));
        rig.frame->Action(ID_WRITE)->trigger();
        rig.answers.push_back(GrabThen(out + "/about.png", &ok, Accept()));
        rig.frame->Action(ID_APP_ABOUT)->trigger();
        rig.answers.push_back(PressStandard(QMessageBox::No));  // the save question at close
        rig.frame->close();
        if (rig.unexpected != 0 || !rig.answers.empty()) ok = false;
    }
    RemoveFolder(config);
    return ok ? 0 : 1;
}
