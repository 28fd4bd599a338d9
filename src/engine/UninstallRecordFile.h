#pragma once
// Saving the uninstall record's text in the install folder.

#include <string>
#include <string_view>

#include "support/Files.h"

// Writes the record text to UninstallRecordPath(installFolder), replacing the file.
WriteResult SaveUninstallRecord(std::string_view installFolder, const std::string& text);
