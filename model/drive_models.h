#pragma once
// The eleven drive models: names, ratings and the defaults that depend on the model.

#include <string>

namespace telvor {

inline constexpr int kModelCount = 11;

bool IsModelIndex(int modelIndex);  // 0..10

// "KRV-020-11" .. "KRV-220-43"; empty for an index without a model.
std::string ModelName(int modelIndex);

// The seven-line rating block of the Model Select dialog.
std::string RatingText(int modelIndex);

// Default text of a parameter whose default depends on the model (A08, b03, b09,
// b10, b12, b14, b15, b16); empty for other parameters and for an index without a model.
std::string ModelDefaultText(int codeIndex, int modelIndex);

}  // namespace telvor
