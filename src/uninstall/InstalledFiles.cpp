#include "uninstall/InstalledFiles.h"

#include <windows.h>

#include "support/CanonicalFolder.h"
#include "support/Paths.h"
#include "support/Text.h"
#include "support/UniqueHandle.h"
#include "uninstall/RemovalRules.h"

namespace {

std::uint64_t SizeOf(const WIN32_FIND_DATAA& data) {
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool IsReparsePoint(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

std::vector<FoundFile> MatchingFiles(const std::string& folder, const std::string& pattern) {
  std::vector<FoundFile> found;
  WIN32_FIND_DATAA data{};
  // Every entry is listed and matched here: the system's own pattern search would also match
  // the short names.
  UniqueFindHandle search(::FindFirstFileA((folder + "*").c_str(), &data));
  if (!search) return found;
  do {
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    if (MatchesPattern(pattern, data.cFileName)) found.push_back({folder + data.cFileName, SizeOf(data)});
  } while (::FindNextFileA(search.get(), &data));
  return found;
}

std::optional<std::uint64_t> FileBytes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool StaysInside(const std::string& path, const std::string& installDir) {
  const std::string full = FullPath(path);
  const std::string base = AddTrailingBackslash(installDir);
  if (full.empty() || !LiesInside(full, base)) return false;
  // Each level below the install folder, the file itself included.
  for (size_t cut = full.find('\\', base.size()); ; cut = full.find('\\', cut + 1)) {
    if (IsReparsePoint(full.substr(0, cut))) return false;
    if (cut == std::string::npos) return true;
  }
}
