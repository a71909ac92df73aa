#include "monitor_verbs.h"

#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link_command_line.h"
#include "monitor_log.h"
#include "monitor_session.h"
#include "monitor_texts.h"
#include "parameter_keys.h"
#include "solvane_app.h"

namespace telvor {
namespace {

int RunMonitor(std::span<const std::string> arguments);
int RunControl(std::span<const std::string> arguments);

constexpr Verb kVerbs[] = {
    {"monitor", "--station N|--stations TEXT [--count K] [--fun CODE] [--csv] [--quick] [link options as for scan]",
     "poll one station (or every station of TEXT that answers the scan; --quick: the quick scan) every 400 ms "
     "and print a line per tick",
     RunMonitor},
    {"control", "--station N ACTION... [link options as for scan]",
     "press the monitor window's buttons: run stop fwd rev reset s1 s2 s3 s4 ain ry1 freq=TEXT "
     "set=CODE:TEXT; every value is checked before the first is sent, then each action is carried out in "
     "the order given",
     RunControl},
};

constexpr auto kTick = std::chrono::milliseconds(400);

volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) { stopRequested = 1; }

// The words only the monitor verbs know, taken out before the shared parser sees the rest.
struct MonitorWords {
    std::optional<int> count;
    std::string function = "A00";
    bool csv = false;
};

bool TakeMonitorWords(std::span<const std::string> arguments, MonitorWords& words, std::vector<std::string>& rest) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if (word == "--csv") {
            words.csv = true;
        } else if (word == "--count" || word == "--fun") {
            if (!hasValue) return false;
            const std::string& value = arguments[++i];
            if (word == "--fun") {
                words.function = value;
                continue;
            }
            int count = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
            if (error != std::errc{} || end != value.data() + value.size() || count < 1) return false;
            words.count = count;
        } else {
            rest.push_back(word);
        }
    }
    return true;
}

// Links and prepares the session; false after the failure's message.
bool LinkFor(CSolvaneApp& app, ConsoleUserInterface& ui, const LinkCommandLine& line, const std::string& text) {
    return PrepareApp(app, line) && LinkTo(app, ui, line.linkStations.value_or(text), line.quick);
}

int RunMonitor(std::span<const std::string> arguments) {
    const Verb& verb = kVerbs[0];
    MonitorWords words;
    std::vector<std::string> rest;
    LinkCommandLine line;
    if (!TakeMonitorWords(arguments, words, rest) || !ParseCommandLine(rest, line) || !line.positional.empty() ||
        line.station.has_value() == line.stations.has_value())
        return UsageError(verb);
    const int function = CodeIndexOfText(words.function);
    if (function == kNoParameter) {
        std::fprintf(stderr, "telvorctl: no parameter '%s'\n", words.function.c_str());
        return kExitUsage;
    }

    CSolvaneApp app;
    ConsoleUserInterface ui(line.answers);
    MonitorSession session(app, ui);
    std::vector<int> stations;
    if (line.station) {
        if (!LinkFor(app, ui, line, std::to_string(*line.station)) || !session.StartSingle(*line.station))
            return kExitFailed;
        stations = {*line.station};
    } else {
        if (!LinkFor(app, ui, line, *line.stations)) return kExitFailed;
        stations = line.stationList;
        session.PollEveryPresentStation(true);
        if (!session.StartAll(stations)) return kExitFailed;
    }
    for (int station : stations) session.ChooseFunction(station, EntryOfCodeIndex(function));

    const MonitorLogForm form = words.csv ? MonitorLogForm::Csv : MonitorLogForm::Display;
    const bool stationColumn = !line.station;
    std::printf("%s\n", MonitorLogHeader(form, stationColumn).c_str());
    std::fflush(stdout);
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    auto next = std::chrono::steady_clock::now();
    for (int tick = 0; !words.count || tick < *words.count; ++tick) {
        std::this_thread::sleep_until(next);
        if (stopRequested) break;
        next += kTick;
        session.TimerTick();
        if (session.Window() == MonitorWindow::None) return kExitFailed;  // "&Abort" unlinked
        const auto now = std::chrono::system_clock::now();
        for (int station : stations) {
            if (!session.PolledInLastTick(station)) continue;
            std::printf("%s\n",
                        MonitorLogLine(form, session.Station(station), stationColumn ? station : 0, now).c_str());
        }
        std::fflush(stdout);
    }
    CloseLink(app);
    return kExitOk;
}

// One button of the single-station window as the command line names it.
struct Action {
    enum Kind { CommandButton, ToggleButton, FrequencySet, DataSet } kind = CommandButton;
    Command command = CommandRun;
    Terminal terminal = TerminalS1;
    int code = 0;      // DataSet: the "Fun. no." parameter
    std::string text;  // FrequencySet, DataSet: what is typed into the edit
};

