#include <gtest/gtest.h>

#include "parameter_catalogue.h"
#include "value_format.h"

namespace telvor {
namespace {

TEST(FormatRawValue, AllFourFormats) {
    struct Row {
        int format;
        long long raw;
        const char* text;
    };
    const Row rows[] = {
        {0, 17, "17"},      {0, 0, "0"},           {1, 3, "003"},        {1, 10, "010"},
        {2, 5, "0.5"},      {2, 0, "0.0"},         {2, 50, "5.0"},       {2, 999, "99.9"},
        {2, 9990, "999.0"}, {2, 10000, "1000.0"},  {2, 99999, "9999.9"}, {3, 5, "0.05"},
        {3, 0, "0.00"},     {3, 99, "0.99"},       {3, 100, "1.00"},     {3, 6000, "60.00"},
        {3, 20000, "200.00"}, {3, 99999, "999.99"},
        // Values outside 0..99999 (a file is not range-checked) are written out whole.
        {2, 123456, "12345.6"}, {3, -5, "-0.05"}, {0, -7, "-7"},
    };
    for (const Row& row : rows) EXPECT_EQ(FormatRawValue(row.format, row.raw), row.text) << row.raw;
}

TEST(ParseValueText, PadsTheFractionToThePlaces) {
    struct Row {
        int format;
        const char* text;
        int raw;
    };
    const Row rows[] = {
        {2, "12", 120},  {2, "12.", 120}, {2, "12.3", 123}, {2, "0.1", 1},   {2, ".5", 5},
        {3, "1", 100},   {3, "1.", 100},  {3, "1.5", 150},  {3, ".5", 50},   {3, "12.34", 1234},
        {3, "200", 20000}, {0, "17", 17}, {0, "1.7", 17},   {1, "003", 3},   {2, "", 0},
        {3, "", 0},      {0, "", 0},
    };
    for (const Row& row : rows) EXPECT_EQ(ParseValueText(row.format, row.text), row.raw) << row.text;
}

TEST(ParseValueText, LongTextsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(ParseValueText(3, "99999999999999"), 2147483647);
}

TEST(CheckRange, LimitsAndTheSpecialParameters) {
    struct Row {
        const char* code;
        long long raw;
        bool passes;
    };
    const Row rows[] = {
        {"A02", 99, false},  {"A02", 100, true}, {"A02", 20000, true}, {"A02", 20001, false},
        {"A04", 0, false},   {"A04", 1, true},   {"b95", 0, true},     {"b95", 10, true},
        {"b95", 15, false},  {"b95", 20, true},  {"b95", 21, false},   {"b96", -99999, true},
        {"b96", 99999, true}, {"b97", 12345, true}, {"b89", 999, true},  {"b89", 1000, false},
        {"b77", 0, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CheckRange(CodeIndexOfText(row.code), row.raw), row.passes) << row.code << " " << row.raw;
}

TEST(CheckRange, MessageNamesTheCodeAndTheFormattedLimits) {
    EXPECT_EQ(RangeMessage(CodeIndexOfText("A04")), "Over Range !!\n\nCode: A04\nRange Value: 0.1~999.0");
    EXPECT_EQ(RangeMessage(CodeIndexOfText("A02")), "Over Range !!\n\nCode: A02\nRange Value: 1.00~200.00");
    EXPECT_EQ(RangeMessage(CodeIndexOfText("b95")), "Over Range !!\n\nCode: b95\nRange Value: 0, 10, 20");
    EXPECT_EQ(RangeMessage(CodeIndexOfText("b89")), "Over Range !!\n\nCode: b89\nRange Value: 000~999");
    EXPECT_STREQ(kRangeMessageCaption, "Error Message");
}

TEST(AcceptsEditText, WidthAndPlacesOfEachFormat) {
    struct Row {
        const char* code;
        const char* text;
        bool accepted;
    };
    const Row rows[] = {
        {"A04", "999.0", true},   {"A04", "1000", false},  {"A04", "99.99", false}, {"A04", "5", true},
        {"A04", "", true},        {"A04", ".", true},      {"A04", "1..", false},   {"A02", "200.00", true},
        {"A02", "2000", false},   {"A02", "20.000", false}, {"A02", "1.5", true},   {"b12", "5.5", true},
        {"b12", ".5", true},      {"b12", "55", false},    {"b12", "5.55", false},  {"A00", "2", true},
        {"A00", "22", false},     {"b43", "1.0", false},   {"b43", "100", true},    {"b77", "254", true},
        {"A04", "1a", false},     {"A04", "-1", false},    {"b95", "10", true},
    };
    for (const Row& row : rows) {
        const int index = CodeIndexOfText(row.code);
        EXPECT_EQ(AcceptsEditText(ValueFormatOf(index), LimitsOf(index).editorWidth, row.text), row.accepted)
            << row.code << " '" << row.text << "'";
    }
}

// What goes to a drive: only a text the Setting cell's editor holds, with a digit.
TEST(ParseParameterValue, TakesOnlyTheEditorsTextsThenTheRange) {
    struct Row {
        const char* code;
        const char* text;
        std::optional<std::int32_t> raw;
    };
    const Row rows[] = {
        {"A02", "12.5", 1250}, {"A02", "200", 20000}, {"A02", ".5", std::nullopt},  // 0.50 Hz: below 1.00
        {"A02", "12,5", std::nullopt}, {"A02", "-5", std::nullopt}, {"A02", "1e3", std::nullopt},
        {"A02", "abc", std::nullopt}, {"A02", "", std::nullopt}, {"A02", ".", std::nullopt},
        {"A02", "0x10", std::nullopt}, {"A02", " 5", std::nullopt}, {"A02", "5 ", std::nullopt},
        {"A02", "+5", std::nullopt}, {"A02", "300", std::nullopt}, {"A04", "-1", std::nullopt},
        {"A04", "5.", 50}, {"b95", "-10", std::nullopt}, {"b95", "10", 10}, {"b95", "5", std::nullopt},
        {"b89", "003", 3}, {"A00", "1.", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ParseParameterValue(CodeIndexOfText(row.code), row.text), row.raw)
            << row.code << " '" << row.text << "'";
    EXPECT_EQ(ParseStrictValueText(kFormatTwoDecimals, 6, "999.99"), 99999);
    EXPECT_EQ(ParseStrictValueText(kFormatTwoDecimals, 6, "1000"), std::nullopt);
    EXPECT_EQ(ParseParameterValue(kNoParameter, "1"), std::nullopt);
}

TEST(ValueOutOfRangeText, NamesTheCodeTheValueAndTheRange) {
    EXPECT_EQ(ValueOutOfRangeText(2, 30000), "Code: A02\nValue: 300.00\nRange Value: 1.00~200.00");
    EXPECT_EQ(ValueOutOfRangeText(kCodeB95, 15), "Code: b95\nValue: 15\nRange Value: 0, 10, 20");
}

}  // namespace
}  // namespace telvor
