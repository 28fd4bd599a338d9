#include "engine/UninstallRecordFile.h"

#include "support/run/SaveTextToFile.h"

WriteResult SaveUninstallRecord(const InstallFolder& installFolder, const std::string& text) {
  return SaveTextToFile(installFolder.RecordPath(), text);
}
