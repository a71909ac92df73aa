#pragma once
// CDefParaDialog, "Definite parameter": a small grid of the definite list's
// parameters with range, default and the open document's setting. A Setting is
// edited as in the parameter view; in online edit it is written at once to the
// station chosen here.

#include <QDialog>

#include "program_settings.h"

class QComboBox;
class QPushButton;

namespace telvor {

class CSolvaneApp;
class CSolvaneView;
class QtUserInterface;

class CDefParaDialog : public QDialog {
    Q_OBJECT
public:
    CDefParaDialog(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent = nullptr);

    const DefiniteList& List() const { return list_; }
    int Station() const;
    QComboBox* StationList() const { return stationList_; }
    CSolvaneView* Grid() const { return grid_; }
    QPushButton* AddRemoveButton() const { return addRemove_; }

protected:
    // Enter and Escape in the grid or the station list never close the dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillGrid();
    void OnAddRemove();

    CSolvaneApp& app_;
    QtUserInterface& ui_;
    DefiniteList list_;
    QComboBox* stationList_;
    CSolvaneView* grid_;
    QPushButton* addRemove_;
};

// The Definite parameter command: the dialog while the modal-busy flag is set;
// the list goes back into the application's settings.
void RunDefiniteParameter(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent);

}  // namespace telvor
