#pragma once
// The handheld's "Module Status" window in place of an About box.

#include <QDialog>

#include "module_status.h"

namespace telvor {

class CModuleStatusDialog : public QDialog {
    Q_OBJECT
public:
    explicit CModuleStatusDialog(const ModuleStatusTexts& texts, QWidget* parent = nullptr);
};

}  // namespace telvor
