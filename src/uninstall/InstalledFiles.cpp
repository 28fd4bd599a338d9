#include "uninstall/InstalledFiles.h"

#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "uninstall/RemovalRules.h"

InstalledFiles::InstalledFiles(HeldFolder folder, std::string installDir, std::string openedAs)
    : m_folder(std::move(folder)), m_dir(std::move(installDir)), m_openedAs(std::move(openedAs)) {}

std::optional<std::string> InstalledFiles::Relative(const std::string& path) const {
  if (!LiesInside(path, m_dir)) return std::nullopt;
  return StripTrailingBackslashes(path.substr(m_dir.size()));
}

std::vector<FoundFile> InstalledFiles::Matching(const std::string& folder, const std::string& pattern) const {
  std::vector<FoundFile> found;
  const std::string base = AddTrailingBackslash(folder);
  const auto relative = AsciiLower(base) == AsciiLower(m_dir) ? std::optional<std::string>("") : Relative(base);
  if (!relative) return found;
  // Every entry is listed and matched here: the system's own pattern search would also match
  // the short names.
  for (const HeldEntry& entry : m_folder.List(*relative))
    if (!entry.folder && !entry.link && MatchesPattern(pattern, entry.name))
      found.push_back({base + entry.name, entry.bytes});
  return found;
}

std::optional<std::uint64_t> InstalledFiles::Bytes(const std::string& path) const {
  const auto relative = Relative(path);
  const auto entry = relative ? m_folder.Find(*relative) : std::nullopt;
  if (!entry || entry->folder) return std::nullopt;
  return entry->bytes;
}

std::string InstalledFiles::LongForm(const std::string& path) const {
  const auto relative = Relative(path);
  const auto entry = relative ? m_folder.Find(*relative) : std::nullopt;
  return entry ? FolderPart(path) + entry->name : path;
}

std::uint32_t InstalledFiles::Remove(const std::string& path, std::uint64_t maxBytes) const {
  const auto relative = Relative(path);
  return relative ? m_folder.RemoveFile(*relative, maxBytes) : kEntryIsLink;
}

std::uint32_t InstalledFiles::Rename(const std::string& from, const std::string& to) const {
  const auto relativeFrom = Relative(from), relativeTo = Relative(to);
  return relativeFrom && relativeTo ? m_folder.RenameFile(*relativeFrom, *relativeTo) : kEntryIsLink;
}

std::uint32_t InstalledFiles::RemoveFolder(const std::string& path) const {
  const auto relative = Relative(path);
  return relative ? m_folder.RemoveSubFolder(*relative) : kEntryIsLink;
}
