#pragma once
// What the uninstaller's end-to-end tests share: starting a command line as Windows starts an
// uninstall entry, the traces an installation leaves, and the uninstaller's run log.

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

// The uninstaller built by the project (build/unins.exe), as a Windows path.
std::string UninstallerPath();

// CreateProcess of the whole text with no program name, as Windows runs an UnInstallString;
// waits for the end (and for the finishing copy's work, see WaitUntilGone) and gives the exit
// code, or ~0 when it cannot start or does not end.
DWORD RunCommandLine(const std::string& commandLine, DWORD timeoutMs = 240000);

// Runs a shell command line of the machine Wine runs on (`sh -c`), with each "{N}" replaced by
// the Unix path of windowsPaths[N]; its exit code, or ~0 when it cannot run.
DWORD RunUnixShell(std::string script, const std::vector<std::string>& windowsPaths);

// Polls until the path is gone (the finishing copy works after the uninstaller ended).
// Waits until `done` answers true, asking every 100 ms: for states of other programs that
// announce nothing. False when the time ran out.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);
bool WaitUntilGone(const std::string& path, DWORD timeoutMs = 60000);
// Waits until no other program holds the file open (the desktop shell reads a new link's icon
// file without delete sharing for a moment); false when it is still held after the time.
bool WaitUntilFree(const std::string& path, DWORD timeoutMs = 60000);

// The product's uninstall entry's "UnInstallString"; "" when there is none.
std::string RegisteredUninstallString();
bool UninstallEntryExists();
// The Start-menu group folder (with its backslash), the desktop link.
std::string GroupFolder();
std::string DesktopLink();
// Removes the entry, the group and the desktop link.
void RemoveProductTraces();

bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);

// The uninstaller's run log lines (unins.log beside the installer's).
std::vector<std::string> UninstallLogLines();

// Files in the temporary folder left by a finishing copy.
std::vector<std::string> FinishingCopiesNow();
// The same, waiting up to `timeoutMs` for them to go.
std::vector<std::string> FinishingCopiesLeft(DWORD timeoutMs = 20000);
