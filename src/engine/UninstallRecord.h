#pragma once
// The uninstall record: a small key=value text for the separate uninstaller, built line by
// line in memory during an install run and saved once, as "unins5100.dat" in the install
// folder. Every line, the last included, ends in CR LF; values are written verbatim.

#include <string>
#include <string_view>

#include "support/Files.h"

inline constexpr char kUninstallGuid[] = "{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}";
inline constexpr char kUninstallExe[] = "unins.exe";
inline constexpr char kUninstallRecordName[] = "unins5100.dat";

// Lists the uninstaller reads; the installer only writes them.
inline constexpr char kExtraList[] =
    "*.log,quon.def,*.vnh,*.hfs,*.ini,std*.txt,quonw.exe|30,quonpyx.exe|30,*.wlb|2,vnhindex.dat,vnhlist.hfl,"
    "pr32.whlhtml\\welcomepage.mht";
inline constexpr char kRenameList[] = "dostessel.exe|quonw.exe,dospyx.exe|quonpyx.exe,dosbrisk.exe|quonbrisk.exe";
inline constexpr char kConditionalList[] =
    "tessel.exe|quonw.*,*.wlb;pyx.exe|quonpyx.*,*.wl3;brisk.exe|quonbrisk.*;qlx.exe,tessel.exe,pyx.exe,brisk.exe|"
    "dosbox\\*.*,dosbox.conf";
inline constexpr char kDelIfEmpty[] = "dosbox,manuals,tips";

class UninstallRecord {
 public:
  // The section head and the lines known at the start of a run: guid, Program_Name,
  // Install_Dir (the folder exactly as given), Uninstall_Exe and Uninstall_Dat (built from the
  // folder with exactly one trailing backslash).
  explicit UninstallRecord(std::string_view installFolder);

  // Appends key + "=" + value + CR LF.
  void AddLine(std::string_view key, std::string_view value);
  // The lines of a completed run: the four constant lists and Group_Folder.
  void AddCompletionLines(std::string_view groupFolder);

  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

// Install folder (with or without its trailing backslash) + "unins5100.dat".
std::string UninstallRecordPath(std::string_view installFolder);
// Writes the record text to UninstallRecordPath, replacing the file.
WriteResult SaveUninstallRecord(std::string_view installFolder, const std::string& text);
