#include "trend_csv_export.h"

#include <memory>

#include "monitor_log.h"
#include "trend_record.h"

namespace telvor {

AtomicWriteResult ExportTrendCsv(const TrendRecord& record, const std::string& path) {
    std::string text = MonitorLogHeader(MonitorLogForm::Csv, false) + "\n";
    auto entry = std::make_unique<StationMonitor>();
    for (std::size_t sample = 0; sample < record.Size(); ++sample) {
        record.FillEntry(sample, *entry);
        text += MonitorLogLine(MonitorLogForm::Csv, *entry, 0, record.TimeOf(sample));
        text += '\n';
    }
    return WriteFileAtomically(path, text);
}

}  // namespace telvor
