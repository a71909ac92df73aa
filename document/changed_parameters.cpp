#include "changed_parameters.h"

namespace telvor {

bool CountsAsChanged(const CSolvaneDoc& doc, int codeIndex) {
    const int slot = SlotOfCodeIndex(codeIndex);
    if (slot == kNoParameter || IsComparison(doc) || IsProtected(codeIndex)) return false;
    return doc.sets[0][slot] != DefaultRaw(codeIndex, doc.modelIndex, Is50Hz(doc));
}

std::vector<int> ChangedCodeIndexes(const CSolvaneDoc& doc) {
    std::vector<int> codes;
    for (int slot = 0; slot < kParameterCount; ++slot)
        if (CountsAsChanged(doc, CodeIndexOfSlot(slot))) codes.push_back(CodeIndexOfSlot(slot));
    return codes;
}

std::string ChangedCountText(const CSolvaneDoc& doc) {
    return std::to_string(ChangedCodeIndexes(doc).size()) + " of " + std::to_string(kParameterCount) + " changed";
}

}  // namespace telvor
