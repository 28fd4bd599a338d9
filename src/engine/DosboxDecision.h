#pragma once
// Whether the install run writes DOSBox: always with "/usedosbox", on 64-bit Windows when no
// DOSBox is found, never on 32-bit Windows.

#include <string>

#include "support/CommandLine.h"

// Looks for dosbox.exe in the install folder's dosbox\ folder, then in the folders one level
// below the Program Files folder whose lower-cased names contain "dosbox" (hidden and system
// entries skipped, first match wins). `path` receives the candidate in lower case, "" when
// none; logs "FindDosbox.started" and "FindDosbox = %s: <%s>".
bool FindDosbox(const std::string& installFolder, std::string& path);

// The decision for `installFolder` (one trailing backslash). "/usedosbox" is a case-sensitive
// substring of the raw command line. May raise "Bad process handle".
bool NeedsDosbox(const CommandLine& commandLine, const std::string& installFolder);
// The same for this process's command line.
bool NeedsDosbox(const std::string& installFolder);
