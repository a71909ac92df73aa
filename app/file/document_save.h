#pragma once
// Saving the open document through the user interface, and the save question
// asked before a command replaces or rereads it.

#include "save_question.h"

namespace telvor {

struct CSolvaneDoc;
class UserInterface;

// Save: to the document's path, or through the save dialog when it is untitled.
// A file that cannot be written is reported. False when nothing was saved.
bool SaveDocument(CSolvaneDoc& doc, UserInterface& ui);

// Save As: Save of a document that asks for its file. A cancelled or failed save
// leaves the document's untitled flag as it was.
bool SaveDocumentAs(CSolvaneDoc& doc, UserInterface& ui);

// The save question with the given buttons; whether the command goes on.
bool SaveIfModified(CSolvaneDoc& doc, UserInterface& ui, SaveButtons buttons);

}  // namespace telvor
