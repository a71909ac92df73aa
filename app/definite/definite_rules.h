#pragma once
// The definite list's rules: which parameters can be chosen (A00..A12 and
// b00..b97 but the eleven read-only or special codes), the text of an entry, and
// the list as parameters in the user's order.

#include <string>
#include <vector>

#include "program_settings.h"

namespace telvor {

inline constexpr int kChoosableCount = 100;

bool IsChoosable(int codeIndex);
// Every choosable parameter, in catalogue order.
std::vector<int> ChoosableCodes();

// "A00: Operation control".
std::string DefiniteEntryText(int codeIndex);

// The choosable parameters the list names, in its order; an entry that names
// none, a parameter that cannot be chosen, or one named twice is dropped, so at
// most kChoosableCount remain, whatever an edited settings file holds.
std::vector<int> DefiniteCodes(const DefiniteList& list);
// The list of the parameters in that order, the places after them empty.
DefiniteList DefiniteListOf(const std::vector<int>& codes);

}  // namespace telvor
