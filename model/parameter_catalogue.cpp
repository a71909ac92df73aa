#include "parameter_catalogue.h"

#include <cstdio>
#include <string_view>

#include "drive_models.h"
#include "value_format.h"

namespace telvor {
namespace {

// "x/y": x with the 50 Hz flag set, y with it clear; a single value serves both.
std::string_view HalfOfPair(std::string_view text, bool is50Hz) {
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) return text;
    return is50Hz ? text.substr(0, slash) : text.substr(slash + 1);
}

bool IsNumberText(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if ((c < '0' || c > '9') && c != '.') return false;
    return true;
}

}  // namespace

const ParameterInfo* FindParameter(int codeIndex) {
    const int slot = SlotOfCodeIndex(codeIndex);
    return slot == kNoParameter ? nullptr : &ParameterCatalogue()[slot];
}

std::string DescriptionText(int codeIndex) {
    const auto* info = FindParameter(codeIndex);
    return info ? info->description : "";
}

std::string RangeText(int codeIndex) {
    const auto* info = FindParameter(codeIndex);
    return info ? info->rangeText : "";
}

int ValueFormatOf(int codeIndex) {
    const auto* info = FindParameter(codeIndex);
    return info ? info->valueFormat : kFormatInteger;
}

ParameterLimits LimitsOf(int codeIndex) {
    const auto* info = FindParameter(codeIndex);
    if (!info) return {};
    return {info->minimum, info->maximum, info->editorWidth};
}

bool IsProtected(int codeIndex) {
    const auto* info = FindParameter(codeIndex);
    return info && info->isProtected;
}

std::string DefaultText(int codeIndex, int modelIndex) {
    const auto* info = FindParameter(codeIndex);
    if (!info) return {};
    switch (info->defaultRule) {
        case DefaultRule::Fixed:
            return info->defaultText;
        case DefaultRule::ByModel:
            return ModelDefaultText(codeIndex, modelIndex);
        case DefaultRule::ModelIndex: {
            if (!IsModelIndex(modelIndex)) return {};
            char text[16];
            std::snprintf(text, sizeof text, "%03d", modelIndex);
            return text;
        }
    }
    return {};
}

bool HasFactoryDefault(int codeIndex) {
    const auto* info = FindParameter(codeIndex);
    return info && (info->defaultRule != DefaultRule::Fixed || IsNumberText(HalfOfPair(info->defaultText, true)));
}

std::int32_t DefaultRaw(int codeIndex, int modelIndex, bool is50Hz) {
    const auto* info = FindParameter(codeIndex);
    if (!info) return 0;
    if (info->defaultRule == DefaultRule::ModelIndex) return IsModelIndex(modelIndex) ? modelIndex : 0;
    const std::string text = DefaultText(codeIndex, modelIndex);
    const std::string_view half = HalfOfPair(text, is50Hz);
    if (!IsNumberText(half)) return 0;  // "x.x" of b96, the empty text of b97
    return ParseValueText(info->valueFormat, half);
}

std::string DefaultValueText(int codeIndex, int modelIndex, bool is50Hz) {
    if (!HasFactoryDefault(codeIndex)) return DefaultText(codeIndex, modelIndex);
    return FormatRawValue(ValueFormatOf(codeIndex), DefaultRaw(codeIndex, modelIndex, is50Hz));
}

ParameterSet MakeDefaultSet(int modelIndex, bool is50Hz) {
    ParameterSet set{};
    for (const auto& info : ParameterCatalogue())
        set[SlotOfCodeIndex(info.codeIndex)] = DefaultRaw(info.codeIndex, modelIndex, is50Hz);
    return set;
}

}  // namespace telvor
