#include "program_settings.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "atomic_file.h"
#include "file_edit_lock.h"
#include "parameter_keys.h"
#include "whole_file.h"

namespace telvor {
namespace {

constexpr const char* kFirstLine = "[VarnoxLink]";
constexpr const char* kVersionLine = "Version=v1.1.140123";
constexpr const char* kSystemLine = "[System]";
constexpr const char* kDefiniteLine = "[Definite Parameter]";
constexpr const char* kComPortKey = "ComPort=";

// The file's lines one after the other; past the end every line is empty.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return position_ >= text_.size(); }

    std::string_view Next() {
        if (AtEnd()) return {};
        auto end = text_.find('\n', position_);
        if (end == std::string_view::npos) end = text_.size();
        std::string_view line = text_.substr(position_, end - position_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        position_ = end + 1;
        return line;
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

bool Contains(std::string_view line, std::string_view key) {
    return line.find(key) != std::string_view::npos;
}

// The text after the first len(key) characters, read as atoi reads it.
int ValueAfterKey(std::string_view line, std::string_view key) {
    return AtoiValue(line.size() > key.size() ? line.substr(key.size()) : std::string_view{});
}

struct IntKey {
    const char* key;
    int ProgramSettings::*member;
};
struct FlagKey {
    const char* key;
    bool ProgramSettings::*member;
};

constexpr IntKey kIntKeys[] = {
    {"BaudRate=", &ProgramSettings::baudRate},
    {"DataLengthBits=", &ProgramSettings::dataBits},
    {"ParityBit=", &ProgramSettings::parity},
    {"StopBits=", &ProgramSettings::stopBits},
};
constexpr FlagKey kFlagKeys[] = {
    {"Print Title=", &ProgramSettings::printTitle}, {"Print AxxFlag=", &ProgramSettings::printAxx},
    {"Print bxxFlag=", &ProgramSettings::printBxx}, {"OnLineEdit=", &ProgramSettings::onlineEdit},
    {"Freq50HzFlag=", &ProgramSettings::freq50Hz},
};

void ReadDefiniteList(LineReader& lines, DefiniteList& list) {
    const int wanted = AtoiValue(lines.Next());
    list = {};
    // At most the list's capacity, and only entries whose two lines are both there.
    while (list.count < wanted && list.count < kDefiniteCapacity && !lines.AtEnd()) {
        const std::string_view group = lines.Next();
        if (lines.AtEnd()) break;
        const std::string_view number = lines.Next();
        list.entries[list.count++] = {AtoiValue(group), AtoiValue(number)};
    }
}

void AddLine(std::string& out, std::string_view line) {
    out += line;
    out += "\r\n";
}

}  // namespace

int AtoiValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

std::vector<SettingsEntry> SystemEntries(const ProgramSettings& settings) {
    std::vector<SettingsEntry> entries{{kComPortKey, std::to_string(settings.comPort)}};
    for (const auto& [key, member] : kIntKeys) entries.push_back({key, std::to_string(settings.*member)});
    for (const auto& [key, member] : kFlagKeys) entries.push_back({key, settings.*member ? "1" : "0"});
    return entries;
}

std::string DefiniteEntryCode(const DefiniteEntry& entry) {
    if (entry.number < 0 || entry.number > 99) return {};
    if (entry.group == kDefiniteGroupBasic) return CodeText(entry.number);
    if (entry.group == kDefiniteGroupAdvanced) return CodeText(100 + entry.number);
    return {};
}

ProgramSettings ParseSettingsText(std::string_view text, ProgramSettings settings) {
    LineReader lines(text);
    if (lines.Next() != kFirstLine) return settings;
    lines.Next();  // the version is not examined
    if (!Contains(lines.Next(), kSystemLine)) return settings;
    const std::string_view portLine = lines.Next();
    if (!Contains(portLine, kComPortKey)) return settings;
    const int port = ValueAfterKey(portLine, kComPortKey);
    settings.comPort = port >= 1 && port <= 8 ? port : 1;
    // Each key is looked for on its own line only; a missing line is not searched for.
    for (const auto& [key, member] : kIntKeys) {
        const std::string_view line = lines.Next();
        if (Contains(line, key)) settings.*member = ValueAfterKey(line, key);
    }
    for (const auto& [key, member] : kFlagKeys) {
        const std::string_view line = lines.Next();
        if (Contains(line, key)) settings.*member = ValueAfterKey(line, key) != 0;
    }
    if (Contains(lines.Next(), kDefiniteLine)) ReadDefiniteList(lines, settings.definite);
    return settings;
}

ProgramSettings ReadSettingsFile(const std::string& path, const ProgramSettings& current) {
    const WholeFile file = ReadWholeFile(path);
    if (file.status != WholeFileStatus::Read) return current;
    return ParseSettingsText(file.bytes, current);
}

std::string SettingsFileText(const ProgramSettings& settings) {
    std::string out;
    AddLine(out, kFirstLine);
    AddLine(out, kVersionLine);
    AddLine(out, kSystemLine);
    for (const auto& entry : SystemEntries(settings)) AddLine(out, entry.key + entry.value);
    AddLine(out, kDefiniteLine);
    const int count = std::clamp(settings.definite.count, 0, kDefiniteCapacity);
    AddLine(out, std::to_string(count));
    for (int i = 0; i < count; ++i) {
        const DefiniteEntry& entry = settings.definite.entries[i];
        char number[16];
        std::snprintf(number, sizeof number, "%02d", entry.number);
        AddLine(out, std::to_string(entry.group));
        AddLine(out, number);
    }
    return out;
}

SettingsWriteResult WriteSettingsFile(const ProgramSettings& settings, const std::string& path) {
    const AtomicWriteResult written = WriteFileAtomically(path, SettingsFileText(settings));
    if (!written.ok) return {false, SaveFailureMessage(path, written.reason)};
    return {true, {}};
}

SettingsWriteResult EditSettingsFile(const std::string& path, const std::function<bool(ProgramSettings&)>& change) {
    const FileEditLock lock(path, MissingFile::CreateEmpty);
    ProgramSettings settings = ReadSettingsFile(path);
    if (!change(settings)) return {true, {}};
    return WriteSettingsFile(settings, path);
}

}  // namespace telvor
