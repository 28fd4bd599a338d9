#pragma once
// Saving the uninstall record's text in the install folder.

#include <string>

#include "product/InstallFolder.h"
#include "support/fs/WriteResult.h"

// Writes the record text to the folder's record path, replacing the file.
WriteResult SaveUninstallRecord(const InstallFolder& installFolder, const std::string& text);
