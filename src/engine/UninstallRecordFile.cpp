#include "engine/UninstallRecordFile.h"

#include "product/UninstallRecord.h"

WriteResult SaveUninstallRecord(std::string_view installFolder, const std::string& text) {
  return SaveTextToFile(UninstallRecordPath(installFolder), text);
}
