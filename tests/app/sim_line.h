#pragma once
// A telvor-sim child process serving a line of simulated drives on a pty, with
// its own link path and frame log in a fresh temporary folder.

#include <sys/types.h>

#include <string>
#include <vector>

namespace telvor::testing {

class SimLine {
public:
    // Arguments after --link and --log, e.g. {"--stations", "3", "--model", "8"}.
    explicit SimLine(std::vector<std::string> arguments);
    ~SimLine();
    SimLine(const SimLine&) = delete;
    SimLine& operator=(const SimLine&) = delete;

    bool Started() const { return started_; }
    const std::string& LinkPath() const { return link_; }
    const std::string& Folder() const { return folder_; }

    // The frames the simulator received so far, one per entry, CR LF shown as \r\n.
    std::vector<std::string> Frames() const;
    // A control line into the running simulator ("fault 2 silent").
    bool Control(const std::string& line) const;

private:
    std::string folder_;
    std::string link_;
    std::string log_;
    std::string control_;
    pid_t pid_ = -1;
    bool started_ = false;
};

// The log line of a request frame that a builder writes.
std::string Logged(const char* frame, std::size_t length);
std::string EchoFrame(int station);
std::string VersionFrame(int station);
std::string CapacityFrame(int station);
std::string ReadFrame(int station, int codeIndex);
std::string WriteFrame(int station, int codeIndex, int value);
// The frame of a builder that takes only the station (ReadStatusWords, ReadControlWord, ...).
std::string StationFrame(std::size_t (*build)(char*, int), int station);
// Function 06 to one register (the control word 230, the frequency command 231).
std::string RegisterFrame(int station, int reg, int value);

// A fresh empty folder under the system's temporary folder.
std::string MakeTempFolder();
void RemoveFolder(const std::string& folder);

}  // namespace telvor::testing
