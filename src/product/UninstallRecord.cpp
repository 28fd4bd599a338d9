#include "product/UninstallRecord.h"

#include "product/Product.h"

UninstallRecord::UninstallRecord(const InstallFolder& installFolder) : m_text("[Uninstall]\r\n") {
  AddLine(kKeyGuid, kUninstallGuid);
  AddLine(kKeyProgramName, kProductName);
  AddLine(kKeyInstallDir, installFolder.Given());
  AddLine(kKeyUninstallExe, installFolder.UninstallerPath());
  AddLine(kKeyUninstallDat, installFolder.RecordPath());
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
