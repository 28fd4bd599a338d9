#include "support/fs/SystemFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "support/base/Paths.h"
#include "support/fs/CanonicalFolder.h"
#include "support/fs/Folders.h"
#include "support/win/AnsiText.h"
#include "support/win/UniqueHandle.h"

namespace {

// A known folder's path, "" when the system has none or its name does not fit the code page.
std::string KnownFolderPath(REFKNOWNFOLDERID id) {
  PWSTR wide = nullptr;
  const HRESULT result = ::SHGetKnownFolderPath(id, 0, nullptr, &wide);
  const UniqueCoTaskMem owned(wide);
  if (FAILED(result) || !wide) return {};
  return ExactAnsi(wide).value_or(std::string());
}

}  // namespace

std::vector<std::string> SystemFolders() {
  std::vector<std::string> folders = ProgramFilesFolders();
  std::vector<std::string> paths;
  const int csidls[] = {CSIDL_WINDOWS, CSIDL_SYSTEM,        CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
                        CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL,   CSIDL_PROGRAMS,
                        CSIDL_STARTMENU, CSIDL_APPDATA,     CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA,
                        CSIDL_COMMON_DOCUMENTS, CSIDL_COMMON_PROGRAMS};
  for (const int csidl : csidls) {
    paths.push_back(SpecialFolderPath(csidl));
    // The folder that holds every user's profile.
    if (csidl == CSIDL_PROFILE && !paths.back().empty()) paths.push_back(FolderPart(paths.back()));
  }
  for (REFKNOWNFOLDERID id : {FOLDERID_Downloads, FOLDERID_Pictures, FOLDERID_Music, FOLDERID_Videos,
                              FOLDERID_SavedGames})
    paths.push_back(KnownFolderPath(id));
  for (const std::string& path : paths) {
    if (path.empty()) continue;
    folders.push_back(StripTrailingBackslashes(path));
    folders.push_back(CanonicalFolder(path));
  }
  return folders;
}
