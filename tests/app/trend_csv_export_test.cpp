#include "trend_csv_export.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "monitor_log.h"
#include "sim_line.h"
#include "trend_record.h"

namespace telvor {
namespace {

std::string FileText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(TrendCsvExport, WritesEveryPollInTheColumnsOfTheLog) {
    const std::string folder = testing::MakeTempFolder();
    TrendRecord record(std::chrono::system_clock::from_time_t(1'700'000'000));
    StationMonitor entry;
    entry.values = {5000, 4998, 2200, 3110, 15};
    entry.runStatus[kRunningFlag] = true;
    entry.runStatus[kReverseFlag] = true;
    entry.faultCode = 10;
    entry.terminals[TerminalS2] = true;
    entry.terminals[TerminalRy1] = true;
    entry.function = {0, 2};
    entry.FunctionData(entry.function) = 6000;
    record.Add(0.4, entry);
    entry = StationMonitor{};
    entry.function = {1, 89};
    entry.FunctionData(entry.function) = 8;
    record.Add(86'399.6, entry);

    ASSERT_TRUE(ExportTrendCsv(record, folder + "/trend.csv").ok);
    EXPECT_EQ(FileText(folder + "/trend.csv"),
              MonitorLogHeader(MonitorLogForm::Csv, false) + "\n" +
                  "2023-11-14T22:13:20.400Z,1,1,50.00,49.98,220.0,1.5,330.00,311.0,10,0,1,0,0,0,1,A02,60.00\n"
                  "2023-11-15T22:13:19.600Z,0,0,0.00,0.00,0.0,0.0,0.00,0.0,0,0,0,0,0,0,0,b89,8\n");

    const AtomicWriteResult refused = ExportTrendCsv(record, folder + "/missing/trend.csv");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, ENOENT);
    testing::RemoveFolder(folder);
}

}  // namespace
}  // namespace telvor
