#include "dialog_fit.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>

namespace telvor {
namespace {

// A message box sizes itself from its layout when it shows; a spacer as wide as
// the caption needs makes the layout that wide.
void WidenMessageBox(QMessageBox& box, int width) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

int CaptionWidth(const QString& caption) {
    QFont title = QApplication::font();
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption) + kTitleBarFurniture;
}

void FitDialog(QDialog& dialog, const QWidget* owner) {
    const int width = CaptionWidth(dialog.windowTitle());
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) WidenMessageBox(*box, width);
    else if (dialog.minimumWidth() < width) dialog.setMinimumWidth(width);
    if (owner && owner->isVisible()) return;
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The size it will show with: its own, or the one its layout asks for.
    if (!dialog.testAttribute(Qt::WA_Resized)) dialog.adjustSize();
    QRect placed(QPoint(), dialog.size());
    placed.moveCenter(screen->availableGeometry().center());
    dialog.move(placed.topLeft());
}

}  // namespace telvor
