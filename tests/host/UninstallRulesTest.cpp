// The uninstaller's portable rules: its command line, the record's reading, and the checks that
// keep every list entry inside the install folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "product/RecordLists.h"
#include "support/base/CodePage.h"
#include "support/base/Lists.h"
#include "product/RecordReader.h"
#include "uninstall/RemovalRules.h"
#include "uninstall/UninstallCommandLine.h"

namespace {

struct LineCase {
  const char* raw;
  const char* record;
  bool silent, verySilent, suppress;
};

TEST(UninstallCommandLine, PathQuotedOrNotAndSwitchesTakenOffTheEnd) {
  const LineCase cases[] = {
      {R"(c:\zt\unins.exe c:\zt\unins5100.dat)", R"(c:\zt\unins5100.dat)", false, false, false},
      // Windows hands an unquoted entry with blanks over whole.
      {R"(d:\my games\zt\unins.exe d:\my games\zt\unins5100.dat)", R"(d:\my games\zt\unins5100.dat)", false, false,
       false},
      {R"("d:\my games\zt\unins.exe" "d:\my games\zt\unins5100.dat" /SILENT)", R"(d:\my games\zt\unins5100.dat)",
       true, false, false},
      {R"(C:\ZT\UNINS.EXE   c:\zt\unins5100.dat /verysilent /SuppressMsgBoxes )", R"(c:\zt\unins5100.dat)", false,
       true, true},
      // A switch must be a whole word at the end.
      {R"(c:\zt\unins.exe c:\zt\x/silent)", R"(c:\zt\x/silent)", false, false, false},
      {R"(c:\zt\unins.exe /silent c:\zt\unins5100.dat)", R"(/silent c:\zt\unins5100.dat)", false, false, false},
      {R"(c:\zt\unins.exe /SILENT)", "", true, false, false},
      {R"(c:\zt\unins.exe)", "", false, false, false},
      {R"(c:\zt\unins.exe "c:\zt\unins5100.dat" extra)", "", false, false, false},
      {R"(c:\a.exed\unins.exe c:\a.exed\unins5100.dat)", R"(c:\a.exed\unins5100.dat)", false, false, false},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.raw);
    const UninstallOptions options = ParseUninstallArguments(ArgumentsAfterProgram(c.raw));
    EXPECT_EQ(options.recordPath, c.record);
    EXPECT_EQ(options.silent, c.silent);
    EXPECT_EQ(options.verySilent, c.verySilent);
    EXPECT_EQ(options.suppressMsgBoxes, c.suppress);
  }
}

TEST(UninstallCommandLine, SelfRemovalLineRoundTripsAndRejectsOthers) {
  const std::string folder = "0a1b2c3d-0000000100000abc", log = "0a1b2c3d-00000000000000ff";
  for (const std::string& logIdentity : {log, std::string()}) {
    const std::string line = SelfRemovalArguments(
        {1234, folder, logIdentity, R"(d:\my games\zt\unins.exe)", R"(d:\my games\zt\unins5100.dat)"});
    const auto parsed = ParseSelfRemovalArguments(ArgumentsAfterProgram(R"("c:\temp\x.exe" )" + line));
    ASSERT_TRUE(parsed.has_value()) << line;
    EXPECT_EQ(parsed->parentProcess, 1234u);
    EXPECT_EQ(parsed->folderIdentity, folder);
    EXPECT_EQ(parsed->logIdentity, logIdentity);
    EXPECT_EQ(parsed->programPath, R"(d:\my games\zt\unins.exe)");
    EXPECT_EQ(parsed->recordPath, R"(d:\my games\zt\unins5100.dat)");
  }
  const std::string ids = " " + folder + " - ";
  for (const std::string& bad :
       {std::string(), std::string(R"(c:\zt\unins5100.dat)"), std::string("/SELFREMOVE="), "/SELFREMOVE=0" + ids + "a|b",
        "/SELFREMOVE=12" + ids + "a", "/SELFREMOVE=12" + ids + "|b", "/SELFREMOVE=99999999999999999999999" + ids + "a|b",
        std::string("/SELFREMOVE=12 a|b"), "/SELFREMOVE=12 " + folder + " a|b", "/SELFREMOVE=12 - " + folder + " a|b",
        std::string("/SELFREMOVE=12 0A1B2C3D-0000000100000ABC - a|b"),
        std::string("/SELFREMOVE=12 0a1b2c3d-000000010000abc - a|b")})
    EXPECT_FALSE(ParseSelfRemovalArguments(bad).has_value()) << bad;
}

