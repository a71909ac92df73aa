#pragma once
// Other programs that tests run: the simulator, socat and the pymodbus peer.

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

namespace telvor::testing {

// A program running beside the test; stopped with SIGTERM (then SIGKILL) when destroyed.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] with its stdout and stderr going to `outputFile` (empty: inherited).
    bool Start(const std::vector<std::string>& argv, const std::string& outputFile = "");
    // SIGTERM and wait; the exit status as waitpid gives it (also when Running() saw
    // the end), or -1.
    int Stop();
    bool Running();
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int exitStatus_ = -1;
};

// Runs a program to its end with `input` on its stdin; its stdout in `output`.
// False when it cannot start, times out or exits with a status other than 0.
bool RunWithInput(const std::vector<std::string>& argv, const std::string& input, std::string& output,
                  std::chrono::seconds timeout = std::chrono::seconds(30));

bool WaitForPath(const std::string& path, std::chrono::milliseconds timeout);

// A fresh directory under /tmp, removed with everything in it when destroyed.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The lines of a text file (empty when it does not exist).
std::vector<std::string> ReadLines(const std::string& path);

// A pty pair joined by socat: two links in `dir`, "a" and "b".
class SocatPair {
public:
    bool Start(const TempDir& dir);
    std::string A() const { return a_; }
    std::string B() const { return b_; }

private:
    ChildProcess socat_;
    std::string a_, b_;
};

inline const char* const kPython = "/usr/bin/python3";

// Empty when a script of the independent peer can run (python3, socat and every module
// the script imports; every peer script when none is named); otherwise what is missing,
// naming its Debian package.
std::string PeerMissing(const std::string& script = "");

}  // namespace telvor::testing
