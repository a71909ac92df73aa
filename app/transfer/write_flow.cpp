#include "write_flow.h"

#include <vector>

#include "fixed_dialog_text.h"
#include "parameter_catalogue.h"
#include "parameter_source.h"
#include "read_flow.h"
#include "solvane_app.h"
#include "station_range.h"
#include "transactions.h"
#include "user_interface.h"
#include "value_format.h"

namespace telvor {
namespace {

constexpr const char* kWriteProgressText = "Write Inverter Function Parameter To Module...";
constexpr const char* kCapacityErrorText = "Parameter b89: Inverter Horse Power Capacity Error !";
constexpr int kSlotB89 = kBasicCount + 89;

bool FitsInRegister(std::int64_t value) { return value >= 0 && value <= kLargestField; }

bool NeverSent(int code) { return IsProtected(code) || code == kCodeB89 || code == kCodeB95; }

// The codes of the chosen groups that a whole-set write sends, in slot order.
std::vector<int> CodesToSend(ParameterGroups groups) {
    std::vector<int> codes;
    for (int slot = 0; slot < kParameterCount; ++slot) {
        const int code = CodeIndexOfSlot(slot);
        const bool chosen = slot < kBasicCount ? groups.basic : groups.advanced;
        if (chosen && !NeverSent(code)) codes.push_back(code);
    }
    return codes;
}

// What follows a failure at one station.
enum class AfterFailure { NextStation, EndCommand };

// One run of the Write command over its station list.
class WriteRun {
public:
    WriteRun(CSolvaneApp& app, UserInterface& ui, const CSolvaneDoc& doc, const StationMarks& marks,
             const WriteDialogData& choice)
        : app_(app), ui_(ui), doc_(doc), marks_(marks), groups_(choice.groups), verify_(choice.verify),
          port_(app.Line(ui)) {}

    WriteReport Run() {
        const int n = marks_.count;
        for (int k = 0; k < n && !report_.ended; ++k) {
            station_ = marks_.list[k];
            moreToGo_ = n >= 2 && k < n - 1;
            current_ = StationWriteResult{};
            current_.station = station_;
            current_.ok = WriteStation();
            report_.stations.push_back(current_);
            if (current_.ok) {
                ++report_.stationsWritten;
            } else if (!report_.ended) {
                ++report_.stationsSkipped;
            }
            app_.CloseProgressWindow();
        }
        app_.CloseProgressWindow();
        if (n >= 2) {
            ui_.ShowMessage(kWriteMessageCaption, WriteSummary(report_.stations, marks_.list),
                            report_.Complete() ? MessageIcon::Information : MessageIcon::Warning);
        }
        return report_;
    }

private:
    // True when every parameter of the chosen groups went out.
    bool WriteStation() {
        LinkState& link = app_.Link();
        link.currentStation = station_;
        // The panes show no version or model until this station has told its own.
        link.stationIdentified = false;
        ui_.StatusChanged();
        if (const std::string refused = OutOfRangeValues(doc_, groups_); !refused.empty()) {
            ui_.ShowMessage(kRangeMessageCaption, refused, MessageIcon::Information);
            AskToGoOn();
            return false;
        }
        TransactionReply version = ReadSoftwareVersion(port_, station_);
        if (!version.Ok()) {
            Failed(version);
            return false;
        }
        TransactionReply capacity = ReadCapacityCode(port_, station_);
        if (!capacity.Ok()) {
            Failed(capacity);
            return false;
        }
        link.softwareVersion = version.values.front();
        link.currentModel = capacity.values.front();
        link.stationIdentified = true;
        ui_.StatusChanged();
        if (capacity.values.front() != doc_.sets[0][kSlotB89]) {
            ui_.ShowMessage("Error Message", kCapacityErrorText, MessageIcon::Information);
            AskToGoOn();
            return false;
        }

        app_.progressWindow = ui_.CreateProgressDialog();
        if (groups_.basic && !WriteGroup(0, 0, kBasicCount)) return false;
        if (groups_.advanced && !WriteGroup(100, kBasicCount, kAdvancedCount)) return false;
        return !verify_ || Verify();
    }

    // Reads back every parameter that went out and compares it with what was sent;
    // a station whose values differ is shown them and counts as failed.
    bool Verify() {
        const std::vector<int> codes = CodesToSend(groups_);
        ParameterSource source(port_, station_, codes, app_.readOptions);
        CProgressDialog& window = *app_.progressWindow;
        window.SetRange(0, static_cast<int>(codes.size()));
        window.SetPos(0);
        current_.verified = 0;
        for (const int code : codes) {
            StepReadProgress(window, code);
            TransactionReply reply = source.Read(code);
            if (!reply.Ok()) {
                Failed(reply);
                return false;
            }
            const std::int64_t sent = doc_.sets[0][SlotOfCodeIndex(code)];
            if (reply.values.front() == sent) {
                ++current_.verified;
            } else {
                current_.differences.push_back({code, sent, reply.values.front()});
            }
        }
        if (current_.differences.empty()) return true;
        ui_.ShowMessage(kWriteMessageCaption, VerifyMessage(current_.differences), MessageIcon::Warning);
        AskToGoOn();
        return false;
    }