std::optional<Action> ParseAction(const std::string& word) {
    static const std::pair<const char*, Command> kCommands[] = {{"run", CommandRun},
                                                                {"stop", CommandStop},
                                                                {"fwd", CommandForward},
                                                                {"rev", CommandReverse},
                                                                {"reset", CommandFaultReset}};
    static const std::pair<const char*, Terminal> kToggles[] = {{"s1", TerminalS1}, {"s2", TerminalS2},
                                                                {"s3", TerminalS3}, {"s4", TerminalS4},
                                                                {"ain", TerminalAin}, {"ry1", TerminalRy1}};
    Action action;
    for (const auto& [name, command] : kCommands) {
        if (word != name) continue;
        action.command = command;
        return action;
    }
    for (const auto& [name, terminal] : kToggles) {
        if (word != name) continue;
        action.kind = Action::ToggleButton;
        action.terminal = terminal;
        return action;
    }
    if (word.rfind("freq=", 0) == 0) {
        action.kind = Action::FrequencySet;
        action.text = word.substr(5);
        return action;
    }
    const std::size_t colon = word.find(':');
    if (word.rfind("set=", 0) == 0 && colon != std::string::npos) {
        action.kind = Action::DataSet;
        action.code = CodeIndexOfText(word.substr(4, colon - 4));
        action.text = word.substr(colon + 1);
        if (action.code != kNoParameter) return action;
    }
    return std::nullopt;
}

// The edit's value of a "Set" action checked as its "Set" button checks it; nothing
// for a button. The frequency is checked against the station's polled limits.
std::optional<CheckedInput> CheckedValue(const MonitorSession& session, int station, const Action& action) {
    switch (action.kind) {
    case Action::FrequencySet: return CheckFrequencyInput(session.Station(station), action.text);
    case Action::DataSet: return CheckSetDataInput(action.code, action.text);
    case Action::CommandButton:
    case Action::ToggleButton: break;
    }
    return std::nullopt;
}

// Shows the message of the first refused value of the actions of this kind; true
// when every one may be sent.
bool ValuesAccepted(const MonitorSession& session, int station, const std::vector<Action>& actions,
                    Action::Kind kind) {
    for (const Action& action : actions) {
        if (action.kind != kind) continue;
        const std::optional<CheckedInput> input = CheckedValue(session, station, action);
        if (input && !input->InRange()) {
            ShowMessage(input->message);
            return false;
        }
    }
    return true;
}

// Presses the button; false when nothing was posted (a refused value, or No to b95's question).
bool Press(MonitorSession& session, int station, const Action& action) {
    CheckedInput input;
    switch (action.kind) {
    case Action::CommandButton: session.PressCommand(station, action.command); return true;
    case Action::ToggleButton: session.PressToggle(station, action.terminal); return true;
    case Action::FrequencySet: input = session.PressFrequencySet(station, action.text); break;
    case Action::DataSet:
        session.ChooseFunction(station, EntryOfCodeIndex(action.code));
        input = session.PressSetData(station, action.text);
        break;
    }
    return input.InRange() && !input.declined;
}

int RunControl(std::span<const std::string> arguments) {
    const Verb& verb = kVerbs[1];
    LinkCommandLine line;
    if (!ParseCommandLine(arguments, line) || !line.station || line.positional.empty()) return UsageError(verb);
    const int station = *line.station;
    std::vector<Action> actions;
    for (const std::string& word : line.positional) {
        std::optional<Action> action = ParseAction(word);
        if (!action) {
            std::fprintf(stderr, "telvorctl: unknown action '%s'\n", word.c_str());
            return kExitUsage;
        }
        actions.push_back(*action);
    }
    CSolvaneApp app;
    ConsoleUserInterface ui(line.answers);
    MonitorSession session(app, ui);
    // Parameter values are checked before the line is opened, the frequency once the
    // first poll has read the station's limits; one refused value and nothing is sent.
    if (!ValuesAccepted(session, station, actions, Action::DataSet)) return kExitUsage;
    if (!LinkFor(app, ui, line, std::to_string(station)) || !session.StartSingle(station)) return kExitFailed;
    session.TimerTick();
    int status = session.PolledInLastTick(station) ? kExitOk : kExitFailed;
    if (status == kExitOk && !ValuesAccepted(session, station, actions, Action::FrequencySet))
        status = kExitUsage;
    // Each action's request runs before the next action is pressed, so that every
    // one of them lands, in the order given.
    for (std::size_t i = 0; status == kExitOk && i < actions.size(); ++i) {
        const int failures = session.FailureCount();
        if (!Press(session, station, actions[i])) status = kExitFailed;
        session.RunRequests();
        if (session.FailureCount() != failures || !app.Link().linked) status = kExitFailed;
    }
    CloseLink(app);
    return status;
}

}  // namespace

std::span<const Verb> MonitorVerbs() { return kVerbs; }

}  // namespace telvor
