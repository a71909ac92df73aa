#pragma once
// The three compare commands of the main menu: each runs its dialog between the
// flow's Begin and Finish. True when a compare document was made.

class QWidget;

namespace telvor {

class CSolvaneApp;
class QtUserInterface;

bool RunCompareInverterDefault(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent);
bool RunCompareFileFile(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent);
bool RunCompareFilesDefault(CSolvaneApp& app, QtUserInterface& ui, QWidget* parent);

}  // namespace telvor
