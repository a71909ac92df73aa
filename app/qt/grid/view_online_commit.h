#pragma once
// Hands a finished Setting edit of the view on to the online-edit commit and shows
// the parameter's value afterwards (the new one, or the previous one put back).

#include "online_edit.h"
#include "solvane_view.h"

namespace telvor {

class CSolvaneApp;
class UserInterface;

OnlineEditResult CommitViewEdit(CSolvaneApp& app, UserInterface& ui, CSolvaneView& view,
                                const CSolvaneView::EditedSetting& edited);

}  // namespace telvor
