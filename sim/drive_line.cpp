#include "drive_line.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <vector>

#include "modbus_ascii.h"

namespace telvor::sim {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

void PutByte(std::string& text, int byte) {
    text += kDigits[(byte >> 4) & 0xF];
    text += kDigits[byte & 0xF];
}

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::vector<std::string> Words(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace

std::string EncodeFrame(int station, const Bytes& pdu) {
    std::string frame = ":";
    PutByte(frame, station);
    for (const std::uint8_t byte : pdu) PutByte(frame, byte);
    PutByte(frame, ComputeLrc(frame.c_str(), frame.size() + 4) & 0xFF);
    frame += "\r\n";
    return frame;
}

void DriveLine::AddStation(int station, int model, bool is50Hz) {
    stations_.insert_or_assign(station, SimulatedDrive(model, is50Hz));
}

SimulatedDrive* DriveLine::Station(int station) {
    const auto it = stations_.find(station);
    return it == stations_.end() ? nullptr : &it->second;
}

std::optional<LineReply> DriveLine::Handle(std::string_view frame, Clock::time_point now) {
    // A request is checked as a master checks a reply: upper-case hex and a matching LRC.
    if (frame.size() < kShortestReply || frame.size() % 2 == 0 ||
        ValidateReply(frame.data(), frame.size()) != ExchangeResult::ReplyNormal)
        return std::nullopt;
    const int station = StationOfReply(frame);
    SimulatedDrive* drive = Station(station);
    if (!drive) return std::nullopt;
    StationFaults& faults = drive->faults;
    ++faults.requestsCounted;
    if (faults.silent) return std::nullopt;
    if (faults.answerEvery > 1 && faults.requestsCounted % faults.answerEvery != 0) return std::nullopt;
    if (faults.answersLeft == 0) return std::nullopt;
    if (faults.answersLeft > 0) --faults.answersLeft;

    Bytes request;
    for (std::size_t at = 3; at + 4 < frame.size(); at += 2)
        request.push_back(static_cast<std::uint8_t>(16 * HexDigitValue(frame[at]) + HexDigitValue(frame[at + 1])));
    std::string reply = EncodeFrame(faults.otherAddress ? faults.otherAddress : station, drive->Answer(request, now));

    if (faults.badLrcReplies > 0) {
        --faults.badLrcReplies;
        char& digit = reply[reply.size() - 3];
        digit = digit == '0' ? '1' : '0';
    }
    if (faults.lowerCase)
        for (char& c : reply)
            if (c >= 'A' && c <= 'F') c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (faults.halfFrame) reply.resize(reply.size() / 2);
    if (faults.strayByte) reply.insert(reply.begin(), '\0');
    const int jitter = faults.repliesDelayed++ % 2 == 1 ? faults.jitterMs : 0;
    return LineReply{reply, std::chrono::milliseconds(faults.delayMs + jitter)};
}

bool DriveLine::ApplyControl(std::string_view line, std::string* error) {
    const std::vector<std::string> words = Words(line);
    const auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    if (words.empty() || words[0][0] == '#') return true;
    if (words.size() < 2) return fail("control line without a station: " + std::string(line));
    std::vector<SimulatedDrive*> drives;
    if (words[1] == "*") {
        for (auto& [number, drive] : stations_) drives.push_back(&drive);
    } else {
        const auto number = Number(words[1]);
        SimulatedDrive* drive = number ? Station(*number) : nullptr;
        if (!drive) return fail("no station " + words[1] + " on the line");
        drives.push_back(drive);
    }
    const std::string& verb = words[0];
    for (SimulatedDrive* drive : drives) {
        if (verb == "fault" && words.size() >= 3) {
            if (!ApplyFault(drive->faults, words[2], words.size() >= 4 ? words[3] : "", error)) return false;
        } else if (verb == "clear" && words.size() == 2) {
            drive->faults = StationFaults{};
        } else if (verb == "register" && words.size() == 4) {
            const auto reg = Number(words[2]);
            const auto value = Number(words[3]);
            if (!reg || !value || *value < 0 || *value > 65535 || !drive->ForceRegister(*reg, static_cast<std::uint16_t>(*value)))
                return fail("bad register line: " + std::string(line));
        } else if (verb == "limit" && words.size() == 4) {
            const auto reg = Number(words[2]);
            const auto maximum = Number(words[3]);
            if (!reg || !maximum || !drive->Register(*reg) || *maximum < 0 || *maximum > 65535)
                return fail("bad limit line: " + std::string(line));
            drive->writeLimits[*reg] = static_cast<std::uint16_t>(*maximum);
        } else if (IsBlockReadControl(verb) && words.size() == 3) {
            if (!ApplyBlockReadControl(drive->blockReads, verb, words[2], error)) return false;
        } else if (verb == "reset" && words.size() == 3 && (words[2] == "50" || words[2] == "60")) {
            drive->ResetToDefaults(words[2] == "50");
        } else {
            return fail("unknown control line: " + std::string(line));
        }
    }
    return true;
}

}  // namespace telvor::sim
