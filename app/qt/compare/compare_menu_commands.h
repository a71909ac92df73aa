#pragma once
// The three compare commands of the main menu: each runs its dialog between the
// flow's Begin and Finish. True when a compare document was made. `adapt` may
// change the dialog's look before it runs (the handheld's "..." file buttons).

#include <functional>

class QDialog;
class QWidget;

namespace telvor {

class CSolvaneApp;
class QtUserInterface;

using AdaptDialog = std::function<void(QDialog&)>;

bool RunCompareInverterDefault(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent, const AdaptDialog& adapt = {});
bool RunCompareFileFile(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent, const AdaptDialog& adapt = {});
bool RunCompareFilesDefault(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent, const AdaptDialog& adapt = {});

}  // namespace telvor
