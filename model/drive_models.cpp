#include "drive_models.h"

#include <array>

namespace telvor {
namespace {

struct DriveModel {
    const char* name;
    const char* horsepower;
    const char* motor;
    const char* ratedCurrent;
    const char* ratedCapacity;
    const char* inputVoltage;
    const char* outputVoltage;
    // Defaults by model: A08 and b10, b03, b09, b12, b14 and b15, b16.
    const char* ratedVoltage;
    const char* noLoadCurrent;
    const char* ratedCurrentDefault;
    const char* ratedPower;
    const char* vectorGains;
    const char* deadTime;
};

constexpr const char* kSingle100 = "Single-phase 100~120V +10%/-15%\n";
constexpr const char* kSingle200 = "Single-phase 200~240V +10%/-15%\n";
constexpr const char* kThree400 = "Three-phase 380~480V +10%/-15%\n";
constexpr const char* kOut200 = "Three-phase 200-240V\n";
constexpr const char* kOut400 = "Three-phase 380-480V\n";

constexpr std::array<DriveModel, kModelCount> kModels{{
    {"KRV-020-11", " 0.25HP\n", " 0.2KW\n", " 1.7A\n", " 0.53KVA\n", kSingle100, kOut200,
     "220.0", "0.5", "1.0", "0.2", "250/300", "20/24"},
    {"KRV-040-11", " 0.5HP\n", " 0.4KW\n", " 3.1A\n", " 0.88KVA\n", kSingle100, kOut200,
     "220.0", "0.9", "1.9", "0.4", "250/300", "20/24"},
    {"KRV-075-11", " 1HP\n", " 0.75KW\n", " 4.5A\n", " 1.60KVA\n", kSingle100, kOut200,
     "220.0", "1.7", "3.4", "0.8", "250/300", "20/24"},
    {"KRV-020-21", " 0.25HP\n", " 0.2KW\n", " 1.7A\n", " 0.53KVA\n", kSingle200, kOut200,
     "220.0", "0.5", "1.0", "0.2", "250/300", "20/24"},
    {"KRV-040-21", " 0.5HP\n", " 0.4KW\n", " 3.1A\n", " 0.88KVA\n", kSingle200, kOut200,
     "220.0", "0.9", "1.9", "0.4", "250/300", "20/24"},
    {"KRV-075-21", " 1HP\n", " 0.75KW\n", " 4.5A\n", " 1.60KVA\n", kSingle200, kOut200,
     "220.0", "1.7", "3.4", "0.8", "250/300", "20/24"},
    {"KRV-150-21", " 2HP\n", " 1.5KW\n", " 7.5A\n", " 2.90KVA\n", kSingle200, kOut200,
     "220.0", "2.8", "5.7", "1.5", "200/240", "15/18"},
    {"KRV-220-21", " 3HP\n", " 2.2KW\n", " 10.5A\n", " 4.00KVA\n", kSingle200, kOut200,
     "220.0", "4.0", "8.0", "2.2", "200/240", "15/18"},
    {"KRV-075-43", " 1HP\n", " 0.75KW\n", " 2.3A\n", " 1.70KVA\n", kThree400, kOut400,
     "440.0", "0.8", "1.6", "0.8", "250/300", "20/24"},
    {"KRV-150-43", " 2HP\n", " 1.5KW\n", " 3.8A\n", " 2.90KVA\n", kThree400, kOut400,
     "440.0", "1.5", "3.0", "1.5", "200/240", "15/18"},
    {"KRV-220-43", " 3HP\n", " 2.2KW\n", " 5.2A\n", " 4.00KVA\n", kThree400, kOut400,
     "440.0", "2.2", "4.3", "2.2", "200/240", "15/18"},
}};

}  // namespace

bool IsModelIndex(int modelIndex) { return modelIndex >= 0 && modelIndex < kModelCount; }

std::string ModelName(int modelIndex) { return IsModelIndex(modelIndex) ? kModels[modelIndex].name : ""; }

std::string RatingText(int modelIndex) {
    if (!IsModelIndex(modelIndex)) return {};
    const DriveModel& m = kModels[modelIndex];
    std::string text = std::string(" ") + m.name + ":\n";
    text += std::string(" 1. Horsepower:") + m.horsepower;
    text += std::string(" 2. Suitable motor capacity:") + m.motor;
    text += std::string(" 3. Rated output current:") + m.ratedCurrent;
    text += std::string(" 4. Rated capacity:") + m.ratedCapacity;
    text += std::string(" 5. Input voltage: ") + m.inputVoltage;
    text += std::string(" 6. Output voltage: ") + m.outputVoltage;
    return text;
}

std::string ModelDefaultText(int codeIndex, int modelIndex) {
    if (!IsModelIndex(modelIndex)) return {};
    const DriveModel& m = kModels[modelIndex];
    switch (codeIndex) {
        case 8:    // A08 output voltage at base frequency
        case 110:  // b10 motor rated voltage
            return m.ratedVoltage;
        case 103: return m.noLoadCurrent;        // b03
        case 109: return m.ratedCurrentDefault;  // b09
        case 112: return m.ratedPower;           // b12
        case 114:                                // b14
        case 115: return m.vectorGains;          // b15
        case 116: return m.deadTime;             // b16
        default: return {};
    }
}

}  // namespace telvor
