#include "document_file.h"

#include <cctype>
#include <cerrno>
#include <filesystem>

#include "atomic_file.h"
#include "text_encoding.h"
#include "whole_file.h"

namespace telvor {
namespace {

// Reads the fields of a file in order; every read fails once the bytes run out.
class FieldReader {
  public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    // A line without its LF (and without a CR before the LF).
    bool Line(std::string_view& line) {
        const auto end = bytes_.find('\n', position_);
        if (end == std::string_view::npos) return false;
        line = bytes_.substr(position_, end - position_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        position_ = end + 1;
        return true;
    }

    bool Text(std::string& text) {
        std::string_view line;
        if (!Line(line)) return false;
        text = TextFromFile(line);
        return true;
    }

    bool Byte(std::uint8_t& value) {
        if (bytes_.size() - position_ < 1) return false;
        value = static_cast<std::uint8_t>(bytes_[position_++]);
        return true;
    }

    bool Int32(std::int32_t& value) {
        if (bytes_.size() - position_ < 4) return false;
        std::uint32_t bits = 0;
        for (int k = 3; k >= 0; --k) bits = (bits << 8) | static_cast<std::uint8_t>(bytes_[position_ + k]);
        position_ += 4;
        value = static_cast<std::int32_t>(bits);
        return true;
    }

    template <std::size_t N>
    bool Bytes(std::array<std::uint8_t, N>& values) {
        for (auto& value : values)
            if (!Byte(value)) return false;
        return true;
    }

    bool Set(ParameterSet& set) {
        for (auto& value : set)
            if (!Int32(value)) return false;
        return true;
    }

    template <std::size_t N>
    bool Texts(std::array<std::string, N>& texts) {
        for (auto& text : texts)
            if (!Text(text)) return false;
        return true;
    }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// Writes the fields of a file in order, its texts in the flavour's encoding.
class FieldWriter {
  public:
    FieldWriter(FileFlavour flavour, std::size_t size) : flavour_(flavour) { out_.reserve(size); }

    void Line(std::string_view text) {
        const std::string line = TextForFile(text);
        out_ += flavour_ == FileFlavour::Handheld ? Utf8ToLatin1(line, replaced_) : line;
        out_ += '\n';
    }

    void Byte(std::uint8_t value) { out_ += static_cast<char>(value); }

    void Int32(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int k = 0; k < 4; ++k) out_ += static_cast<char>((bits >> (8 * k)) & 0xFF);
    }

    void Set(const ParameterSet& set) {
        for (auto value : set) Int32(value);
    }

    template <std::size_t N>
    void Bytes(const std::array<std::uint8_t, N>& values) {
        for (auto value : values) Byte(value);
    }

    template <std::size_t N>
    void Lines(const std::array<std::string, N>& texts) {
        for (const auto& text : texts) Line(text);
    }

    std::string& Out() { return out_; }
    std::size_t Replaced() const { return replaced_; }

  private:
    FileFlavour flavour_;
    std::string out_;
    std::size_t replaced_ = 0;
};

const char* HeaderOf(FileFlavour flavour) {
    return flavour == FileFlavour::Handheld ? kHandheldDocumentHeader : kDocumentHeader;
}

DocumentReadResult Rejected(const char* text) {
    return {false, {}, {kOpenCaption, text, FileMessageIcon::Error}};
}

bool IsCompareModeValue(std::int32_t mode) {
    return mode >= CompareNone && mode <= CompareFilesDefault;
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string FullPathOf(const std::string& path) {
    std::error_code error;
    const auto full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

}  // namespace

DocumentReadResult ParseDocumentBytes(std::string_view bytes) {
    FieldReader in(bytes);
    CSolvaneDoc doc;
    if (!in.Text(doc.headerText) || doc.headerText.find("Varnox") == std::string::npos)
        return Rejected(kFormatMessage);
    if (!in.Text(doc.kind) || (doc.kind != kKindParameter && doc.kind != kKindCompare))
        return Rejected(kFormatMessage);
    if (!in.Int32(doc.compareMode) || !in.Int32(doc.modelIndex) || !in.Byte(doc.freq50HzFlag))
        return Rejected(kFormatMessage);
    // Only the four modes exist; any other value would leave the views without columns.
    if (!IsCompareModeValue(doc.compareMode)) return Rejected(kFormatMessage);
    const bool comparison = IsComparison(doc);
    if (comparison != (doc.kind == kKindCompare)) return Rejected(kFormatMessage);
    if (comparison && (!in.Bytes(doc.presentFlags) || !in.Texts(doc.setNames)))
        return Rejected(kFormatMessage);
    if (!in.Bytes(doc.rowFlags) || !in.Set(doc.sets[0])) return Rejected(kFormatMessage);
    if (comparison ? !(in.Set(doc.sets[1]) && in.Set(doc.sets[2])) : !in.Texts(doc.stationTitles))
        return Rejected(kFormatMessage);
    // Bytes after the title block are ignored: nothing of ours writes them.
    if (!in.Texts(doc.titleBlock)) return Rejected(kFormatMessage);
    doc.untitled = false;
    doc.modified = false;
    doc.title.clear();
    return {true, std::move(doc), {}};
}

DocumentReadResult ReadDocumentFile(const std::string& path) {
    const WholeFile file = ReadWholeFile(path);
    if (file.status == WholeFileStatus::NotOpened) return Rejected(kCannotOpenMessage);
    // No file of ours comes near the limit.
    if (file.status == WholeFileStatus::TooLarge) return Rejected(kFormatMessage);
    DocumentReadResult result = ParseDocumentBytes(file.bytes);
    if (result.ok) {
        result.doc.title = FileNameOf(path);
        result.doc.path = FullPathOf(path);
    }
    return result;
}

std::string DocumentFileBytes(const CSolvaneDoc& doc, FileFlavour flavour, std::size_t* replaced) {
    const bool comparison = IsComparison(doc);
    FieldWriter out(flavour, comparison ? 4200 : 1803);
    out.Line(HeaderOf(flavour));
    out.Line(comparison ? kKindCompare : kKindParameter);
    out.Int32(doc.compareMode);
    out.Int32(doc.modelIndex);
    out.Byte(doc.freq50HzFlag);
    if (comparison) {
        out.Bytes(doc.presentFlags);
        out.Lines(doc.setNames);
    }
    out.Bytes(doc.rowFlags);
    out.Set(doc.sets[0]);
    if (comparison) {
        out.Set(doc.sets[1]);
        out.Set(doc.sets[2]);
    } else {
        out.Lines(doc.stationTitles);
    }
    out.Lines(doc.titleBlock);
    if (replaced) *replaced = out.Replaced();
    return std::move(out.Out());
}

DocumentWriteResult WriteDocumentFile(CSolvaneDoc& doc, const std::string& path, WriteMode mode,
                                      FileFlavour flavour) {
    std::size_t replaced = 0;
    const AtomicWriteResult written = WriteFileAtomically(path, DocumentFileBytes(doc, flavour, &replaced), mode);
    if (!written.ok)
        return {false,
                mode == WriteMode::CreateOnly && written.error == EEXIST,
                {kSaveCaption, SaveFailureMessage(path, written.reason), FileMessageIcon::Error},
                0};
    doc.headerText = HeaderOf(flavour);
    doc.kind = IsComparison(doc) ? kKindCompare : kKindParameter;
    doc.title = FileNameOf(path);
    doc.path = FullPathOf(path);
    doc.modified = false;
    doc.untitled = false;
    return {true, false, {}, replaced};
}

bool HasDocumentExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".vx3" || extension == ".mvx";
}

}  // namespace telvor