    bool WriteGroup(int firstCode, int firstSlot, int count) {
        CProgressDialog& window = *app_.progressWindow;
        window.SetRange(0, count);
        window.SetPos(0);
        for (int i = 0; i < count; ++i) {
            int code = firstCode + i;
            if (NeverSent(code)) {
                window.StepIt();
                continue;
            }
            window.Show();
            window.SetText(kWriteProgressText + CodeText(code));
            window.StepIt();
            window.Repaint();
            TransactionReply reply = WriteParameter(port_, station_, code, doc_.sets[0][firstSlot + i]);
            if (!reply.Ok()) {
                Failed(reply);
                return false;
            }
            ++current_.written;
        }
        return true;
    }

    // A failed capacity read or parameter write.
    void Failed(const TransactionReply& reply) {
        switch (reply.result) {
            case ExchangeResult::ReplyTimeout:
                if (reply.requestRefused) break;
                if (!moreToGo_) {
                    ui_.RunFixedDialog(FixedDialog::TimeOut);
                    report_.ended = true;
                } else if (ui_.RunFixedDialog(FixedDialog::ContinueAfterTimeOut) == DialogResult::Cancel) {
                    report_.ended = true;
                }
                return;
            case ExchangeResult::ReplyChecksumError:
                ui_.RunFixedDialog(FixedDialog::ChecksumError);
                report_.ended = true;
                return;
            case ExchangeResult::ReplyException:
            case ExchangeResult::ReplyNormal:
                break;
        }
        CommunicationFailureReport(ui_, reply);
        AskToGoOn();
    }

    // After an exception reply or a capacity mismatch: with stations still to go
    // the user chooses; otherwise the command ends.
    void AskToGoOn() {
        if (!moreToGo_ || ui_.RunFixedDialog(FixedDialog::ContinueToNextStation) == DialogResult::Cancel) {
            report_.ended = true;
        }
    }

    CSolvaneApp& app_;
    UserInterface& ui_;
    const CSolvaneDoc& doc_;
    const StationMarks& marks_;
    ParameterGroups groups_;
    bool verify_;
    ModbusTransport& port_;
    WriteReport report_;
    StationWriteResult current_;
    int station_ = 0;
    bool moreToGo_ = false;
};

}  // namespace

std::string OutOfRangeValues(const CSolvaneDoc& doc, ParameterGroups groups) {
    std::string message;
    for (const int code : CodesToSend(groups)) {
        const std::int32_t value = doc.sets[0][SlotOfCodeIndex(code)];
        if (CheckRange(code, value) && FitsInRegister(value)) continue;
        message += (message.empty() ? kOverRangeText : "\n\n") + ValueOutOfRangeText(code, value);
    }
    return message;
}

std::optional<WriteDialogData> BeginWriteCommand(CSolvaneApp& app, UserInterface& ui) {
    const CSolvaneDoc* doc = app.Document();
    if (!doc || IsComparison(*doc) || app.Link().stationScan) return std::nullopt;
    if (!app.Link().linked) {
        ui.RunFixedDialog(FixedDialog::NotLinked);
        return std::nullopt;
    }
    WriteDialogData data;
    data.stationText = std::to_string(app.Link().currentStation);
    return data;
}

WriteReport FinishWriteCommand(CSolvaneApp& app, UserInterface& ui, const WriteDialogData& choice) {
    WriteReport report;
    const CSolvaneDoc* doc = app.Document();
    if (!doc || IsComparison(*doc) || app.Link().stationScan) {
        report.ended = true;
        return report;
    }
    if (!app.Link().linked) {
        ui.RunFixedDialog(FixedDialog::NotLinked);
        report.ended = true;
        return report;
    }
    const std::optional<StationMarks> marks =
        choice.allStations ? AllStations() : ParseStrictStationList(choice.stationText);
    if (!marks) {
        ui.ShowMessage(kWriteMessageCaption, StationTextMessage(choice.stationText),
                       MessageIcon::Information);
        report.ended = true;
        return report;
    }
    app.WriteGroups() = choice.groups;
    return WriteRun(app, ui, *doc, *marks, choice).Run();
}

bool WriteOneParameter(CSolvaneApp& app, UserInterface& ui, int station, int codeIndex, std::int64_t value) {
    LinkState& link = app.Link();
    if (!link.linked) {
        ui.RunFixedDialog(FixedDialog::NotLinked);
        return false;
    }
    link.modalBusy = true;
    bool ok = false;
    if (!IsStationNumber(station)) {
        ui.ShowMessage("Error Message", "Address Error !", MessageIcon::Information);
    } else if (!FitsInRegister(value)) {
        ui.ShowMessage(kRangeMessageCaption, RangeMessage(codeIndex), MessageIcon::Information);
    } else {
        TransactionReply reply = WriteParameter(app.Line(ui), station, codeIndex, value);
        if (reply.Ok()) {
            ui.RunFixedDialog(FixedDialog::WriteSuccess);
            ok = true;
        } else {
            CommunicationFailureReport(ui, reply);
        }
    }
    link.modalBusy = false;
    return ok;
}

}  // namespace telvor
