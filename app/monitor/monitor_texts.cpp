#include "monitor_texts.h"

#include <array>
#include <cstdio>

#include "parameter_catalogue.h"
#include "parameter_keys.h"
#include "value_format.h"

namespace telvor {
namespace {

constexpr std::array<const char*, 36> kFaultTexts = {
    "",      " OH",  " OC",  " LV",  " OV",  " B.B.", " CT",  " PID", " EPR", " OL2", " OL1", " E.S.",
    "",      " OCC", " OCA", " OCD", " OCS", " LVC",  " OVC", " OHC", " SP0", " SP1", " SP2", " ER1",
    " ER2",  " ER4", " ER5", " ER6", " ER7", " ER8",  " CPY", " CPR", " EP1", " EP2", " OVS", " OCL"};

// The "%0*d" digits of a value with a point before its last `decimals` digits.
std::string PointedDigits(std::int64_t raw, int minimumDigits, int decimals) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%0*lld", minimumDigits, static_cast<long long>(raw));
    std::string_view text = digits;
    std::size_t whole = text.size() - static_cast<std::size_t>(decimals);
    return std::string(text.substr(0, whole)) + "." + std::string(text.substr(whole));
}

}  // namespace

std::string TwoDecimalText(std::int64_t raw) { return PointedDigits(raw, 5, 2); }

std::string OneDecimalText(std::int64_t raw) { return PointedDigits(raw, 4, 1); }

std::string OutputPowerText(const StationMonitor& station) {
    return TwoDecimalText(std::int64_t{station.values[OutputVoltage]} * station.values[OutputCurrent]);
}

std::string FaultText(int faultCode) {
    if (faultCode < 0 || faultCode >= static_cast<int>(kFaultTexts.size())) return "";
    return kFaultTexts[static_cast<std::size_t>(faultCode)];
}

std::string StationCaption(int station, const std::string* title) {
    char number[16];
    std::snprintf(number, sizeof number, title ? ": %03d-" : ": %03d", station);
    return std::string("Station") + number + (title ? *title : std::string());
}

int CodeIndexOfEntry(int entry) { return entry <= 12 ? entry : entry + 87; }

int EntryOfCodeIndex(int codeIndex) { return codeIndex <= 12 ? codeIndex : codeIndex - 87; }

FunctionChoice FunctionChoiceOfEntry(int entry) {
    int code = CodeIndexOfEntry(entry);
    return {code / 100, code % 100};
}

MonitorDisplay DisplayOf(const StationMonitor& station) {
    MonitorDisplay display;
    display.runState = station.runStatus[kRunningFlag] ? kRunText : kStopText;
    display.direction = station.runStatus[kReverseFlag] ? kReverseText : kForwardText;
    display.setFrequency = TwoDecimalText(station.values[SetFrequency]);
    display.outputFrequency = TwoDecimalText(station.values[OutputFrequency]);
    display.outputVoltage = OneDecimalText(station.values[OutputVoltage]);
    display.outputCurrent = OneDecimalText(station.values[OutputCurrent]);
    display.outputPower = OutputPowerText(station);
    display.busVoltage = OneDecimalText(station.values[BusVoltage]);
    display.fault = FaultText(station.faultCode);
    display.functionData =
        FormatRawValue(ValueFormatOf(station.function.CodeIndex()), station.FunctionData(station.function));
    display.terminals = station.terminals;
    return display;
}

}  // namespace telvor
