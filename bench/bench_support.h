#pragma once
// What the benchmarks share: a user interface that shows nothing, telvor-sim and other
// programs as child processes and the median of runs.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "user_interface.h"

extern char** environ;

namespace telvor {

// Shows nothing; a failure is remembered so that the figure is not reported.
class QuietUserInterface : public UserInterface {
public:
    bool failed = false;
    void ShowMessage(const std::string&, const std::string& text, MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        failed = true;
    }
    DialogResult RunFixedDialog(FixedDialog dialog) override {
        std::fprintf(stderr, "dialog %d\n", static_cast<int>(dialog));
        failed = true;
        return DialogResult::Cancel;
    }
    DialogResult RunMonitorMessage(const std::string& text) override {
        std::fprintf(stderr, "monitor message: %s\n", text.c_str());
        failed = true;
        return DialogResult::Cancel;
    }
    Answer Ask(const std::string&, const std::string&, AskButtons, MessageIcon) override { return Answer::No; }
    std::optional<std::string> AskSavePath(const SavePathRequest&) override { return std::nullopt; }
    std::unique_ptr<CProgressDialog> CreateProgressDialog() override { return std::make_unique<Window>(); }
    std::unique_ptr<CCancelProgressDialog> CreateCancelProgressDialog(std::function<void()>) override {
        return std::make_unique<Window>();
    }
    void DrainEvents() override {}

private:
    struct Window : CCancelProgressDialog {
        void SetRange(int, int) override {}
        void SetPos(int) override {}
        void StepIt() override {}
        void SetText(const std::string&) override {}
        void Show() override {}
        void Repaint() override {}
        void Close() override { open = false; }
        bool IsOpen() const override { return open; }
        bool open = true;
    };
};

class Simulator {
public:
    // Arguments after --link, e.g. {"--stations", "10", "--baud", "38400"}.
    Simulator(const std::string& program, const std::string& link, const std::vector<std::string>& arguments)
        : link_(link) {
        std::vector<std::string> words = {program, "--link", link};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        for (int i = 0; i < 500 && !std::filesystem::exists(link); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~Simulator() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    bool Ready() const { return std::filesystem::exists(link_); }

private:
    std::string link_;
    pid_t pid_ = -1;
};

enum class ChildErrors { Shown, Hidden };

// Starts a program with its output thrown away (and its error output, when asked);
// -1 when it cannot start.
inline pid_t Spawn(const std::vector<std::string>& words, ChildErrors errors = ChildErrors::Shown) {
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    if (errors == ChildErrors::Hidden) posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    return failed == 0 ? pid : -1;
}

// The exit status of a started program once it has ended; -1 when it did not exit.
inline int ExitStatusOf(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    if (values.empty()) return 0;
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace telvor
