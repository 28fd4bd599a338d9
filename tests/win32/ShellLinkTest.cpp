// Shortcuts written by CreateShellLink, read back through the shell.
#include "support/fs/ShellLink.h"

#include <gtest/gtest.h>

#include "common/ScratchFolder.h"
#include "support/fs/Files.h"
#include "win32/ShellLinkReader.h"

namespace {

TEST(CreateShellLink, FieldsReadBack) {
  ComScope com;
  ScratchFolder scratch("link");
  struct Case {
    std::string target;
    std::string arguments;
    std::string icon;
    int iconIndex;
    std::uint16_t hotKey;
    std::string workingFolder;
  };
  const Case cases[] = {
      {"c:\\zt\\qlx.exe", "c:\\zt\\'", "c:\\zt\\qlx.ico", 0, 0, "c:\\zt\\"},
      {"d:\\my games\\zt\\unins.exe", "\"d:\\my games\\zt\\unins5100.dat\"", "d:\\my games\\zt\\qlx.ico", 3, 0,
       "d:\\my games\\zt\\"},
      {"c:\\zt\\qlx.exe", "", "", 0, 0x0651, "c:\\zt\\"},
  };
  for (const auto& c : cases) {
    const std::string linkPath = scratch / "Quillon Start.lnk";
    EXPECT_TRUE(CreateShellLink(linkPath, c.target, c.arguments, "Quillon Start", c.icon, c.iconIndex, c.hotKey));
    const ShellLinkFields read = ReadShellLink(linkPath);
    ASSERT_TRUE(read.loaded) << c.target;
    EXPECT_EQ(read.path, c.target);
    EXPECT_EQ(read.arguments, c.arguments);
    EXPECT_EQ(read.workingFolder, c.workingFolder);
    EXPECT_EQ(read.iconPath, c.icon);
    EXPECT_EQ(read.iconIndex, c.iconIndex);
    EXPECT_EQ(read.description, "Quillon Start");
    EXPECT_EQ(read.showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(read.hotKey, c.hotKey);
  }
}

TEST(CreateShellLink, AFailedSaveIsReportedNotRaised) {
  ComScope com;
  ScratchFolder scratch("link");
  const std::string linkPath = scratch / "missing\\x.lnk";
  bool saved = true;
  EXPECT_NO_THROW(saved = CreateShellLink(linkPath, "c:\\zt\\qlx.exe", "", "x", "", 0, 0));
  EXPECT_FALSE(saved);
  EXPECT_FALSE(FileIsPresent(linkPath));
}

TEST(CreateShellLink, WithoutComTheFailureNamesTheClass) {
  // No COM on this thread: the link object cannot be made.
  try {
    CreateShellLink("c:\\x.lnk", "c:\\zt\\qlx.exe", "", "x", "", 0, 0);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    const std::string message = e.what();
    EXPECT_TRUE(message.ends_with(", ClassID: {00021401-0000-0000-C000-000000000046}")) << message;
    EXPECT_GT(message.size(), std::string(", ClassID: {00021401-0000-0000-C000-000000000046}").size());
  }
}

}  // namespace
