#include "parameter_keys.h"

#include <cstdio>

namespace telvor {

bool IsParameterCodeIndex(int codeIndex) {
    return (codeIndex >= 0 && codeIndex < kBasicCount) ||
           (codeIndex >= 100 && codeIndex < 100 + kAdvancedCount);
}

std::string CodeText(int codeIndex) {
    if (!IsParameterCodeIndex(codeIndex)) return {};
    char text[16];
    if (codeIndex < 100)
        std::snprintf(text, sizeof text, "A%02d", codeIndex);
    else
        std::snprintf(text, sizeof text, "b%02d", codeIndex - 100);
    return text;
}

int CodeIndexOfText(std::string_view text) {
    if (text.size() != 3) return kNoParameter;
    const char tens = text[1], ones = text[2];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return kNoParameter;
    const int index = (text[0] == 'b' ? 100 : 0) + 10 * (tens - '0') + (ones - '0');
    if (text[0] != 'A' && text[0] != 'b') return kNoParameter;
    return IsParameterCodeIndex(index) ? index : kNoParameter;
}

int CodeIndexOfSlot(int slot) {
    if (slot >= 0 && slot < kBasicCount) return slot;
    if (slot >= kBasicCount && slot < kParameterCount) return slot + 87;
    return kNoParameter;
}

int SlotOfCodeIndex(int codeIndex) {
    if (!IsParameterCodeIndex(codeIndex)) return kNoParameter;
    return codeIndex < 100 ? codeIndex : codeIndex - 87;
}

}  // namespace telvor
