#include "compare_input_file.h"

#include "document_file.h"
#include "user_interface.h"

namespace telvor {

bool LoadCompareSlot(CompareFileSlot& slot, const std::string& path, UserInterface& ui) {
    // The Open command's reader: every field up to the title block must be there.
    DocumentReadResult read = ReadDocumentFile(path);
    if (read.ok && IsComparison(read.doc)) read = {false, {}, {kOpenCaption, kFormatMessage, FileMessageIcon::Error}};
    if (!read.ok) {
        ui.ShowMessage(read.message.caption, read.message.text, MessageIcon::Stop);
        return false;
    }
    slot.loaded = true;
    slot.path = read.doc.path;
    slot.fileName = read.doc.title;
    slot.present = read.doc.rowFlags;
    slot.values = read.doc.sets[0];
    return true;
}

}  // namespace telvor
