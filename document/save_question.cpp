#include "save_question.h"

namespace telvor {

std::string SaveQuestionText(const CSolvaneDoc& doc) {
    const std::string question = "Do you want to save file?\n";
    return IsComparison(doc) ? question : "The file has been modified!\n" + question;
}

bool NeedsSaveQuestion(const CSolvaneDoc& doc) {
    return doc.modified;
}

bool SaveIfModified(CSolvaneDoc& doc, SaveButtons buttons, const AskSave& ask, const RunSave& save) {
    if (!NeedsSaveQuestion(doc)) return true;
    switch (ask(SaveQuestionText(doc), buttons)) {
        case SaveAnswer::Yes:
            return save(doc);
        case SaveAnswer::No:
            doc.modified = false;
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

}  // namespace telvor
