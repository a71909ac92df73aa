#include "document_save.h"

#include "document_file.h"
#include "solvane_doc.h"
#include "user_interface.h"

namespace telvor {

bool SaveDocument(CSolvaneDoc& doc, UserInterface& ui) {
    std::string path = doc.path;
    if (doc.untitled || path.empty()) {
        SavePathRequest request;
        request.initialName = doc.title;
        request.filter = IsComparison(doc) ? "Compara Files (*.mvx)|*.mvx||" : "Parameter Files (*.vx3)|*.vx3||";
        // A comparison typed without an extension becomes a compare file, as its filter says.
    request.defaultExtension = IsComparison(doc) ? "mvx" : "vx3";
        std::optional<std::string> chosen = ui.AskSavePath(request);
        if (!chosen) return false;
        path = *chosen;
    }
    DocumentWriteResult written = WriteDocumentFile(doc, path, WriteMode::Replace, ui.SavedFileFlavour());
    if (!written.ok) {
        ui.ShowMessage(written.message.caption, written.message.text, MessageIcon::Stop);
        return false;
    }
    if (written.replacedCharacters > 0)
        ui.ShowMessage(kSaveCaption,
                       std::to_string(written.replacedCharacters) +
                           " character(s) of the texts cannot be kept in a handheld file and were saved as \"?\".",
                       MessageIcon::Warning);
    return true;
}

bool SaveDocumentAs(CSolvaneDoc& doc, UserInterface& ui) {
    const bool wasUntitled = doc.untitled;
    doc.untitled = true;
    const bool saved = SaveDocument(doc, ui);
    if (!saved) doc.untitled = wasUntitled;
    return saved;
}

bool SaveIfModified(CSolvaneDoc& doc, UserInterface& ui, SaveButtons buttons) {
    auto ask = [&ui](const std::string& text, SaveButtons offered) {
        Answer answer = ui.Ask(kApplicationTitle, text,
                               offered == SaveButtons::YesNo ? AskButtons::YesNo : AskButtons::YesNoCancel,
                               MessageIcon::Warning);
        switch (answer) {
            case Answer::Yes:
                return SaveAnswer::Yes;
            case Answer::No:
                return SaveAnswer::No;
            case Answer::Cancel:
                break;
        }
        return SaveAnswer::Cancel;
    };
    auto save = [&ui](CSolvaneDoc& toSave) { return SaveDocument(toSave, ui); };
    return telvor::SaveIfModified(doc, buttons, ask, save);
}

}  // namespace telvor
