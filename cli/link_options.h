#pragma once
// What every link verb of telvorctl shares: the line options --port, --baud,
// --data-bits, --parity none|odd|even, --stop-bits 1|2 (defaults from the
// settings file), --stats (the line's statistics on stderr when the verb ends), the
// global --trace and opening the port.

#include <span>
#include <string>
#include <vector>

#include "modbus_ascii.h"

namespace telvor {

struct LinkOptions {
    std::string port;      // "COM%d" of the settings, or what --port names
    std::string programFolder;
    int baudRate = 38400;
    int dataBits = 8;
    int parity = 0;        // 0 none, 1 odd, 2 even
    int stopBits = 0;      // 0 one, 2 two
};

// Takes the line options out of `arguments`, the rest goes to `rest`. False with
// a message in `error` for a bad or incomplete option.
bool ParseLinkOptions(std::span<const std::string> arguments, LinkOptions& options, std::vector<std::string>& rest,
                      std::string& error);

// The global options that stand before the verb ("--trace"); returns how many there were.
int TakeGlobalLinkOptions(int argc, char** argv);
bool FrameTraceRequested();

// With --stats: the port counts into the statistics printed at the end.
void CountRequestedStatistics(ModbusTransport& port);
// With --stats: "stats: sent=N replies=N ..." on stderr, summed over every line the verb opened.
void PrintRequestedStatistics();

// Opens and sets up the port with the options, the trace on stderr when asked for.
// False with the message to show in `message`.
bool OpenLinkPort(CModbusAscii& port, const LinkOptions& options, std::string& message);

}  // namespace telvor
