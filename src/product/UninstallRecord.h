#pragma once
// The uninstall record's text: a small key=value text for the separate uninstaller, built line
// by line in memory during an install run and saved once, as "unins5100.dat" in the install
// folder. Every line, the last included, ends in CR LF; values are written verbatim.

#include <string>
#include <string_view>

#include "product/InstallFolder.h"
#include "product/RecordLists.h"

class UninstallRecord {
 public:
  // The section head and the lines known at the start of a run: guid, Program_Name,
  // Install_Dir (the folder exactly as given), Uninstall_Exe and Uninstall_Dat.
  explicit UninstallRecord(const InstallFolder& installFolder);

  // Appends key + "=" + value + CR LF.
  void AddLine(std::string_view key, std::string_view value);
  // The lines of a completed run: the four constant lists and Group_Folder.
  void AddCompletionLines(std::string_view groupFolder);

  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};
