#include <gtest/gtest.h>

#include "parameter_catalogue.h"

namespace telvor {
namespace {

TEST(ParameterCatalogue, ListsAllParametersInSlotOrder) {
    const auto catalogue = ParameterCatalogue();
    ASSERT_EQ(catalogue.size(), 111u);
    for (int slot = 0; slot < kParameterCount; ++slot) EXPECT_EQ(catalogue[slot].codeIndex, CodeIndexOfSlot(slot));
}

TEST(ParameterCatalogue, RowsAsTheTableGivesThem) {
    struct Row {
        const char* code;
        const char* description;
        const char* range;
        int format;
        int minimum, maximum, width;
        bool isProtected;
    };
    const Row rows[] = {
        {"A00", "Operation control", "0~2", 0, 0, 2, 1, false},
        {"A02", "Frequency high limit (Hz)", "1.00~200.00", 3, 100, 20000, 6, false},
        {"A04", "Acceleration time 1 (s)", "0.1~999.0", 2, 1, 9990, 5, false},
        {"A11", "Electronic thermal relay protection for motor (OL1)", "0~1", 0, 0, 1, 1, false},
        {"b12", "Motor rated power (kW)", "0.2~5.5", 2, 2, 55, 3, false},
        {"b43", "Multi-function input terminal S1~S6 signal scan time (ms*8)", "1~100", 0, 1, 100, 3, false},
        {"b68", "PID Error gain (%)", "0.00~10.00", 3, 0, 1000, 5, false},
        {"b77", "Inverter communication address", "1~254", 0, 1, 254, 3, true},
        {"b84", "Remote keypad frequency control source select ", "0~1", 0, 0, 1, 1, false},
        {"b89", "Inverter horse power capacity", "-----------", 1, 0, 999, 3, true},
        {"b95", "Reset to factory default", "0,10,20", 0, 0, 20, 2, false},
        {"b96", "Software version (Read Only)", "CPU Version", 2, 0, 0, 4, true},
        {"b97", "Last 3 fault records", "-----------", 0, 0, 0, 3, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        const int index = CodeIndexOfText(row.code);
        EXPECT_EQ(DescriptionText(index), row.description);
        EXPECT_EQ(RangeText(index), row.range);
        EXPECT_EQ(ValueFormatOf(index), row.format);
        const ParameterLimits limits = LimitsOf(index);
        EXPECT_EQ(limits.minimum, row.minimum);
        EXPECT_EQ(limits.maximum, row.maximum);
        EXPECT_EQ(limits.editorWidth, row.width);
        EXPECT_EQ(IsProtected(index), row.isProtected);
    }
}

TEST(ParameterCatalogue, ExactlyTheCommunicationAndReadOnlyParametersAreProtected) {
    std::vector<std::string> protectedCodes;
    for (const auto& info : ParameterCatalogue())
        if (info.isProtected) protectedCodes.push_back(CodeText(info.codeIndex));
    EXPECT_EQ(protectedCodes, (std::vector<std::string>{"b77", "b78", "b79", "b80", "b81", "b82", "b83", "b89",
                                                         "b94", "b96", "b97"}));
}

TEST(ParameterCatalogue, AnIndexThatNamesNoParameterGivesEmptyFacts) {
    for (int index : {13, 50, 198}) {
        EXPECT_EQ(DescriptionText(index), "");
        EXPECT_EQ(RangeText(index), "");
        EXPECT_EQ(ValueFormatOf(index), 0);
        EXPECT_EQ(LimitsOf(index).editorWidth, 0);
        EXPECT_FALSE(IsProtected(index));
        EXPECT_EQ(DefaultRaw(index, 3, true), 0);
        EXPECT_EQ(DefaultText(index, 3), "");
    }
}

TEST(ParameterCatalogue, DefaultsByFrequencyAndModel) {
    struct Row {
        const char* code;
        int model;
        const char* text;
        int raw50, raw60;
    };
    const Row rows[] = {
        {"A02", 0, "50.00/60.00", 5000, 6000}, {"A07", 0, "1/4", 1, 4},
        {"b07", 4, "0.50/0.60", 50, 60},       {"b13", 1, "140.0/170.0", 1400, 1700},
        {"A04", 9, "5.0", 50, 50},             {"A08", 8, "440.0", 4400, 4400},
        {"A08", 7, "220.0", 2200, 2200},       {"b10", 10, "440.0", 4400, 4400},
        {"b09", 2, "3.4", 34, 34},             {"b12", 6, "1.5", 15, 15},
        {"b14", 6, "200/240", 200, 240},       {"b14", 5, "250/300", 250, 300},
        {"b16", 9, "15/18", 15, 18},           {"b89", 3, "003", 3, 3},
        {"b89", 10, "010", 10, 10},            {"b96", 2, "x.x", 0, 0},
        {"b97", 2, "", 0, 0},                  {"A08", 11, "", 0, 0},
        {"b89", 11, "", 0, 0},                 {"b03", -1, "", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.code) + " model " + std::to_string(row.model));
        const int index = CodeIndexOfText(row.code);
        EXPECT_EQ(DefaultText(index, row.model), row.text);
        EXPECT_EQ(DefaultRaw(index, row.model, true), row.raw50);
        EXPECT_EQ(DefaultRaw(index, row.model, false), row.raw60);
    }
}

TEST(ParameterCatalogue, DefaultSetsHoldEveryDefaultAndZeroBeyondTheParameters) {
    for (int model : {0, 2, 8, 10}) {
        for (bool is50Hz : {true, false}) {
            SCOPED_TRACE(model * 10 + is50Hz);
            const ParameterSet set = MakeDefaultSet(model, is50Hz);
            for (int slot = 0; slot < kParameterCount; ++slot)
                EXPECT_EQ(set[slot], DefaultRaw(CodeIndexOfSlot(slot), model, is50Hz));
            for (int slot = kParameterCount; slot < kSetSize; ++slot) EXPECT_EQ(set[slot], 0);
            EXPECT_EQ(set[102], model);  // b89
        }
    }
    const ParameterSet model2At60 = MakeDefaultSet(2, false);
    EXPECT_EQ(model2At60[2], 6000);   // A02
    EXPECT_EQ(model2At60[22], 34);    // b09
    EXPECT_EQ(MakeDefaultSet(0, true), [] {
        ParameterSet s = MakeDefaultSet(3, true);
        s[102] = 0;  // models 0 and 3 differ only in name, input voltage and b89
        return s;
    }());
}

TEST(ParameterCatalogue, EveryDefaultPassesItsOwnRangeCheckLimits) {
    for (int model = 0; model < 11; ++model)
        for (const auto& info : ParameterCatalogue()) {
            if (info.minimum == 0 && info.maximum == 0) continue;
            for (bool is50Hz : {true, false}) {
                const auto raw = DefaultRaw(info.codeIndex, model, is50Hz);
                EXPECT_GE(raw, info.minimum) << CodeText(info.codeIndex);
                EXPECT_LE(raw, info.maximum) << CodeText(info.codeIndex);
            }
        }
}

}  // namespace
}  // namespace telvor
