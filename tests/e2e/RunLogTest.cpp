// The run log of the real installer: read from the all-users documents folder of the prefix
// after the installer has started and closed.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "e2e/Harness.h"
#include "e2e/RunLogFolder.h"
#include "support/win/UniqueHandle.h"

namespace {

TEST(RunLog, StartAndCloseWritesBannerThenFormCreate) {
  // No corvane folder yet: the installer makes it.
  RemoveTree(RunLogFolder());
  StartAndClose(InstallerPath());

  const std::string content = ReadWholeFile(RunLogFolder() + "qlx355.log");
  const auto lines = CrLfLines(content);
  ASSERT_GE(lines.size(), 2u) << content;
  const std::regex form(R"(^\d{6} \d\d:\d\d:\d\d\.(0|[1-9]\d{0,2}) (.*)\[Mem: [1-9]\d{0,2}(,\d{3})*\]$)");
  const char* const messages[] = {"== Logging Initialized. Build 3.55.0.0", "FormCreate: start"};
  for (size_t i = 0; i < 2; ++i) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[i], match, form)) << lines[i];
    EXPECT_EQ(match[2], messages[i]);
  }
  // Every line ends in CR LF, and there is no bare LF.
  EXPECT_TRUE(content.ends_with("\r\n"));
  size_t lf = 0, crlf = 0;
  for (size_t i = 0; i < content.size(); ++i)
    if (content[i] == '\n') {
      ++lf;
      if (i > 0 && content[i - 1] == '\r') ++crlf;
    }
  EXPECT_EQ(lf, crlf);
}

TEST(RunLog, SecondRunStartsAFreshFile) {
  ::CreateDirectoryA(RunLogFolder().c_str(), nullptr);
  ASSERT_TRUE(WriteWholeFile(RunLogFolder() + "qlx355.log", "an earlier run\r\n"));
  StartAndClose(InstallerPath());
  const std::string content = ReadWholeFile(RunLogFolder() + "qlx355.log");
  EXPECT_EQ(content.find("an earlier run"), std::string::npos);
  const auto lines = CrLfLines(content);
  // The start sequence goes on after its first line; the file begins with this run's banner.
  ASSERT_GE(lines.size(), 2u) << content;
  EXPECT_NE(lines[0].find(" == Logging Initialized. Build "), std::string::npos) << content;
  EXPECT_NE(lines[1].find(" FormCreate: start[Mem: "), std::string::npos) << content;
}

TEST(RunLog, CopyNamedSetupLogsToSetupLog) {
  ScratchFolder scratch("setupcopy");
  const std::string copy = scratch / "setup.exe";
  ASSERT_TRUE(::CopyFileA(InstallerPath().c_str(), copy.c_str(), FALSE));
  ::DeleteFileA((RunLogFolder() + "setup.log").c_str());
  StartAndClose(copy);
  const std::string content = ReadWholeFile(RunLogFolder() + "setup.log");
  ::DeleteFileA((RunLogFolder() + "setup.log").c_str());
  EXPECT_NE(content.find("== Logging Initialized. Build 3.55.0.0[Mem: "), std::string::npos) << content;
  EXPECT_NE(content.find("FormCreate: start[Mem: "), std::string::npos) << content;
}

TEST(RunLog, LogHeldOpenWithoutSharingDropsLinesAndTheRunGoesOn) {
  const std::string path = RunLogFolder() + "qlx355.log";
  ::CreateDirectoryA(RunLogFolder().c_str(), nullptr);
  ASSERT_TRUE(WriteWholeFile(path, "held by another program\r\n"));
  {
    UniqueFileHandle held(
        ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    StartAndClose(InstallerPath());
  }
  EXPECT_EQ(ReadWholeFile(path), "held by another program\r\n");
}

}  // namespace
