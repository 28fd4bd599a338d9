#pragma once
// Whether the install run writes DOSBox: always with "/usedosbox", on 64-bit Windows when no
// DOSBox is found, never on 32-bit Windows.

#include <string>
#include <vector>


// Looks for dosbox.exe in the install folder's dosbox\ folder, then in the folders one level
// below the Program Files folder whose lower-cased names contain "dosbox" (hidden and system
// entries skipped, first match wins). The install folder's own copy counts only when every one
// of `dosboxFiles` (where the run puts the DOSBox items' files; "" for one it cannot tell) is
// there too: a run stopped halfway through them leaves a DOSBox that cannot start. `path`
// receives the candidate ("" when none); logs "FindDosbox.started" and "FindDosbox = %s: <%s>".
bool FindDosbox(const std::string& installFolder, const std::vector<std::string>& dosboxFiles, std::string& path);

// The decision for `installFolder` (one trailing backslash): always with `forced` (the run's
// "/usedosbox"). May raise "Bad process handle".
bool NeedsDosbox(bool forced, const std::string& installFolder, const std::vector<std::string>& dosboxFiles);
