#pragma once
// The per-user entry in the list of installed programs.

#include <cstdint>

#include "product/InstallFolder.h"

// Writes HKCU\...\Uninstall\{guid}: DisplayName, UnInstallString (the folder's uninstall
// command), NoModify = 1, NoRepair = 1, in
// this order, then what the list of installed programs shows beside them: DisplayVersion,
// Publisher, DisplayIcon (the installed qlx.ico), InstallLocation, EstimatedSize (KiB, of
// `bytesWritten`), InstallDate (yyyymmdd, today) and QuietUninstallString. Other values of the
// sub-key stay. Raises std::runtime_error "Failed to create key %s" or "Failed to set data for
// '%s'"; values written before a failure stay.
void Register(const InstallFolder& installFolder, std::uint64_t bytesWritten);
