// The uninstall record text byte for byte, and the uninstaller's command line.
#include "engine/UninstallRecord.h"

#include <gtest/gtest.h>

#include "common/ScratchFolder.h"
#include "engine/UninstallRegistry.h"

namespace {

// The constant tail of every completed record, typed out here on purpose.
const std::string kTail =
    "Extra_List=*.log,quon.def,*.vnh,*.hfs,*.ini,std*.txt,quonw.exe|30,quonpyx.exe|30,*.wlb|2,vnhindex.dat,"
    "vnhlist.hfl,pr32.whlhtml\\welcomepage.mht\r\n"
    "Rename_List=dostessel.exe|quonw.exe,dospyx.exe|quonpyx.exe,dosbrisk.exe|quonbrisk.exe\r\n"
    "Conditional_list=tessel.exe|quonw.*,*.wlb;pyx.exe|quonpyx.*,*.wl3;brisk.exe|quonbrisk.*;"
    "qlx.exe,tessel.exe,pyx.exe,brisk.exe|dosbox\\*.*,dosbox.conf\r\n"
    "Del_if_Empty=dosbox,manuals,tips\r\n";

std::string Completed(const std::string& folder, const std::string& fileList) {
  UninstallRecord record(folder);
  record.AddLine("File_List", fileList);
  record.AddCompletionLines("C:\\users\\root\\Start Menu\\Programs\\corvane\\Quillon\\");
  record.AddLine("Shortcuts", "qlx.lnk");
  return record.Text();
}

TEST(UninstallRecord, TextByteForByte) {
  const std::string withoutDosbox = "qlx.exe,quon.exe,manuals\\quillon.pdf,tips\\tip01.htm,dosmon.exe,dosbox.conf,";
  const std::string withDosbox = "qlx.exe,quon.exe,manuals\\quillon.pdf,tips\\tip01.htm,dosmon.exe,";
  struct Case {
    std::string folder;
    std::string fileList;
    std::string head;
  };
  const std::string zt =
      "Uninstall_Exe=c:\\zt\\unins.exe\r\n"
      "Uninstall_Dat=c:\\zt\\unins5100.dat\r\n";
  const Case cases[] = {
      {"c:\\zt", withoutDosbox, "Install_Dir=c:\\zt\r\n" + zt},
      {"c:\\zt\\", withDosbox, "Install_Dir=c:\\zt\\\r\n" + zt},
      {"c:\\zt\\\\", withDosbox, "Install_Dir=c:\\zt\\\\\r\n" + zt},
      // Values stay verbatim: no quotes in the record, blanks and all.
      {"d:\\my games\\zt\\", withoutDosbox,
       "Install_Dir=d:\\my games\\zt\\\r\n"
       "Uninstall_Exe=d:\\my games\\zt\\unins.exe\r\n"
       "Uninstall_Dat=d:\\my games\\zt\\unins5100.dat\r\n"},
  };
  for (const auto& c : cases) {
    const std::string expected =
        "[Uninstall]\r\n"
        "guid={5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}\r\n"
        "Program_Name=Quillon\r\n" +
        c.head + "File_List=" + c.fileList + "\r\n" + kTail +
        "Group_Folder=C:\\users\\root\\Start Menu\\Programs\\corvane\\Quillon\\\r\n"
        "Shortcuts=qlx.lnk\r\n";
    EXPECT_EQ(Completed(c.folder, c.fileList), expected) << c.folder;
  }
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
