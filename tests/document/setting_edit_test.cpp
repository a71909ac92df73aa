#include "setting_edit.h"

#include <gtest/gtest.h>

#include "value_format.h"

namespace telvor {
namespace {

struct Case {
    const char* code;
    const char* text;
    bool onlineLinked;
    SettingEditOutcome outcome;
    std::int32_t rawAfter;  // the stored value when Stored
    const char* message;  // OutOfRange; a Rejected text gets the range message too
};

TEST(SettingEdit, EndsLikeTheSettingCellEditor) {
    using enum SettingEditOutcome;
    const Case cases[] = {
        {"A04", "5", false, Stored, 50, ""},
        {"A04", "999.0", false, Stored, 9990, ""},
        {"A04", ".5", false, Stored, 5, ""},
        {"A04", "1000", false, Rejected, 0, ""},
        {"A04", "99.99", false, Rejected, 0, ""},
        {"A04", "1a", false, Rejected, 0, ""},
        {"A04", "", false, Rejected, 0, ""},
        {"A04", ".", false, Rejected, 0, ""},
        {"A04", "-5", false, Rejected, 0, ""},
        {"A04", "0", false, OutOfRange, 0, "Over Range !!\n\nCode: A04\nRange Value: 0.1~999.0"},
        {"A02", "0.99", false, OutOfRange, 0, "Over Range !!\n\nCode: A02\nRange Value: 1.00~200.00"},
        {"A02", "200.00", false, Stored, 20000, ""},
        {"A02", "2000", false, Rejected, 0, ""},
        {"A02", "60.00", false, Unchanged, 0, ""},
        {"A00", "1.", false, Rejected, 0, ""},
        {"b89", "3", false, NotEditable, 0, ""},
        {"b77", "1", false, NotEditable, 0, ""},
        {"b94", "1", true, NotEditable, 0, ""},
        {"b96", "1", true, NotEditable, 0, ""},
        {"b97", "1", true, NotEditable, 0, ""},
        {"b95", "10", false, NotEditable, 0, ""},
        {"b95", "10", true, Stored, 10, ""},
        {"b95", "15", true, OutOfRange, 0, "Over Range !!\n\nCode: b95\nRange Value: 0, 10, 20"},
        {"b12", "5.5", false, Stored, 55, ""},
        {"b12", "55", false, Rejected, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.text);
        CSolvaneDoc doc = NewDocument(8, false, false);
        const CSolvaneDoc before = doc;
        const int code = CodeIndexOfText(c.code);
        const SettingEditResult result = EditSetting(doc, code, c.text, c.onlineLinked);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.message, c.outcome == Rejected ? RangeMessage(code) : c.message);
        if (c.outcome == Stored) {
            EXPECT_EQ(doc.sets[0][SlotOfCodeIndex(code)], c.rawAfter);
            EXPECT_TRUE(doc.modified);
        } else {
            EXPECT_EQ(doc.sets[0], before.sets[0]);
            EXPECT_FALSE(doc.modified);
        }
    }
}

TEST(SettingEdit, CellTextOfSoftwareVersionAndFaultsIsEmptyUnlessLinked) {
    for (bool linked : {false, true}) {
        CSolvaneDoc doc = NewDocument(8, false, linked);
        doc.sets[0][SlotOfCodeIndex(kCodeB96)] = 12;
        doc.sets[0][SlotOfCodeIndex(kCodeB97)] = 345;
        EXPECT_EQ(SettingCellText(doc, kCodeB96), linked ? "1.2" : "");
        EXPECT_EQ(SettingCellText(doc, kCodeB97), linked ? "345" : "");
        EXPECT_EQ(SettingCellText(doc, 2), "60.00");
    }
}

}  // namespace
}  // namespace telvor
