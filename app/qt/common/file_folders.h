#pragma once
// The folder each kind of file was last chosen in, so that a file dialog opens
// where the user last put or took that kind of file. Kept in the program's Qt
// settings (beside the recent-file list), not in the settings file.

#include <QString>
#include <string>

namespace telvor {

// The kind of file that a dialog's default extension names: parameter and compare
// files ("vx3", "mvx") are one kind, every other extension its own.
QString FileKind(const std::string& defaultExtension);

// The folder last used for the kind; empty when none was used yet or it is gone.
QString LastFolder(const QString& kind);
// Remembers the folder of a chosen file for the kind.
void RememberFolder(const QString& kind, const QString& chosenFile);

}  // namespace telvor
