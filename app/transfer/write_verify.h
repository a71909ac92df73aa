#pragma once
// What a Write with verify learns of one station: how many parameters went out,
// how many read back as sent, and every one that read back otherwise.

#include <cstdint>
#include <string>
#include <vector>

namespace telvor {

struct VerifyDifference {
    int codeIndex = 0;
    std::int64_t sent = 0;
    std::int64_t readBack = 0;
};

struct StationWriteResult {
    int station = 0;
    bool ok = false;    // every parameter went out (and, with verify, read back as sent)
    int written = 0;    // parameters the station accepted
    int verified = -1;  // parameters that read back as sent; -1 without verify
    std::vector<VerifyDifference> differences;
};

// "Station_001": how lines, files and progress texts name a station.
std::string StationLabel(int station);

// "A02 sent 60.00, read back 50.00": the values in the parameter's display format.
std::string DifferenceText(const VerifyDifference& difference);

// The message shown for a station whose read-back differs: "Verify Error !!" and one
// difference a line.
std::string VerifyMessage(const std::vector<VerifyDifference>& differences);

// One line a station: "Station_001 OK 108 written, 108 verified", without verify
// "Station_001 OK 108 written", or FAILED and the differences after a colon, "; " between them.
std::string StationResultLine(const StationWriteResult& result);

// The end of a Write to several stations: "Write Summary:" and a line for each station
// of the list, its StationResultLine, or "Station_005 not written" when the command
// ended before it.
std::string WriteSummary(const std::vector<StationWriteResult>& started, const std::vector<int>& stations);

}  // namespace telvor
