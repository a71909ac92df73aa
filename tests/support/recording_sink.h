#pragma once
// A MessageSink that records what the user would have seen, in order.

#include <string>
#include <vector>

#include "message_sink.h"

namespace telvor::testing {

class RecordingSink : public MessageSink {
public:
    struct Shown {
        std::string caption;
        std::string text;
        MessageIcon icon;
    };
    void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override {
        messages.push_back({caption, text, icon});
    }
    DialogResult RunFixedDialog(FixedDialog dialog) override {
        dialogs.push_back(dialog);
        return DialogResult::Ok;
    }
    std::vector<Shown> messages;
    std::vector<FixedDialog> dialogs;
};

}  // namespace telvor::testing
