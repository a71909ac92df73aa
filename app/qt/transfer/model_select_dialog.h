#pragma once
// CModelType, the "Model Select" dialog of New: a drive model and a supply
// frequency, with the model's rating block shown above the lists.

#include <QDialog>

class QComboBox;
class QLabel;

namespace telvor {

struct ModelChoice {
    int modelIndex = 0;
    bool is50Hz = true;
};

class CModelType : public QDialog {
    Q_OBJECT
public:
    CModelType(ModelChoice initial, QWidget* parent = nullptr);

    ModelChoice Choice() const;
    QComboBox* ModelList() const { return modelList_; }
    QComboBox* FrequencyList() const { return frequencyList_; }
    QLabel* RatingLabel() const { return rating_; }

private:
    void ShowRating(int modelIndex);

    QLabel* rating_;
    QComboBox* modelList_;
    QComboBox* frequencyList_;
};

}  // namespace telvor
