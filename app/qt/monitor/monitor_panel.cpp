#include "monitor_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "monitor_session.h"
#include "monitor_texts.h"
#include "parameter_keys.h"

namespace telvor {
namespace {

constexpr const char* kTerminalNames[kTerminalCount] = {"S1", "S2", "S3", "S4", "AIN", "RY1"};
constexpr int kButtonPadding = 16;  // a push button's frame beside its text
constexpr int kGroupMargin = 5;
constexpr int kSpacing = 4;

// The groups of a panel keep their margins small: five panels share one screen.
void Tighten(QGroupBox& group) {
    group.layout()->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
    if (auto* grid = qobject_cast<QGridLayout*>(group.layout())) grid->setHorizontalSpacing(kSpacing);
}

// A field the user reads but never types into looks like a label with a frame.
void ShowReadOnly(QLineEdit& edit) {
    edit.setReadOnly(true);
    QPalette palette = edit.palette();
    palette.setBrush(QPalette::Base, palette.brush(QPalette::Window));
    edit.setPalette(palette);
}

}  // namespace

TerminalLamps::TerminalLamps(int diameter, QWidget* parent) : QWidget(parent), diameter_(diameter) {
    setMinimumHeight(diameter + 4);
}

void TerminalLamps::SetStates(const std::array<bool, kTerminalCount>* states) {
    present_ = states != nullptr;
    if (states) states_ = *states;
    update();
}

QSize TerminalLamps::sizeHint() const { return {kTerminalCount * 30, diameter_ + 4}; }

void TerminalLamps::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int step = width() / kTerminalCount;
    for (int t = 0; t < kTerminalCount; ++t) {
        QColor color = !present_ ? Qt::white : states_[t] ? QColor(255, 0, 0) : Qt::black;
        painter.setPen(color);
        painter.setBrush(color);
        painter.drawEllipse(step * t + (step - diameter_) / 2, 2, diameter_, diameter_);
    }
}

MonitorPanel::MonitorPanel(MonitorSession& session, int lampDiameter, QWidget* parent)
    : MonitorPanel(session, MonitorPanelLook{lampDiameter}, parent) {}

