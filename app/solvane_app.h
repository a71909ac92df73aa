#pragma once
// CSolvaneApp, the one application object: the protocol object, the settings,
// the link state, the read and write groups, the read buffer, the program
// folder and the one open document. Every flow is given it and a UserInterface.

#include <memory>
#include <string>

#include "link_state.h"
#include "parameter_groups.h"
#include "parameter_keys.h"
#include "pending_compare.h"
#include "progress_window.h"

namespace telvor {

class CModbusAscii;
class CSolvaneDoc;
struct ProgramSettings;

class CSolvaneApp {
public:
    CSolvaneApp();
    ~CSolvaneApp();
    CSolvaneApp(const CSolvaneApp&) = delete;
    CSolvaneApp& operator=(const CSolvaneApp&) = delete;

    CModbusAscii& Modbus() { return *modbus_; }
    ProgramSettings& Settings() { return *settings_; }
    const ProgramSettings& Settings() const { return *settings_; }
    LinkState& Link() { return link_; }
    const LinkState& Link() const { return link_; }

    ParameterGroups& ReadGroups() { return readGroups_; }
    ParameterGroups& WriteGroups() { return writeGroups_; }

    PendingCompare& Pending() { return pending_; }
    // Column 1 of the pending comparison.
    ParameterSet& ReadBuffer() { return pending_.sets[0]; }
    const ParameterSet& ReadBuffer() const { return pending_.sets[0]; }

    // Tells the next new document to fill itself from the read buffer and the
    // read groups; the document clears it.
    bool readIntoNewDocument = false;

    const std::string& ProgramFolder() const { return programFolder_; }
    void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

    // The online-edit switch of the settings.
    bool OnlineEdit() const;
    void SetOnlineEdit(bool on);

    // The open document, or nullptr.
    CSolvaneDoc* Document() { return document_.get(); }
    void SetDocument(std::unique_ptr<CSolvaneDoc> document);
    void CloseDocument();
    // A new untitled parameter document for the current model and 50 Hz flag;
    // when readIntoNewDocument is set it takes the read values of the read groups.
    // Closes the open document first.
    CSolvaneDoc& NewDocument();

    // The one open progress window of a read or write, and the one cancel-progress
    // window of a scan.
    std::unique_ptr<CProgressDialog> progressWindow;
    std::unique_ptr<CCancelProgressDialog> cancelProgressWindow;

    // Settings in and out of the application state (the 50 Hz flag lives in
    // the link state while the program runs).
    void TakeSettings();
    void StoreSettings();

private:
    std::unique_ptr<CModbusAscii> modbus_;
    std::unique_ptr<ProgramSettings> settings_;
    LinkState link_;
    ParameterGroups readGroups_;
    ParameterGroups writeGroups_;
    PendingCompare pending_;
    std::string programFolder_;
    std::unique_ptr<CSolvaneDoc> document_;
};

}  // namespace telvor
