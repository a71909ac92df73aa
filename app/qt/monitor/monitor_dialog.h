#pragma once
// CMonitorDialog "Monitor": one station from a list, or a station text for the
// monitor-all window.

#include <QDialog>
#include <vector>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace telvor {

class CMonitorDialog : public QDialog {
    Q_OBJECT
public:
    CMonitorDialog(int currentStation, QWidget* parent);

    bool AllStations() const;
    int SingleStation() const;
    // The stations of the text, ascending; an empty text means all of 1..254.
    std::vector<int> StationList() const;

    QComboBox* StationBox() const { return stationBox_; }
    QLineEdit* StationText() const { return stationText_; }
    QRadioButton* AllButton() const { return all_; }

private:
    QRadioButton* single_;
    QRadioButton* all_;
    QComboBox* stationBox_;
    QLineEdit* stationText_;
};

}  // namespace telvor
