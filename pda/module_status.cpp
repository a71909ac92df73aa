#include "module_status.h"

#include <cstdio>

#include "drive_models.h"
#include "solvane_app.h"
#include "transactions.h"
#include "user_interface.h"

namespace telvor {
namespace {

constexpr int kRunningFlag = 0x01;
constexpr int kReverseFlag = 0x02;

}  // namespace

ModuleStatusTexts ReadModuleStatus(CSolvaneApp& app, UserInterface& ui) {
    const LinkState& link = app.Link();
    ModuleStatusTexts texts;
    if (!link.linked) {
        const CSolvaneDoc* doc = app.Document();
        texts.model = doc && IsModelIndex(doc->modelIndex) ? ModelName(doc->modelIndex) : "xxx-xxx-xx";
        texts.linkStatus = "Unlink";
        texts.station = "-----------";
        return texts;
    }
    texts.model = ModelName(link.currentModel);
    texts.version = SoftwareVersionText(link.softwareVersion);
    char station[8];
    std::snprintf(station, sizeof station, "%03d", link.currentStation);
    texts.station = station;
    texts.linkStatus = "Linking, ";
    const TransactionReply status = ReadStatusWords(app.Line(ui), link.currentStation);
    if (!status.Ok()) {
        CommunicationFailureReport(ui, status);
        return texts;
    }
    const int runFlags = status.values.front();
    texts.linkStatus += (runFlags & kRunningFlag) ? "RUN" : "STOP";
    texts.direction = (runFlags & kReverseFlag) ? "<< REV" : "FWD >>";
    return texts;
}

}  // namespace telvor
