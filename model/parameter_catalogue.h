#pragma once
// The static description of the 111 drive parameters: the one source of every
// description, range text, value format, limit, editor width, default and
// protection that the program shows, checks, stores or sends.

#include <cstdint>
#include <span>
#include <string>

#include "parameter_keys.h"

namespace telvor {

enum class DefaultRule {
    Fixed,       // the default text of the row ("5.0", or a 50/60 Hz pair "50.00/60.00")
    ByModel,     // from the model table
    ModelIndex,  // the model index itself, "%03d" (b89)
};

// Value formats: how a raw value is shown.
inline constexpr int kFormatInteger = 0;
inline constexpr int kFormatThreeDigits = 1;
inline constexpr int kFormatOneDecimal = 2;
inline constexpr int kFormatTwoDecimals = 3;

struct ParameterInfo {
    int codeIndex;
    const char* description;
    const char* rangeText;
    int valueFormat;
    std::int32_t minimum;  // minimum == maximum == 0: no range check
    std::int32_t maximum;
    int editorWidth;
    bool isProtected;  // read-only in the grid, never sent by a whole-set write
    DefaultRule defaultRule;
    const char* defaultText;  // for DefaultRule::Fixed
};

struct ParameterLimits {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    int editorWidth = 0;
};

// All rows in slot order, A00 first, b97 last.
std::span<const ParameterInfo> ParameterCatalogue();

// The row of a code index, or nullptr when the index names no parameter.
const ParameterInfo* FindParameter(int codeIndex);

std::string DescriptionText(int codeIndex);
std::string RangeText(int codeIndex);
int ValueFormatOf(int codeIndex);
ParameterLimits LimitsOf(int codeIndex);
bool IsProtected(int codeIndex);

// The Default column's text: both halves of a 50/60 Hz pair.
std::string DefaultText(int codeIndex, int modelIndex);
// False for the parameters whose Default is no value but a placeholder: b96's
// "x.x" (the drive's software version) and b97's empty text (its fault records).
bool HasFactoryDefault(int codeIndex);
// The raw default for a model and supply frequency; 0 without a factory default.
std::int32_t DefaultRaw(int codeIndex, int modelIndex, bool is50Hz);
// The default of one model and frequency as the value columns of a comparison show
// it ("50.00"); for a parameter without a factory default the Default column's text.
std::string DefaultValueText(int codeIndex, int modelIndex, bool is50Hz);
// Raw defaults in slots 0..110, 0 in slots 111..299.
ParameterSet MakeDefaultSet(int modelIndex, bool is50Hz);

inline constexpr int kCodeB89 = 189;  // inverter capacity: the drive's model index
inline constexpr int kCodeB95 = 195;  // reset to factory default: 0, 10 or 20
inline constexpr int kCodeB96 = 196;  // software version
inline constexpr int kCodeB97 = 197;  // last three fault records

}  // namespace telvor
