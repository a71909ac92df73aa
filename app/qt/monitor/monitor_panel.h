#pragma once
// One station's displays and buttons, as the single-station window shows them
// and as each of the five panels of the monitor-all window shows them: the
// CURRENT values, the TM2 terminal buttons with their painted indicators, the
// fault text and the CONTROL buttons. The buttons record their request in the
// monitor session and post it; they never touch the line.

#include <QWidget>
#include <array>

#include "monitor_input.h"
#include "monitor_tables.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace telvor {

class MonitorSession;

// The six round indicators under the terminal buttons: red when the terminal is
// on, black when off, white when the panel has no station.
class TerminalLamps : public QWidget {
public:
    explicit TerminalLamps(int diameter, QWidget* parent = nullptr);
    void SetStates(const std::array<bool, kTerminalCount>* states);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int diameter_;
    bool present_ = false;
    std::array<bool, kTerminalCount> states_{};
};

// The labels of a panel and where its run and direction texts stand: the desktop's
// windows use the defaults, the handheld's pages labels of their own.
struct MonitorPanelLook {
    int lampDiameter = 5;
    // Set freq., output freq., volt, amp, power, bus volt.
    std::array<const char*, 6> valueNames{"Set freq.", "Output freq.", "Output volt.",
                                          "Output amp.", "Output power", "Bus volt."};
    const char* functionNumber = "Fun. no.";
    const char* functionData = "Fun. data";
    const char* setData = "Set data";
    const char* errorMessage = "Error message:";
    // The run and direction texts again beside RUN, STOP and FWD, REV.
    bool statesBesideCommands = false;
};

// No button of a monitor window is pressed by Enter: a dialog's (auto-)default button
// would take the Enter of any edit, whichever panel or station that edit belongs to.
void ClearDefaultButtons(QWidget& window);

class MonitorPanel : public QWidget {
    Q_OBJECT
public:
    MonitorPanel(MonitorSession& session, int lampDiameter, QWidget* parent = nullptr);
    MonitorPanel(MonitorSession& session, const MonitorPanelLook& look, QWidget* parent = nullptr);

    // The station the panel shows; 0 or 255 for none.
    void SetStation(int station);
    int Station() const { return station_; }
    // Enables the controls (a present station) or empties and disables them.
    void SetLinked(bool linked);
    // The values of the session's tables, or empty fields when not linked.
    void Refresh();

    QPushButton* Button(const QString& objectName) const;

signals:
    // A request was recorded; the main frame carries it out between polls.
    void requestPosted();

private:
    void Post(const std::function<void()>& press);
    // A "Set" button: the edit's text checked and posted; false when it was out of range.
    bool PressSet(QLineEdit* edit, CheckedInput (MonitorSession::*press)(int, std::string_view));
    void FrequencySet();
    void DataSet();
    void FunctionChosen(int entry);
    void FilterFrequency(const QString& text);
    // A fault is an alarm while it lasts: red and bold.
    void ShowFault(const QString& text);

    MonitorSession& session_;
    int station_ = 0;
    bool linked_ = false;
    QLabel* runState_;
    QLabel* direction_;
    // Beside the command buttons, when the look asks for them.
    QLabel* commandRunState_ = nullptr;
    QLabel* commandDirection_ = nullptr;
    std::array<QLabel*, 6> values_{};  // set freq, output freq, volt, amp, power, bus volt
    QLineEdit* frequencyEdit_;
    QString acceptedFrequency_;
    QLabel* fault_;
    std::array<QPushButton*, kTerminalCount> terminals_{};
    TerminalLamps* lamps_;
    QComboBox* function_;
    QLineEdit* functionData_;
    QLineEdit* setData_;
    QList<QWidget*> controls_;
};

}  // namespace telvor
