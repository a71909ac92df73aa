#include <gtest/gtest.h>

#include "drive_models.h"

namespace telvor {
namespace {

TEST(DriveModels, NamesInIndexOrder) {
    const char* names[] = {"KRV-020-11", "KRV-040-11", "KRV-075-11", "KRV-020-21", "KRV-040-21", "KRV-075-21",
                           "KRV-150-21", "KRV-220-21", "KRV-075-43", "KRV-150-43", "KRV-220-43"};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(ModelName(i), names[i]);
    EXPECT_EQ(ModelName(11), "");
    EXPECT_EQ(ModelName(-1), "");
}

TEST(DriveModels, RatingBlockHasOneSpaceBetweenLabelAndValue) {
    EXPECT_EQ(RatingText(0),
              " KRV-020-11:\n"
              " 1. Horsepower: 0.25HP\n"
              " 2. Suitable motor capacity: 0.2KW\n"
              " 3. Rated output current: 1.7A\n"
              " 4. Rated capacity: 0.53KVA\n"
              " 5. Input voltage: Single-phase 100~120V +10%/-15%\n"
              " 6. Output voltage: Three-phase 200-240V\n");
    EXPECT_EQ(RatingText(10),
              " KRV-220-43:\n"
              " 1. Horsepower: 3HP\n"
              " 2. Suitable motor capacity: 2.2KW\n"
              " 3. Rated output current: 5.2A\n"
              " 4. Rated capacity: 4.00KVA\n"
              " 5. Input voltage: Three-phase 380~480V +10%/-15%\n"
              " 6. Output voltage: Three-phase 380-480V\n");
    EXPECT_EQ(RatingText(11), "");
}

TEST(DriveModels, ModelsZeroAndThreeDifferOnlyInNameAndInputVoltage) {
    std::string zero = RatingText(0), three = RatingText(3);
    zero.replace(zero.find("KRV-020-11"), 10, "KRV-020-21");
    zero.replace(zero.find("100~120V"), 8, "200~240V");
    EXPECT_EQ(zero, three);
}

}  // namespace
}  // namespace telvor
