// The uninstall record saved whole.
#include "engine/UninstallRecordFile.h"
#include "product/UninstallRecord.h"

#include <gtest/gtest.h>

#include "common/ScratchFolder.h"

namespace {

std::string Completed(const std::string& folder, const std::string& fileList) {
  UninstallRecord record(InstallFolder::FromText(folder).value());
  record.AddLine(kKeyFileList, fileList);
  record.AddCompletionLines("C:\\users\\root\\Start Menu\\Programs\\corvane\\Quillon\\");
  record.AddLine(kKeyShortcuts, "qlx.lnk");
  return record.Text();
}

TEST(UninstallRecord, SavedWholeAndReplaced) {
  ScratchFolder scratch("record");
  const std::string first = Completed(scratch.Path(), "a.exe,b.exe,c.exe,");
  SaveUninstallRecord(InstallFolder::FromText(scratch.Path()).value(), first);
  EXPECT_EQ(ReadWholeFile(scratch / "unins5100.dat"), first);
  // Without a trailing backslash the record lands in the same file, and a shorter text
  // replaces it whole.
  std::string folder = scratch.Path();
  folder.pop_back();
  const InstallFolder bare = InstallFolder::FromText(folder).value();
  const std::string second = UninstallRecord(bare).Text();
  SaveUninstallRecord(bare, second);
  EXPECT_EQ(ReadWholeFile(scratch / "unins5100.dat"), second);
}

}  // namespace
