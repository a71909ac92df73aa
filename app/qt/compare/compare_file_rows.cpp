#include "compare_file_rows.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "qt_user_interface.h"

namespace telvor {
namespace {

constexpr const char* kParameterFileFilter = "Parameter Files (*.vx3)|*.vx3|All Files (*.*)|*.*|";

}  // namespace

CompareFileRows::CompareFileRows(std::span<CompareFileSlot> files, int& loadCount, QtUserInterface& ui,
                                 QWidget* parent)
    : QGroupBox("Select Files", parent), slots_(files), loadCount_(loadCount), ui_(ui) {
    auto* grid = new QGridLayout(this);
    for (int k = 0; k < static_cast<int>(slots_.size()); ++k) {
        auto* path = new QLineEdit(QString::fromStdString(slots_[k].path));
        path->setObjectName(QString("file%1Path").arg(k + 1));
        path->setReadOnly(true);
        path->setMinimumWidth(320);
        auto* button = new QPushButton(QString("File&%1...").arg(k + 1));
        button->setObjectName(QString("file%1").arg(k + 1));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, k] { Choose(k); });
        grid->addWidget(path, k, 0);
        grid->addWidget(button, k, 1);
        paths_.push_back(path);
        buttons_.push_back(button);
    }
}

QDialogButtonBox* CompareFileRows::OkAndCancel(QDialog& dialog, std::function<bool()> canAccept) const {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, canAccept = std::move(canAccept)] {
        if (canAccept()) dialog.accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

void CompareFileRows::Choose(int k) {
    const std::optional<std::string> path = ui_.AskOpenPath(kParameterFileFilter, "vx3");
    if (path) Load(k, *path);
}

bool CompareFileRows::Load(int k, const std::string& path) {
    if (!LoadCompareSlot(slots_[k], path, ui_)) return false;
    ++loadCount_;
    paths_[k]->setText(QString::fromStdString(slots_[k].path));
    return true;
}

}  // namespace telvor
