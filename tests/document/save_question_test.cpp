#include "save_question.h"

#include <gtest/gtest.h>

#include <optional>

namespace telvor {
namespace {

TEST(SaveQuestion, TextDependsOnTheKindOfDocument) {
    CSolvaneDoc doc = NewDocument(0, true, false);
    EXPECT_EQ(SaveQuestionText(doc), "The file has been modified!\nDo you want to save file?\n");
    doc.compareMode = CompareFilesDefault;
    EXPECT_EQ(SaveQuestionText(doc), "Do you want to save file?\n");
}

struct Case {
    bool modified;
    std::optional<SaveAnswer> answer;  // nothing: the question must not be asked
    bool saveSucceeds;
    bool goesOn;
    bool modifiedAfter;
    int saves;
};

TEST(SaveQuestion, AnswerAndSaveOutcomeDecideWhetherTheCommandGoesOn) {
    const Case cases[] = {
        {false, std::nullopt, true, true, false, 0},    {true, SaveAnswer::Yes, true, true, false, 1},
        {true, SaveAnswer::Yes, false, false, true, 1},  // Save As cancelled or the write failed
        {true, SaveAnswer::No, true, true, false, 0},   {true, SaveAnswer::Cancel, true, false, true, 0},
    };
    for (const Case& c : cases) {
        for (SaveButtons buttons : {SaveButtons::YesNoCancel, SaveButtons::YesNo}) {
            if (buttons == SaveButtons::YesNo && c.answer == SaveAnswer::Cancel) continue;
            CSolvaneDoc doc = NewDocument(0, true, false);
            doc.modified = c.modified;
            int asked = 0, saves = 0;
            std::string askedText;
            const bool goesOn = SaveIfModified(
                doc, buttons,
                [&](const std::string& text, SaveButtons offered) {
                    ++asked;
                    askedText = text;
                    EXPECT_EQ(offered, buttons);
                    return c.answer.value_or(SaveAnswer::Cancel);
                },
                [&](CSolvaneDoc& saved) {
                    ++saves;
                    if (c.saveSucceeds) saved.modified = false;
                    return c.saveSucceeds;
                });
            EXPECT_EQ(asked, c.answer ? 1 : 0);
            if (c.answer) {
                EXPECT_EQ(askedText, SaveQuestionText(doc));
            }
            EXPECT_EQ(goesOn, c.goesOn);
            EXPECT_EQ(doc.modified, c.modifiedAfter);
            EXPECT_EQ(saves, c.saves);
        }
    }
}

}  // namespace
}  // namespace telvor
