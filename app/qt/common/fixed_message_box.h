#pragma once
// The fixed message dialogs (155, 261, 263, 265, 266, 267) as message boxes
// with their own captions, texts and buttons.

#include "message_sink.h"

class QMessageBox;
class QWidget;

namespace telvor {

// A modal message box for the dialog; the caller runs it and asks FixedDialogResult.
QMessageBox* CreateFixedDialog(FixedDialog dialog, QWidget* parent);
// Ok for the first button ("&Quit", "OK", "&Continue"), Cancel for "&Abort".
DialogResult FixedDialogResult(QMessageBox& box);

}  // namespace telvor
