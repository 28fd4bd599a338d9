#pragma once
// The install folder as the uninstaller works in it: held from before the question to the end
// of the run (see HeldFolder), every file reached through that handle, one sub-folder at a
// time. Paths are given in full (the install folder + a relative part), as the log and the
// report name them; one that does not lie below the install folder is never reached.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/fs/HeldFolder.h"

struct FoundFile {
  std::string path;
  std::uint64_t bytes = 0;
};

class InstalledFiles {
 public:
  // `installDir` carries its trailing backslash: the folder's text as the record and the log show
  // it; `openedAs` the path it was opened by (never a lowered text).
  InstalledFiles(HeldFolder folder, std::string installDir, std::string openedAs);

  const std::string& Dir() const { return m_dir; }
  // Whether the install folder's path still leads to the folder held.
  bool StillInPlace() const { return m_folder.StillAt(m_openedAs); }
  // Which folder is held.
  std::optional<FileIdentity> Identity() const { return m_folder.Identity(); }

  // Files (not folders, not links) directly in `folder` (with its trailing backslash) whose
  // long names match `pattern`, in the order the system lists them.
  std::vector<FoundFile> Matching(const std::string& folder, const std::string& pattern) const;
  // Size of an existing file (by its long or short name); nullopt for a missing one or a folder.
  std::optional<std::uint64_t> Bytes(const std::string& path) const;
  bool Present(const std::string& path) const { return Bytes(path).has_value(); }
  // The path with its last step in its long form (as given when no such entry exists).
  std::string LongForm(const std::string& path) const;

  // 0 or a system error code; kEntryIsLink and kEntryTooLarge as HeldFolder gives them.
  std::uint32_t Remove(const std::string& path, std::uint64_t maxBytes = UINT64_MAX) const;
  std::uint32_t Rename(const std::string& from, const std::string& to) const;
  std::uint32_t RemoveFolder(const std::string& path) const;
  // The install folder itself, when empty; the handle goes with it.
  std::uint32_t RemoveInstallFolder() { return m_folder.RemoveSelf(); }

 private:
  // The part below the install folder, nullopt for a path elsewhere.
  std::optional<std::string> Relative(const std::string& path) const;

  HeldFolder m_folder;
  std::string m_dir;
  std::string m_openedAs;
};
