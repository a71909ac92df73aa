#include "add_remove_state.h"

#include <algorithm>

#include "definite_rules.h"

namespace telvor {
namespace {

bool Valid(int index, const std::vector<int>& box) { return index >= 0 && index < static_cast<int>(box.size()); }

// After a delete at index: the entry now at the same index, or the last one.
int SelectionAfterDelete(int index, const std::vector<int>& box) {
    return box.empty() ? -1 : std::min(index, static_cast<int>(box.size()) - 1);
}

}  // namespace

AddRemoveState::AddRemoveState(const DefiniteList& list) : definite_(DefiniteCodes(list)) {
    RefillAll();
    buttons_.removeAll = !definite_.empty();
    buttons_.addAll = !all_.empty();
}

void AddRemoveState::RefillAll() {
    all_.clear();
    for (int code : ChoosableCodes())
        if (std::find(definite_.begin(), definite_.end(), code) == definite_.end()) all_.push_back(code);
}

void AddRemoveState::SelectInAll(int index) {
    allSelection_ = Valid(index, all_) ? index : -1;
    if (!all_.empty()) buttons_.add = true;
}

void AddRemoveState::SelectInDefinite(int index) {
    definiteSelection_ = Valid(index, definite_) ? index : -1;
    UpdateDefiniteButtons();
}

void AddRemoveState::UpdateDefiniteButtons() {
    if (definite_.empty()) return;
    buttons_.remove = definiteSelection_ >= 0;
    buttons_.upMove = definiteSelection_ > 0;
    buttons_.downMove = definiteSelection_ >= 0 && definiteSelection_ < static_cast<int>(definite_.size()) - 1;
}

void AddRemoveState::Add() {
    if (!Valid(allSelection_, all_)) return;
    const int code = all_[allSelection_];
    all_.erase(all_.begin() + allSelection_);
    allSelection_ = SelectionAfterDelete(allSelection_, all_);
    if (Valid(definiteSelection_, definite_)) {
        definite_.insert(definite_.begin() + definiteSelection_, code);
        ++definiteSelection_;  // the selected entry stays selected
    } else {
        definite_.push_back(code);
    }
    if (all_.empty()) buttons_.add = buttons_.addAll = false;
    if (!definite_.empty()) buttons_.removeAll = true;
    UpdateDefiniteButtons();
}

void AddRemoveState::Remove() {
    if (!Valid(definiteSelection_, definite_)) return;
    const int code = definite_[definiteSelection_];
    definite_.erase(definite_.begin() + definiteSelection_);
    definiteSelection_ = SelectionAfterDelete(definiteSelection_, definite_);
    RefillAll();
    allSelection_ = static_cast<int>(std::find(all_.begin(), all_.end(), code) - all_.begin());
    if (definite_.empty()) buttons_.remove = buttons_.removeAll = buttons_.upMove = buttons_.downMove = false;
    if (!all_.empty()) buttons_.add = buttons_.addAll = true;
    UpdateDefiniteButtons();
}

void AddRemoveState::AddAll() {
    definite_ = ChoosableCodes();
    all_.clear();
    allSelection_ = definiteSelection_ = -1;
    buttons_ = {};
    buttons_.removeAll = true;
}

void AddRemoveState::RemoveAll() {
    definite_.clear();
    RefillAll();
    allSelection_ = definiteSelection_ = -1;
    buttons_ = {};
    buttons_.addAll = true;
}

void AddRemoveState::UpMove() {
    if (!Valid(definiteSelection_, definite_) || definiteSelection_ == 0) return;
    std::swap(definite_[definiteSelection_], definite_[definiteSelection_ - 1]);
    --definiteSelection_;
    UpdateDefiniteButtons();
}

void AddRemoveState::DownMove() {
    if (!Valid(definiteSelection_, definite_) || definiteSelection_ + 1 >= static_cast<int>(definite_.size())) return;
    std::swap(definite_[definiteSelection_], definite_[definiteSelection_ + 1]);
    ++definiteSelection_;
    UpdateDefiniteButtons();
}

DefiniteList AddRemoveState::Result() const { return DefiniteListOf(definite_); }

}  // namespace telvor
