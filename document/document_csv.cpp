#include "document_csv.h"

#include <cerrno>

namespace telvor {
namespace {

void PutField(std::string& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void PutRecord(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        PutField(out, fields[i]);
    }
    out += "\r\n";
}

}  // namespace

std::string DocumentCsv(const CSolvaneDoc& doc, RowFilter filter) {
    std::vector<TableColumn> columns = DocumentColumns(doc);
    // Code first, then Description, then the rest as the grid has them.
    std::swap(columns[0], columns[1]);
    std::string out;
    std::vector<std::string> fields;
    for (const TableColumn& column : columns) fields.push_back(column.caption);
    PutRecord(out, fields);
    for (int code : ShownCodeIndexes(doc, filter)) {
        fields.clear();
        for (const TableColumn& column : columns) fields.push_back(TableCellText(doc, code, column.cell));
        PutRecord(out, fields);
    }
    return out;
}

CsvWriteResult WriteDocumentCsv(const CSolvaneDoc& doc, const std::string& path, WriteMode mode) {
    const AtomicWriteResult written = WriteFileAtomically(path, DocumentCsv(doc), mode);
    if (written.ok) return {true, false, {}};
    return {false, mode == WriteMode::CreateOnly && written.error == EEXIST, SaveFailureMessage(path, written.reason)};
}

}  // namespace telvor
