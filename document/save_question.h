#pragma once
// The question asked before a modified document is closed, replaced or reread.
// The caller brings its own way of asking and of saving (Save, or Save As for an
// untitled document), so the desktop program, the handheld and the flows share it.

#include <functional>
#include <string>

#include "solvane_doc.h"

namespace telvor {

enum class SaveAnswer { Yes, No, Cancel };

// Close, New, Open, the compare commands and leaving the program offer Yes, No
// and Cancel; a Read offers Yes and No only.
enum class SaveButtons { YesNoCancel, YesNo };

// "The file has been modified!\n" + "Do you want to save file?\n" for a parameter
// document; only the second line for a comparison.
std::string SaveQuestionText(const CSolvaneDoc& doc);

// Asked only while the document is modified.
bool NeedsSaveQuestion(const CSolvaneDoc& doc);

using AskSave = std::function<SaveAnswer(const std::string& text, SaveButtons buttons)>;
// Saves the document (Save As when untitled); false when the user cancelled the
// Save As dialog or the file could not be written.
using RunSave = std::function<bool(CSolvaneDoc& doc)>;

// Whether the command goes on. Not modified: goes on without asking. Yes: goes on
// only when the save succeeded. No: clears the modified flag and goes on. Cancel: stops.
bool SaveIfModified(CSolvaneDoc& doc, SaveButtons buttons, const AskSave& ask, const RunSave& save);

}  // namespace telvor
