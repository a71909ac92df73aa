#pragma once
// CSolvaneApp, the one application object: the protocol object, the settings,
// the link state, the read and write groups, the read buffer, the program
// folder and the one open document. Every flow is given it and a UserInterface.

#include <memory>
#include <optional>
#include <string>

#include "link_state.h"
#include "modbus_ascii.h"
#include "parameter_groups.h"
#include "parameter_keys.h"
#include "pending_compare.h"
#include "program_settings.h"
#include "progress_window.h"
#include "solvane_doc.h"

namespace telvor {

class MessageSink;

class CSolvaneApp {
public:
    CSolvaneApp();
    ~CSolvaneApp();
    CSolvaneApp(const CSolvaneApp&) = delete;
    CSolvaneApp& operator=(const CSolvaneApp&) = delete;

    // The one protocol object; its own port messages go to the given sink.
    CModbusAscii& Modbus() { return modbus_; }
    CModbusAscii& Modbus(MessageSink& sink);
    // The line the drive transactions run on: the protocol object above, or the line
    // put in its place (the handheld's own serial line).
    ModbusTransport& Line(MessageSink& sink);
    void UseLine(ModbusTransport* line) { line_ = line; }

    ProgramSettings& Settings() { return settings_; }
    const ProgramSettings& Settings() const { return settings_; }
    LinkState& Link() { return link_; }
    const LinkState& Link() const { return link_; }

    ParameterGroups& ReadGroups() { return readGroups_; }
    ParameterGroups& WriteGroups() { return writeGroups_; }
    // How the parameter reads of Read, Compare with the drive and Write's verify go.
    ReadOptions readOptions;

    PendingCompare& Pending() { return pending_; }
    // Column 1 of the pending comparison.
    ParameterSet& ReadBuffer() { return pending_.sets[0]; }
    const ParameterSet& ReadBuffer() const { return pending_.sets[0]; }

    // Tells the next new document to fill itself from the read buffer and the
    // read groups; making the document clears it.
    bool readIntoNewDocument = false;

    const std::string& ProgramFolder() const { return programFolder_; }
    void SetProgramFolder(std::string folder);

    // A device path that "COM%d" stands for whatever the port number (telvorctl's
    // --link PATH); empty: the program folder's ports/ links.
    std::string linkPath;

    bool OnlineEdit() const { return settings_.onlineEdit; }
    void SetOnlineEdit(bool on) { settings_.onlineEdit = on; }

    // The open document, or nullptr.
    CSolvaneDoc* Document() { return document_ ? &*document_ : nullptr; }
    void SetDocument(CSolvaneDoc document) { document_ = std::move(document); }
    // A document read from a file becomes the open one: its model becomes the current
    // model and a comparison's mode the pending one.
    void TakeOpenedDocument(CSolvaneDoc document);
    void CloseDocument() { document_.reset(); }
    // New: an untitled parameter document for the current model and 50 Hz flag,
    // in place of the open one; with readIntoNewDocument set it takes the read
    // values of the read groups (and the flag is cleared). With a comparison
    // pending, the compare document of that comparison instead.
    CSolvaneDoc& NewDocument();

    // The one open progress window of a read or write, and the one cancel-progress
    // window of a scan.
    std::unique_ptr<CProgressDialog> progressWindow;
    std::unique_ptr<CCancelProgressDialog> cancelProgressWindow;
    void CloseProgressWindow();
    void CloseCancelProgressWindow();

    // Settings in and out of the running state (the 50 Hz flag lives in the link
    // state while the program runs).
    void TakeSettings(const ProgramSettings& settings);
    const ProgramSettings& SettingsToStore();

private:
    CModbusAscii modbus_;
    ModbusTransport* line_ = nullptr;
    ProgramSettings settings_;
    LinkState link_;
    ParameterGroups readGroups_;
    ParameterGroups writeGroups_;
    PendingCompare pending_;
    std::string programFolder_;
    std::optional<CSolvaneDoc> document_;
};

}  // namespace telvor
