#pragma once
// The About box: the application icon, the program's name and version on two
// lines, a line on what it is for, the program's picture and an OK button.

#include <QDialog>

namespace telvor {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace telvor
