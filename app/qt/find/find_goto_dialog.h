#pragma once
// CFindGotoDialog, "Find and Go to": a modeless dialog with the tabs Find and
// Go to. It only gathers the request and posts it to its view; Cancel and
// "&Close" hide it, and what was typed and chosen stays for the next showing.

#include <QDialog>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace telvor {

class CFindGotoDialog : public QDialog {
    Q_OBJECT
public:
    enum Tab { FindTab, GoToTab };
    enum Request { FindNextRequest = 1, GoToRequest = 2 };

    explicit CFindGotoDialog(QWidget* view);

    // Lays out the tab and shows the dialog in front.
    void ShowTab(Tab tab);

    QString SearchText() const { return searchText_; }
    bool Down() const { return down_; }
    int CodeType() const { return codeType_; }      // 0 Axx, 1 bxx
    int CodeNumber() const { return codeNumber_; }  // -1: no entry chosen

    QTabBar* Tabs() const { return tabs_; }
    QLineEdit* TextBox() const { return text_; }
    QComboBox* CodeList() const { return codes_; }
    QRadioButton* FirstRadio() const { return first_; }
    QRadioButton* SecondRadio() const { return second_; }
    QPushButton* FindNextButton() const { return findNext_; }
    QPushButton* GoToButton() const { return goTo_; }

signals:
    // Posted (queued) to the view.
    void requested(int request);

private:
    void LayOutTab();
    void OnRadio(bool second);
    void FillCodeList();
    void OnCodeTyped(const QString& typed);

    QTabBar* tabs_;
    QGroupBox* group_;
    QRadioButton* first_;
    QRadioButton* second_;
    QLabel* textLabel_;
    QLineEdit* text_;
    QPushButton* findNext_;
    QPushButton* cancel_;
    QLabel* codeLabel_;
    QComboBox* codes_;
    QPushButton* goTo_;
    QPushButton* close_;
    QString searchText_;
    bool down_ = true;
    int codeType_ = 0;
    int codeNumber_ = 0;
};

}  // namespace telvor
