#pragma once
// The "Block read" check item of the Operation menu: kept with the program's own
// QSettings (beside the recent-file list, not in the settings file, whose layout
// other installations read), and handed to the read flows as they run.

class QAction;

namespace telvor {

class CSolvaneApp;

inline constexpr const char* kBlockReadKey = "Operation/Block Read";

// Makes the action a check item showing the stored choice, sets the application's
// read options from it, and stores every change.
void WireBlockReadAction(QAction& action, CSolvaneApp& app);

}  // namespace telvor
