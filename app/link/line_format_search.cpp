#include "line_format_search.h"

#include "quick_scan.h"
#include "serial_port.h"

namespace telvor {
namespace {

bool SameFormat(const LineSettings& a, const LineSettings& b) {
    return a.baudRate == b.baudRate && a.dataBits == b.dataBits && a.parity == b.parity &&
           a.stopBits == b.stopBits;
}

}  // namespace

std::vector<LineSettings> FormatsToTry(const LineSettings& first) {
    const LineSettings shown = ShownLineSettings(first);
    std::vector<LineSettings> formats{shown};
    for (int baudRate : {38400, 19200, 9600, 4800})
        for (int dataBits : {8, 7})
            for (int parity : {0, 2, 1})
                for (int stopBits : {0, 2}) {
                    const LineSettings format{first.comPort, baudRate, dataBits, parity, stopBits};
                    if (!SameFormat(format, shown)) formats.push_back(format);
                }
    return formats;
}

LineFormatSearch FindLineFormat(CSerialPort& line, ModbusTransport& port, const LineSettings& first,
                                std::span<const int> stations,
                                const std::function<bool(const LineSettings& format, int station)>& goOn) {
    LineFormatSearch search;
    const std::vector<LineSettings> formats = FormatsToTry(first);
    for (const LineSettings& format : formats) {
        // The line was opened at the first format.
        const bool setUp =
            &format == &formats.front() ||
            line.Setup(format.baudRate, format.dataBits, format.parity, format.stopBits) == kErrorSuccess;
        if (!setUp) continue;
        bool answered = false;
        for (int station : stations) {
            if (!goOn(format, station)) {
                search.cancelled = true;
                return search;
            }
            if (QuickEchoAnswered(port, station, format.baudRate) && StationConfirmed(port, station)) {
                answered = true;
                break;
            }
        }
        if (!answered) continue;
        search.format = format;
        const QuickScanResult scan = QuickScanStations(port, format.baudRate, stations,
                                                       [&](int station) { return goOn(format, station); });
        search.stations = scan.found;
        search.cancelled = scan.cancelled;
        return search;
    }
    return search;
}

}  // namespace telvor
