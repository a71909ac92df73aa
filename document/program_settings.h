#pragma once
// The program's settings between runs and their file, vx3inf.ini in the program
// folder: serial line, print options, edit mode, 50/60 Hz choice and the list of
// definite parameters.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace telvor {

inline constexpr int kDefiniteCapacity = 300;
inline constexpr int kDefiniteGroupEmpty = 0;
inline constexpr int kDefiniteGroupBasic = 1;     // Axx
inline constexpr int kDefiniteGroupAdvanced = 2;  // bxx

struct DefiniteEntry {
    int group = kDefiniteGroupEmpty;
    int number = 0;  // the two digits of the code
};

struct DefiniteList {
    int count = 0;  // 0..kDefiniteCapacity
    std::array<DefiniteEntry, kDefiniteCapacity> entries{};
};

struct ProgramSettings {
    int comPort = 1;  // "COM%d", 1..8
    int baudRate = 38400;
    int dataBits = 8;
    int parity = 0;    // 0 none, 1 odd, 2 even
    int stopBits = 0;  // 0 one stop bit, 2 two stop bits
    bool printTitle = true;
    bool printAxx = true;
    bool printBxx = true;
    bool onlineEdit = false;
    bool freq50Hz = true;
    DefiniteList definite;
};

inline constexpr const char* kSettingsFileName = "vx3inf.ini";

// The settings that the text of a settings file gives on top of current: what the
// file does not set (a short file, a wrong line) keeps its value from current.
// CR LF and LF line ends are both accepted.
ProgramSettings ParseSettingsText(std::string_view text, ProgramSettings current = {});
// current, silently, when the file is missing, unreadable, not a regular file or
// larger than the input file limit.
ProgramSettings ReadSettingsFile(const std::string& path, const ProgramSettings& current = {});

// The file's lines in their fixed order, each ending in CR LF.
std::string SettingsFileText(const ProgramSettings& settings);

struct SettingsWriteResult {
    bool ok = false;
    std::string message;  // when not ok: names the file and the system's reason
};

// Written to a temporary file in the same folder, then renamed over the old one.
SettingsWriteResult WriteSettingsFile(const ProgramSettings& settings, const std::string& path);

// Every change of the settings file: reads it, lets `change` edit what was read and
// writes the result back, all under the file's edit lock (FileEditLock), so that the
// edits of several processes follow each other and none is lost. Nothing is written
// when `change` returns false.
SettingsWriteResult EditSettingsFile(const std::string& path, const std::function<bool(ProgramSettings&)>& change);

// One setting of the [System] section: its file key ("ComPort=") and value text.
struct SettingsEntry {
    std::string key;
    std::string value;
};
// The [System] settings in file order, flags as 0 or 1.
std::vector<SettingsEntry> SystemEntries(const ProgramSettings& settings);

// The code text of a list entry ("A02", "b10"); empty for an empty entry or one
// that names no parameter.
std::string DefiniteEntryCode(const DefiniteEntry& entry);

// The C library's atoi without its undefined overflow: leading blanks, an optional
// sign, digits up to the first other character; no digits give 0; clamped to int.
int AtoiValue(std::string_view text);

}  // namespace telvor
