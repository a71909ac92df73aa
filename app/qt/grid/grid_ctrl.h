#pragma once
// CGridCtrl: the table every parameter grid of the program is built on. Only the
// user (a click, an arrow key) or the program (Find, Go to) chooses the focus
// cell: taking the keyboard focus chooses none. Typing never moves the focus cell:
// a key on an editable cell starts its edit (the key goes into the editor), on a
// read-only cell it does nothing. Columns show their
// contents in full, and one column takes the width that is left, eliding its text;
// the mouse resting on a cut text shows it whole in a tip.

#include <QTableView>
#include <vector>

namespace telvor {

class CGridCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CGridCtrl(QWidget* parent = nullptr);

    // No search by typed text: a keystroke must never reach another row.
    void keyboardSearch(const QString& search) override;

    // Sizes every column but elastic to its contents (at least its minimum width)
    // and gives elastic the rest of the window's width (at least the first letters
    // of its header and its minimum).
    void FitColumns(int elastic);
    // The least width of each column, from the first on; FitColumns keeps to them.
    void SetMinimumColumnWidths(std::vector<int> widths) { minimumWidths_ = std::move(widths); }

protected:
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int MinimumWidth(int column) const;

    std::vector<int> minimumWidths_;
};

}  // namespace telvor
