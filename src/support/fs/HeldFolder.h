#pragma once
// A folder held open for a run that works inside it. The handle is taken without delete
// sharing, so no other process can rename or remove the folder meanwhile (error 32), and a
// folder that is itself a link, junction or mount point is refused. Every entry below it is
// opened relative to that handle, one sub-folder at a time, and deleted or renamed through its
// own handle: a path that the system would resolve again can lead elsewhere once someone has
// swapped a folder on the way. An entry that is a link, or that the system resolves to a place
// other than the one asked for (Wine follows links to files), is never changed.
//
// Names are relative to the held folder ("sub\name"), ANSI, in their long form.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/fs/NewFile.h"
#include "support/win/UniqueHandle.h"

struct HeldEntry {
  std::string name;       // long name
  std::string shortName;  // 8.3 name, "" when it has none
  std::uint64_t bytes = 0;
  bool folder = false;
  bool link = false;  // a reparse point: a link, junction or mount point
};

// What an operation on an entry ends with: 0, or a system error code. These two stand for
// what the system itself would not have refused:
inline constexpr std::uint32_t kEntryIsLink = ERROR_CANT_RESOLVE_FILENAME;  // a link, or resolved elsewhere
inline constexpr std::uint32_t kEntryTooLarge = ERROR_FILE_TOO_LARGE;       // larger than the limit given

class HeldFolder {
 public:
  // The folder at `path` (full, on a drive); on failure nothing, and `why` says why ("a link,
  // junction or mount point", the system's reason, which GetLastError then also gives).
  static std::optional<HeldFolder> Open(const std::string& path, std::string& why);

  HeldFolder(HeldFolder&&) noexcept = default;
  HeldFolder& operator=(HeldFolder&&) noexcept = default;

  // The entries of this folder or of a sub-folder, "." and ".." left out, and names that the
  // ANSI code page cannot spell (no record can name them).
  std::vector<HeldEntry> List(const std::string& relativeFolder = {}) const;
  // The entry with this long or short name (its last step), in any letter case.
  std::optional<HeldEntry> Find(const std::string& relative) const;

  // Whether `path`, opened afresh, is still this very folder (not renamed away, not replaced).
  bool StillAt(const std::string& path) const;
  // Which folder this is (volume serial and file index); nothing when the system cannot say.
  std::optional<FileIdentity> Identity() const;

  // The whole content of a file (not a link) holding at most `maxBytes`; nothing when it cannot
  // be read or is larger.
  std::optional<std::string> Read(const std::string& relative, std::uint64_t maxBytes) const;
  // Removes a file (not a folder, not a link) holding at most `maxBytes`; a read-only one too,
  // unless it has more than one name.
  std::uint32_t RemoveFile(const std::string& relative, std::uint64_t maxBytes = UINT64_MAX) const;
  // Renames a file to a name that is free; both names relative to this folder.
  std::uint32_t RenameFile(const std::string& from, const std::string& to) const;
  // Clears a file's attributes (read-only, hidden, system), so that it can be replaced; a file
  // with more than one name is refused (kEntryIsLink).
  std::uint32_t ClearAttributes(const std::string& relative) const;
  // Removes an empty sub-folder (ERROR_DIR_NOT_EMPTY when it holds anything).
  std::uint32_t RemoveSubFolder(const std::string& relative) const;
  // Removes this folder itself when it is empty: lets the hold go, opens the folder again with
  // delete access and removes it only when it is still the folder held (kEntryIsLink
  // otherwise). The hold is gone afterwards in any case but ERROR_DIR_NOT_EMPTY.
  std::uint32_t RemoveSelf();

 private:
  HeldFolder(UniqueFileHandle handle, std::wstring finalPath)
      : m_handle(std::move(handle)), m_finalPath(std::move(finalPath)) {}

  // A sub-folder (or "" for this one), held the same way, opened one step at a time.
  std::optional<HeldFolder> Sub(const std::string& relative, std::uint32_t& error) const;
  // The folder that holds `relative`'s last step (this one or a sub-folder), and that step.
  std::optional<HeldFolder> ParentOf(const std::string& relative, std::string& leaf, std::uint32_t& error) const;
  // RemoveFile without the second try for a read-only file.
  std::uint32_t RemoveFileOnce(const std::string& relative, std::uint64_t maxBytes) const;
  // Opens a file below this folder as OpenEntry does, through the folders on its way.
  UniqueFileHandle OpenFile(const std::string& relative, std::uint32_t access, std::uint32_t& error) const;
  // Opens an entry of this folder itself (a plain name), refusing links and entries that the
  // system resolves elsewhere.
  UniqueFileHandle OpenEntry(const std::string& name, std::uint32_t access, bool folder, std::uint32_t& error) const;

  UniqueFileHandle m_handle;
  std::wstring m_finalPath;  // as the system names the folder it holds
};
