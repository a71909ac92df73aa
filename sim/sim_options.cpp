#include "sim_options.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <set>

namespace telvor::sim {
namespace {

bool Integer(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

const char* const kSimUsage =
    "usage: telvor-sim --link PATH [options]\n"
    "A line of simulated drives on a pty; PATH becomes a symlink to the pty's slave side.\n"
    "\n"
    "  --link PATH             where the line appears (required)\n"
    "  --stations LIST         station addresses, e.g. 1,3,5-7 (default 1)\n"
    "  --model N               model index 0..10 of every station (default 0)\n"
    "  --station-model S=N     model index N for station S (repeatable)\n"
    "  --hz 50|60              supply frequency of the defaults (default 50)\n"
    "  --baud B                hold each reply back for the time request and reply take\n"
    "                          at B baud, 10 bits per character, plus the turnaround\n"
    "  --turnaround MS         the drive's time to answer under --baud (default 2)\n"
    "  --line-format B-DPS     the drives' line format, e.g. 9600-7E1: they hear only\n"
    "                          requests sent while the line is set to it (data bits\n"
    "                          7|8, parity N|O|E, stop bits 1|2; default: any format)\n"
    "  --log FILE              one line per frame received, CR LF shown as \\r\\n\n"
    "  --control PATH          create a FIFO at PATH that takes control lines\n"
    "  --fault S:NAME[=ARG]    a fault of station S from the start (repeatable)\n"
    "  --max-count N           every station answers reads of at most N registers (1..32)\n"
    "  --running S=HZ          station S runs from the start with the frequency command HZ\n"
    "                          (e.g. 2=30.5; repeatable)\n"
    "  --help                  this text\n"
    "  --version               the version of telvor-sim\n"
    "\n"
    "Faults: silent, every=N (answer every Nth request), bad-lrc=K (next K replies),\n"
    "stray (a NUL before each reply), lower-case, half-frame, other-address=A, delay=MS,\n"
    "jitter=MS (every other reply MS later still), silent-after=N (answer N more requests,\n"
    "then none).\n"
    "\n"
    "Control lines (one per line into the FIFO; S is a station or * for all):\n"
    "  fault S NAME [ARG]      add a fault, e.g. \"fault 2 silent\", \"fault 3 every 2\"\n"
    "  clear S                 remove every fault of S\n"
    "  register S REG VALUE    set a register, bypassing every check\n"
    "  limit S REG MAX         writes of more than MAX to REG get exception 54\n"
    "  reset S 50|60           reset S to the 50 or 60 Hz defaults\n"
    "  max-count S N           reads of more than N registers get exception 53\n"
    "  single-only S REG       reads of more than one register that cover REG get 52\n"
    "\n"
    "Registers: every parameter's register holds its default; 0 the model index,\n"
    "44 the software version 12, 230 control word (bit 0 run, bit 1 reverse, bit 3\n"
    "fault reset, bits 5-8, 11, 12 terminals), 231 frequency command, 239-241 status\n"
    "(240 the fault code: \"register S 240 5\" trips S until the fault-reset bit),\n"
    "242-250 running values. The output ramps at A04/A05 within A03..A02.\n"
    "Functions 03, 06, 08 (sub-function 0000) and 10; exceptions 51 function,\n"
    "52 register, 53 count, 54 value out of range, 55 read-only register.\n"
    "Stops on SIGTERM or SIGINT and removes its link and FIFO.\n";

bool ParseStationList(const std::string& text, std::vector<int>& stations) {
    std::set<int> chosen;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string item = text.substr(at, comma - at);
        const std::size_t dash = item.find('-');
        int first = 0;
        int last = 0;
        if (dash == std::string::npos) {
            if (!Integer(item, first)) return false;
            last = first;
        } else if (!Integer(item.substr(0, dash), first) || !Integer(item.substr(dash + 1), last)) {
            return false;
        }
        if (first < 1 || last > 254 || first > last) return false;
        for (int s = first; s <= last; ++s) chosen.insert(s);
        at = comma + 1;
    }
    stations.assign(chosen.begin(), chosen.end());
    return !stations.empty();
}

bool ParseSimOptions(int argc, char** argv, SimOptions& options, std::string* error) {
    const auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return true;
        }
        if (option == "--version") {
            options.version = true;
            return true;
        }
        if (i + 1 >= argc) return fail(option + " needs a value (or is unknown)");
        const std::string value = argv[++i];
        int number = 0;
        if (option == "--link") {
            options.server.linkPath = value;
        } else if (option == "--stations") {
            if (!ParseStationList(value, options.stations)) return fail("bad station list: " + value);
        } else if (option == "--model") {
            if (!Integer(value, options.model) || options.model < 0 || options.model > 10)
                return fail("--model needs 0..10");
        } else if (option == "--station-model") {
            const std::size_t equals = value.find('=');
            int station = 0;
            if (equals == std::string::npos || !Integer(value.substr(0, equals), station) ||
                !Integer(value.substr(equals + 1), number) || number < 0 || number > 10)
                return fail("--station-model needs S=N with N 0..10");
            options.stationModels.emplace_back(station, number);
        } else if (option == "--hz") {
            if (value != "50" && value != "60") return fail("--hz needs 50 or 60");
            options.is50Hz = value == "50";
        } else if (option == "--baud") {
            if (!Integer(value, options.server.baud) || options.server.baud <= 0) return fail("--baud needs a rate");
        } else if (option == "--line-format") {
            LineFormat format;
            if (!ParseLineFormat(value, format)) return fail("--line-format needs B-DPS, e.g. 9600-7E1");
            options.server.format = format;
        } else if (option == "--turnaround") {
            if (!Integer(value, number) || number < 0) return fail("--turnaround needs milliseconds");
            options.server.turnaround = std::chrono::milliseconds(number);
        } else if (option == "--log") {
            options.server.logPath = value;
        } else if (option == "--control") {
            options.server.controlPath = value;
        } else if (option == "--max-count") {
            options.faults.push_back("max-count * " + value);
        } else if (option == "--fault") {
            const std::size_t colon = value.find(':');
            if (colon == std::string::npos) return fail("--fault needs S:NAME[=ARG]");
            std::string rest = value.substr(colon + 1);
            const std::size_t equals = rest.find('=');
            if (equals != std::string::npos) rest[equals] = ' ';
            options.faults.push_back("fault " + value.substr(0, colon) + " " + rest);
        } else if (option == "--running") {
            const std::size_t equals = value.find('=');
            const double hertz = equals == std::string::npos ? -1 : std::atof(value.c_str() + equals + 1);
            if (hertz <= 0 || hertz > 200) return fail("--running needs S=HZ with HZ above 0 up to 200");
            const std::string station = value.substr(0, equals);
            options.faults.push_back("register " + station + " 231 " + std::to_string(std::lround(hertz * 100)));
            options.faults.push_back("register " + station + " 230 1");
        } else {
            return fail("unknown option " + option);
        }
    }
    if (options.server.linkPath.empty()) return fail("--link PATH is required");
    return true;
}

bool BuildLine(const SimOptions& options, DriveLine& line, std::string* error) {
    for (const int station : options.stations) line.AddStation(station, options.model, options.is50Hz);
    for (const auto& [station, model] : options.stationModels) {
        if (!line.Station(station)) {
            if (error) *error = "--station-model: no station " + std::to_string(station) + " on the line";
            return false;
        }
        line.AddStation(station, model, options.is50Hz);
    }
    for (const std::string& fault : options.faults)
        if (!line.ApplyControl(fault, error)) return false;
    return true;
}

}  // namespace telvor::sim
