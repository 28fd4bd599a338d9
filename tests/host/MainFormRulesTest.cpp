// The main window's text rules: the default folder from the command line, the version prompt,
// the protected-folder test, and the switches of unattended installs.
#include "app/MainFormRules.h"
#include "app/Switches.h"

#include <gtest/gtest.h>

namespace {

TEST(MainFormRules, DefaultFolderComesFromTheFirstArgumentOnly) {
  const struct {
    const char* commandLine;
    const char* folder;
    bool passed;
  } cases[] = {
      {"qlx355.exe", "c:\\zt", false},
      {R"(qlx355.exe x/dir=e:\q\\\)", "e:\\q\\", true},
      {"qlx355.exe /dir=", "", true},
      {R"(qlx355.exe /DIR=D:\Games)", "d:\\games\\", true},
      {R"(qlx355.exe /log /dir=d:\games)", "c:\\zt", false},
      {R"(qlx355.exe "/dir=d:\my games\zt")", "d:\\my games\\zt\\", true},
  };
  for (const auto& c : cases) {
    const DefaultFolder d = DefaultInstallFolder("c:\\", CommandLine(c.commandLine));
    EXPECT_EQ(d.folder, c.folder) << c.commandLine;
    EXPECT_EQ(d.passed, c.passed) << c.commandLine;
  }
  EXPECT_EQ(DefaultInstallFolder("", CommandLine("qlx355.exe")).folder, "zt");
  EXPECT_EQ(DriveRootOf("c:\\windows"), "c:\\");
  EXPECT_EQ(DriveRootOf(""), "");
}

TEST(MainFormRules, VersionPromptByTheInstalledVersion) {
  EXPECT_EQ(VersionPromptText("3.60.0.0", "3.55.0.0", true),
            "Version 3.60.0.0 of Quillon is installed. The NEW version is 3.55.0.0.\n\nClick YES to install the older version.");
  EXPECT_EQ(VersionPromptText("3.50.0.0", "3.55.0.0", false),
            "Version 3.50.0.0 of Quillon is installed. The NEW version is 3.55.0.0.\n\nClick YES to install.");
  EXPECT_EQ(VersionPromptText("3.55.0.0", "3.55.0.0", true),
            "Version 3.55.0.0 of Quillon is already installed.\n\nClick YES to re-install");
  EXPECT_EQ(VersionPromptText("3.55.0.0", "3.55.0.0", false), "");
  EXPECT_EQ(VersionPromptText("", "3.55.0.0", true), "");
  // A file without a version record: its date's digits stay below any real version.
  EXPECT_NE(VersionPromptText("date: 12/9/2026", "3.55.0.0", false).find("Click YES to install."), std::string::npos);
}

TEST(MainFormRules, ProtectedFolders) {
  const std::vector<std::string> programFiles = {"c:\\program files (x86)", "c:\\program files", ""};
  const struct {
    std::vector<std::string> forms;
    bool refused;
  } cases[] = {
      {{"c:\\program files\\x"}, true},
      {{"c:\\program files (x86)"}, true},
      {{"d:\\windows\\games"}, true},
      {{"c:\\windows"}, true},  // the Windows folder itself
      {{"c:\\windows\\"}, true},
      {{"d:\\zt"}, false},
      {{"c:\\windowsgames\\zt"}, false},
      {{"c:\\progra~1\\x", "c:\\program files\\x"}, true},  // the canonical form counts too
      {{""}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsProtectedFolder(c.forms, programFiles), c.refused) << c.forms.front();
}

}  // namespace

namespace {

TEST(Switches, WholeArgumentsInAnyCaseAndPosition) {
  const struct {
    const char* commandLine;
    RunMode mode;
    bool suppress;
    bool useDosbox = false;  // a case-sensitive substring of the raw line
    bool log = false;        // a substring of the lower-cased line
  } cases[] = {
      {"qlx355.exe", RunMode::Interactive, false},
      {"qlx355.exe /SILENT", RunMode::Silent, false},
      {R"(qlx355.exe "/dir=c:\zt" /Silent /suppressmsgboxes)", RunMode::Silent, true},
      {"qlx355.exe /verysilent", RunMode::VerySilent, true},
      {"qlx355.exe /silent /verysilent", RunMode::VerySilent, true},
      {"qlx355.exe /dir=d:/silent", RunMode::Interactive, false},  // a folder, not a switch
      {"qlx355.exe /silentx /suppressmsgboxes", RunMode::Interactive, true},
      {"/silent.exe", RunMode::Interactive, false},  // the program's own path is no switch
      {"\"c:\\dl\\qlx355.exe\" /usedosbox", RunMode::Interactive, false, true},
      {"\"c:\\x/usedosbox\\qlx355.exe\"", RunMode::Interactive, false, true},
      {"\"c:\\dl\\qlx355.exe\" /UseDosbox /LOG", RunMode::Interactive, false, false, true},
      {"c:\\x/logs\\qlx355.exe", RunMode::Interactive, false, false, true},
  };
  for (const auto& c : cases) {
    const Switches s = ReadSwitches(CommandLine(c.commandLine));
    EXPECT_EQ(s.mode, c.mode) << c.commandLine;
    EXPECT_EQ(s.suppressMsgBoxes, c.suppress) << c.commandLine;
    EXPECT_EQ(s.useDosbox, c.useDosbox) << c.commandLine;
    EXPECT_EQ(s.log, c.log) << c.commandLine;
  }
}

}  // namespace
