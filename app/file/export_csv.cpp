#include "export_csv.h"

#include <filesystem>

#include "document_csv.h"
#include "document_file.h"
#include "user_interface.h"

namespace telvor {

bool ExportCsv(const CSolvaneDoc& doc, UserInterface& ui) {
    SavePathRequest request;
    request.initialName = std::filesystem::path(doc.title).replace_extension(".csv").string();
    request.filter = "CSV Files (*.csv)|*.csv||";
    request.defaultExtension = "csv";
    const std::optional<std::string> path = ui.AskSavePath(request);
    if (!path) return false;
    const CsvWriteResult written = WriteDocumentCsv(doc, *path);
    if (!written.ok) ui.ShowMessage(kSaveCaption, written.message, MessageIcon::Stop);
    return written.ok;
}

}  // namespace telvor
