// The definite list: the choosable rule, the Add/Remove dialog's rules and the
// list in the settings file through telvorctl definite.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "add_remove_state.h"
#include "definite_rules.h"
#include "parameter_catalogue.h"
#include "program_settings.h"
#include "sim_line.h"
#include "telvorctl_runner.h"

namespace telvor {
namespace {

using Codes = std::vector<std::string>;

Codes CodesOf(const std::vector<int>& codes) {
    Codes texts;
    for (int code : codes) texts.push_back(CodeText(code));
    return texts;
}

DefiniteList ListOf(const Codes& codes) {
    std::vector<int> indexes;
    for (const auto& text : codes) indexes.push_back(CodeIndexOfText(text));
    return DefiniteListOf(indexes);
}

TEST(DefiniteRules, ElevenCodesAreNeverChosenAndAnEditedFileCannotBringThemIn) {
    const std::vector<int> choosable = ChoosableCodes();
    EXPECT_EQ(choosable.size(), 100u);
    for (const char* code : {"b77", "b78", "b79", "b80", "b81", "b82", "b83", "b89", "b94", "b96", "b97"})
        EXPECT_FALSE(IsChoosable(CodeIndexOfText(code))) << code;
    EXPECT_EQ(DefiniteEntryText(0), "A00: Operation control");

    // Group 0, b89, b96, A13, a number beyond 97, a repeat, then 250 entries claimed with few present.
    const ProgramSettings settings = ParseSettingsText(
        "[VarnoxLink]\r\nVersion=v1.1.140123\r\n[System]\r\nComPort=1\r\nBaudRate=38400\r\nDataLengthBits=8\r\n"
        "ParityBit=0\r\nStopBits=0\r\nPrint Title=1\r\nPrint AxxFlag=1\r\nPrint bxxFlag=1\r\nOnLineEdit=0\r\n"
        "Freq50HzFlag=1\r\n[Definite Parameter]\r\n250\r\n2\r\n10\r\n0\r\n04\r\n2\r\n89\r\n2\r\n96\r\n1\r\n13\r\n"
        "2\r\n120\r\n1\r\n04\r\n2\r\n10\r\n1\r\n04\r\n");
    EXPECT_EQ(CodesOf(DefiniteCodes(settings.definite)), (Codes{"b10", "A04"}));
    EXPECT_EQ(CodesOf(AddRemoveState(settings.definite).Definite()), (Codes{"b10", "A04"}));
    DefiniteList everything;
    everything.count = kDefiniteCapacity;
    for (auto& entry : everything.entries) entry = {kDefiniteGroupBasic, 1};
    EXPECT_EQ(DefiniteCodes(everything).size(), 1u);
}

TEST(AddRemove, ButtonsAndListsFollowTheDialogsRules) {
    AddRemoveState empty(DefiniteList{});
    EXPECT_FALSE(empty.Buttons().removeAll);
    EXPECT_TRUE(empty.Buttons().addAll);
    EXPECT_FALSE(empty.Buttons().add);

    AddRemoveState state(ListOf({"A04", "b10", "A01"}));
    EXPECT_EQ(state.AllParameters().size(), 97u);
    // Add with no Definite selection appends; with one it inserts before it.
    state.SelectInAll(0);  // A00
    EXPECT_TRUE(state.Buttons().add);
    state.Add();
    EXPECT_EQ(state.AllSelection(), 0);  // now A02
    state.SelectInDefinite(1);
    state.Add();
    EXPECT_EQ(CodesOf(state.Definite()), (Codes{"A04", "A02", "b10", "A01", "A00"}));
    EXPECT_EQ(state.DefiniteSelection(), 2);  // b10 stays selected

    // Remove puts the parameter back at its catalogue place and selects it there.
    state.Remove();
    EXPECT_EQ(CodesOf(state.Definite()), (Codes{"A04", "A02", "A01", "A00"}));
    EXPECT_EQ(CodeText(state.AllParameters()[state.AllSelection()]), "b10");
    EXPECT_EQ(CodeText(state.AllParameters()[state.AllSelection() - 1]), "b09");
    EXPECT_EQ(state.DefiniteSelection(), 2);

    // Up Move on the first and Down Move on the last change nothing.
    for (const auto& [select, move, expected] : {std::tuple{0, &AddRemoveState::UpMove, Codes{"A04", "A02", "A01", "A00"}},
                                                 std::tuple{3, &AddRemoveState::DownMove, Codes{"A04", "A02", "A01", "A00"}},
                                                 std::tuple{3, &AddRemoveState::UpMove, Codes{"A04", "A02", "A00", "A01"}},
                                                 std::tuple{0, &AddRemoveState::DownMove, Codes{"A02", "A04", "A00", "A01"}}}) {
        state.SelectInDefinite(select);
        EXPECT_EQ(state.Buttons().upMove, select != 0);
        EXPECT_EQ(state.Buttons().downMove, select != 3);
        (state.*move)();
        EXPECT_EQ(CodesOf(state.Definite()), expected);
    }

    state.AddAll();
    EXPECT_EQ(state.Definite(), ChoosableCodes());
    EXPECT_TRUE(state.AllParameters().empty());
    EXPECT_TRUE(state.Buttons().removeAll);
    EXPECT_FALSE(state.Buttons().addAll || state.Buttons().add || state.Buttons().remove);
    state.RemoveAll();
    EXPECT_TRUE(state.Definite().empty());
    EXPECT_EQ(state.Result().count, 0);
    EXPECT_TRUE(state.Buttons().addAll);
    EXPECT_FALSE(state.Buttons().removeAll);
}

TEST(TelvorctlDefinite, EditsTheListInTheSettingsFileByTheDialogsRules) {
    const std::string home = testing::MakeTempFolder();
    const std::map<std::string, std::string> env{{"TELVOR_HOME", home}};
    using telvor::test::RunTelvorctl;
    EXPECT_EQ(RunTelvorctl({"definite", "--add", "b10", "A04", "A00"}, env).out,
              "b10: " + DescriptionText(110) + "\nA04: Acceleration time 1 (s)\nA00: Operation control\n");
    // A new run reads the list back from the settings file.
    const auto removed = RunTelvorctl({"definite", "--remove", "A04", "--add", "b00"}, env);
    EXPECT_EQ(removed.out, "b10: " + DescriptionText(110) + "\nA00: Operation control\nb00: " + DescriptionText(100) + "\n");
    const ProgramSettings stored = ReadSettingsFile(home + "/vx3inf.ini");
    EXPECT_EQ(CodesOf(DefiniteCodes(stored.definite)), (Codes{"b10", "A00", "b00"}));

    for (const auto& refused : std::vector<std::vector<std::string>>{{"definite", "--add", "b89"},
                                                                     {"definite", "--add", "b96"},
                                                                     {"definite", "--add", "A00"},
                                                                     {"definite", "--remove", "A05"}}) {
        const auto run = RunTelvorctl(refused, env);
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.err, "");
    }
    EXPECT_EQ(RunTelvorctl({"definite", "--add", "b96"}, env).err, "telvorctl: b96 cannot be a definite parameter\n");
    EXPECT_EQ(CodesOf(DefiniteCodes(ReadSettingsFile(home + "/vx3inf.ini").definite)), (Codes{"b10", "A00", "b00"}));
    EXPECT_EQ(RunTelvorctl({"definite", "--clear"}, env).out, "");
    EXPECT_EQ(ReadSettingsFile(home + "/vx3inf.ini").definite.count, 0);
    testing::RemoveFolder(home);
}

TEST(TelvorctlDefinite, ConcurrentAddsAllLandAndAnEditThatSavesNothingLeavesNoFile) {
    const std::string home = testing::MakeTempFolder();
    const std::map<std::string, std::string> env{{"TELVOR_HOME", home}};
    // The first runs find no settings file at all.
    const Codes codes{"A01", "A02", "A04", "A05", "b00", "b01", "b02", "b04", "b10", "b11"};
    std::vector<telvor::test::RunResult> runs(codes.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < codes.size(); ++i)
        threads.emplace_back([&, i] { runs[i] = telvor::test::RunTelvorctl({"definite", "--add", codes[i]}, env); });
    for (std::thread& thread : threads) thread.join();
    for (std::size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(runs[i].status, 0) << codes[i] << ": " << runs[i].err;
    Codes stored = CodesOf(DefiniteCodes(ReadSettingsFile(home + "/vx3inf.ini").definite));
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, codes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home), {}), 1);

    std::filesystem::remove(home + "/vx3inf.ini");
    EXPECT_EQ(telvor::test::RunTelvorctl({"definite", "--remove", "A05"}, env).status, 1);
    EXPECT_EQ(telvor::test::RunTelvorctl({"definite"}, env).status, 0);
    EXPECT_TRUE(std::filesystem::is_empty(home));
    testing::RemoveFolder(home);
}

}  // namespace
}  // namespace telvor
