#include "compare_menu_commands.h"

#include "file_with_def_dialog.h"
#include "file_with_file_dialog.h"
#include "qt_user_interface.h"
#include "sel_station_dialog.h"

namespace telvor {

bool RunCompareInverterDefault(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent, const AdaptDialog& adapt) {
    const std::optional<SelStationData> start = BeginCompareInverterDefault(app);
    if (!start) return false;
    CSelStationDialog dialog(*start, parent);
    std::optional<SelStationData> choice;
    if (adapt) adapt(dialog);
    if (ui.RunModal(dialog) == QDialog::Accepted) choice = dialog.Choice();
    return FinishCompareInverterDefault(app, ui, choice);
}

bool RunCompareFileFile(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent, const AdaptDialog& adapt) {
    const std::optional<FileWithFileData> start = BeginCompareFileFile(app);
    if (!start) return false;
    CFileWithFileDialog dialog(*start, ui, parent);
    std::optional<FileWithFileData> choice;
    if (adapt) adapt(dialog);
    if (ui.RunModal(dialog) == QDialog::Accepted) choice = dialog.Choice();
    return FinishCompareFileFile(app, ui, choice);
}

bool RunCompareFilesDefault(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent, const AdaptDialog& adapt) {
    const std::optional<FileWithDefData> start = BeginCompareFilesDefault(app);
    if (!start) return false;
    CFileWithDefDialog dialog(*start, ui, parent);
    std::optional<FileWithDefData> choice;
    if (adapt) adapt(dialog);
    if (ui.RunModal(dialog) == QDialog::Accepted) choice = dialog.Choice();
    return FinishCompareFilesDefault(app, ui, choice);
}

}  // namespace telvor
