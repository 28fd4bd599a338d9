// The uninstall record as the installer composes it, byte for byte, and read back by the
// uninstaller's reader: the two programs share one contract.
#include "product/UninstallRecord.h"

#include <gtest/gtest.h>

#include "product/RecordReader.h"

namespace {

// The constant tail of every completed record, typed out here on purpose.
const std::string kTail =
    "Extra_List=*.log,quon.def,*.vnh,*.hfs,*.ini,std*.txt,quonw.exe|30,quonpyx.exe|30,*.wlb|2,vnhindex.dat,"
    "vnhlist.hfl,pr32.whlhtml\\welcomepage.mht\r\n"
    "Rename_List=dostessel.exe|quonw.exe,dospyx.exe|quonpyx.exe,dosbrisk.exe|quonbrisk.exe\r\n"
    "Conditional_list=tessel.exe|quonw.*,*.wlb;pyx.exe|quonpyx.*,*.wl3;brisk.exe|quonbrisk.*;"
    "qlx.exe,tessel.exe,pyx.exe,brisk.exe|dosbox\\*.*,dosbox.conf\r\n"
    "Del_if_Empty=dosbox,manuals,tips\r\n";
const std::string kGroup = "C:\\users\\root\\Start Menu\\Programs\\corvane\\Quillon\\";

std::string Completed(const std::string& folder, const std::string& fileList) {
  UninstallRecord record(InstallFolder::FromText(folder).value());
  record.AddLine(kKeyFileList, fileList);
  record.AddCompletionLines(kGroup);
  record.AddLine(kKeyShortcuts, "qlx.lnk");
  return record.Text();
}

TEST(UninstallRecord, ComposedByteForByteAndReadBack) {
  const std::string withoutDosbox = "qlx.exe,quon.exe,manuals\\quillon.pdf,tips\\tip01.htm,dosmon.exe,dosbox.conf,";
  const std::string withDosbox = "qlx.exe,quon.exe,manuals\\quillon.pdf,tips\\tip01.htm,dosmon.exe,";
  struct Case {
    std::string folder;
    std::string fileList;
    std::string head;
    std::string exe, dat;
  };
  const std::string zt =
      "Uninstall_Exe=c:\\zt\\unins.exe\r\n"
      "Uninstall_Dat=c:\\zt\\unins5100.dat\r\n";
  const Case cases[] = {
      {"c:\\zt", withoutDosbox, "Install_Dir=c:\\zt\r\n" + zt, "c:\\zt\\unins.exe", "c:\\zt\\unins5100.dat"},
      {"c:\\zt\\", withDosbox, "Install_Dir=c:\\zt\\\r\n" + zt, "c:\\zt\\unins.exe", "c:\\zt\\unins5100.dat"},
      {"c:\\zt\\\\", withDosbox, "Install_Dir=c:\\zt\\\\\r\n" + zt, "c:\\zt\\unins.exe", "c:\\zt\\unins5100.dat"},
      // Values stay verbatim: no quotes in the record, blanks and all.
      {"d:\\my games\\zt\\", withoutDosbox,
       "Install_Dir=d:\\my games\\zt\\\r\n"
       "Uninstall_Exe=d:\\my games\\zt\\unins.exe\r\n"
       "Uninstall_Dat=d:\\my games\\zt\\unins5100.dat\r\n",
       "d:\\my games\\zt\\unins.exe", "d:\\my games\\zt\\unins5100.dat"},
  };
  for (const auto& c : cases) {
    const std::string expected =
        "[Uninstall]\r\n"
        "guid={5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}\r\n"
        "Program_Name=Quillon\r\n" +
        c.head + "File_List=" + c.fileList + "\r\n" + kTail + "Group_Folder=" + kGroup + "\r\nShortcuts=qlx.lnk\r\n";
    const std::string text = Completed(c.folder, c.fileList);
    EXPECT_EQ(text, expected) << c.folder;

    // The record folder in another letter case and without its backslash still names it; the
    // uninstaller's long form of Install_Dir has no doubled backslash.
    std::string recordFolder = c.folder.substr(0, c.folder.find("zt") + 2);
    recordFolder[0] = static_cast<char>(recordFolder[0] - 'a' + 'A');
    const auto longForm = [](std::string folder) {
      while (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
      return folder;
    };
    const RecordReading reading = ReadUninstallRecord(text, recordFolder, longForm);
    ASSERT_TRUE(reading.Sound()) << c.folder << ": " << reading.error;
    const UninstallRecordData& d = reading.data;
    EXPECT_EQ(d.guid, "{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}");
    EXPECT_EQ(d.programName, "Quillon");
    EXPECT_EQ(d.installDir, c.folder);
    EXPECT_EQ(d.uninstallExe, c.exe);
    EXPECT_EQ(d.uninstallDat, c.dat);
    EXPECT_EQ(d.fileList, c.fileList);
    EXPECT_EQ(d.extraList, kExtraList);
    EXPECT_EQ(d.renameList, kRenameList);
    EXPECT_EQ(d.conditionalList, kConditionalList);
    EXPECT_EQ(d.delIfEmpty, kDelIfEmpty);
    EXPECT_EQ(d.groupFolder, kGroup);
    EXPECT_EQ(d.shortcuts, "qlx.lnk");
  }
}

}  // namespace
