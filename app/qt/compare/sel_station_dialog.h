#pragma once
// CSelStationDialog, "Compare Inverter with Default": the station to read and
// the frequency whose defaults it is compared with.

#include <QDialog>

#include "compare_commands.h"

class QComboBox;

namespace telvor {

class CSelStationDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSelStationDialog(const SelStationData& start, QWidget* parent = nullptr);

    SelStationData Choice() const;
    QComboBox* StationList() const { return stationList_; }
    QComboBox* FrequencyList() const { return frequencyList_; }

private:
    QComboBox* stationList_;
    QComboBox* frequencyList_;
};

}  // namespace telvor
