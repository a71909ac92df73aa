#include "link_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "line_address.h"
#include "port_names.h"

namespace telvor {

CLinkDialog::CLinkDialog(const LinkDialogData& start, QWidget* parent)
    : QDialog(parent),
      data_(start),
      portList_(new QComboBox),
      portLeads_(new QLabel),
      baudGroup_(new QButtonGroup(this)),
      dataGroup_(new QButtonGroup(this)),
      parityGroup_(new QButtonGroup(this)),
      stopGroup_(new QButtonGroup(this)),
      single_(new QRadioButton("Single")),
      all_(new QRadioButton("All of the Inverter")),
      stationText_(new QLineEdit(QString::fromStdString(start.stationText))),
      defaults_(new QPushButton("&Default setting")),
      quickScan_(new QCheckBox("&Quick scan")),
      findSettings_(new QPushButton("&Find settings")),
      link_(new QPushButton("&Link")),
      unlink_(new QPushButton("&Unlink")),
      close_(new QPushButton("&Close")) {
    setWindowTitle("Link");
    setObjectName("Link");
    portList_->setObjectName("port");
    stationText_->setObjectName("station");
    portLeads_->setObjectName("portLeads");
    portLeads_->setWordWrap(true);
    // COM1 to COM8, and any higher port the program folder names.
    for (int i = 1; i <= 8; ++i) portList_->addItem(QString::number(i), i);
    for (const PortEntry& port : ProgramFolderPorts(start.programFolder))
        if (port.number > 8) portList_->addItem(QString::number(port.number), port.number);

    auto* portBox = new QGroupBox("Com Port");
    auto* portLayout = new QGridLayout(portBox);
    portLayout->addWidget(new QLabel("COM"), 0, 0);
    portLayout->addWidget(portList_, 0, 1);
    portLayout->addWidget(portLeads_, 1, 0, 1, 2);

    auto* baudBox = new QGroupBox("Baud Rate");
    auto* baudLayout = new QVBoxLayout(baudBox);
    for (int baud : {4800, 9600, 19200, 38400}) baudLayout->addWidget(AddRadio(baudGroup_, QString::number(baud), baud));

    auto* formatBox = new QGroupBox("Data Format");
    auto* formatLayout = new QGridLayout(formatBox);
    formatLayout->addWidget(new QLabel("Data bit"), 0, 0);
    formatLayout->addWidget(AddRadio(dataGroup_, "7 bits", 7), 0, 1);
    formatLayout->addWidget(AddRadio(dataGroup_, "8 bits", 8), 0, 2);
    formatLayout->addWidget(new QLabel("Parity bit"), 1, 0);
    formatLayout->addWidget(AddRadio(parityGroup_, "None", 0), 1, 1);
    formatLayout->addWidget(AddRadio(parityGroup_, "Even", 2), 1, 2);
    formatLayout->addWidget(AddRadio(parityGroup_, "Odd", 1), 1, 3);
    formatLayout->addWidget(new QLabel("Stop bit"), 2, 0);
    formatLayout->addWidget(AddRadio(stopGroup_, "1 bit", 0), 2, 1);
    formatLayout->addWidget(AddRadio(stopGroup_, "2 bits", 2), 2, 2);

    auto* stationBox = new QGroupBox("Station");
    auto* stationLayout = new QGridLayout(stationBox);
    stationLayout->addWidget(single_, 0, 0);
    stationLayout->addWidget(stationText_, 0, 1);
    stationLayout->addWidget(new QLabel("(Single or range, for example: 1,3,5-12)"), 1, 1);
    stationLayout->addWidget(all_, 2, 0, 1, 2);
    quickScan_->setObjectName("quickScan");
    quickScan_->setChecked(start.quickScan);
    quickScan_->setToolTip("Ask each station once with a short wait first; a very slow drive may need the usual scan");
    stationLayout->addWidget(quickScan_, 3, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {link_, unlink_, close_, defaults_, findSettings_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    link_->setDefault(true);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(portBox);
    top->addWidget(baudBox);
    left->addLayout(top);
    left->addWidget(formatBox);
    left->addWidget(stationBox);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(portList_, &QComboBox::activated, this, [this](int index) {
        data_.line.comPort = portList_->itemData(index).toInt();
        ShowSettings();
    });
    connect(baudGroup_, &QButtonGroup::idClicked, this, [this](int v) { data_.line.baudRate = v; ShowSettings(); });
    connect(dataGroup_, &QButtonGroup::idClicked, this, [this](int v) { data_.line.dataBits = v; ShowSettings(); });
    connect(parityGroup_, &QButtonGroup::idClicked, this, [this](int v) { data_.line.parity = v; ShowSettings(); });
    connect(stopGroup_, &QButtonGroup::idClicked, this, [this](int v) { data_.line.stopBits = v; ShowSettings(); });
    connect(single_, &QRadioButton::clicked, stationText_, [this] { stationText_->setEnabled(true); });
    connect(all_, &QRadioButton::clicked, stationText_, [this] { stationText_->setEnabled(false); });
    connect(defaults_, &QPushButton::clicked, this, &CLinkDialog::SetDefaults);
    connect(findSettings_, &QPushButton::clicked, this, &CLinkDialog::FindSettings);
    findSettings_->setEnabled(false);
    connect(link_, &QPushButton::clicked, this, &QDialog::accept);
    connect(unlink_, &QPushButton::clicked, this, [this] { done(kUnlinkResult); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    single_->setChecked(true);
    ShowSettings();
    if (start.linked) {
        portList_->setEnabled(false);
        for (QButtonGroup* g : {baudGroup_, dataGroup_, parityGroup_, stopGroup_})
            for (QAbstractButton* b : g->buttons()) b->setEnabled(false);
        for (QWidget* w :
             std::initializer_list<QWidget*>{single_, all_, stationText_, defaults_, link_, quickScan_, findSettings_})
            w->setEnabled(false);
    } else {
        unlink_->setEnabled(false);
    }
}

QRadioButton* CLinkDialog::AddRadio(QButtonGroup* group, const QString& text, int value) {
    auto* button = new QRadioButton(text);
    group->addButton(button, value);
    return button;
}

void CLinkDialog::ShowSettings() {
    data_.line = ShownLineSettings(data_.line);
    if (portList_->findData(data_.line.comPort) < 0) data_.line.comPort = 1;
    portList_->setCurrentIndex(portList_->findData(data_.line.comPort));
    const std::string port = "COM" + std::to_string(data_.line.comPort);
    portLeads_->setText(QString::fromStdString(DescribeLine(DevicePathOfPort(port, data_.programFolder))));
    baudGroup_->button(data_.line.baudRate)->setChecked(true);
    dataGroup_->button(data_.line.dataBits)->setChecked(true);
    parityGroup_->button(data_.line.parity)->setChecked(true);
    stopGroup_->button(data_.line.stopBits)->setChecked(true);
}

void CLinkDialog::SetDefaults() {
    data_.line.baudRate = 38400;
    data_.line.dataBits = 8;
    data_.line.parity = 0;
    data_.line.stopBits = 0;
    ShowSettings();
}

LinkDialogData CLinkDialog::Choice() const {
    LinkDialogData choice = data_;
    choice.allStations = all_->isChecked();
    choice.stationText = stationText_->text().toStdString();
    choice.quickScan = quickScan_->isChecked();
    return choice;
}

void CLinkDialog::SetSettingsFinder(SettingsFinder finder) {
    finder_ = std::move(finder);
    findSettings_->setEnabled(finder_ && !data_.linked);
}

void CLinkDialog::FindSettings() {
    setEnabled(false);
    const std::optional<LineSettings> found = finder_(Choice());
    setEnabled(true);
    if (!found) return;
    data_.line.baudRate = found->baudRate;
    data_.line.dataBits = found->dataBits;
    data_.line.parity = found->parity;
    data_.line.stopBits = found->stopBits;
    ShowSettings();
}

LinkDialogAction CLinkDialog::Action() const {
    if (result() == QDialog::Accepted) return LinkDialogAction::Link;
    return result() == kUnlinkResult ? LinkDialogAction::Unlink : LinkDialogAction::Close;
}

}  // namespace telvor