MonitorPanel::MonitorPanel(MonitorSession& session, const MonitorPanelLook& look, QWidget* parent)
    : QWidget(parent),
      session_(session),
      runState_(new QLabel(kStopText)),
      direction_(new QLabel(kForwardText)),
      frequencyEdit_(new QLineEdit),
      fault_(new QLabel),
      lamps_(new TerminalLamps(look.lampDiameter)),
      function_(new QComboBox),
      functionData_(new QLineEdit),
      setData_(new QLineEdit) {
    auto button = [this](const QString& text, const QString& name) {
        auto* pushButton = new QPushButton(text);
        pushButton->setObjectName(name);
        // As narrow as the text allows, so that five panels fit a 1024-pixel screen.
        pushButton->setMinimumWidth(pushButton->fontMetrics().horizontalAdvance(text) + kButtonPadding);
        controls_.append(pushButton);
        return pushButton;
    };
    frequencyEdit_->setObjectName("frequency");
    setData_->setObjectName("setData");
    functionData_->setObjectName("functionData");
    function_->setObjectName("function");
    fault_->setObjectName("fault");
    runState_->setObjectName("runState");
    direction_->setObjectName("direction");
    frequencyEdit_->setMaxLength(kMonitorEditLimit);
    setData_->setMaxLength(kMonitorEditLimit);
    for (QLineEdit* edit : {frequencyEdit_, setData_, functionData_})
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(kMonitorEditLimit + 1, '0')));
    function_->setMinimumContentsLength(3);
    function_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ShowReadOnly(*functionData_);

    auto* current = new QGroupBox("CURRENT");
    auto* currentLayout = new QGridLayout(current);
    currentLayout->addWidget(runState_, 0, 0);
    currentLayout->addWidget(direction_, 0, 1, 1, 2);
    const char* units[] = {"Hz", "Hz", "V", "A", "W", "V"};
    const char* objectNames[] = {"setFrequency", "outputFrequency", "outputVoltage",
                                 "outputCurrent", "outputPower", "busVoltage"};
    for (int i = 0; i < 6; ++i) {
        values_[i] = new QLabel;
        values_[i]->setObjectName(objectNames[i]);
        values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        int row = i == 0 ? 1 : i + 2;
        currentLayout->addWidget(new QLabel(look.valueNames[i]), row, 0);
        currentLayout->addWidget(values_[i], row, 1);
        currentLayout->addWidget(new QLabel(units[i]), row, 2);
    }
    QPushButton* frequencySet = button("Set", "frequencySet");
    currentLayout->addWidget(frequencyEdit_, 2, 0, 1, 2);
    currentLayout->addWidget(frequencySet, 2, 2);
    controls_.append(frequencyEdit_);

    auto* tm2 = new QGroupBox("TM2 status");
    auto* tm2Layout = new QGridLayout(tm2);
    for (int t = 0; t < kTerminalCount; ++t) {
        terminals_[t] = button(kTerminalNames[t], kTerminalNames[t]);
        terminals_[t]->setCheckable(true);
        terminals_[t]->setMinimumWidth(24);
        tm2Layout->addWidget(terminals_[t], 0, t);
        Terminal terminal = static_cast<Terminal>(t);
        connect(terminals_[t], &QPushButton::clicked, this, [this, terminal] {
            Refresh();  // the check state shows the drive, not the click
            Post([this, terminal] { session_.PressToggle(station_, terminal); });
        });
    }
    tm2Layout->addWidget(lamps_, 1, 0, 1, kTerminalCount);
    tm2Layout->addWidget(new QLabel(look.errorMessage), 2, 0, 1, 4);
    tm2Layout->addWidget(fault_, 2, 4, 1, 2);
    QPushButton* reset = button("Abnormity Reset", "reset");
    tm2Layout->addWidget(reset, 3, 0, 1, kTerminalCount);

    auto* control = new QGroupBox("CONTROL");
    auto* controlLayout = new QGridLayout(control);
    // RUN, STOP, FWD and REV in two equal columns of their own.
    auto* commandLayout = new QGridLayout;
    const std::pair<const char*, Command> commands[] = {
        {"RUN", CommandRun}, {"STOP", CommandStop}, {"FWD", CommandForward}, {"REV", CommandReverse}};
    std::array<QPushButton*, 4> commandButtons{};
    int commandWidth = 0;
    for (int i = 0; i < 4; ++i) {
        commandButtons[i] = button(commands[i].first, commands[i].first);
        commandWidth = std::max(commandWidth, commandButtons[i]->minimumWidth());
    }
    for (int i = 0; i < 4; ++i) {
        QPushButton* pushButton = commandButtons[i];
        pushButton->setMinimumWidth(commandWidth);
        commandLayout->addWidget(pushButton, i / 2, i % 2);
        Command command = commands[i].second;
        connect(pushButton, &QPushButton::clicked, this,
                [this, command] { Post([this, command] { session_.PressCommand(station_, command); }); });
    }
    commandLayout->setColumnStretch(0, 1);
    commandLayout->setColumnStretch(1, 1);
    commandLayout->setSpacing(kSpacing);
    if (look.statesBesideCommands) {
        commandRunState_ = new QLabel(kStopText);
        commandDirection_ = new QLabel(kForwardText);
        commandRunState_->setObjectName("commandRunState");
        commandDirection_->setObjectName("commandDirection");
        commandLayout->addWidget(commandRunState_, 0, 2);
        commandLayout->addWidget(commandDirection_, 1, 2);
    }
    controlLayout->addLayout(commandLayout, 0, 0, 1, 2);
    controlLayout->addWidget(new QLabel(look.functionNumber), 2, 0);
    controlLayout->addWidget(function_, 2, 1);
    controlLayout->addWidget(new QLabel(look.functionData), 3, 0);
    controlLayout->addWidget(functionData_, 3, 1);
    controlLayout->addWidget(new QLabel(look.setData), 4, 0);
    controlLayout->addWidget(setData_, 4, 1);
    QPushButton* dataSet = button("Set", "dataSet");
    controlLayout->addWidget(dataSet, 5, 1);
    controls_ << function_ << functionData_ << setData_;

    for (QGroupBox* group : {current, tm2, control}) Tighten(*group);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(current);
    layout->addWidget(tm2);
    layout->addWidget(control);

    connect(reset, &QPushButton::clicked, this,
            [this] { Post([this] { session_.PressCommand(station_, CommandFaultReset); }); });
    connect(frequencySet, &QPushButton::clicked, this, &MonitorPanel::FrequencySet);
    connect(dataSet, &QPushButton::clicked, this, &MonitorPanel::DataSet);
    connect(function_, &QComboBox::currentIndexChanged, this, &MonitorPanel::FunctionChosen);
    connect(frequencyEdit_, &QLineEdit::textEdited, this, &MonitorPanel::FilterFrequency);
    // Enter in an edit presses that edit's own "Set", and only when the edit holds a value.
    connect(frequencyEdit_, &QLineEdit::returnPressed, this, [this] {
        if (!frequencyEdit_->text().trimmed().isEmpty()) FrequencySet();
    });
    connect(setData_, &QLineEdit::returnPressed, this, [this] {
        if (!setData_->text().trimmed().isEmpty()) DataSet();
    });
}

