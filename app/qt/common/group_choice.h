#pragma once
// The "Option" group of the Read and Write dialogs: the basic (Axx) and advanced
// (bxx) check boxes, of which at least one always stays checked.

#include <QGroupBox>

class QCheckBox;

namespace telvor {

class GroupChoice : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupChoice(QWidget* parent = nullptr);

    bool Basic() const;
    bool Advanced() const;
    QCheckBox* BasicBox() const { return basic_; }
    QCheckBox* AdvancedBox() const { return advanced_; }

private:
    QCheckBox* basic_;
    QCheckBox* advanced_;
};

}  // namespace telvor
