#include "station_title_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include "monitor_paging.h"

namespace telvor {

CStationTitleDialog::CStationTitleDialog(const StationTitles& titles, QWidget* parent)
    : QDialog(parent), titles_(titles), scrollBar_(new QScrollBar(Qt::Vertical)) {
    setWindowTitle("Station Title");
    setObjectName("Station Title");
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Station NO."), 0, 0);
    grid->addWidget(new QLabel("Description"), 0, 1);
    for (int i = 0; i < kTitleRows; ++i) {
        numbers_[i] = new QLabel;
        edits_[i] = new QLineEdit;
        edits_[i]->setMaxLength(kStationTitleLimit);
        edits_[i]->setMinimumWidth(360);
        edits_[i]->setObjectName(QString("title%1").arg(i));
        grid->addWidget(numbers_[i], i + 1, 0);
        grid->addWidget(edits_[i], i + 1, 1);
    }
    scrollBar_->setRange(0, kLastFirstTitleRow);
    scrollBar_->setPageStep(kTitleRows);
    grid->addWidget(scrollBar_, 1, 2, kTitleRows, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* clear = buttons->addButton("&Clear", QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(clear, &QPushButton::clicked, this, [this] {
        titles_.fill({});
        ShowRows(first_);
    });
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int first) {
        TakeRowsBack();
        ShowRows(first);
    });
    ShowRows(0);
}

const StationTitles& CStationTitleDialog::Titles() {
    TakeRowsBack();
    return titles_;
}

void CStationTitleDialog::accept() {
    TakeRowsBack();
    QDialog::accept();
}

void CStationTitleDialog::TakeRowsBack() {
    for (int i = 0; i < kTitleRows; ++i)
        titles_[static_cast<std::size_t>(first_ + i)] = edits_[i]->text().toStdString();
}

void CStationTitleDialog::ShowRows(int first) {
    first_ = std::clamp(first, 0, kLastFirstTitleRow);
    {
        const QSignalBlocker blocker(scrollBar_);
        scrollBar_->setValue(first_);
    }
    for (int i = 0; i < kTitleRows; ++i) {
        numbers_[i]->setText(QString::number(first_ + i + 1));
        edits_[i]->setText(QString::fromStdString(titles_[static_cast<std::size_t>(first_ + i)]));
    }
}

void CStationTitleDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        scrollBar_->triggerAction(event->key() == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                                 : QAbstractSlider::SliderPageStepAdd);
        return;
    }
    QDialog::keyPressEvent(event);
}

void CStationTitleDialog::wheelEvent(QWheelEvent* event) {
    scrollBar_->setValue(first_ - WheelLineSteps(event->angleDelta().y()));
    event->accept();
}

}  // namespace telvor