void ClearDefaultButtons(QWidget& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

QPushButton* MonitorPanel::Button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

void MonitorPanel::SetStation(int station) {
    station_ = station;
    if (!linked_) return;
    const QSignalBlocker blocker(function_);
    function_->setCurrentIndex(EntryOfCodeIndex(session_.Station(station).function.CodeIndex()));
}

void MonitorPanel::SetLinked(bool linked) {
    linked_ = linked;
    for (QWidget* control : controls_) control->setEnabled(linked);
    {
        // An absent station's "Fun. no." list is empty; a linked one lists A00..b97.
        const QSignalBlocker blocker(function_);
        function_->clear();
        if (linked)
            for (int entry = 0; entry < kFunctionEntryCount; ++entry)
                function_->addItem(QString::fromStdString(CodeText(CodeIndexOfEntry(entry))));
    }
    if (!linked) {
        frequencyEdit_->clear();
        setData_->clear();
    }
    SetStation(station_);
    Refresh();
}

void MonitorPanel::Refresh() {
    if (!linked_) {
        for (QLabel* state : {runState_, direction_, commandRunState_, commandDirection_})
            if (state) state->clear();
        for (QLabel* value : values_) value->clear();
        ShowFault(QString());
        functionData_->clear();
        for (QPushButton* terminal : terminals_) terminal->setChecked(false);
        lamps_->SetStates(nullptr);
        return;
    }
    const StationMonitor& station = session_.Station(station_);
    MonitorDisplay shown = DisplayOf(station);
    runState_->setText(QString::fromStdString(shown.runState));
    direction_->setText(QString::fromStdString(shown.direction));
    if (commandRunState_) {
        commandRunState_->setText(runState_->text());
        commandDirection_->setText(direction_->text());
    }
    const std::string* texts[] = {&shown.setFrequency, &shown.outputFrequency, &shown.outputVoltage,
                                  &shown.outputCurrent, &shown.outputPower,     &shown.busVoltage};
    for (int i = 0; i < 6; ++i) values_[i]->setText(QString::fromStdString(*texts[i]));
    ShowFault(QString::fromStdString(shown.fault));
    functionData_->setText(QString::fromStdString(shown.functionData));
    for (int t = 0; t < kTerminalCount; ++t) terminals_[t]->setChecked(shown.terminals[t]);
    lamps_->SetStates(&shown.terminals);
}

void MonitorPanel::ShowFault(const QString& text) {
    fault_->setText(text);
    if (text.trimmed().isEmpty()) {
        fault_->setFont(QFont());
        fault_->setPalette(QPalette());
        return;
    }
    QFont font = fault_->font();
    font.setBold(true);
    fault_->setFont(font);
    QPalette palette = fault_->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    fault_->setPalette(palette);
}

void MonitorPanel::Post(const std::function<void()>& press) {
    if (!linked_) return;
    press();
    emit requestPosted();
}

bool MonitorPanel::PressSet(QLineEdit* edit, CheckedInput (MonitorSession::*press)(int, std::string_view)) {
    if (!linked_) return false;
    CheckedInput input = (session_.*press)(station_, edit->text().toStdString());
    if (!input.InRange()) {
        // The message was shown; the edit gets the focus with its text selected.
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    edit->setText(QString::fromStdString(input.shownText));
    emit requestPosted();
    return true;
}

void MonitorPanel::FrequencySet() {
    if (PressSet(frequencyEdit_, &MonitorSession::PressFrequencySet)) acceptedFrequency_ = frequencyEdit_->text();
}

void MonitorPanel::DataSet() { PressSet(setData_, &MonitorSession::PressSetData); }

void MonitorPanel::FunctionChosen(int entry) {
    if (!linked_ || entry < 0) return;
    session_.ChooseFunction(station_, entry);
    setData_->clear();
    Refresh();
}

void MonitorPanel::FilterFrequency(const QString& text) {
    FilteredEdit edit = FilterFrequencyEdit(acceptedFrequency_.toStdString(), text.toStdString(),
                                            frequencyEdit_->cursorPosition());
    acceptedFrequency_ = QString::fromStdString(edit.text);
    frequencyEdit_->setText(acceptedFrequency_);
    frequencyEdit_->setCursorPosition(edit.caret);
}

}  // namespace telvor
