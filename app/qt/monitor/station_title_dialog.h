#pragma once
// CStationTitleDialog "Station Title": the titles of stations 1..254, ten rows
// at a time under a scroll bar, the Page keys and the wheel; "&Clear" empties them all.

#include <QDialog>
#include <array>

#include "station_titles.h"

class QLabel;
class QLineEdit;
class QScrollBar;

namespace telvor {

class CStationTitleDialog : public QDialog {
    Q_OBJECT
public:
    CStationTitleDialog(const StationTitles& titles, QWidget* parent);

    // The working copy with the visible rows taken back.
    const StationTitles& Titles();
    int FirstRow() const { return first_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }
    QLineEdit* Row(int index) const { return edits_[static_cast<std::size_t>(index)]; }

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void TakeRowsBack();
    void ShowRows(int first);

    StationTitles titles_;
    int first_ = 0;
    std::array<QLabel*, kTitleRows> numbers_{};
    std::array<QLineEdit*, kTitleRows> edits_{};
    QScrollBar* scrollBar_;
};

}  // namespace telvor
