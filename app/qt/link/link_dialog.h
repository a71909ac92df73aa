#pragma once
// CLinkDialog, the "Link" dialog: COM port, line format and the stations to try.
// Under the port it shows where the port leads: a device, or a serial device server.

#include <QDialog>
#include <functional>
#include <optional>

#include "link_flow.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace telvor {

class CLinkDialog : public QDialog {
    Q_OBJECT
public:
    // Result of "&Unlink"; "&Link" ends with Accepted, "&Close" with Rejected.
    static constexpr int kUnlinkResult = 1011;

    // Starts with the data's settings and station text; while linked only "&Unlink" and "&Close" work.
    explicit CLinkDialog(const LinkDialogData& start, QWidget* parent = nullptr);

    // The choices as "&Link" delivers them.
    LinkDialogData Choice() const;
    // The dialog's result as the Link command takes it.
    LinkDialogAction Action() const;

    // What "Find settings" runs with the dialog's choices: the line format found, or
    // nothing (cancelled, or nothing answered). Without it the button is disabled.
    using SettingsFinder = std::function<std::optional<LineSettings>(const LinkDialogData& choice)>;
    void SetSettingsFinder(SettingsFinder finder);

private:
    void ShowSettings();
    void SetDefaults();
    void FindSettings();
    QRadioButton* AddRadio(QButtonGroup* group, const QString& text, int value);

    LinkDialogData data_;
    QComboBox* portList_;
    QLabel* portLeads_;  // where the chosen port leads
    QButtonGroup* baudGroup_;
    QButtonGroup* dataGroup_;
    QButtonGroup* parityGroup_;
    QButtonGroup* stopGroup_;
    QRadioButton* single_;
    QRadioButton* all_;
    QLineEdit* stationText_;
    QPushButton* defaults_;
    QCheckBox* quickScan_;
    QPushButton* findSettings_;
    SettingsFinder finder_;
    QPushButton* link_;
    QPushButton* unlink_;
    QPushButton* close_;
};

}  // namespace telvor
