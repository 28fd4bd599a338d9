#pragma once
// The per-user entry in the list of installed programs.

#include <cstdint>
#include <string>
#include <string_view>

// The uninstaller's command line: unins.exe, a blank, the record's path; each path that holds a
// blank is enclosed in double quotes.
std::string UninstallCommand(std::string_view installFolder);

// Writes HKCU\...\Uninstall\{guid}: DisplayName, UnInstallString, NoModify = 1, NoRepair = 1, in
// this order, then what the list of installed programs shows beside them: DisplayVersion,
// Publisher, DisplayIcon (the installed qlx.ico), InstallLocation, EstimatedSize (KiB, of
// `bytesWritten`), InstallDate (yyyymmdd, today) and QuietUninstallString. Other values of the
// sub-key stay. Raises std::runtime_error "Failed to create key %s" or "Failed to set data for
// '%s'"; values written before a failure stay.
void Register(std::string_view installFolder, std::uint64_t bytesWritten);
