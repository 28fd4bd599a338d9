#pragma once
// A run stopped halfway (killed, or cancelled before the staged files went) leaves files beside
// the destinations it was writing: "<name>.qlx-new" and "<name>.qlx-new.<digits>". Every run
// removes those of every payload destination in the install folder, also of the files it does
// not write this time, so that they do not stay for good.

#include <string>
#include <vector>

// Removes the leftovers beside `destinations` (full paths below `installFolder`, which has one
// trailing backslash; "" entries are passed over) through the install folder held open: a
// leftover that is a link, or one reached through a link, stays. Each removal and each failure
// goes to the run log.
void RemoveLeftovers(const std::string& installFolder, const std::vector<std::string>& destinations);
