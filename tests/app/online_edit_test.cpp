#include "online_edit.h"

#include <gtest/gtest.h>

#include "flow_rig.h"
#include "parameter_catalogue.h"
#include "read_flow.h"

namespace telvor {
namespace {

using testing::FlowRig;
using testing::WriteFrame;
using Frames = std::vector<std::string>;
using Shown = std::vector<std::string>;

constexpr int kSlotA02 = 2;
constexpr int kSlotB95 = kBasicCount + 95;

struct EditRig : FlowRig {
    EditRig() : FlowRig({"--stations", "3", "--model", "8"}) {
        linked = sim.Started() && Link("3");
        app.SetOnlineEdit(true);
        app.NewDocument().modified = false;
        NewFrames();
        ui.shown.clear();
    }
    // As the grid does: the new value is in the document before the commit.
    OnlineEditResult Edit(int codeIndex, std::int32_t value) {
        CSolvaneDoc& doc = *app.Document();
        int slot = SlotOfCodeIndex(codeIndex);
        OnlineEdit edit{codeIndex, value, doc.sets[0][slot], 0, doc.modified};
        doc.sets[0][slot] = value;
        doc.modified = true;
        return CommitOnlineEdit(app, ui, edit);
    }
    bool linked = false;
};

TEST(OnlineEdit, FactoryResetAnsweredYesIsSentAndB95ReadsZeroAfterwards) {
    EditRig rig;
    ASSERT_TRUE(rig.linked);
    rig.sim.Control("register 3 8 4100");
    rig.ui.answers = {Answer::Yes};
    EXPECT_EQ(rig.Edit(kCodeB95, 20), OnlineEditResult::Written);
    EXPECT_EQ(rig.NewFrames(), Frames{WriteFrame(3, kCodeB95, 20)});
    EXPECT_EQ(rig.ui.shown,
              (Shown{"ask Write Message|Code: b95\nReset to factory default (60 Hz)?", "dialog 267"}));
    EXPECT_EQ(rig.app.Document()->sets[0][kSlotB95], 0);
    EXPECT_FALSE(rig.app.Link().modalBusy);
    // The drive went back to its 60 Hz defaults.
    ASSERT_TRUE(ReadAllParameters(rig.app, rig.ui, 3, {true, false}).ok);
    EXPECT_EQ(rig.app.ReadBuffer()[kSlotA02], DefaultRaw(2, 8, false));
}

TEST(OnlineEdit, FactoryResetAnsweredNoIsUndoneAndNothingIsSent) {
    EditRig rig;
    ASSERT_TRUE(rig.linked);
    rig.ui.answers = {Answer::No};
    EXPECT_EQ(rig.Edit(kCodeB95, 10), OnlineEditResult::Undone);
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_EQ(rig.ui.shown, (Shown{"ask Write Message|Code: b95\nReset to factory default (50 Hz)?"}));
    EXPECT_EQ(rig.app.Document()->sets[0][kSlotB95], 0);
    EXPECT_FALSE(rig.app.Document()->modified);
    EXPECT_FALSE(rig.app.Link().modalBusy);
}

TEST(OnlineEdit, ResetValueZeroIsKeptAndNeverSent) {
    EditRig rig;
    ASSERT_TRUE(rig.linked);
    EXPECT_EQ(rig.Edit(kCodeB95, 0), OnlineEditResult::NotSent);
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_TRUE(rig.ui.shown.empty());
}

TEST(OnlineEdit, OrdinaryParameterIsWrittenToTheCurrentStation) {
    EditRig rig;
    ASSERT_TRUE(rig.linked);
    EXPECT_EQ(rig.Edit(2, 4321), OnlineEditResult::Written);
    EXPECT_EQ(rig.NewFrames(), Frames{WriteFrame(3, 2, 4321)});
    EXPECT_EQ(rig.ui.shown, Shown{"dialog 267"});
    EXPECT_EQ(rig.app.Document()->sets[0][kSlotA02], 4321);
    EXPECT_TRUE(rig.app.Document()->modified);
}

TEST(OnlineEdit, FailedWriteIsUndone) {
    EditRig rig;
    ASSERT_TRUE(rig.linked);
    std::int32_t before = rig.app.Document()->sets[0][kSlotA02];
    rig.sim.Control("fault 3 silent");
    EXPECT_EQ(rig.Edit(2, 4321), OnlineEditResult::Undone);
    EXPECT_EQ(rig.NewFrames(), Frames(3, WriteFrame(3, 2, 4321)));
    EXPECT_EQ(rig.ui.shown, Shown{"dialog 155"});
    EXPECT_EQ(rig.app.Document()->sets[0][kSlotA02], before);
}

TEST(OnlineEdit, DefiniteDialogStationIsUsed) {
    FlowRig rig({"--stations", "3,4", "--model", "8"});
    ASSERT_TRUE(rig.sim.Started() && rig.Link("3"));
    rig.app.SetOnlineEdit(true);
    rig.NewFrames();
    EXPECT_EQ(CommitOnlineEdit(rig.app, rig.ui, OnlineEdit{2, 3000, 5000, 4, true}), OnlineEditResult::Written);
    EXPECT_EQ(rig.NewFrames(), Frames{WriteFrame(4, 2, 3000)});
}

TEST(OnlineEdit, OfflineOrUnlinkedSendsNothing) {
    EditRig rig;
    ASSERT_TRUE(rig.linked);
    rig.app.SetOnlineEdit(false);
    EXPECT_EQ(rig.Edit(2, 4321), OnlineEditResult::NotSent);
    rig.app.SetOnlineEdit(true);
    rig.app.Link().linked = false;
    EXPECT_EQ(rig.Edit(kCodeB95, 20), OnlineEditResult::NotSent);
    EXPECT_TRUE(rig.NewFrames().empty());
    EXPECT_TRUE(rig.ui.shown.empty());
}

}  // namespace
}  // namespace telvor
