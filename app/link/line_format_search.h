#pragma once
// Finds the line format at which the drives of a station list answer: every format the
// Link dialog offers, the given one first, then from the fastest, each tried with the
// quick echo.

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "link_flow.h"

namespace telvor {

class CSerialPort;
class ModbusTransport;

// The dialog's 48 formats (4800/9600/19200/38400; 7 or 8 data bits; no, even or odd
// parity; 1 or 2 stop bits): `first` (as the dialog shows it), then from 38400 Bd down,
// 8 data bits before 7, no parity before even and odd, one stop bit before two.
std::vector<LineSettings> FormatsToTry(const LineSettings& first);

struct LineFormatSearch {
    std::optional<LineSettings> format;  // the first format at which a station answered
    std::vector<int> stations;           // the stations that answered at it, ascending
    bool cancelled = false;
};

// `line` is the open port, set to `first`, and its transport (a CModbusAscii is both). `goOn` is asked
// before every transaction with the format and station it is for; false cancels.
// A format the port refuses is passed over.
LineFormatSearch FindLineFormat(CSerialPort& line, ModbusTransport& port, const LineSettings& first,
                                std::span<const int> stations,
                                const std::function<bool(const LineSettings& format, int station)>& goOn);

}  // namespace telvor
