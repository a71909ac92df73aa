#include "view_online_commit.h"

#include "parameter_keys.h"
#include "solvane_app.h"

namespace telvor {

OnlineEditResult CommitViewEdit(CSolvaneApp& app, UserInterface& ui, CSolvaneView& view,
                                const CSolvaneView::EditedSetting& edited) {
    CSolvaneDoc* doc = app.Document();
    if (!doc) return OnlineEditResult::NotSent;
    OnlineEdit edit;
    edit.codeIndex = edited.codeIndex;
    edit.newValue = doc->sets[0][SlotOfCodeIndex(edited.codeIndex)];
    edit.previousValue = edited.previousValue;
    edit.documentWasModified = edited.documentWasModified;
    // The flows put the previous value back themselves when the edit is undone.
    const OnlineEditResult result = CommitOnlineEdit(app, ui, edit);
    view.RefreshParameter(edited.codeIndex);
    if (result == OnlineEditResult::Written) view.setFocus();
    return result;
}

}  // namespace telvor
