#include "monitor_log.h"

#include <ctime>
#include <vector>

#include "monitor_texts.h"
#include "parameter_catalogue.h"
#include "parameter_keys.h"
#include "value_format.h"

namespace telvor {
namespace {

constexpr const char* kColumns[] = {"state",  "direction", "set_freq", "out_freq", "out_volt", "out_amp",
                                    "out_power", "bus_volt", "fault", "S1", "S2", "S3", "S4", "AIN", "RY1",
                                    "fun", "fun_data"};

std::string Joined(const std::vector<std::string>& fields, char separator) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) line += separator;
        line += field;
    }
    return line;
}

std::vector<std::string> DisplayFields(const StationMonitor& entry) {
    MonitorDisplay shown = DisplayOf(entry);
    std::string fault = shown.fault.empty() ? "" : shown.fault.substr(1);
    std::vector<std::string> fields = {shown.runState,     shown.direction,    shown.setFrequency, shown.outputFrequency,
                                       shown.outputVoltage, shown.outputCurrent, shown.outputPower, shown.busVoltage,
                                       fault};
    for (bool on : shown.terminals) fields.push_back(on ? "1" : "0");
    fields.push_back(CodeText(entry.function.CodeIndex()));
    fields.push_back(shown.functionData);
    return fields;
}

std::vector<std::string> CsvFields(const StationMonitor& entry) {
    auto twoDecimals = [](std::int64_t raw) { return FormatRawValue(kFormatTwoDecimals, raw); };
    auto oneDecimal = [](std::int64_t raw) { return FormatRawValue(kFormatOneDecimal, raw); };
    std::vector<std::string> fields = {
        entry.runStatus[kRunningFlag] ? "1" : "0",
        entry.runStatus[kReverseFlag] ? "1" : "0",
        twoDecimals(entry.values[SetFrequency]),
        twoDecimals(entry.values[OutputFrequency]),
        oneDecimal(entry.values[OutputVoltage]),
        oneDecimal(entry.values[OutputCurrent]),
        twoDecimals(std::int64_t{entry.values[OutputVoltage]} * entry.values[OutputCurrent]),
        oneDecimal(entry.values[BusVoltage]),
        std::to_string(entry.faultCode)};
    for (bool on : entry.terminals) fields.push_back(on ? "1" : "0");
    int code = entry.function.CodeIndex();
    int format = ValueFormatOf(code);
    fields.push_back(CodeText(code));
    fields.push_back(FormatRawValue(format == kFormatThreeDigits ? kFormatInteger : format, entry.FunctionData(entry.function)));
    return fields;
}

}  // namespace

std::string MonitorLogHeader(MonitorLogForm form, bool stationColumn) {
    std::vector<std::string> fields;
    if (form == MonitorLogForm::Csv) fields.push_back("time");
    if (stationColumn) fields.push_back("station");
    fields.insert(fields.end(), std::begin(kColumns), std::end(kColumns));
    return Joined(fields, form == MonitorLogForm::Csv ? ',' : '\t');
}

std::string MonitorLogLine(MonitorLogForm form, const StationMonitor& entry, int station,
                           std::chrono::system_clock::time_point now) {
    std::vector<std::string> fields;
    if (form == MonitorLogForm::Csv) fields.push_back(IsoTime(now));
    if (station != 0) fields.push_back(std::to_string(station));
    for (std::string& field : form == MonitorLogForm::Csv ? CsvFields(entry) : DisplayFields(entry))
        fields.push_back(std::move(field));
    return Joined(fields, form == MonitorLogForm::Csv ? ',' : '\t');
}

std::string IsoTime(std::chrono::system_clock::time_point now) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    char withMillis[48];
    std::snprintf(withMillis, sizeof withMillis, "%s.%03dZ", text, static_cast<int>(millis));
    return withMillis;
}

}  // namespace telvor
