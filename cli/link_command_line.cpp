#include "link_command_line.h"

#include <charconv>
#include <cstdio>

#include "link_flow.h"
#include "program_folder.h"
#include "program_settings.h"
#include "solvane_app.h"
#include "station_range.h"
#include "transactions.h"
#include "verb.h"

namespace telvor {

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool ParseCommandLine(std::span<const std::string> arguments, LinkCommandLine& line) {
    std::vector<std::string> words;
    std::string error;
    if (!ParseLinkOptions(arguments, line.link, words, error)) {
        std::fprintf(stderr, "telvorctl: %s\n", error.c_str());
        return false;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        auto value = [&]() -> const std::string* { return i + 1 < words.size() ? &words[++i] : nullptr; };
        auto number = [&](std::optional<int>& out) {
            const std::string* text = value();
            if (text) out = WholeNumber(*text);
            return out.has_value();
        };
        auto text = [&](std::optional<std::string>& out) {
            const std::string* given = value();
            if (given) out = *given;
            return given != nullptr;
        };
        // Station texts are read strictly: a text that names no station never reaches a drive.
        auto refuseStations = [](const std::string& given) {
            std::fprintf(stderr, "telvorctl: %s\n", StationTextMessage(given).c_str());
            return false;
        };
        bool ok = true;
        if (word == "--link-stations") {
            ok = text(line.linkStations);
        } else if (word == "--on-error") {
            const std::string* given = value();
            ok = given && (*given == "continue" || *given == "abort");
            line.answers.continueOnError = ok && *given == "continue";
        } else if (word == "--yes") {
            line.answers.yes = true;
        } else if (word == "--stations") {
            ok = text(line.stations);
            if (ok) {
                const std::optional<StationMarks> marks = ParseStrictStationList(*line.stations);
                if (!marks) return refuseStations(*line.stations);
                line.stationList = marks->list;
            }
        } else if (word == "--station") {
            const std::string* given = value();
            ok = given != nullptr;
            if (given) {
                line.station = ParseStationNumber(*given);
                if (!line.station) return refuseStations(*given);
            }
        } else if (word == "--basic") {
            line.basic = true;
        } else if (word == "--advanced") {
            line.advanced = true;
        } else if (word == "-o") {
            ok = text(line.output);
        } else if (word == "--force") {
            line.force = true;
        } else if (word == "--block-read") {
            line.blockRead = true;
        } else if (word == "--block-size") {
            ok = number(line.blockSize) && *line.blockSize >= 1 && *line.blockSize <= kLargestParameterBlock;
        } else if (word == "--verify") {
            line.verify = true;
        } else if (word == "--quick") {
            line.quick = true;
        } else if (word == "--all") {
            line.all = true;
        } else if (word == "--titles") {
            ok = text(line.titles);
        } else if (word.size() > 1 && word[0] == '-' && word[1] == '-') {
            ok = false;
        } else {
            line.positional.push_back(word);
        }
        if (!ok) return false;
    }
    return true;
}

ParameterGroups GroupsOf(const LinkCommandLine& line) {
    if (!line.basic && !line.advanced) return {};
    return {line.basic, line.advanced};
}

bool PrepareApp(CSolvaneApp& app, const LinkCommandLine& line) {
    if (line.link.programFolder.empty()) {
        ShowMessage(kNoSystemDataMessage);
        return false;
    }
    app.SetProgramFolder(line.link.programFolder);
    app.TakeSettings(ReadSettingsFile(SettingsFilePath(line.link.programFolder)));
    ProgramSettings& settings = app.Settings();
    const std::string& port = line.link.port;
    std::optional<int> number = WholeNumber(port.rfind("COM", 0) == 0 ? port.substr(3) : port);
    if (number) {
        settings.comPort = *number;
    } else {
        app.linkPath = port;
    }
    settings.baudRate = line.link.baudRate;
    settings.dataBits = line.link.dataBits;
    settings.parity = line.link.parity;
    settings.stopBits = line.link.stopBits;
    app.readOptions.blockRead = line.blockRead;
    app.readOptions.blockLimit = line.blockSize.value_or(kDefaultParameterBlock);
    CountRequestedStatistics(app.Modbus());
    if (FrameTraceRequested()) {
        static StreamFrameTrace trace(stderr);
        app.Modbus().SetFrameTrace(&trace);
    }
    return true;
}

bool LinkTo(CSolvaneApp& app, UserInterface& ui, const std::string& stationText, bool quickScan) {
    std::optional<LinkDialogData> data = BeginLinkCommand(app);
    if (!data) return false;
    data->stationText = stationText;
    data->quickScan = quickScan;
    return FinishLinkCommand(app, ui, LinkDialogAction::Link, *data);
}

void CloseLink(CSolvaneApp& app) {
    if (app.Modbus().IsOpen()) app.Modbus().Close();
}

}  // namespace telvor
