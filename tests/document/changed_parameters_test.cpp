#include "changed_parameters.h"

#include <gtest/gtest.h>

#include "document_table.h"
#include "drive_models.h"

namespace telvor {
namespace {

std::string Codes(const std::vector<int>& codes) {
    std::string text;
    for (int code : codes) {
        if (!text.empty()) text += ' ';
        text += CodeText(code);
    }
    return text;
}

void Set(CSolvaneDoc& doc, int codeIndex, std::int32_t raw) { doc.sets[0][SlotOfCodeIndex(codeIndex)] = raw; }

TEST(ChangedParameters, AFreshDocumentOfEveryModelAndFrequencyHasNoneChanged) {
    for (int model = 0; model < kModelCount; ++model) {
        for (bool is50Hz : {true, false}) {
            const CSolvaneDoc doc = NewDocument(model, is50Hz, false);
            EXPECT_EQ(Codes(ChangedCodeIndexes(doc)), "") << model << " " << is50Hz;
            EXPECT_EQ(ChangedCountText(doc), "0 of 111 changed");
        }
    }
}

// A document holding the defaults of another model or frequency: what differs by
// the document's own model and frequency counts; b89, which names the model, never.
struct OtherDefaultsCase {
    int model;
    bool is50Hz;
    int valuesOfModel;
    bool valuesOf50Hz;
    const char* changed;
};

TEST(ChangedParameters, TheDefaultIsThatOfTheDocumentsModelAndFrequency) {
    const OtherDefaultsCase cases[] = {
        {0, false, 0, true, "A02 A07 A09 b05 b07 b11 b13 b14 b15 b16"},
        {0, true, 0, false, "A02 A07 A09 b05 b07 b11 b13 b14 b15 b16"},
        {8, true, 8, false, "A02 A07 A09 b05 b07 b11 b13 b14 b15 b16"},
        {8, true, 2, true, "A08 b03 b09 b10"},
        {10, false, 9, false, "b03 b09 b12"},
        {6, true, 5, true, "b03 b09 b12 b14 b15 b16"},
        {4, true, 3, true, "b03 b09 b12"},
    };
    for (const OtherDefaultsCase& c : cases) {
        CSolvaneDoc doc = NewDocument(c.model, c.is50Hz, false);
        doc.sets[0] = MakeDefaultSet(c.valuesOfModel, c.valuesOf50Hz);
        EXPECT_EQ(Codes(ChangedCodeIndexes(doc)), c.changed) << c.model << " " << c.valuesOfModel;
        EXPECT_EQ(ShownCodeIndexes(doc, RowFilter::ChangedOnly), ChangedCodeIndexes(doc));
        EXPECT_EQ(ShownCodeIndexes(doc).size(), 111u);
    }
}

TEST(ChangedParameters, ProtectedParametersNeverCountAndEverySettingDoes) {
    for (bool is50Hz : {true, false}) {
        CSolvaneDoc doc = NewDocument(3, is50Hz, true);
        for (int code : {177, 178, 179, 180, 181, 182, 183, 189, 194, 196, 197}) Set(doc, code, 7);
        EXPECT_EQ(Codes(ChangedCodeIndexes(doc)), "");
        Set(doc, 4, 85);        // A04 8.5 s
        Set(doc, 12, 1);        // A12
        Set(doc, kCodeB95, 10); // b95: a setting like any other
        Set(doc, 176, 1);       // b76, next to the line parameters
        EXPECT_EQ(Codes(ChangedCodeIndexes(doc)), "A04 A12 b76 b95");
        EXPECT_EQ(ChangedCountText(doc), "4 of 111 changed");
        EXPECT_TRUE(CountsAsChanged(doc, 4));
        EXPECT_FALSE(CountsAsChanged(doc, 5));
        EXPECT_FALSE(CountsAsChanged(doc, 177));
        EXPECT_FALSE(CountsAsChanged(doc, kNoParameter));
    }
}

TEST(ChangedParameters, AComparisonHasNoSettingsToCountAndItsRowsAreNotFiltered) {
    CSolvaneDoc doc = NewDocument(0, true, false);
    Set(doc, 4, 50);
    doc.compareMode = CompareFileFile;
    doc.rowFlags = {};
    doc.rowFlags[4] = doc.rowFlags[20] = 1;
    EXPECT_EQ(Codes(ChangedCodeIndexes(doc)), "");
    EXPECT_EQ(Codes(ShownCodeIndexes(doc, RowFilter::ChangedOnly)), "A04 b07");
}

}  // namespace
}  // namespace telvor
