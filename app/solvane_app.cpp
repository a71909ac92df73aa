#include "solvane_app.h"

#include "compare_document.h"
#include "message_sink.h"

namespace telvor {

CSolvaneApp::CSolvaneApp() = default;

CSolvaneApp::~CSolvaneApp() {
    CloseProgressWindow();
    CloseCancelProgressWindow();
}

CModbusAscii& CSolvaneApp::Modbus(MessageSink& sink) {
    modbus_.SetMessageSink(&sink);
    return modbus_;
}

ModbusTransport& CSolvaneApp::Line(MessageSink& sink) {
    if (line_) return *line_;
    return Modbus(sink);
}

void CSolvaneApp::SetProgramFolder(std::string folder) {
    programFolder_ = std::move(folder);
    modbus_.SetProgramFolder(programFolder_);
}

CSolvaneDoc& CSolvaneApp::NewDocument() {
    if (pending_.mode != CompareNone) {
        document_ = MakeCompareDocument(pending_, link_.currentModel, link_.is50Hz, link_.linked);
        return *document_;
    }
    PendingRead read;
    if (readIntoNewDocument) {
        read.readBasic = readGroups_.basic;
        read.readAdvanced = readGroups_.advanced;
        read.values = ReadBuffer();
    }
    document_ = telvor::NewDocument(link_.currentModel, link_.is50Hz, link_.linked,
                                    readIntoNewDocument ? &read : nullptr);
    readIntoNewDocument = false;
    return *document_;
}

void CSolvaneApp::TakeOpenedDocument(CSolvaneDoc document) {
    link_.currentModel = document.modelIndex;
    pending_.Clear();
    pending_.mode = document.compareMode;
    document_ = std::move(document);
}

void CSolvaneApp::CloseProgressWindow() {
    if (progressWindow) progressWindow->Close();
    progressWindow.reset();
}

void CSolvaneApp::CloseCancelProgressWindow() {
    if (cancelProgressWindow) cancelProgressWindow->Close();
    cancelProgressWindow.reset();
}

void CSolvaneApp::TakeSettings(const ProgramSettings& settings) {
    settings_ = settings;
    link_.is50Hz = settings.freq50Hz;
}

const ProgramSettings& CSolvaneApp::SettingsToStore() {
    settings_.freq50Hz = link_.is50Hz;
    return settings_;
}

}  // namespace telvor
