#include "product/UninstallRecord.h"

#include "product/Product.h"
#include "support/Paths.h"

UninstallRecord::UninstallRecord(std::string_view installFolder) : m_text("[Uninstall]\r\n") {
  AddLine(kKeyGuid, kUninstallGuid);
  AddLine(kKeyProgramName, kProductName);
  AddLine(kKeyInstallDir, installFolder);
  AddLine(kKeyUninstallExe, AddTrailingBackslash(installFolder) + kUninstallExe);
  AddLine(kKeyUninstallDat, UninstallRecordPath(installFolder));
}

void UninstallRecord::AddLine(std::string_view key, std::string_view value) {
  m_text.append(key).append("=").append(value).append("\r\n");
}

void UninstallRecord::AddCompletionLines(std::string_view groupFolder) {
  AddLine(kKeyExtraList, kExtraList);
  AddLine(kKeyRenameList, kRenameList);
  AddLine(kKeyConditionalList, kConditionalList);
  AddLine(kKeyDelIfEmpty, kDelIfEmpty);
  AddLine(kKeyGroupFolder, groupFolder);
}

std::string UninstallRecordPath(std::string_view installFolder) {
  return AddTrailingBackslash(installFolder) + kUninstallRecordName;
}
