#include "engine/UninstallRecord.h"

#include "support/Product.h"
#include "support/Files.h"
#include "support/Paths.h"

UninstallRecord::UninstallRecord(std::string_view installFolder) : m_text("[Uninstall]\r\n") {
  AddLine("guid", kUninstallGuid);
  AddLine("Program_Name", kProductName);
  AddLine("Install_Dir", installFolder);
  AddLine("Uninstall_Exe", AddTrailingBackslash(installFolder) + kUninstallExe);
  AddLine("Uninstall_Dat", UninstallRecordPath(installFolder));
}

void UninstallRecord::AddLine(std::string_view key, std::string_view value) {
  m_text.append(key).append("=").append(value).append("\r\n");
}

void UninstallRecord::AddCompletionLines(std::string_view groupFolder) {
  AddLine("Extra_List", kExtraList);
  AddLine("Rename_List", kRenameList);
  AddLine("Conditional_list", kConditionalList);
  AddLine("Del_if_Empty", kDelIfEmpty);
  AddLine("Group_Folder", groupFolder);
}

std::string UninstallRecordPath(std::string_view installFolder) {
  return AddTrailingBackslash(installFolder) + kUninstallRecordName;
}

WriteResult SaveUninstallRecord(std::string_view installFolder, const std::string& text) {
  return SaveTextToFile(UninstallRecordPath(installFolder), text);
}
