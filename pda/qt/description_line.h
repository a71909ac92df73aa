#pragma once
// The line under the handheld's grid: the code and the whole description of the
// row the user touched, word-wrapped, where the narrow Description column cuts it.

#include <QLabel>

namespace telvor {

class CSolvaneView;

class DescriptionLine : public QLabel {
    Q_OBJECT
public:
    explicit DescriptionLine(CSolvaneView& view, QWidget* parent = nullptr);

private:
    void ShowRow(int row);

    CSolvaneView& view_;
};

// The view with its description line under it, as one widget.
QWidget* WithDescriptionLine(CSolvaneView& view);

}  // namespace telvor
