#include "quick_scan.h"

#include <algorithm>

#include "transactions.h"

namespace telvor {

bool QuickEchoAnswered(ModbusTransport& port, int station, int baudRate) {
    return QuickEchoTest(port, station, QuickEchoWait(baudRate)).result != ExchangeResult::ReplyTimeout;
}

bool StationConfirmed(ModbusTransport& port, int station) {
    const ExchangeResult result = EchoTest(port, station, kEchoAttemptsSingle).result;
    return result == ExchangeResult::ReplyNormal || result == ExchangeResult::ReplyException;
}

QuickScanResult QuickScanStations(ModbusTransport& port, int baudRate, std::span<const int> stations,
                                  const std::function<bool(int station)>& goOn) {
    QuickScanResult scan;
    port.LateEchoStations().clear();
    std::vector<int> answered;
    for (int station : stations) {
        if (!goOn(station)) {
            scan.cancelled = true;
            return scan;
        }
        if (QuickEchoAnswered(port, station, baudRate)) answered.push_back(station);
    }
    for (int station : port.LateEchoStations())
        if (std::find(stations.begin(), stations.end(), station) != stations.end())
            answered.push_back(station);
    std::sort(answered.begin(), answered.end());
    answered.erase(std::unique(answered.begin(), answered.end()), answered.end());
    for (int station : answered) {
        if (!goOn(station)) {
            scan.cancelled = true;
            return scan;
        }
        if (StationConfirmed(port, station)) scan.found.push_back(station);
    }
    return scan;
}

}  // namespace telvor
