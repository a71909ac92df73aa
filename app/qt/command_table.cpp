#include "command_table.h"

namespace telvor {
namespace {

constexpr CommandInfo kCommands[] = {
    {ID_FILE_NEW, "&New...", "Ctrl+N", "Create a new parameter document\nNew"},
    {ID_FILE_OPEN, "&Open...", "Ctrl+O", "Open an existing parameter document\nOpen"},
    {ID_FILE_CLOSE, "&Close", "", "Close the active document\nClose"},
    {ID_COMPARE_INVERTER_DEFAULT, "&Inverter with Default...", "",
     "Compare parameter: Inverter with Default\nInverter with Default"},
    {ID_COMPARE_FILE_FILE, "&File with File...", "", "Compare parameter: File with File\nFile with File"},
    {ID_COMPARE_FILES_DEFAULT, "Files with &Default...", "",
     "Compare parameter: Files with Default\nFiles with Default"},
    {ID_FILE_SAVE, "&Save", "Ctrl+S", "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save &As...", "", "Save the active document with a new name\nSave As"},
    {ID_FILE_EXPORT_CSV, "&Export CSV...", "", "Save the rows of the grid as a CSV file\nExport CSV"},
    {ID_PRINT_TITLE_SET, "Print &Title && Set...", "", "Set the print title and the print options\nPrint Title & Set"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "", "Display full pages\nPrint Preview"},
    {ID_FILE_PRINT, "&Print...", "Ctrl+P", "Print the active document\nPrint"},
    {ID_FILE_EXPORT_PDF, "Export P&DF...", "", "Write the printed pages to a PDF file\nExport PDF"},
    {ID_APP_EXIT, "E&xit", "", "Quit the application; prompts to save documents\nExit"},
    {ID_STATION_TITLE, "Station &Title...", "", "Edit the station title\nStation Title"},
    {ID_EDIT_FIND, "&Find...", "Ctrl+F", "Find the specified text\nFind"},
    {ID_EDIT_GOTO, "&Go to...", "Ctrl+G", "Go to the specified parameter line\nGo to"},
    {ID_DEFINITE_PARAMETER, "&Definite parameter...", "", "Edit the definite parameter\nDefinite parameter"},
    {ID_LINK, "&Link...", "", "Link with inverter\nLink"},
    {ID_LINE_OVERVIEW, "Line &Overview...", "",
     "Show the stations on the line, their state and the line statistics\nLine Overview"},
    {ID_READ, "&Read...", "Ctrl+R", "Read parameters from the inverter\nRead"},
    {ID_WRITE, "&Write...", "Ctrl+W", "Write parameters to the inverter\nWrite"},
    {ID_MONITOR, "&Monitor...", "", "Monitor the inverter status and parameters\nMonitor"},
    {ID_ONLINE_EDIT, "Online &Edit", "", "Setting online edit\nOnline Edit"},
    {ID_BLOCK_READ, "&Block read", "", "Read the parameters in blocks of registers, several at a time\nBlock read"},
    {ID_VIEW_TOOLBAR, "&Toolbar", "", "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "", "Show or hide the status bar\nToggle StatusBar"},
    {ID_VIEW_CHANGED_ONLY, "&Changed only", "",
     "Show only the changed parameters\nChanged only"},
    {ID_HELP_CONTENTS, "&Contents", "F1", "List Help topics\nHelp Topics"},
    {ID_APP_ABOUT, "&About VarnoxLink...", "", "Display program information, version number and copyright\nAbout"},
    {ID_NEXT_PANE, "Next Pane", "F6", "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Previous Pane", "Shift+F6", "Switch back to the previous window pane\nPrevious Pane"},
};

}  // namespace

std::span<const CommandInfo> CommandTable() { return kCommands; }

const CommandInfo* FindCommand(int id) {
    for (const CommandInfo& c : kCommands)
        if (c.id == id) return &c;
    return nullptr;
}

}  // namespace telvor
