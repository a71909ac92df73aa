#pragma once
// The quick scan of a station list: one echo a station that waits only as long as the
// line needs (QuickEchoWait), then the echo test with its attempts for every station
// that answered anything (a garbled reply included) or whose echo came back late. A
// drive that is very slow to answer or does not take the echo may need the usual scan.

#include <functional>
#include <span>
#include <vector>

namespace telvor {

class ModbusTransport;

struct QuickScanResult {
    std::vector<int> found;  // the stations whose echo test was answered, ascending
    bool cancelled = false;
};

// Whether the station answered anything to the quick echo on a line of this baud rate.
bool QuickEchoAnswered(ModbusTransport& port, int station, int baudRate);

// The echo test with the attempts of a single station: answered (a normal or an
// exception reply), so a drive is there.
bool StationConfirmed(ModbusTransport& port, int station);

// `goOn` is asked before every transaction with the station it is for; false
// cancels the scan (what was found so far is kept).
QuickScanResult QuickScanStations(ModbusTransport& port, int baudRate, std::span<const int> stations,
                                  const std::function<bool(int station)>& goOn);

}  // namespace telvor
