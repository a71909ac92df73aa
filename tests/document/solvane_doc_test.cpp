#include "solvane_doc.h"

#include <gtest/gtest.h>

namespace telvor {
namespace {

PendingRead ReadOf(bool basic, bool advanced) {
    PendingRead read{basic, advanced, {}};
    for (int slot = 0; slot < kSetSize; ++slot) read.values[slot] = 10000 + slot;
    return read;
}

TEST(NewDocument, IsAnUntitledParameterDocumentOfDefaults) {
    for (int model : {0, 5, 8, 10}) {
        for (bool is50Hz : {true, false}) {
            const CSolvaneDoc doc = NewDocument(model, is50Hz, true);
            EXPECT_EQ(doc.kind, kKindParameter);
            EXPECT_EQ(doc.compareMode, CompareNone);
            EXPECT_EQ(doc.modelIndex, model);
            EXPECT_EQ(Is50Hz(doc), is50Hz);
            EXPECT_EQ(doc.sets[0], MakeDefaultSet(model, is50Hz));
            EXPECT_EQ(DocumentDefaults(doc), MakeDefaultSet(model, is50Hz));
            EXPECT_TRUE(doc.untitled);
            EXPECT_FALSE(doc.modified);
            EXPECT_TRUE(doc.linked);
            EXPECT_EQ(doc.title, "Untitled");
            for (int slot = 0; slot < kSetSize; ++slot) EXPECT_EQ(doc.rowFlags[slot], slot <= 110 ? 1 : 0);
        }
    }
}

TEST(NewDocument, PendingReadOverlaysOnlyTheGroupsThatWereRead) {
    struct Case {
        bool basic, advanced;
    };
    for (const Case& c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        const PendingRead read = ReadOf(c.basic, c.advanced);
        const CSolvaneDoc doc = NewDocument(2, true, true, &read);
        const ParameterSet defaults = MakeDefaultSet(2, true);
        EXPECT_TRUE(doc.modified);
        for (int slot = 0; slot < kSetSize; ++slot) {
            const bool taken = (slot <= 12 && c.basic) || (slot >= 13 && slot <= 110 && c.advanced);
            EXPECT_EQ(doc.sets[0][slot], taken ? read.values[slot] : defaults[slot]) << "slot " << slot;
        }
    }
}

TEST(ReloadFromLink, RefillsAComparisonAsAParameterDocumentOfTheLinkedModel) {
    CSolvaneDoc doc = NewDocument(1, true, false);
    doc.compareMode = CompareFileFile;
    doc.kind = kKindCompare;
    doc.presentFlags = {1, 1, 1};
    doc.setNames = {"a", "b", "c"};
    doc.rowFlags.fill(0);
    doc.sets[1].fill(5);
    doc.sets[0].fill(77);
    doc.stationTitles[3] = "kept?";
    doc.titleBlock[0] = "kept?";
    doc.title = "pump.mvx";
    doc.untitled = false;

    const PendingRead read = ReadOf(false, true);
    ReloadFromLink(doc, 9, false, true, read);

    const ParameterSet defaults = MakeDefaultSet(9, false);
    EXPECT_EQ(doc.kind, kKindParameter);
    EXPECT_EQ(doc.compareMode, CompareNone);
    EXPECT_EQ(doc.modelIndex, 9);
    EXPECT_FALSE(Is50Hz(doc));
    EXPECT_TRUE(doc.linked);
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(doc.presentFlags, (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(doc.setNames[0], "");
    EXPECT_EQ(doc.stationTitles[3], "");
    EXPECT_EQ(doc.titleBlock[0], "");
    EXPECT_EQ(doc.sets[1], ParameterSet{});
    EXPECT_EQ(doc.title, "pump.mvx");
    for (int slot = 0; slot < kSetSize; ++slot) {
        EXPECT_EQ(doc.rowFlags[slot], slot <= 110 ? 1 : 0);
        // The basic group was not read: it shows the defaults, not what the document held.
        EXPECT_EQ(doc.sets[0][slot], slot >= 13 && slot <= 110 ? read.values[slot] : defaults[slot]) << slot;
    }
}

}  // namespace
}  // namespace telvor
