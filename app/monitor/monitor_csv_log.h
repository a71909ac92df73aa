#pragma once
// "Log to CSV...": after every tick, one line per station that the tick read, in
// the columns of telvorctl monitor --csv.

#include <cstdio>
#include <memory>
#include <string>

namespace telvor {

class MonitorSession;

class MonitorCsvLog {
public:
    // Creates or replaces the file and writes the header; false when it cannot be written.
    bool Open(const std::string& path, bool stationColumn);
    void Close() { file_.reset(); }
    bool IsOpen() const { return file_ != nullptr; }
    // False when a line could not be written (the log is closed then).
    bool WriteTick(const MonitorSession& session);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    bool stationColumn_ = false;
};

}  // namespace telvor
