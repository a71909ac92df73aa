#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace telvor::testing {
namespace {

std::vector<char*> Arguments(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    return args;
}

bool WaitExit(pid_t pid, int& status, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return true;
        if (done < 0) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

}  // namespace

ChildProcess::~ChildProcess() { Stop(); }

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::string& outputFile) {
    std::vector<char*> args = Arguments(argv);
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
        if (!outputFile.empty()) {
            const int fd = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                dup2(fd, 1);
                dup2(fd, 2);
            }
        }
        execv(args[0], args.data());
        _exit(127);
    }
    return true;
}

bool ChildProcess::Running() {
    if (pid_ < 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        exitStatus_ = status;
        return false;
    }
    return true;
}

int ChildProcess::Stop() {
    if (pid_ < 0) return exitStatus_;
    int status = -1;
    kill(pid_, SIGTERM);
    if (!WaitExit(pid_, status, std::chrono::milliseconds(3000))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    return status;
}

bool RunWithInput(const std::vector<std::string>& argv, const std::string& input, std::string& output,
                  std::chrono::seconds timeout) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return false;
    std::vector<char*> args = Arguments(argv);
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        execv(args[0], args.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    // The inputs are small: they fit the pipe, so writing all first cannot block on the child.
    const ssize_t written = write(in[1], input.data(), input.size());
    close(in[1]);
    output.clear();
    const auto end = std::chrono::steady_clock::now() + timeout;
    char buffer[4096];
    bool open = true;
    while (open && std::chrono::steady_clock::now() < end) {
        pollfd waiter{out[0], POLLIN, 0};
        if (poll(&waiter, 1, 100) <= 0) continue;
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n > 0)
            output.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            open = false;
    }
    close(out[0]);
    int status = 0;
    if (open) kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return !open && written == static_cast<ssize_t>(input.size()) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool WaitForPath(const std::string& path, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (access(path.c_str(), F_OK) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TempDir::TempDir() {
    char name[] = "/tmp/telvor-test-XXXXXX";
    const char* made = mkdtemp(name);
    path_ = made ? made : "";
}

TempDir::~TempDir() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool SocatPair::Start(const TempDir& dir) {
    a_ = dir.File("a");
    b_ = dir.File("b");
    if (!socat_.Start({"/usr/bin/socat", "pty,raw,echo=0,link=" + a_, "pty,raw,echo=0,link=" + b_}, dir.File("socat.log")))
        return false;
    return WaitForPath(a_, std::chrono::seconds(5)) && WaitForPath(b_, std::chrono::seconds(5));
}

std::string PeerMissing(const std::string& script) {
    static std::map<std::string, std::string> checked;
    if (const auto found = checked.find(script); found != checked.end()) return found->second;
    std::string missing;
    std::vector<std::string> check = {kPython, TELVOR_PEER_DIR "/check_imports.py"};
    if (!script.empty()) check.push_back(TELVOR_PEER_DIR "/" + script);
    std::string output;
    if (access(kPython, X_OK) != 0)
        missing = std::string(kPython) + " is missing: install the Debian package python3";
    else if (access("/usr/bin/socat", X_OK) != 0)
        missing = "socat is missing: install the Debian package socat";
    else if (!RunWithInput(check, "", output))
        missing = output.empty() ? "the peer's import check did not run" : output;
    return checked[script] = missing;
}

}  // namespace telvor::testing
