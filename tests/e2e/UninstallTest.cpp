// Install with the real installer, then uninstall with the command line exactly as it was
// registered (also from a folder with blanks), and look at everything the pair leaves: the
// user's own files only.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "common/ScratchFolder.h"
#include "e2e/Harness.h"
#include "e2e/UninstallHarness.h"
#include "support/base/Text.h"

namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

class InstallThenUninstall : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { RemoveProductTraces(); }
  void TearDown() override { RemoveProductTraces(); }
  ScratchFolder m_scratch{"unins"};
};

TEST_P(InstallThenUninstall, LeavesOnlyTheUsersOwnFiles) {
  const std::string folder = m_scratch / GetParam();
  ASSERT_EQ(RunCommandLine("\"" + InstallerPath() + "\" \"/dir=" + folder + "\" /verysilent"), 0u);
  ASSERT_TRUE(FileExists(folder + "unins.exe"));
  ASSERT_TRUE(FileExists(folder + "unins5100.dat"));
  ASSERT_TRUE(FileExists(DesktopLink()));
  ASSERT_TRUE(FolderExists(GroupFolder()));
  const std::string command = RegisteredUninstallString();
  ASSERT_NE(command.find("unins.exe"), std::string::npos) << command;

  // The user's files, under names no list names, and files the product made while it ran.
  ASSERT_TRUE(WriteWholeFile(folder + "my letter.txt", "mine"));
  ASSERT_TRUE(WriteWholeFile(folder + "manuals\\my notes.doc", "mine"));
  ASSERT_TRUE(WriteWholeFile(folder + "quon.def", "made at run time"));
  ASSERT_TRUE(WriteWholeFile(folder + "session.log", "made at run time"));
  ASSERT_TRUE(WriteWholeFile(folder + "tips\\tip01.htm.qlx-new", "left by a stopped install"));
  ASSERT_TRUE(WriteWholeFile(folder + "tips\\tip02.htm.qlx-new.768", "left by a killed install"));
  ASSERT_TRUE(WriteWholeFile(folder + "qlx.exe.qlx-new.1234", "left by a killed install"));
  ASSERT_TRUE(WriteWholeFile(folder + "unins5100.dat.4242", "left by a killed install"));

  // The desktop shell reads the new link's icon without delete sharing for a moment; a person
  // uninstalls later than that.
  ASSERT_TRUE(WaitUntilFree(folder + "qlx.ico"));
  EXPECT_EQ(RunCommandLine(command + " /VERYSILENT"), 0u);
  EXPECT_TRUE(WaitUntilGone(folder + "unins.exe"));
  EXPECT_TRUE(WaitUntilGone(folder + "unins5100.dat"));
  EXPECT_TRUE(FinishingCopiesLeft().empty());
  EXPECT_EQ(FilesBelow(folder), (std::vector<std::string>{"manuals\\my notes.doc", "my letter.txt"}));
  EXPECT_FALSE(FolderExists(folder + "tips"));
  EXPECT_FALSE(FolderExists(folder + "dosbox"));
  EXPECT_FALSE(UninstallEntryExists());
  EXPECT_FALSE(FileExists(DesktopLink()));
  EXPECT_FALSE(FolderExists(GroupFolder()));
  EXPECT_FALSE(FolderExists(GroupFolder() + "..\\"));

  const std::vector<std::string> log = UninstallLogLines();
  ASSERT_GE(log.size(), 3u);
  EXPECT_TRUE(Contains(log, "Uninstall.started"));
  EXPECT_TRUE(Contains(log, "Uninstall.Removed " + AsciiLower(folder) + "qlx.exe"));
  EXPECT_FALSE(Contains(log, "Uninstall.Kept")) << ::testing::PrintToString(log);
  EXPECT_TRUE(Contains(log, "Exit code 0: removed"));
  // The finishing copy goes on in the same log once the uninstaller has ended.
  EXPECT_TRUE(Contains(log, "Uninstall.Finishing copy removed " + AsciiLower(folder) + "unins.exe"));
  EXPECT_TRUE(Contains(log, "Uninstall.Finishing copy removed " + AsciiLower(folder) + "unins5100.dat"));
  EXPECT_NE(log.back().find("Uninstall.Finishing copy exit code 0: done"), std::string::npos) << log.back();

  // Once the user's files are gone too, a second installation and removal leaves no folder.
  RemoveTree(folder + "manuals");
  ::DeleteFileA((folder + "my letter.txt").c_str());
  ASSERT_EQ(RunCommandLine("\"" + InstallerPath() + "\" \"/dir=" + folder + "\" /verysilent"), 0u);
  ASSERT_TRUE(WaitUntilFree(folder + "qlx.ico"));
  EXPECT_EQ(RunCommandLine(RegisteredUninstallString() + " /silent"), 0u);
  EXPECT_TRUE(WaitUntilGone(folder));
  EXPECT_TRUE(FinishingCopiesLeft().empty());
  EXPECT_FALSE(UninstallEntryExists());
}

INSTANTIATE_TEST_SUITE_P(Folders, InstallThenUninstall, testing::Values("zt\\", "my games\\zt\\"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.index == 0 ? "Plain" : "WithBlanks");
                         });

}  // namespace
