#include "link_options.h"

#include <charconv>
#include <cstdio>
#include <deque>
#include <mutex>

#include "frame_trace.h"
#include "program_folder.h"
#include "program_settings.h"

namespace telvor {
namespace {

bool traceRequested = false;
bool statisticsRequested = false;

// The statistics of every line a verb opens, each line its own (backup and restore
// run several lines at once, one worker each), summed when the verb ends.
class CommandLineStatistics {
public:
    static CommandLineStatistics& Instance() {
        static CommandLineStatistics statistics;
        return statistics;
    }
    LineStatistics& NewLine() {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_.emplace_back();
    }
    LineStatistics Total() {
        std::lock_guard<std::mutex> lock(mutex_);
        LineStatistics total;
        for (const LineStatistics& line : lines_) total.Add(line);
        return total;
    }

private:
    std::mutex mutex_;
    std::deque<LineStatistics> lines_;  // a deque: the lines' counters never move
};

bool Integer(const std::string& text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool ParseLinkOptions(std::span<const std::string> arguments, LinkOptions& options, std::vector<std::string>& rest,
                      std::string& error) {
    const ProgramFolderResult folder = FindProgramFolder();
    const ProgramSettings settings =
        folder.ok ? ReadSettingsFile(SettingsFilePath(folder.folder)) : ProgramSettings{};
    options.programFolder = folder.ok ? folder.folder : "";
    options.port = "COM" + std::to_string(settings.comPort);
    options.baudRate = settings.baudRate;
    options.dataBits = settings.dataBits;
    options.parity = settings.parity;
    options.stopBits = settings.stopBits;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--stats") {
            statisticsRequested = true;
            continue;
        }
        const bool isLinkOption = option == "--port" || option == "--baud" || option == "--data-bits" ||
                                  option == "--parity" || option == "--stop-bits";
        if (!isLinkOption) {
            rest.push_back(option);
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        int number = 0;
        if (option == "--port") {
            options.port = value;
        } else if (option == "--baud") {
            if (!Integer(value, number) || number <= 0) return error = "--baud needs a rate, e.g. 38400", false;
            options.baudRate = number;
        } else if (option == "--data-bits") {
            if (value != "7" && value != "8") return error = "--data-bits needs 7 or 8", false;
            options.dataBits = value == "7" ? 7 : 8;
        } else if (option == "--parity") {
            if (value == "none") options.parity = 0;
            else if (value == "odd") options.parity = 1;
            else if (value == "even") options.parity = 2;
            else return error = "--parity needs none, odd or even", false;
        } else {
            if (value != "1" && value != "2") return error = "--stop-bits needs 1 or 2", false;
            options.stopBits = value == "1" ? 0 : 2;
        }
    }
    return true;
}

int TakeGlobalLinkOptions(int argc, char** argv) {
    int taken = 0;
    while (1 + taken < argc && std::string(argv[1 + taken]) == "--trace") {
        traceRequested = true;
        ++taken;
    }
    return taken;
}

bool FrameTraceRequested() { return traceRequested; }

void CountRequestedStatistics(ModbusTransport& port) {
    if (statisticsRequested) port.CountInto(CommandLineStatistics::Instance().NewLine());
}

void PrintRequestedStatistics() {
    if (statisticsRequested) std::fprintf(stderr, "stats: %s\n", LineStatisticsText(CommandLineStatistics::Instance().Total()).c_str());
}

bool OpenLinkPort(CModbusAscii& port, const LinkOptions& options, std::string& message) {
    static StreamFrameTrace trace(stderr);
    if (FrameTraceRequested()) port.SetFrameTrace(&trace);
    CountRequestedStatistics(port);
    port.SetProgramFolder(options.programFolder);
    if (port.Open(options.port, kLinkQueueSize, kLinkQueueSize) != kErrorSuccess) {
        message = "Can not open COM port!\n" + options.port + ": " +
                  (port.LastErrorText().empty() ? "error " + std::to_string(port.LastError()) : port.LastErrorText());
        return false;
    }
    if (port.Setup(options.baudRate, options.dataBits, options.parity, options.stopBits) != kErrorSuccess) {
        message = "Can not open COM port!\n" + options.port + ": the line format is refused (" +
                  port.LastErrorText() + ")";
        port.Close();
        return false;
    }
    return true;
}

}  // namespace telvor
