#include "definite_rules.h"

#include <algorithm>

#include "parameter_catalogue.h"
#include "parameter_keys.h"

namespace telvor {

bool IsChoosable(int codeIndex) {
    constexpr int kNeverChosen[] = {177, 178, 179, 180, 181, 182, 183, 189, 194, 196, 197};
    return IsParameterCodeIndex(codeIndex) && std::find(std::begin(kNeverChosen), std::end(kNeverChosen), codeIndex) ==
                                                  std::end(kNeverChosen);
}

std::vector<int> ChoosableCodes() {
    std::vector<int> codes;
    for (int slot = 0; slot < kParameterCount; ++slot)
        if (IsChoosable(CodeIndexOfSlot(slot))) codes.push_back(CodeIndexOfSlot(slot));
    return codes;
}

std::string DefiniteEntryText(int codeIndex) { return CodeText(codeIndex) + ": " + DescriptionText(codeIndex); }

std::vector<int> DefiniteCodes(const DefiniteList& list) {
    std::vector<int> codes;
    const int count = std::clamp(list.count, 0, kDefiniteCapacity);
    for (int i = 0; i < count; ++i) {
        const DefiniteEntry& entry = list.entries[i];
        const int code = CodeIndexOfText(DefiniteEntryCode(entry));
        if (code != kNoParameter && IsChoosable(code) && std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    }
    return codes;
}

DefiniteList DefiniteListOf(const std::vector<int>& codes) {
    DefiniteList list;
    for (int code : codes) {
        if (list.count == kDefiniteCapacity) break;
        const bool basic = code < 100;
        list.entries[list.count++] = {basic ? kDefiniteGroupBasic : kDefiniteGroupAdvanced, basic ? code : code - 100};
    }
    return list;
}

}  // namespace telvor
