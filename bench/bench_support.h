#pragma once
// What the benchmarks share: a user interface that shows nothing, telvor-sim as a
// child process and the median of runs.

#include <signal.h>
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

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    if (values.empty()) return 0;
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace telvor
