#pragma once
// The parameter document: one parameter set with its station titles and print
// title block, or a comparison of up to three sets. Plain data and the
// functions that make and refill it; the window and the view live elsewhere.

#include <array>
#include <cstdint>
#include <string>

#include "parameter_catalogue.h"
#include "parameter_keys.h"

namespace telvor {

// Stored in documents and compare files.
enum CompareMode { CompareNone, CompareInverterDefault, CompareFileFile, CompareFilesDefault };

inline constexpr const char* kDocumentHeader = "Varnox Ver:1.1.140123";
inline constexpr const char* kKindParameter = "Parameter";
inline constexpr const char* kKindCompare = "Compare";
inline constexpr const char* kUntitledTitle = "Untitled";

inline constexpr int kCompareSetCount = 3;
inline constexpr int kStationTitleCount = 254;  // stations 1..254
inline constexpr int kTitleBlockCount = 8;

// The eight texts of the print title block, in file order.
enum TitleBlockField {
    TitleFieldTitle,
    TitleFieldCompany,
    TitleFieldProgramer,
    TitleFieldVersion,
    TitleFieldDate,
    TitleFieldRemark1,
    TitleFieldRemark2,
    TitleFieldRemark3,
};

// Texts are held as UTF-8.
struct CSolvaneDoc {
    std::string headerText = kDocumentHeader;  // first line of the file it came from
    std::string kind = kKindParameter;
    std::int32_t compareMode = CompareNone;
    std::int32_t modelIndex = 0;
    std::uint8_t freq50HzFlag = 1;                              // 1 = 50 Hz defaults, 0 = 60 Hz defaults
    std::array<std::uint8_t, kCompareSetCount> presentFlags{};  // comparison only
    std::array<std::string, kCompareSetCount> setNames;         // comparison only
    std::array<std::uint8_t, kSetSize> rowFlags{};              // 1 = the row is shown
    std::array<ParameterSet, kCompareSetCount> sets{};          // sets[0] is set 1, the settings
    std::array<std::string, kStationTitleCount> stationTitles;  // [0] is station 1
    std::array<std::string, kTitleBlockCount> titleBlock;
    bool linked = false;  // a station was linked when the document was made; never stored
    bool untitled = true;
    bool modified = false;
    std::string title = kUntitledTitle;
    std::string path;
};

// What a Read delivered: the values in slot order and which groups were read.
struct PendingRead {
    bool readBasic = false;     // slots 0..12
    bool readAdvanced = false;  // slots 13..110
    ParameterSet values{};
};

bool IsComparison(const CSolvaneDoc& doc);  // CompareMode is not CompareNone
bool Is50Hz(const CSolvaneDoc& doc);        // the 50 Hz flag is not 0

// Raw defaults for the document's ModelIndex and 50 Hz flag; computed, never stored.
ParameterSet DocumentDefaults(const CSolvaneDoc& doc);
// Minimum, maximum and editor width of a parameter; the same for every model.
ParameterLimits DocumentLimits(int codeIndex);

// New: an untitled parameter document of defaults for the model and frequency,
// every parameter row shown. With a pending read, set 1 takes the read groups'
// values and the document is marked modified.
CSolvaneDoc NewDocument(int modelIndex, bool is50Hz, bool linked, const PendingRead* read = nullptr);

// Read into an open document: it becomes a parameter document of the given model
// and frequency again, all texts and compare fields cleared, set 1 the defaults
// overlaid with the read groups, marked modified. Title, path and untitled flag stay.
void ReloadFromLink(CSolvaneDoc& doc, int modelIndex, bool is50Hz, bool linked, const PendingRead& read);

}  // namespace telvor
