#include "support/fs/Links.h"

#include <windows.h>

#include "support/base/Paths.h"

bool IsReparsePoint(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(StripTrailingBackslashes(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool LinkOnTheWay(const std::string& folder, const std::string& path) {
  const std::string top = StripTrailingBackslashes(folder);
  std::string level = StripTrailingBackslashes(FolderPart(path));
  // Walks up from the file's folder; a path outside `folder` stops at its root.
  while (level.size() >= top.size()) {
    if (IsReparsePoint(level)) return true;
    if (level.size() == top.size()) break;
    std::string parent = StripTrailingBackslashes(FolderPart(level));
    if (parent == level) break;
    level = std::move(parent);
  }
  return false;
}