TEST(UninstallRecordReading, SparseRecordsReadAndDamagedOnesAreRefused) {
  // Missing keys are empty lists, unknown keys and other sections are ignored, the first
  // Install_Dir counts.
  const RecordReading sparse =
      ReadUninstallRecord("[uninstall]\nInstall_Dir=c:\\zt\\\nWhatever=1\nInstall_Dir=c:\\\n[Other]\nFile_List=x\n",
                          R"(c:\zt)");
  ASSERT_TRUE(sparse.Sound()) << sparse.error;
  EXPECT_EQ(sparse.data.installDir, "c:\\zt\\");
  EXPECT_EQ(sparse.data.fileList, "");

  const char* damaged[] = {
      "",
      "Install_Dir=c:\\zt\r\n",
      "\r\n[Uninstall]\r\nInstall_Dir=c:\\zt\r\n",
      "[Uninstall]\r\nFile_List=qlx.exe\r\n",
      "[Uninstall]\r\nInstall_Dir=\r\n",
      "[Uninstall]\r\nInstall_Dir=c:\\\r\n",
      "[Uninstall]\r\nInstall_Dir=c:\\zt\\sub\r\n",
      "[Other]\r\nInstall_Dir=c:\\zt\r\n",
      // Shares, device and verbatim paths: refused by their text, never handed to the system,
      // which would log the user on to the host.
      "[Uninstall]\r\nInstall_Dir=\\\\host\\share\\zt\r\n",
      "[Uninstall]\r\nInstall_Dir=\\\\?\\c:\\zt\r\n",
      "[Uninstall]\r\nInstall_Dir=\\\\.\\c:\\zt\r\n",
      "[Uninstall]\r\nInstall_Dir=//host/share/zt\r\n",
  };
  const FolderCanonicaliser onlyDrives = [](const std::string& dir) {
    EXPECT_TRUE(dir.size() > 2 && dir[1] == ':') << "asked the system about " << dir;
    return dir;
  };
  for (const char* text : damaged) EXPECT_FALSE(ReadUninstallRecord(text, R"(c:\zt\)", onlyDrives).Sound()) << text;
  const std::string withNul("[Uninstall]\r\nInstall_Dir=c:\\zt\r\nFile_List=a\0..\\..\\b\r\n", 48);
  EXPECT_FALSE(ReadUninstallRecord(withNul, R"(c:\zt\)").Sound());
}

