#include "solvane_doc.h"

namespace telvor {
namespace {

void ShowEveryParameterRow(CSolvaneDoc& doc) {
    doc.rowFlags.fill(0);
    for (int slot = 0; slot < kParameterCount; ++slot) doc.rowFlags[slot] = 1;
}

void OverlayRead(ParameterSet& set, const PendingRead& read) {
    for (int slot = 0; slot < kParameterCount; ++slot) {
        const bool basic = slot < kBasicCount;
        if ((basic && read.readBasic) || (!basic && read.readAdvanced)) set[slot] = read.values[slot];
    }
}

}  // namespace

bool IsComparison(const CSolvaneDoc& doc) {
    return doc.compareMode != CompareNone;
}

bool Is50Hz(const CSolvaneDoc& doc) {
    return doc.freq50HzFlag != 0;
}

ParameterSet DocumentDefaults(const CSolvaneDoc& doc) {
    return MakeDefaultSet(doc.modelIndex, Is50Hz(doc));
}

ParameterLimits DocumentLimits(int codeIndex) {
    return LimitsOf(codeIndex);
}

CSolvaneDoc NewDocument(int modelIndex, bool is50Hz, bool linked, const PendingRead* read) {
    CSolvaneDoc doc;
    doc.modelIndex = modelIndex;
    doc.freq50HzFlag = is50Hz ? 1 : 0;
    doc.linked = linked;
    ShowEveryParameterRow(doc);
    doc.sets[0] = DocumentDefaults(doc);
    if (read && (read->readBasic || read->readAdvanced)) {
        OverlayRead(doc.sets[0], *read);
        doc.modified = true;
    }
    return doc;
}

void ReloadFromLink(CSolvaneDoc& doc, int modelIndex, bool is50Hz, bool linked, const PendingRead& read) {
    doc.kind = kKindParameter;
    doc.compareMode = CompareNone;
    doc.modelIndex = modelIndex;
    doc.freq50HzFlag = is50Hz ? 1 : 0;
    doc.linked = linked;
    doc.presentFlags.fill(0);
    for (auto& name : doc.setNames) name.clear();
    for (auto& text : doc.stationTitles) text.clear();
    for (auto& text : doc.titleBlock) text.clear();
    ShowEveryParameterRow(doc);
    doc.sets = {};
    doc.sets[0] = DocumentDefaults(doc);
    OverlayRead(doc.sets[0], read);
    doc.modified = true;
}

}  // namespace telvor
