#include "engine/UninstallRecordFile.h"

WriteResult SaveUninstallRecord(const InstallFolder& installFolder, const std::string& text) {
  return SaveTextToFile(installFolder.RecordPath(), text);
}
