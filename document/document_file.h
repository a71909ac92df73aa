#pragma once
// Parameter files (*.vx3) and compare files (*.mvx): one binary layout of LF-ended
// text lines and little-endian integers. Reading and writing never throw; every
// failure comes back as the message the user is shown.

#include <string>
#include <string_view>

#include "atomic_file.h"
#include "solvane_doc.h"

namespace telvor {

enum class FileMessageIcon { Error, Warning };

struct FileMessage {
    std::string caption;
    std::string text;
    FileMessageIcon icon = FileMessageIcon::Error;
};

inline constexpr const char* kOpenCaption = "Open\n";
inline constexpr const char* kCannotOpenMessage = "File could not be opened!\n";
inline constexpr const char* kFormatMessage =
    "Error: Open file failure!\n\nThe file format is not correctly!\n";
inline constexpr const char* kSaveCaption = "Save\n";

// Byte offsets of the fixed fields of a parameter file.
inline constexpr int kKindOffset = 22;
inline constexpr int kParameterCompareModeOffset = 32;
inline constexpr int kParameterModelOffset = 36;
inline constexpr int kParameterFreqFlagOffset = 40;
inline constexpr int kParameterRowFlagsOffset = 41;
inline constexpr int kParameterSet1Offset = 341;
inline constexpr int kParameterStationTitlesOffset = 1541;
// Byte offsets of the fixed fields of a compare file.
inline constexpr int kCompareCompareModeOffset = 30;
inline constexpr int kCompareModelOffset = 34;
inline constexpr int kCompareFreqFlagOffset = 38;
inline constexpr int kComparePresentFlagsOffset = 39;
inline constexpr int kCompareSetNamesOffset = 42;

struct DocumentReadResult {
    bool ok = false;
    CSolvaneDoc doc;      // when ok: titled after the file, not modified
    FileMessage message;  // when not ok: caption "Open\n", the reason, error icon
};

// Opens a file as the Open command does. Only a regular file is opened; one larger
// than the input file limit gets the format message.
DocumentReadResult ReadDocumentFile(const std::string& path);
// The same checks on bytes already in memory; title and path are left empty.
DocumentReadResult ParseDocumentBytes(std::string_view bytes);

// Who writes a file: the desktop program (its header, texts as UTF-8) or the handheld
// (its header, each text character as one byte).
enum class FileFlavour { Desktop, Handheld };

inline constexpr const char* kHandheldDocumentHeader = "Varnox Ver:1.0.060502";

// The bytes of the file that Save writes for the document: the flavour's header, the
// kind after CompareMode, texts with CR and LF replaced by a space. `replaced` (may be
// omitted) counts the handheld's characters that one byte cannot hold, written as "?".
std::string DocumentFileBytes(const CSolvaneDoc& doc, FileFlavour flavour = FileFlavour::Desktop,
                              std::size_t* replaced = nullptr);

struct DocumentWriteResult {
    bool ok = false;
    bool fileExists = false;  // a create-only save found a file at the path
    FileMessage message;      // when not ok: names the file and the system's reason
    std::size_t replacedCharacters = 0;  // the handheld's "?" for characters one byte cannot hold
};

// Save to path: written to a temporary file in the same folder, then renamed over
// the target (see WriteFileAtomically). On success the document takes the file's name
// as title and its path, and loses its modified and untitled flags; on failure it is
// left as it was.
DocumentWriteResult WriteDocumentFile(CSolvaneDoc& doc, const std::string& path,
                                      WriteMode mode = WriteMode::Replace, FileFlavour flavour = FileFlavour::Desktop);

// The Open command's test: the extension is vx3 or mvx, in any case.
bool HasDocumentExtension(const std::string& path);

}  // namespace telvor
