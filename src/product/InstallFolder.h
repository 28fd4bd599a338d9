#pragma once
// The install folder as both programs know it: its text judged once by one set of rules, and
// the paths built from it (the record, the uninstaller, the uninstall command) made in one
// place, with exactly one backslash between the folder and what follows.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The longest install folder text (without its trailing backslash): the deepest file,
// "<folder>\manuals\" + a stored name of up to 30 characters + ".qlx-new" while it is written,
// stays within the system's 259 characters.
inline constexpr std::size_t kMaxInstallFolderLength = 259 - 46;

// What a folder text is. Only a path on a drive below its root ("x:\name\...") can be an
// install folder; a share, device or verbatim text ("\\host\share", "\\.\", "\\?\") is known
// by its first two characters, before the system is asked anything about it.
enum class FolderText {
  Usable,
  Blank,       // nothing at all
  NotFull,     // "zt", "\zt", "c:zt", "c:/zt"
  NotOnDrive,  // begins with two separators
  DriveRoot,   // "c:\"
  TooLong,     // longer than kMaxInstallFolderLength
  BadPart,     // a part that is no plain name ("c:\zt.", "c:\con", "c:\a\\b", "c:\..")
};

// The first rule the text breaks, in the order above; trailing backslashes are not part of it.
FolderText JudgeFolderText(std::string_view text);

// What is wrong with such a text, as words that follow "it" ("is not a full path ...");
// "" for Usable.
std::string FolderTextWords(FolderText kind);

class InstallFolder {
 public:
  // The folder when the text is Usable; `toWrite` false also takes a TooLong text (a folder
  // that already holds an installation is found, not written to). `kind` tells what the text is.
  static std::optional<InstallFolder> FromText(std::string_view text, FolderText& kind, bool toWrite = true);
  static std::optional<InstallFolder> FromText(std::string_view text, bool toWrite = true) {
    FolderText kind;
    return FromText(text, kind, toWrite);
  }

  // The text as it was given, trailing backslashes and all: what Install_Dir records.
  const std::string& Given() const { return m_given; }
  // The folder with exactly one trailing backslash.
  const std::string& Path() const { return m_path; }
  // The folder without its trailing backslash.
  std::string Bare() const { return m_path.substr(0, m_path.size() - 1); }
  // Path() + a relative path.
  std::string Join(std::string_view relative) const { return m_path + std::string(relative); }

  const std::string& RecordPath() const { return m_record; }
  const std::string& UninstallerPath() const { return m_uninstaller; }
  // The uninstaller and its record, each quoted when it holds a blank.
  std::string UninstallCommand() const;

 private:
  explicit InstallFolder(std::string_view given);

  std::string m_given, m_path, m_record, m_uninstaller;
};
