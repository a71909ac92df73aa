#include "monitor_texts.h"

#include <gtest/gtest.h>

#include "monitor_input.h"
#include "monitor_paging.h"
#include "parameter_catalogue.h"

namespace telvor {
namespace {

StationMonitor Running(std::uint16_t volts, std::uint16_t amps, std::uint16_t fault) {
    StationMonitor station;
    station.values = {6000, 5995, volts, 3110, amps};
    station.runStatus[kRunningFlag] = true;
    station.runStatus[kReverseFlag] = true;
    station.faultCode = fault;
    return station;
}

TEST(MonitorTexts, WindowShowsRegisterValuesInTheirForms) {
    struct Case {
        std::uint16_t volts, amps, fault;
        const char *power, *voltage, *current, *faultText;
    };
    for (const Case& c : {Case{2200, 15, 1, "330.00", "220.0", "001.5", " OH"},
                          Case{2200, 1000, 12, "22000.00", "220.0", "100.0", ""},
                          Case{65535, 65535, 35, "42948362.25", "6553.5", "6553.5", " OCL"},
                          Case{0, 0, 36, "000.00", "000.0", "000.0", ""}}) {
        MonitorDisplay shown = DisplayOf(Running(c.volts, c.amps, c.fault));
        EXPECT_EQ(shown.outputPower, c.power) << c.volts << " x " << c.amps;
        EXPECT_EQ(shown.outputVoltage, c.voltage);
        EXPECT_EQ(shown.outputCurrent, c.current);
        EXPECT_EQ(shown.fault, c.faultText) << c.fault;
        EXPECT_EQ(shown.setFrequency, "060.00");
        EXPECT_EQ(shown.outputFrequency, "059.95");
        EXPECT_EQ(shown.busVoltage, "311.0");
        EXPECT_EQ(shown.runState, "RUN");
        EXPECT_EQ(shown.direction, "<< REV");
    }
    EXPECT_EQ(DisplayOf(StationMonitor{}).runState, "STOP");
    EXPECT_EQ(DisplayOf(StationMonitor{}).direction, "FWD >>");
}

TEST(MonitorTexts, CaptionsAndFunctionEntries) {
    std::string title = "Conveyor 2";
    std::string empty;
    EXPECT_EQ(StationCaption(5, &title), "Station: 005-Conveyor 2");
    EXPECT_EQ(StationCaption(5, &empty), "Station: 005-");
    EXPECT_EQ(StationCaption(254, nullptr), "Station: 254");
    EXPECT_EQ(CodeIndexOfEntry(12), 12);
    EXPECT_EQ(CodeIndexOfEntry(13), 100);
    EXPECT_EQ(CodeIndexOfEntry(110), 197);
    EXPECT_EQ(EntryOfCodeIndex(kCodeB89), 102);
    EXPECT_EQ(FunctionChoiceOfEntry(108).CodeIndex(), kCodeB95);
}

TEST(MonitorInput, OutOfRangeMessagesAndAcceptedTexts) {
    StationMonitor station;
    station.highLimit = 6000;
    CheckedInput over = CheckFrequencyInput(station, "70.00");
    EXPECT_EQ(over.message, "Over Range !!\n\nRange Value: \nA03: 0.00 Hz ~ \nA02: 60.00 Hz");
    CheckedInput ok = CheckFrequencyInput(station, "5.5");
    EXPECT_TRUE(ok.InRange());
    EXPECT_EQ(ok.raw, 550);
    EXPECT_EQ(ok.shownText, "005.50");

    struct Case {
        int code;
        const char* text;
        const char* message;  // empty: accepted
    };
    for (const Case& c : {Case{kCodeB95, "5", "Over Range !!\n\nCode: b95\n\nRange Value: 0, 10, 20"},
                          Case{kCodeB95, "10", ""}, Case{kCodeB95, "20", ""}, Case{kCodeB95, "0", ""},
                          Case{2, "250", "Over Range !!\n\nCode: A02\n\nRange Value: 1.00~200.00"},
                          Case{2, "6O", "Over Range !!\n\nCode: A02\n\nRange Value: 1.00~200.00"},
                          Case{177, "5", "b77 is read-only."}, Case{2, "60", ""}}) {
        EXPECT_EQ(CheckSetDataInput(c.code, c.text).message, c.message) << c.code << " " << c.text;
    }
}

TEST(MonitorInput, FrequencyEditKeepsThreeDigitsAndTwoDecimals) {
    struct Case {
        const char *accepted, *edited;
        int caret;
        const char* text;
        int caretAfter;
    };
    for (const Case& c : {Case{"60", "605", 3, "605", 3}, Case{"605", "6055", 4, "605", 3},
                          Case{"60.0", "60.05", 5, "60.05", 5}, Case{"60.05", "60.051", 6, "60.05", 5},
                          Case{"123.4", "1234", 3, "123.4", 3}, Case{"12.4", "124", 2, "124", 2},
                          Case{"6", "6a", 2, "6", 1}, Case{"6.1", "6.1.", 4, "6.1", 3}}) {
        FilteredEdit edit = FilterFrequencyEdit(c.accepted, c.edited, c.caret);
        EXPECT_EQ(edit.text, c.text) << c.accepted << " -> " << c.edited;
        EXPECT_EQ(edit.caret, c.caretAfter) << c.accepted << " -> " << c.edited;
    }
}

TEST(MonitorPaging, PagesOfTheScrollBarKeysAndWheel) {
    EXPECT_EQ(PageAfter(45, PageInput::PageDown), 50);
    EXPECT_EQ(PageAfter(7, PageInput::PageUp), 0);
    EXPECT_EQ(PageAfter(0, PageInput::LineUp), 0);
    EXPECT_EQ(PageAfter(50, PageInput::LineDown), 50);
    EXPECT_EQ(PageAfter(3, PageInput::Thumb, 42), 42);
    EXPECT_EQ(PageAfterWheel(10, 120), 7);
    EXPECT_EQ(PageAfterWheel(10, -240), 16);
    EXPECT_EQ(PageAfterWheel(10, 60), 9);
    EXPECT_EQ(FirstPageOf(254), 50);
    EXPECT_EQ(StationOfPanel(50, 3), 254);
    EXPECT_EQ(FirstPageOf(3), 0);
}

}  // namespace
}  // namespace telvor