TEST(RemovalRules, EntriesMustStayInsideTheInstallFolder) {
  struct Case {
    const char* entry;
    bool pattern;
    bool safe;
  };
  const Case cases[] = {
      {"qlx.exe", false, true},
      {R"(manuals\quillon.pdf)", false, true},
      {R"(pr32.whlhtml\welcomepage.mht)", true, true},
      {R"(dosbox\*.*)", true, true},
      {"*.log", true, true},
      {"quonw.*", true, true},
      {R"(..\..\x)", false, false},
      {R"(a\..\..\x)", false, false},
      {R"(a\...\x)", false, false},
      {R"(a\.. \x)", false, false},
      {R"(.\x)", false, false},
      {R"(c:\windows\win.ini)", false, false},
      {"c:win.ini", false, false},
      {R"(\windows\win.ini)", false, false},
      {"/etc/passwd", false, false},
      {R"(\\server\share\x)", false, false},
      {"qlx.exe:stream", false, false},
      {"qlx.exe::$DATA", false, false},
      {R"(a\\b)", false, false},
      {"nul", false, false},
      {R"(sub\com1.txt)", false, false},
      {"*", true, false},
      {"*.*", true, false},
      {"?*", true, false},
      {"*.log", false, false},
      {R"(*\x.log)", true, false},
      {"x.exe.", false, false},
      {"", false, false},
      {R"(sub\)", false, false},
      {"a\tb", false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EntryRefusal(c.entry, c.pattern).empty(), c.safe) << c.entry << " -> " << EntryRefusal(c.entry, c.pattern);
}

TEST(RemovalRules, PatternsMatchWholeLongNamesInAnyCase) {
  EXPECT_TRUE(MatchesPattern("*.log", "QLX355.LOG"));
  EXPECT_TRUE(MatchesPattern("std*.txt", "std.txt"));
  EXPECT_TRUE(MatchesPattern("std*.txt", "stdout-1.txt"));
  EXPECT_TRUE(MatchesPattern("quonw.*", "quonw.exe"));
  EXPECT_TRUE(MatchesPattern("*.*", "SDL.dll"));
  EXPECT_TRUE(MatchesPattern("a?c", "abc"));
  EXPECT_TRUE(MatchesPattern("*a*b*c", "xaxbxbc"));
  EXPECT_FALSE(MatchesPattern("*.wlb", "notes.wlbackup"));
  EXPECT_FALSE(MatchesPattern("*.log", "x.log.txt"));
  EXPECT_FALSE(MatchesPattern("a?c", "ac"));
  EXPECT_FALSE(MatchesPattern("quonw.*", "quonwx.exe"));
  EXPECT_FALSE(MatchesPattern("*.*", "noextension"));
  // Code page 932: "?" stands for a double-byte character; "\x83\x41" and "\x83\x61" are two
  // letters, not one in two cases.
  const ScopedAnsiCodePage codePage(932);
  EXPECT_TRUE(MatchesPattern("?.txt", "\x83\x41.TXT"));
  EXPECT_FALSE(MatchesPattern("\x83\x41*", "\x83\x61.txt"));
  EXPECT_EQ(ParseRenameEntry("\x83\x7C.exe|b.exe").original, "\x83\x7C.exe");
  EXPECT_EQ(SubFolderOf("\x83\x5C\\x.txt"), "\x83\x5C\\");
}

TEST(RemovalRules, ListsAreReadIntoTheirEntries) {
  EXPECT_EQ(ListItems("a,,b, c ,", ','), (std::vector<std::string>{"a", "b", "c"}));

  const RenameEntry rename = ParseRenameEntry("dostessel.exe|quonw.exe");
  EXPECT_EQ(rename.original, "dostessel.exe");
  EXPECT_EQ(rename.renamed, "quonw.exe");
  EXPECT_TRUE(rename.refusal.empty());
  EXPECT_FALSE(ParseRenameEntry("dostessel.exe").refusal.empty());
  EXPECT_FALSE(ParseRenameEntry(R"(x.exe|..\x.exe)").refusal.empty());
  EXPECT_FALSE(ParseRenameEntry("*.exe|x.exe").refusal.empty());

  const std::vector<std::string> groups = ListItems(kConditionalList, ';');
  ASSERT_EQ(groups.size(), 4u);
  const ConditionalGroup dosbox = ParseConditionalGroup(groups[3]);
  EXPECT_TRUE(dosbox.refusal.empty()) << dosbox.refusal;
  EXPECT_EQ(dosbox.required, (std::vector<std::string>{"qlx.exe", "tessel.exe", "pyx.exe", "brisk.exe"}));
  EXPECT_EQ(dosbox.patterns, (std::vector<std::string>{R"(dosbox\*.*)", "dosbox.conf"}));
  for (const std::string& group : groups) EXPECT_TRUE(ParseConditionalGroup(group).refusal.empty()) << group;
  for (const char* bad : {"a.exe", "|*.x", "a.exe|", R"(a.exe|..\*.*)", "a.exe|*", R"(c:\a.exe|x)", "a|b|c"})
    EXPECT_FALSE(ParseConditionalGroup(bad).refusal.empty()) << bad;

  for (const std::string& entry : ListItems(kExtraList, ','))
    EXPECT_TRUE(ParseExtraEntry(entry).refusal.empty()) << entry;
  const ExtraEntry limited = ParseExtraEntry("quonw.exe|30");
  EXPECT_EQ(limited.pattern, "quonw.exe");
  EXPECT_EQ(limited.maxBytes, 30u * 1024);
  EXPECT_FALSE(ParseExtraEntry("*.log").maxBytes.has_value());
  for (const char* bad : {"x|", "x|-1", "x|3k", "x|9999999999", "*|2", R"(..\*.log)"})
    EXPECT_FALSE(ParseExtraEntry(bad).refusal.empty()) << bad;
}

TEST(RemovalRules, InstallFolderIsNeverARootOrASystemFolder) {
  const std::vector<std::string> system = {R"(C:\windows)", R"(C:\Program Files (x86))", R"(C:\users\me)",
                                           R"(C:\users)"};
  EXPECT_EQ(InstallFolderRefusal(R"(c:\zt)", system), "");
  EXPECT_EQ(InstallFolderRefusal(R"(d:\my games\zt\)", system), "");
  EXPECT_EQ(InstallFolderRefusal(R"(c:\users\me\zt)", system), "");
  // The folder text's own rules are the install folder's (InstallFolderTest); here the system's.
  for (const char* bad : {R"(C:\Windows\)", R"(c:\PROGRAM FILES (X86))", R"(c:\users)", R"(c:\users\me)"})
    EXPECT_NE(InstallFolderRefusal(bad, system), "") << bad;

  EXPECT_TRUE(LiesInside(R"(C:\ZT\qlx.exe)", R"(c:\zt)"));
  EXPECT_FALSE(LiesInside(R"(c:\zt)", R"(c:\zt\)"));
  EXPECT_FALSE(LiesInside(R"(c:\ztx\qlx.exe)", R"(c:\zt)"));
  EXPECT_EQ(SubFolderOf(R"(dosbox\*.*)"), "dosbox\\");
  EXPECT_EQ(SubFolderOf("*.log"), "");
}

}  // namespace
