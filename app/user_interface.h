#pragma once
// Everything the flows need of the user: messages, fixed dialogs, questions,
// the save-as path, progress windows, event draining and the notifications the
// screen needs after a flow changed state. A flow never knows whether a person,
// a console or a test answers.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document_file.h"
#include "message_sink.h"
#include "progress_window.h"

namespace telvor {

struct CSolvaneDoc;

enum class AskButtons { YesNo, YesNoCancel };
enum class Answer { Yes, No, Cancel };

// What the save dialog is asked for: the document's title as the initial name,
// the filter ("Parameter Files (*.vx3)|*.vx3||"), the default extension and the
// dialog's caption (empty: "Save As").
struct SavePathRequest {
    std::string initialName;
    std::string filter;
    std::string defaultExtension;
    std::string caption = {};  // empty: "Save As"
};

class UserInterface : public MessageSink {
public:
    // A modal message box with the given buttons.
    virtual Answer Ask(const std::string& caption, const std::string& text, AskButtons buttons,
                       MessageIcon icon) = 0;

    // The save dialog; nothing when the user cancels it.
    virtual std::optional<std::string> AskSavePath(const SavePathRequest& request) = 0;

    // The monitor's "Monitor Message" dialog after a time-out: the text, "&Continue"
    // (Ok) and "&Abort" (Cancel).
    virtual DialogResult RunMonitorMessage(const std::string& text) = 0;

    virtual std::unique_ptr<CProgressDialog> CreateProgressDialog() = 0;
    // onCancel runs when the user presses Cancel, before the window is destroyed.
    virtual std::unique_ptr<CCancelProgressDialog> CreateCancelProgressDialog(std::function<void()> onCancel) = 0;

    // Handles the events that are waiting (repaints, the Cancel button) and returns.
    virtual void DrainEvents() = 0;

    // Notifications after a flow changed state.
    virtual void DocumentRefilled(CSolvaneDoc& /*document*/) {}
    virtual void NewDocumentFromRead(CSolvaneDoc& /*document*/) {}
    virtual void DocumentClosed() {}
    virtual void StatusChanged() {}
    // Unlink closes the single-station and the monitor-all windows.
    virtual void CloseMonitorWindows() {}
    // Who Save writes files as: the desktop program, or the handheld.
    virtual FileFlavour SavedFileFlavour() const { return FileFlavour::Desktop; }
    // Whether the document's view shows a print preview (the Read command then
    // closes the document's window before reading).
    virtual bool ViewInPrintPreview() const { return false; }
};

}  // namespace telvor
