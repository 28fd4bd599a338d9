// The install folder's one set of text rules, which the install page, "/dir=", the unattended
// modes, the uninstaller and its finishing copy all use, and the paths built from the folder.
#include "product/InstallFolder.h"

#include <gtest/gtest.h>

#include "support/base/CodePage.h"
#include "uninstall/RemovalRules.h"

namespace {

TEST(InstallFolder, OneSetOfTextRulesForBothPrograms) {
  const std::string longest = "c:\\" + std::string(kMaxInstallFolderLength - 3, 'a');
  const struct {
    std::string text;
    FolderText kind;
  } cases[] = {
      {"c:\\zt\\", FolderText::Usable},
      {"c:\\zt", FolderText::Usable},
      {"d:\\games\\quillon 3\\\\", FolderText::Usable},
      {longest + "\\", FolderText::Usable},
      {"", FolderText::Blank},
      {longest + "a\\", FolderText::TooLong},
      {"c:\\" + std::string(300, 'x') + "\\", FolderText::TooLong},
      {"c:zt\\", FolderText::NotFull},
      {"zt\\", FolderText::NotFull},
      {"\\zt\\", FolderText::NotFull},
      {"\\", FolderText::NotFull},
      {"c:", FolderText::NotFull},
      {"c:/zt/\\", FolderText::NotFull},
      {"c:\\", FolderText::DriveRoot},
      {"D:\\\\", FolderText::DriveRoot},
      // Known by their first characters, never handed to the system.
      {"\\\\server\\share\\zt\\", FolderText::NotOnDrive},
      {"\\\\server\\share", FolderText::NotOnDrive},
      {"\\\\?\\c:\\zt", FolderText::NotOnDrive},
      {"\\\\.\\c:\\zt", FolderText::NotOnDrive},
      {"\\\\?\\UNC\\server\\share\\zt", FolderText::NotOnDrive},
      {"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1\\zt", FolderText::NotOnDrive},
      {"//server/share/zt", FolderText::NotOnDrive},
      {"c:\\games/zt\\", FolderText::BadPart},
      {"c:\\zt.\\", FolderText::BadPart},
      {"c:\\zt\\.", FolderText::BadPart},
      {"c:\\zt \\", FolderText::BadPart},
      {"c:\\con\\zt\\", FolderText::BadPart},
      {"c:\\zt\\lpt1.txt\\", FolderText::BadPart},
      {"c:\\a\\\\b\\", FolderText::BadPart},
      {"c:\\z\x01t\\", FolderText::BadPart},
      {"c:\\z\tt\\", FolderText::BadPart},
      {"c:\\??\\zt\\", FolderText::BadPart},  // what characters outside the code page become
      {"c:\\zt\\*", FolderText::BadPart},
      {"c:\\a:b\\", FolderText::BadPart},
      {"c:\\..\\zt\\", FolderText::BadPart},
      {"c:\\zt\\..\\windows", FolderText::BadPart},
  };
  const std::vector<std::string> system = {"c:\\windows"};
  for (const auto& c : cases) {
    EXPECT_EQ(JudgeFolderText(c.text), c.kind) << c.text;
    EXPECT_EQ(InstallFolder::FromText(c.text).has_value(), c.kind == FolderText::Usable) << c.text;
    EXPECT_EQ(FolderTextWords(c.kind).empty(), c.kind == FolderText::Usable) << c.text;
    // The uninstaller refuses what the installer refuses, the length limit aside: a folder it
    // finds exists already.
    const bool found = c.kind == FolderText::Usable || c.kind == FolderText::TooLong;
    EXPECT_EQ(InstallFolderRefusal(c.text, system).empty(), found) << c.text;
  }
  EXPECT_EQ(FolderTextWords(FolderText::TooLong), "is longer than 213 characters");

  // A backslash that is the second byte of a double-byte character is no separator: the folder
  // is not cut or joined inside a character.
  const ScopedAnsiCodePage japanese(932);
  EXPECT_EQ(JudgeFolderText("c:\\\x83\x5c"), FolderText::Usable);
  EXPECT_EQ(InstallFolder::FromText("c:\\\x83\x5c")->Path(), "c:\\\x83\x5c\\");
  EXPECT_EQ(JudgeFolderText("c:\\\x83"), FolderText::BadPart);
}

TEST(InstallFolder, PathsBuiltOnceWithOneBackslash) {
  const struct {
    const char* given;
    const char* path;
    const char* command;
  } cases[] = {
      {"c:\\zt", "c:\\zt\\", "c:\\zt\\unins.exe c:\\zt\\unins5100.dat"},
      {"c:\\zt\\", "c:\\zt\\", "c:\\zt\\unins.exe c:\\zt\\unins5100.dat"},
      {"c:\\zt\\\\", "c:\\zt\\", "c:\\zt\\unins.exe c:\\zt\\unins5100.dat"},
      {"d:\\my games\\zt\\", "d:\\my games\\zt\\",
       "\"d:\\my games\\zt\\unins.exe\" \"d:\\my games\\zt\\unins5100.dat\""},
      {"d:\\games\\z t", "d:\\games\\z t\\", "\"d:\\games\\z t\\unins.exe\" \"d:\\games\\z t\\unins5100.dat\""},
  };
  for (const auto& c : cases) {
    const InstallFolder folder = InstallFolder::FromText(c.given).value();
    EXPECT_EQ(folder.Given(), c.given);
    EXPECT_EQ(folder.Path(), c.path);
    EXPECT_EQ(folder.Bare() + "\\", c.path);
    EXPECT_EQ(folder.RecordPath(), std::string(c.path) + "unins5100.dat");
    EXPECT_EQ(folder.UninstallerPath(), std::string(c.path) + "unins.exe");
    EXPECT_EQ(folder.Join("manuals\\a.pdf"), std::string(c.path) + "manuals\\a.pdf");
    EXPECT_EQ(folder.UninstallCommand(), c.command);
  }
}

}  // namespace
