// The uninstall record saved whole, and the uninstaller's command line.
#include "engine/UninstallRecordFile.h"
#include "product/UninstallRecord.h"

#include <gtest/gtest.h>

#include "common/ScratchFolder.h"
#include "engine/UninstallRegistry.h"

namespace {

std::string Completed(const std::string& folder, const std::string& fileList) {
  UninstallRecord record(folder);
  record.AddLine(kKeyFileList, fileList);
  record.AddCompletionLines("C:\\users\\root\\Start Menu\\Programs\\corvane\\Quillon\\");
  record.AddLine(kKeyShortcuts, "qlx.lnk");
  return record.Text();
}

TEST(UninstallRecord, SavedWholeAndReplaced) {
  ScratchFolder scratch("record");
  const std::string first = Completed(scratch.Path(), "a.exe,b.exe,c.exe,");
  SaveUninstallRecord(scratch.Path(), first);
  EXPECT_EQ(ReadWholeFile(scratch / "unins5100.dat"), first);
  // Without a trailing backslash the record lands in the same file, and a shorter text
  // replaces it whole.
  std::string folder = scratch.Path();
  folder.pop_back();
  const std::string second = UninstallRecord(folder).Text();
  SaveUninstallRecord(folder, second);
  EXPECT_EQ(ReadWholeFile(scratch / "unins5100.dat"), second);
}

TEST(UninstallCommand, QuotesOnlyPathsWithBlanks) {
  struct Case {
    const char* folder;
    const char* command;
  };
  const Case cases[] = {
      {"c:\\zt\\", "c:\\zt\\unins.exe c:\\zt\\unins5100.dat"},
      {"c:\\zt", "c:\\zt\\unins.exe c:\\zt\\unins5100.dat"},
      {"d:\\my games\\zt\\", "\"d:\\my games\\zt\\unins.exe\" \"d:\\my games\\zt\\unins5100.dat\""},
      {"d:\\games\\z t\\", "\"d:\\games\\z t\\unins.exe\" \"d:\\games\\z t\\unins5100.dat\""},
  };
  for (const auto& c : cases) EXPECT_EQ(UninstallCommand(c.folder), c.command) << c.folder;
}

}  // namespace
