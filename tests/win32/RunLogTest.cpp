// The run log in a scratch folder: file rules, line form, dropped lines, format errors.
#include "support/run/RunLog.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <vector>

#include <windows.h>

#include "common/ScratchFolder.h"
#include "support/fs/FileVersion.h"
#include "support/fs/Files.h"
#include "support/win/Locale.h"
#include "win32/RunLogMessages.h"

namespace {

class RunLog : public testing::Test {
 protected:
  void SetUp() override { SetLogEnabled(true); }
  void TearDown() override { SetLogEnabled(false); }
  ScratchFolder m_scratch{"runlog"};
};

TEST_F(RunLog, LineBeforeStartIsDropped) {
  // Each case runs in a process of its own, so nothing has started the log here yet.
  if (!LogPath().empty()) GTEST_SKIP() << "log already started in this process";
  EXPECT_EQ(LogText("early"), "");
  EXPECT_EQ(LogFormat("early %d", 1), "");
}

TEST_F(RunLog, StartMakesTheFolderReplacesTheOldFileAndWritesTheBanner) {
  const std::string folder = m_scratch / "documents\\corvane\\";
  StartRunLog(folder + "qlx355.exe");
  EXPECT_EQ(LogPath(), folder + "qlx355.log");
  ASSERT_TRUE(FileIsPresent(LogPath()));
  LogText("first run");

  StartRunLog(folder + "qlx355.exe");
  const auto lines = CrLfLines(ReadWholeFile(LogPath()));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(LogMessageOf(lines[0]), "== Logging Initialized. Build " + OwnVersionText());
  // This program has no version record: the banner shows its date instead.
  EXPECT_NE(lines[0].find("Build date: "), std::string::npos);
}

TEST_F(RunLog, DisabledLogTouchesNothing) {
  SetLogEnabled(false);
  // The test's command line carries no "/log".
  StartRunLog(m_scratch / "off.exe");
  EXPECT_FALSE(FileIsPresent(m_scratch / "off.log"));
  EXPECT_EQ(LogText("x"), "");
}

TEST_F(RunLog, LineForm) {
  StartRunLog(m_scratch / "form.exe");
  EXPECT_EQ(LogText("value %d stays"), "value %d stays");
  EXPECT_EQ(LogFormat("value %d replaced", 42), "value 42 replaced");
  EXPECT_EQ(LogText(""), "");
  const std::string content = ReadWholeFile(LogPath());
  const auto lines = CrLfLines(content);
  ASSERT_EQ(lines.size(), 4u) << content;
  EXPECT_EQ(LogMessageOf(lines[1]), "value %d stays");
  EXPECT_EQ(LogMessageOf(lines[2]), "value 42 replaced");
  EXPECT_EQ(LogMessageOf(lines[3]), "");

  const std::string timeSep = TimeSeparator();
  const std::string thousands = LocaleFormatSettings().thousandsSeparator;
  ASSERT_EQ(timeSep, ":");
  ASSERT_EQ(thousands, ",");
  const std::regex form(R"(^(\d{6}) \d\d:\d\d:\d\d\.(\d{1,3}) .*\[Mem: \d{1,3}(,\d{3})*\]$)");
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  char today[8];
  std::snprintf(today, sizeof today, "%02d%02d%02d", now.wYear % 100, now.wMonth, now.wDay);
  for (const auto& line : lines) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, form)) << line;
    const std::string ms = match[2];
    EXPECT_TRUE(ms == "0" || ms[0] != '0') << "padded milliseconds: " << line;
    // Written a moment ago (a run across midnight would show yesterday).
    EXPECT_TRUE(match[1] == today || lines.front().substr(0, 6) != today) << line;
  }
  EXPECT_EQ(content.find('\n'), content.find("\r\n") + 1);
}

TEST_F(RunLog, FormatErrorRaisesAndWritesNothing) {
  StartRunLog(m_scratch / "bad.exe");
  const std::string before = ReadWholeFile(LogPath());
  EXPECT_THROW(LogFormat("NeedsDosbox := %s", 1), FormatError);
  EXPECT_THROW(LogFormat("%s %s", "one"), FormatError);
  EXPECT_EQ(ReadWholeFile(LogPath()), before);
  // The file was closed again: the next line goes in.
  EXPECT_EQ(LogText("after"), "after");
}

TEST_F(RunLog, FileHeldOpenWithoutSharingDropsLines) {
  StartRunLog(m_scratch / "held.exe");
  const std::string before = ReadWholeFile(LogPath());
  {
    UniqueFileHandle held(::CreateFileA(LogPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(LogText("dropped"), "");
    EXPECT_EQ(LogFormat("dropped %d", 1), "");
    // A bad format is not even looked at when the line cannot be written.
    EXPECT_EQ(LogFormat("%d", "x"), "");
  }
  EXPECT_EQ(ReadWholeFile(LogPath()), before);
  EXPECT_EQ(LogText("back"), "back");
}

TEST_F(RunLog, FolderThatCannotBeMadeDropsLines) {
  ASSERT_TRUE(WriteWholeFile(m_scratch / "file", "x"));
  StartRunLog(m_scratch / "file\\sub\\qlx355.exe");
  EXPECT_EQ(LogText("nowhere"), "");
}

TEST(HeapBytesInUse, FollowsAllocations) {
  const std::uint32_t before = HeapBytesInUse();
  auto block = std::make_unique<char[]>(1 << 20);
  block[0] = 1;
  const std::uint32_t during = HeapBytesInUse();
  EXPECT_GE(during, before + (1u << 20));
  block.reset();
  EXPECT_LT(HeapBytesInUse(), during - (1u << 19));
}

}  // namespace
