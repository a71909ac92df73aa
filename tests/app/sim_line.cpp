#include "sim_line.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "frame_trace.h"
#include "modbus_ascii.h"

namespace telvor::testing {

std::string MakeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "telvor-app-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

void RemoveFolder(const std::string& folder) {
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
}

SimLine::SimLine(std::vector<std::string> arguments) {
    folder_ = MakeTempFolder();
    link_ = folder_ + "/line";
    log_ = folder_ + "/frames.log";
    control_ = folder_ + "/control";
    std::vector<std::string> words = {TELVOR_SIM_PATH, "--link", link_, "--log", log_, "--control", control_};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_ = fork();
    if (pid_ == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid_ < 0) return;
    // The simulator is ready once its link, its log and its control FIFO exist.
    for (int i = 0; i < 500; ++i) {
        std::error_code ec;
        if (std::filesystem::exists(link_, ec) && std::filesystem::exists(log_, ec) &&
            std::filesystem::exists(control_, ec)) {
            started_ = true;
            return;
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

SimLine::~SimLine() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    RemoveFolder(folder_);
}

std::vector<std::string> SimLine::Frames() const {
    std::vector<std::string> frames;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) frames.push_back(line);
    return frames;
}

bool SimLine::Control(const std::string& line) const {
    int fd = open(control_.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd < 0) return false;
    std::string text = line + "\n";
    bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    // The simulator takes control lines between frames; give it a moment.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return ok;
}

std::string Logged(const char* frame, std::size_t length) { return ShowFrameBytes(std::string_view(frame, length)); }

std::string EchoFrame(int station) {
    char frame[kRequestBufferSize] = {};
    return Logged(frame, CModbusAscii::EchoTest(frame, station));
}

std::string VersionFrame(int station) {
    char frame[kRequestBufferSize] = {};
    return Logged(frame, CModbusAscii::ReadSoftwareVersion(frame, station));
}

std::string CapacityFrame(int station) {
    char frame[kRequestBufferSize] = {};
    return Logged(frame, CModbusAscii::ReadCapacityCode(frame, station));
}

std::string ReadFrame(int station, int codeIndex) {
    char frame[kRequestBufferSize] = {};
    return Logged(frame, CModbusAscii::ReadParameter(frame, station, codeIndex));
}

std::string WriteFrame(int station, int codeIndex, int value) {
    char frame[kRequestBufferSize] = {};
    return Logged(frame, CModbusAscii::WriteParameter(frame, station, codeIndex, value));
}

std::string StationFrame(std::size_t (*build)(char*, int), int station) {
    char frame[kRequestBufferSize] = {};
    return Logged(frame, build(frame, station));
}

std::string RegisterFrame(int station, int reg, int value) {
    char frame[kRequestBufferSize] = {};
    return Logged(frame, CModbusAscii::WriteRegister(frame, station, reg, value));
}

}  // namespace telvor::testing
