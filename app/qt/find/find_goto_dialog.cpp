#include "find_goto_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "grid_search.h"

namespace telvor {

CFindGotoDialog::CFindGotoDialog(QWidget* view)
    : QDialog(view),
      tabs_(new QTabBar),
      group_(new QGroupBox),
      first_(new QRadioButton),
      second_(new QRadioButton),
      textLabel_(new QLabel("Text to find:")),
      text_(new QLineEdit),
      findNext_(new QPushButton("Find &Next")),
      cancel_(new QPushButton("Cancel")),
      codeLabel_(new QLabel("Go to Code:")),
      codes_(new QComboBox),
      goTo_(new QPushButton("Go &to")),
      close_(new QPushButton("&Close")) {
    setWindowTitle("Find and Go to");
    setObjectName("FindGoto");
    setModal(false);
    tabs_->addTab("Find");
    tabs_->addTab("Go to");
    text_->setObjectName("textToFind");
    codes_->setObjectName("code");
    codes_->setEditable(true);
    codes_->setInsertPolicy(QComboBox::NoInsert);
    codes_->lineEdit()->setMaxLength(2);
    FillCodeList();

    auto* radios = new QHBoxLayout(group_);
    radios->addWidget(first_);
    radios->addWidget(second_);
    auto* fields = new QGridLayout;
    fields->addWidget(textLabel_, 0, 0);
    fields->addWidget(text_, 0, 1);
    fields->addWidget(codeLabel_, 1, 0);
    fields->addWidget(codes_, 1, 1);
    fields->addWidget(group_, 2, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {findNext_, cancel_, goTo_, close_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(fields);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(body);

    connect(tabs_, &QTabBar::currentChanged, this, [this] { LayOutTab(); });
    connect(first_, &QRadioButton::clicked, this, [this] { OnRadio(false); });
    connect(second_, &QRadioButton::clicked, this, [this] { OnRadio(true); });
    connect(codes_, &QComboBox::activated, this, [this](int index) { codeNumber_ = index; });
    connect(codes_->lineEdit(), &QLineEdit::textEdited, this, &CFindGotoDialog::OnCodeTyped);
    connect(findNext_, &QPushButton::clicked, this, [this] {
        searchText_ = text_->text();
        if (!searchText_.isEmpty()) emit requested(FindNextRequest);
    });
    connect(goTo_, &QPushButton::clicked, this, [this] {
        if (codeNumber_ != -1) emit requested(GoToRequest);
    });
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);
}

void CFindGotoDialog::ShowTab(Tab tab) {
    {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(tab);
    }
    show();
    LayOutTab();
    raise();
    activateWindow();
}

void CFindGotoDialog::LayOutTab() {
    const bool find = tabs_->currentIndex() == FindTab;
    group_->setTitle(find ? "Direction:" : "Code type:");
    first_->setText(find ? "Up" : "Axx");
    second_->setText(find ? "Down" : "bxx");
    if (find ? down_ : codeType_ == 1) second_->setChecked(true);
    else first_->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{textLabel_, text_, findNext_, cancel_}) w->setVisible(find);
    for (QWidget* w : std::initializer_list<QWidget*>{codeLabel_, codes_, goTo_, close_}) w->setVisible(!find);
    // Enter in "Text to find" or "Go to Code" runs the search of the tab.
    findNext_->setDefault(find);
    goTo_->setDefault(!find);
    if (find) text_->setFocus();
    else codes_->setFocus();
}

void CFindGotoDialog::OnRadio(bool second) {
    if (tabs_->currentIndex() == FindTab) {
        down_ = second;
        return;
    }
    const int type = second ? 1 : 0;
    if (type == codeType_) return;
    codeType_ = type;
    FillCodeList();
}

void CFindGotoDialog::FillCodeList() {
    const QSignalBlocker blocker(codes_);
    codes_->clear();
    for (int number = 0; number < CodeListSize(codeType_); ++number) codes_->addItem(QString::number(number));
    codes_->setCurrentIndex(0);
    codeNumber_ = 0;
}

void CFindGotoDialog::OnCodeTyped(const QString& typed) {
    codeNumber_ = CodeListEntryStartingWith(codeType_, typed.toStdString());
    if (codeNumber_ < 0) return;
    const QSignalBlocker blocker(codes_);
    codes_->setCurrentIndex(codeNumber_);
    codes_->setEditText(typed);
}

}  // namespace telvor
