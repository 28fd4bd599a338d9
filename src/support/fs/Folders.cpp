#include "support/fs/Folders.h"

#include <vector>

#include <windows.h>
#include <shlobj.h>

#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/win/AnsiText.h"
#include "support/win/UniqueHandle.h"

bool FolderIsPresent(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

std::string CurrentFolder() {
  std::string folder(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0) return {};
    if (length < folder.size()) {
      folder.resize(length);
      return folder;
    }
    folder.resize(length);  // too small: `length` is the size needed, NUL included
  }
}

// Creates every missing level of `folder`, parents first. A level shorter than 3 characters
// ("c:", "\") or one that is its own parent counts as present: there is nothing to create.
bool CreateMissingLevels(const std::string& folder) {
  std::vector<std::string> missing;
  std::string level = StripTrailingBackslashes(folder);
  while (level.size() >= 3 && !FolderIsPresent(level)) {
    missing.push_back(level);
    std::string parent = StripTrailingBackslashes(FolderPart(level));
    if (parent == level) break;
    level = std::move(parent);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it)
    if (!::CreateDirectoryA(it->c_str(), nullptr) && !FolderIsPresent(*it)) return false;
  return true;
}

}  // namespace

bool EnsureFolder(std::string& path) {
  if (path.empty()) return false;
  const bool absolute = path[0] == '\\' || (path.size() >= 2 && path[1] == ':');
  std::string full = absolute ? path : AddTrailingBackslash(CurrentFolder()) + StripTrailingBackslashes(path);
  if (!FolderIsPresent(full) && !CreateMissingLevels(full)) return false;
  path = std::move(full);
  return true;
}

std::string SpecialFolderPath(int csidl) {
  LPITEMIDLIST rawList = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &rawList))) return {};
  UniqueCoTaskMem itemList(rawList);
  char buffer[MAX_PATH + 1] = {};
  if (!::SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(itemList.get()), buffer)) return {};
  buffer[MAX_PATH] = '\0';
  return buffer;
}

bool SpecialFolderIsExact(int csidl) {
  LPITEMIDLIST rawList = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &rawList))) return false;
  UniqueCoTaskMem itemList(rawList);
  wchar_t wide[MAX_PATH + 1] = {};
  if (!::SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(itemList.get()), wide)) return false;
  wide[MAX_PATH] = L'\0';
  const std::optional<std::string> ansi = ExactAnsi(wide);
  return ansi && *ansi == SpecialFolderPath(csidl);
}

std::string ProgramFilesFolder() { return AsciiLower(SpecialFolderPath(CSIDL_PROGRAM_FILES)); }

std::string CommonDocumentsFolder() { return AsciiLower(AddTrailingBackslash(SpecialFolderPath(CSIDL_COMMON_DOCUMENTS))); }
