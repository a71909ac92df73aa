#pragma once
// What the Add/Remove dialog does, without its widgets: the All Parameters box,
// the Definite box, their selections and the enabling of the six buttons. The
// dialog shows this state after every event.

#include <vector>

#include "program_settings.h"

namespace telvor {

struct AddRemoveButtons {
    bool add = false;
    bool remove = false;
    bool addAll = false;
    bool removeAll = false;
    bool upMove = false;
    bool downMove = false;
};

class AddRemoveState {
public:
    // Entries that cannot be chosen are dropped.
    explicit AddRemoveState(const DefiniteList& list);

    const std::vector<int>& AllParameters() const { return all_; }  // code indexes, catalogue order
    const std::vector<int>& Definite() const { return definite_; }  // code indexes, the user's order
    int AllSelection() const { return allSelection_; }                // -1: none
    int DefiniteSelection() const { return definiteSelection_; }
    const AddRemoveButtons& Buttons() const { return buttons_; }

    void SelectInAll(int index);
    void SelectInDefinite(int index);
    // A double-click in All Parameters adds, one in Definite removes.
    void Add();
    void Remove();
    void AddAll();
    void RemoveAll();
    void UpMove();
    void DownMove();

    // OK: the Definite box's entries in their order.
    DefiniteList Result() const;

private:
    void RefillAll();
    void UpdateDefiniteButtons();

    std::vector<int> all_;
    std::vector<int> definite_;
    int allSelection_ = -1;
    int definiteSelection_ = -1;
    AddRemoveButtons buttons_;
};

}  // namespace telvor
