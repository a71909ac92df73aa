#pragma once
// The commands of the main window: identifier, menu text, accelerator and the
// menu prompt shown in the status bar (the text after the line break is the tool tip).

#include <span>

namespace telvor {

enum CommandId {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_EXPORT_CSV = 32851,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_EXPORT_PDF = 32850,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_EXIT = 57665,
    ID_COMPARE_INVERTER_DEFAULT = 32775,
    ID_COMPARE_FILE_FILE = 32776,
    ID_COMPARE_FILES_DEFAULT = 32777,
    ID_PRINT_TITLE_SET = 32778,
    ID_STATION_TITLE = 32784,
    ID_EDIT_FIND = 57636,
    ID_EDIT_GOTO = 32786,
    ID_DEFINITE_PARAMETER = 32787,
    ID_LINK = 32779,
    ID_LINE_OVERVIEW = 32853,
    ID_READ = 32780,
    ID_WRITE = 32796,
    ID_MONITOR = 32782,
    ID_ONLINE_EDIT = 32783,
    ID_BLOCK_READ = 32797,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_CHANGED_ONLY = 32852,
    ID_HELP_CONTENTS = 32771,
    ID_APP_ABOUT = 57664,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
};

inline constexpr int kRecentFileCount = 4;

struct CommandInfo {
    int id;
    const char* menuText;
    const char* shortcut;  // empty: none
    const char* prompt;    // "status text\ntool tip"
};

std::span<const CommandInfo> CommandTable();
const CommandInfo* FindCommand(int id);

}  // namespace telvor
