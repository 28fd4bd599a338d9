#pragma once
// Files the run makes new and puts in place through their own handle. Another user who can
// write in the folder may have put a link at the final name, or at the name of a file left
// behind by a run that stopped halfway; under Wine, deleting or renaming such a link deletes or
// moves the file it leads to. So no name that is not this run's own new file is ever opened for
// writing, deleted or renamed: a new file (CREATE_NEW never opens an existing one or a link)
// takes the final name by a rename of its handle, which replaces a link, never follows it.

#include <optional>
#include <string>

#include "support/win/UniqueHandle.h"

// Which file a handle or a path leads to.
struct FileIdentity {
  unsigned long volume = 0;
  unsigned long indexHigh = 0;
  unsigned long indexLow = 0;
  bool operator==(const FileIdentity&) const = default;
};

// "vvvvvvvv-hhhhhhhhllllllll" in lower-case hex, for another process of this program; and back
// (nothing for any other text).
std::string IdentityText(const FileIdentity& identity);
std::optional<FileIdentity> IdentityFromText(const std::string& text);

class NewFile {
 public:
  // Makes the file `path` + "." + this process's id (one more digit when a killed run left that
  // name); check with Made().
  explicit NewFile(const std::string& path);
  NewFile(NewFile&&) noexcept = default;
  NewFile& operator=(NewFile&&) noexcept = default;
  // Discards a file that has not been kept.
  ~NewFile();

  bool Made() const { return static_cast<bool>(m_file); }
  // The system's error code of the last step that failed (0 for none).
  unsigned long Error() const { return m_error; }
  HANDLE Handle() const { return m_file.get(); }
  std::optional<FileIdentity> Identity() const;

  // Gives the file this name, replacing whatever lies there (a link is replaced, never
  // followed). False (with Error()) when the system refuses.
  bool RenameTo(const std::string& path);
  // Takes, one after the other, the names that another process's NewFile of the same path left
  // (path + "." + digits, made by a run killed before its file took a name): each rename
  // replaces that leftover, link or file, without following it. The file keeps the last such
  // name; a leftover the system does not let go of stays.
  void ReplaceLeftovers();
  // The file stays where its last name put it.
  void Keep() { m_kept = true; }

 private:
  std::string m_path;
  std::string m_name;  // the name it was made under
  UniqueFileHandle m_file;
  unsigned long m_error = 0;
  bool m_kept = false;
};

// Opens the file for writing without sharing when it is still the file `identity` names and a
// plain one (not a link, one name only); an empty handle otherwise.
UniqueFileHandle OpenOwnFile(const std::string& path, const FileIdentity& identity);
