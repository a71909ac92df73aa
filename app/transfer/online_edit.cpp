#include "online_edit.h"

#include "fixed_dialog_text.h"
#include "parameter_catalogue.h"
#include "solvane_app.h"
#include "user_interface.h"
#include "write_flow.h"

namespace telvor {
namespace {

void StoreInDocument(CSolvaneApp& app, int codeIndex, std::int32_t value) {
    CSolvaneDoc* doc = app.Document();
    int slot = SlotOfCodeIndex(codeIndex);
    if (doc && slot != kNoParameter) doc->sets[0][slot] = value;
}

OnlineEditResult Undo(CSolvaneApp& app, const OnlineEdit& edit) {
    StoreInDocument(app, edit.codeIndex, edit.previousValue);
    if (CSolvaneDoc* doc = app.Document()) doc->modified = edit.documentWasModified;
    return OnlineEditResult::Undone;
}

}  // namespace

OnlineEditResult CommitOnlineEdit(CSolvaneApp& app, UserInterface& ui, const OnlineEdit& edit) {
    LinkState& link = app.Link();
    if (!app.OnlineEdit() || !link.linked) return OnlineEditResult::NotSent;
    bool isReset = edit.codeIndex == kCodeB95;
    // A reset value of 0 stays in the document and is never sent.
    if (isReset && edit.newValue == 0) return OnlineEditResult::NotSent;
    if (isReset && (edit.newValue == 10 || edit.newValue == 20)) {
        link.modalBusy = true;
        if (!ConfirmFactoryReset(ui, edit.newValue)) {
            link.modalBusy = false;
            return Undo(app, edit);
        }
    }
    int station = edit.station != 0 ? edit.station : link.currentStation;
    if (!WriteOneParameter(app, ui, station, edit.codeIndex, edit.newValue)) return Undo(app, edit);
    // The drive sets b95 back to 0 after a factory reset.
    if (isReset) StoreInDocument(app, edit.codeIndex, 0);
    return OnlineEditResult::Written;
}

}  // namespace telvor
