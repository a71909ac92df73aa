#include <gtest/gtest.h>

#include "parameter_keys.h"

namespace telvor {
namespace {

TEST(ParameterKeys, ConvertBetweenCodeTextIndexAndSlot) {
    struct Row {
        const char* code;
        int codeIndex;
        int slot;
    };
    for (const Row& row : {Row{"A00", 0, 0}, Row{"A12", 12, 12}, Row{"b00", 100, 13}, Row{"b89", 189, 102},
                           Row{"b95", 195, 108}, Row{"b97", 197, 110}}) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(CodeIndexOfText(row.code), row.codeIndex);
        EXPECT_EQ(CodeText(row.codeIndex), row.code);
        EXPECT_EQ(SlotOfCodeIndex(row.codeIndex), row.slot);
        EXPECT_EQ(CodeIndexOfSlot(row.slot), row.codeIndex);
    }
}

TEST(ParameterKeys, IndexesBetweenAndBeyondTheGroupsNameNoParameter) {
    for (int index : {-1, 13, 50, 99, 198, 300}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(CodeText(index), "");
        EXPECT_EQ(SlotOfCodeIndex(index), kNoParameter);
    }
    for (int slot : {-1, 111, 299, 300}) EXPECT_EQ(CodeIndexOfSlot(slot), kNoParameter);
    for (const char* text : {"", "A1", "A13", "b98", "B05", "a05", "Axy", "A001"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CodeIndexOfText(text), kNoParameter);
    }
}

TEST(ParameterKeys, EverySlotOfAParameterRoundTrips) {
    for (int slot = 0; slot < kParameterCount; ++slot) {
        const int index = CodeIndexOfSlot(slot);
        EXPECT_EQ(SlotOfCodeIndex(index), slot);
        EXPECT_EQ(CodeIndexOfText(CodeText(index)), index);
    }
}

}  // namespace
}  // namespace telvor
