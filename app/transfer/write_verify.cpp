#include "write_verify.h"

#include <cstdio>

#include "parameter_catalogue.h"
#include "parameter_keys.h"
#include "value_format.h"

namespace telvor {

std::string StationLabel(int station) {
    char label[16];
    std::snprintf(label, sizeof label, "Station_%03d", station);
    return label;
}

std::string DifferenceText(const VerifyDifference& difference) {
    const ParameterInfo* info = FindParameter(difference.codeIndex);
    const auto shown = [&](std::int64_t raw) { return info ? FormatRawValue(info->valueFormat, raw) : std::to_string(raw); };
    return CodeText(difference.codeIndex) + " sent " + shown(difference.sent) + ", read back " +
           shown(difference.readBack);
}

std::string VerifyMessage(const std::vector<VerifyDifference>& differences) {
    std::string text = "Verify Error !!";
    for (const VerifyDifference& difference : differences) {
        text.push_back('\n');
        text.append(DifferenceText(difference));
    }
    return text;
}

std::string StationResultLine(const StationWriteResult& result) {
    std::string line = StationLabel(result.station) + (result.ok ? " OK " : " FAILED ") +
                       std::to_string(result.written) + " written";
    if (result.verified >= 0) line += ", " + std::to_string(result.verified) + " verified";
    for (std::size_t k = 0; k < result.differences.size(); ++k) {
        line.append(k == 0 ? ": " : "; ");
        line.append(DifferenceText(result.differences[k]));
    }
    return line;
}

std::string WriteSummary(const std::vector<StationWriteResult>& started, const std::vector<int>& stations) {
    std::string text = "Write Summary:";
    for (std::size_t k = 0; k < stations.size(); ++k) {
        text.push_back('\n');
        text.append(k < started.size() ? StationResultLine(started[k]) : StationLabel(stations[k]) + " not written");
    }
    return text;
}

}  // namespace telvor
