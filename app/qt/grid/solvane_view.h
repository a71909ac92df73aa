#pragma once
// CSolvaneView: the parameter grid of the open document. Lists the parameters
// (or a comparison's rows), edits Setting cells in place and, in online edit,
// hands each finished edit on to be written to the drive.

#include <QString>
#include <cstdint>
#include <functional>

#include "grid_ctrl.h"
#include "message_sink.h"
#include "solvane_doc.h"

namespace telvor {

class CFindGotoDialog;
class ParameterTableModel;
class SettingDelegate;

struct ViewEditMode {
    bool onlineEdit = false;
    bool linked = false;
};

class CSolvaneView : public CGridCtrl {
    Q_OBJECT
public:
    // The view asks editMode for the online-edit flag and the link; range messages go to messages.
    CSolvaneView(MessageSink& messages, std::function<ViewEditMode()> editMode, QWidget* parent = nullptr);

    // Shows the document from its first row (A00), without a focus cell.
    void SetDocument(CSolvaneDoc* doc);
    CSolvaneDoc* Document() const;
    // The Default and Setting texts again from the document (after a Read or the
    // Definite dialog); in the Changed only view also its rows.
    void Refresh();

    // "Changed only": just the parameters whose Setting differs from the Default.
    // The rows are taken when the view is switched on and whenever the document is
    // refilled; a row edited back to its Default here stays until then. A
    // comparison, which lists only differing rows already, is never filtered.
    void SetChangedOnly(bool on);
    bool ChangedOnly() const { return changedOnly_; }
    bool OffersChangedOnly() const;
    ParameterTableModel* Model() const { return model_; }

    // What an online edit hands on, from the event loop, once its value is in the document.
    struct EditedSetting {
        int codeIndex = kNoParameter;
        std::int32_t previousValue = 0;  // put back when the edit is undone
        bool documentWasModified = false;
    };
    void SetOnlineCommit(std::function<void(const EditedSetting&)> commit) { commit_ = std::move(commit); }
    // Shows the document's current value of one parameter again.
    void RefreshParameter(int codeIndex);

    // Ends an edit of the Setting cell of row with text, as the in-place editor does.
    void EndSettingEdit(int row, const QString& text);

    // Find and Go to: show the view's one dialog on its tab. The hook sets and
    // clears the application's modal-busy flag around the dialog and the messages.
    void OnFind();
    void OnGoto();
    CFindGotoDialog* FindGotoDialog() const { return findGoto_; }
    void SetModalBusyHook(std::function<void(bool)> setBusy) { setBusy_ = std::move(setBusy); }

signals:
    // The Changed only view was switched, by SetChangedOnly or by a Go to that left it.
    void changedOnlySwitched(bool on);
    // A Setting cell's edit changed the document.
    void settingEdited();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowFindGoto(int tab);
    void OnFindRequest(int request);
    void SetModalBusy(bool busy);
    // Takes the rows again, keeping the focus cell's parameter where it is still shown.
    void Refilter();
    // Gives the grid the keyboard focus in an active window, so that the next key goes into it.
    void TakeKeyboardFocus();

    MessageSink& messages_;
    std::function<ViewEditMode()> editMode_;
    std::function<void(const EditedSetting&)> commit_;
    ParameterTableModel* model_;
    SettingDelegate* delegate_;
    CFindGotoDialog* findGoto_ = nullptr;
    std::function<void(bool)> setBusy_;
    bool changedOnly_ = false;
};

}  // namespace telvor
