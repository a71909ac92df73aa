#include "echo_verb.h"

#include <cstdio>
#include <optional>

#include "console_user_interface.h"
#include "link_options.h"
#include "station_range.h"
#include "transactions.h"

namespace telvor {
namespace {

int RunEcho(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {
    {"echo",
     "--station N [--port COMn|PATH] [--baud B] [--data-bits 7|8] [--parity none|odd|even] [--stop-bits 1|2] "
     "[--stats]",
     "send the diagnostic echo to station N (three attempts) and tell whether it came back", RunEcho},
};

int RunEcho(std::span<const std::string> arguments) {
    LinkOptions options;
    std::vector<std::string> rest;
    std::string error;
    if (!ParseLinkOptions(arguments, options, rest, error)) {
        std::fprintf(stderr, "telvorctl echo: %s\n", error.c_str());
        return UsageError(kVerbs[0]);
    }
    if (rest.size() != 2 || rest[0] != "--station") return UsageError(kVerbs[0]);
    const std::optional<int> station = ParseStationNumber(rest[1]);
    if (!station) {
        std::fprintf(stderr, "telvorctl echo: %s\n", StationTextMessage(rest[1]).c_str());
        return kExitUsage;
    }
    ConsoleUserInterface ui(ConsoleAnswers{});
    CModbusAscii port(&ui);
    std::string message;
    if (!OpenLinkPort(port, options, message)) {
        ShowMessage(message);
        return kExitFailed;
    }
    const TransactionReply reply = EchoTest(port, *station, kEchoAttemptsSingle);
    port.Close();
    if (!reply.Ok()) {
        CommunicationFailureReport(ui, reply);
        return kExitFailed;
    }
    std::printf("Station %03d: echo returned\n", *station);
    return kExitOk;
}

}  // namespace

std::span<const Verb> LinkVerbs() { return kVerbs; }

}  // namespace telvor
