// The group and desktop shortcuts in the prefix's Start menu and desktop, read back through
// the shell.
#include "engine/Shortcuts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "win32/ShellLinkReader.h"

namespace {

class ShortcutsTest : public testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    RemoveTree(SpecialFolderPath(2) + "\\corvane");
    ::DeleteFileA(DesktopShortcutPath().c_str());
  }
  ComScope m_com;
};

struct Expected {
  std::string link;
  std::string target;
  std::string arguments;
  std::string workingFolder;
  std::string icon;
  std::string description;
};

void ExpectLink(const Expected& e) {
  const ShellLinkFields read = ReadShellLink(e.link);
  ASSERT_TRUE(read.loaded) << e.link;
  EXPECT_EQ(read.path, e.target) << e.link;
  EXPECT_EQ(read.arguments, e.arguments) << e.link;
  EXPECT_EQ(read.workingFolder, e.workingFolder) << e.link;
  EXPECT_EQ(read.iconPath, e.icon) << e.link;
  EXPECT_EQ(read.iconIndex, 0) << e.link;
  EXPECT_EQ(read.description, e.description) << e.link;
  EXPECT_EQ(read.showCommand, SW_SHOWNORMAL) << e.link;
  EXPECT_EQ(read.hotKey, 0) << e.link;
}

TEST_F(ShortcutsTest, GroupAndDesktopForTwoFolders) {
  const std::string group = SpecialFolderPath(2) + "\\corvane\\Quillon\\";
  EXPECT_EQ(GroupFolder(kGroupSubPath), group);
  EXPECT_EQ(DesktopShortcutPath(), SpecialFolderPath(0) + "\\qlx.lnk");
  struct Case {
    std::string folder;
    std::string startArguments;
    std::string uninstallArguments;
  };
  const Case cases[] = {
      {"c:\\zt\\", "c:\\zt\\'", "c:\\zt\\unins5100.dat"},
      {"d:\\my games\\zt\\", "\"d:\\my games\\zt\\'\"", "\"d:\\my games\\zt\\unins5100.dat\""},
  };
  for (const auto& c : cases) {
    MakeGroupShortcuts(kGroupSubPath, c.folder);
    MakeDesktopShortcut(DesktopShortcutPath(), c.folder);
    const std::string& f = c.folder;
    ExpectLink({group + "Quillon Start.lnk", f + "qlx.exe", c.startArguments, f, f + "qlx.ico", "Quillon Start"});
    ExpectLink({group + "Uninstall Quillon.lnk", f + "unins.exe", c.uninstallArguments, f, f + "qlx.ico",
                "Uninstall Quillon"});
    ExpectLink({DesktopShortcutPath(), f + "qlx.exe", "", f, f + "qlx.ico", "Quillon"});
  }
}

TEST_F(ShortcutsTest, RemakingReplacesTheLinksAndKeepsOthers) {
  const std::string group = GroupFolder(kGroupSubPath);
  std::string made = group;
  ASSERT_TRUE(EnsureFolder(made));
  ASSERT_TRUE(WriteWholeFile(group + "Other.lnk", "not ours"));
  ASSERT_TRUE(WriteWholeFile(group + "Quillon Start.lnk", "stale"));
  MakeGroupShortcuts(kGroupSubPath, "c:\\zt\\");
  MakeGroupShortcuts(kGroupSubPath, "c:\\zt2\\");
  EXPECT_EQ(ReadWholeFile(group + "Other.lnk"), "not ours");
  EXPECT_EQ(ReadShellLink(group + "Quillon Start.lnk").path, "c:\\zt2\\qlx.exe");
  EXPECT_EQ(ReadShellLink(group + "Uninstall Quillon.lnk").path, "c:\\zt2\\unins.exe");
  // Exactly three entries: the two links and the one that was there.
  int entries = 0;
  WIN32_FIND_DATAA found{};
  UniqueFindHandle listing(::FindFirstFileA((group + "*.lnk").c_str(), &found));
  if (listing)
    do ++entries;
    while (::FindNextFileA(listing.get(), &found));
  EXPECT_EQ(entries, 3);
}

}  // namespace
