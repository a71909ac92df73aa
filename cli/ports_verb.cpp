#include "ports_verb.h"

#include <cstdio>
#include <string>

#include "line_address.h"
#include "port_names.h"
#include "program_folder.h"

namespace telvor {
namespace {

int RunPorts(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {
    {"ports", "",
     "list the program folder's ports/COMn and where each leads: a device, or a serial device server "
     "(tcp://HOST:PORT raw, rfc2217://HOST:PORT)",
     RunPorts},
};

int RunPorts(std::span<const std::string> arguments) {
    if (!arguments.empty()) return UsageError(kVerbs[0]);
    const ProgramFolderResult folder = FindProgramFolder();
    if (!folder.ok) {
        ShowMessage(folder.message);
        return kExitFailed;
    }
    const std::vector<PortEntry> ports = ProgramFolderPorts(folder.folder);
    if (ports.empty()) std::printf("no ports in %s/ports\n", folder.folder.c_str());
    for (const PortEntry& port : ports) {
        const std::string where =
            port.problem.empty() ? DescribeLine(port.destination) : port.destination + ": " + port.problem;
        std::printf("COM%d\t%s\n", port.number, where.c_str());
    }
    return kExitOk;
}

}  // namespace

std::span<const Verb> PortsVerbs() { return kVerbs; }

}  // namespace telvor
