#include "compare_document.h"

namespace telvor {

RowFlags FileWithFileDiffers(const RowFlags& present1, const ParameterSet& values1, const RowFlags& present2,
                             const ParameterSet& values2) {
    RowFlags differs{};
    for (int slot = 0; slot < kSetSize; ++slot)
        differs[slot] = present1[slot] == 1 && present2[slot] == 1 && values1[slot] != values2[slot];
    return differs;
}

RowFlags CompareRowFlags(const PendingCompare& pending, const ParameterSet& defaults) {
    if (pending.mode == CompareFileFile) return pending.differs;
    RowFlags flags{};
    for (int slot = 0; slot < kSetSize; ++slot) {
        // b96 and b97 are the drive's identity and records: without a factory default they never differ from it.
        const int code = CodeIndexOfSlot(slot);
        if (code != kNoParameter && !HasFactoryDefault(code)) continue;
        const std::int32_t byDefault = slot < kParameterCount ? defaults[slot] : 0;
        bool differs = false;
        for (int set = 0; set < kCompareSetCount; ++set) {
            const bool takesPart = pending.mode == CompareInverterDefault ? set == 0 : pending.present[set];
            differs = differs || (takesPart && pending.sets[set][slot] != byDefault);
        }
        flags[slot] = differs;
    }
    return flags;
}

CSolvaneDoc MakeCompareDocument(const PendingCompare& pending, int modelIndex, bool is50Hz, bool linked) {
    CSolvaneDoc doc = NewDocument(modelIndex, is50Hz, linked);
    doc.kind = kKindCompare;
    doc.compareMode = pending.mode;
    for (int set = 0; set < kCompareSetCount; ++set) doc.presentFlags[set] = pending.present[set] ? 1 : 0;
    doc.setNames = pending.names;
    doc.sets = pending.sets;
    doc.rowFlags = CompareRowFlags(pending, DocumentDefaults(doc));
    doc.modified = true;
    return doc;
}

}  // namespace telvor
