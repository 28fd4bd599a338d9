// Whole-file writes, file dates, version texts and file streams.
#include "support/fs/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include <windows.h>

#include "common/Capture.h"
#include "common/FileTimes.h"
#include "common/ScratchFolder.h"
#include "support/base/DateTime.h"
#include "support/fs/FileVersion.h"
#include "support/win/Locale.h"

namespace {

constexpr double kMillisecond = 1.0 / 86400000.0;

std::string ShortDateOf(WORD year, WORD month, WORD day) {
  SYSTEMTIME st{};
  st.wYear = year;
  st.wMonth = month;
  st.wDay = day;
  char text[80] = {};
  ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, sizeof text);
  return text;
}

TEST(FileDateTime, DaysSince1899WithMilliseconds) {
  ScratchFolder scratch("date");
  const std::string path = scratch / "f.txt";
  ASSERT_TRUE(WriteWholeFile(path, "x"));
  struct Case {
    SYSTEMTIME local;
    double expected;
  };
  const Case cases[] = {
      {{2016, 2, 5, 5, 12, 34, 56, 789}, 42405 + (12 * 3600 + 34 * 60 + 56.789) / 86400},
      {{1980, 1, 3, 2, 0, 0, 0, 0}, 29222},
      {{2026, 12, 2, 1, 12, 0, 0, 0}, 46357.5},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(SetLocalWriteTime(path, c.local));
    const double whole = FileDateTime(path);
    EXPECT_NEAR(whole, c.expected, kMillisecond / 2) << c.local.wYear;
    // Parts of a millisecond are cut off, as the system time of the file shows it.
    ASSERT_TRUE(SetLocalWriteTime(path, c.local, 9999));
    EXPECT_EQ(FileDateTime(path), whole) << c.local.wYear;
  }
}

TEST(ShortDateText, ConvertsDayCountsAndRefusesNonsense) {
  EXPECT_EQ(ShortDateText(42405.75), ShortDateOf(2016, 2, 5));
  EXPECT_EQ(ShortDateText(2), ShortDateOf(1900, 1, 1));
  EXPECT_EQ(ShortDateText(std::nan("")), "");
  EXPECT_EQ(ShortDateText(-1e300), "");
  EXPECT_EQ(ShortDateText(1e300), "");
}

TEST(SaveBytesWithDate, SetsThePackedLocalDate) {
  ScratchFolder scratch("bytes");
  const std::vector<std::uint8_t> bytes{'M', 'Z', 0, 1, 2, 0xFF};
  struct Case {
    std::uint32_t packed;
    double expected;
  };
  // 2016-02-05 12:34:56 and 1980-01-01 00:00:00, packed date in the high word.
  const std::uint32_t date2016 = ((2016 - 1980) << 9 | 2 << 5 | 5) << 16 | (12 << 11 | 34 << 5 | 56 / 2);
  const Case cases[] = {
      {date2016, 42405 + (12 * 3600 + 34 * 60 + 56) / 86400.0},
      {(0u << 9 | 1 << 5 | 1) << 16, 29221},
  };
  for (const auto& c : cases) {
    const std::string path = scratch / "f.bin";
    ASSERT_TRUE(SaveBytesWithDate(path, bytes, c.packed).Written());
    EXPECT_EQ(ReadWholeFile(path), std::string("MZ\0\1\2\xFF", 6));
    EXPECT_NEAR(FileDateTime(path), c.expected, kMillisecond / 2);
  }
}

TEST(SaveBytesWithDate, InvalidDateKeepsTheTimeOfTheWrite) {
  ScratchFolder scratch("bytes");
  const std::vector<std::uint8_t> bytes{1, 2, 3};
  // Month 13; and month 0, day 0.
  const std::uint32_t invalid[] = {(46u << 9 | 13 << 5 | 1) << 16, 0u};
  for (std::uint32_t packed : invalid) {
    const std::string path = scratch / "f.bin";
    ASSERT_TRUE(WriteWholeFile(path, "old"));
    SYSTEMTIME old{2001, 1, 1, 1, 0, 0, 0, 0};
    ASSERT_TRUE(SetLocalWriteTime(path, old));
    ASSERT_TRUE(SaveBytesWithDate(path, bytes, packed).Written()) << packed;
    EXPECT_EQ(ReadWholeFile(path), "\1\2\3");
    // The write's own day, not the old date and not one made from the packed value.
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    FILETIME nowFt{};
    ASSERT_TRUE(::SystemTimeToFileTime(&now, &nowFt));
    const double today = DateTimeFromFileTicks((std::uint64_t{nowFt.dwHighDateTime} << 32) | nowFt.dwLowDateTime);
    EXPECT_NEAR(FileDateTime(path), today, 1.0) << packed;
  }
}

TEST(SaveBytesWithDate, FailuresLeaveTheOldFileWholeAndNoReplacementBehind) {
  ScratchFolder scratch("bytes");
  const std::vector<std::uint8_t> bytes{'n', 'e', 'w'};
  const std::uint32_t date2016 = ((2016 - 1980) << 9 | 2 << 5 | 5) << 16;
  const SYSTEMTIME old{2001, 1, 1, 1, 0, 0, 0, 0};
  struct Case {
    const char* name;
    DWORD attributes;  // of the existing file
    bool holdOpen;     // another handle holds it without sharing
    std::vector<std::uint32_t> errors;
  };
  // Wine refuses to replace a file that is open at all (access denied), Windows one opened
  // without delete sharing (access denied or a sharing violation).
  const Case cases[] = {
      {"readonly.exe", FILE_ATTRIBUTE_READONLY, false, {ERROR_ACCESS_DENIED}},
      {"hidden.exe", FILE_ATTRIBUTE_HIDDEN, false, {ERROR_ACCESS_DENIED}},
      {"held.exe", FILE_ATTRIBUTE_NORMAL, true, {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}},
  };
  for (const auto& c : cases) {
    const std::string path = scratch / c.name;
    ASSERT_TRUE(WriteWholeFile(path, "old content"));
    ASSERT_TRUE(SetLocalWriteTime(path, old));
    const double before = FileDateTime(path);
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), c.attributes));
    WriteResult result;
    {
      UniqueFileHandle holder;
      if (c.holdOpen) holder.reset(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_EQ(static_cast<bool>(holder), c.holdOpen) << c.name;
      result = SaveBytesWithDate(path, bytes, date2016);
    }
    EXPECT_NE(std::find(c.errors.begin(), c.errors.end(), result.error), c.errors.end()) << c.name << ": " << result.error;
    EXPECT_EQ(ReadWholeFile(path), "old content") << c.name;
    EXPECT_EQ(FileDateTime(path), before) << c.name;
    EXPECT_FALSE(FileIsPresent(path + ".qlx-new")) << c.name;
  }

  // No folder to write into; empty bytes touch nothing.
  EXPECT_EQ(SaveBytesWithDate(scratch / "missing\\f.bin", bytes, date2016).error,
            static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  const std::string kept = scratch / "keep.bin";
  ASSERT_TRUE(WriteWholeFile(kept, "keep"));
  EXPECT_FALSE(SaveBytesWithDate(kept, {}, date2016).Written());
  EXPECT_EQ(ReadWholeFile(kept), "keep");
  EXPECT_FALSE(SaveBytesWithDate(scratch / "empty.bin", {}, date2016).Written());
  EXPECT_FALSE(FileIsPresent(scratch / "empty.bin"));
}

TEST(SaveBytesWithDate, ALeftoverReplacementIsReplacedAndTheNewFileTakesThePlace) {
  ScratchFolder scratch("bytes");
  const std::string path = scratch / "quon.exe";
  ASSERT_TRUE(WriteWholeFile(path, "old"));
  ASSERT_TRUE(WriteWholeFile(path + ".qlx-new", "half of an earlier write"));
  ASSERT_TRUE(::SetFileAttributesA((path + ".qlx-new").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  // Runs killed before their new file took the replacement's name left these; other names stay.
  ASSERT_TRUE(WriteWholeFile(path + ".qlx-new.4242", "killed early"));
  ASSERT_TRUE(WriteWholeFile(scratch / "QUON.EXE.QLX-NEW.17", "killed early, other case"));
  ASSERT_TRUE(WriteWholeFile(path + ".qlx-new.42x", "not ours"));
  ASSERT_TRUE(::CreateDirectoryA((path + ".qlx-new.7").c_str(), nullptr));
  const std::uint32_t date2016 = ((2016 - 1980) << 9 | 2 << 5 | 5) << 16 | (3 << 11 | 55 << 5);
  EXPECT_TRUE(SaveBytesWithDate(path, std::vector<std::uint8_t>{'M', 'Z'}, date2016).Written());
  EXPECT_EQ(ReadWholeFile(path), "MZ");
  EXPECT_NEAR(FileDateTime(path), 42405 + (3 * 60 + 55) / 1440.0, kMillisecond / 2);
  EXPECT_FALSE(FileIsPresent(path + ".qlx-new"));
  EXPECT_EQ(::GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_FALSE(FileIsPresent(path + ".qlx-new.4242"));
  EXPECT_FALSE(FileIsPresent(scratch / "quon.exe.qlx-new.17"));
  EXPECT_EQ(ReadWholeFile(path + ".qlx-new.42x"), "not ours");
  EXPECT_NE(::GetFileAttributesA((path + ".qlx-new.7").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(OpenFileStreamSafely, CommonFailuresGiveNoStream) {
  ScratchFolder scratch("stream");
  const std::string path = scratch / "log.txt";
  EXPECT_FALSE(OpenFileStreamSafely(path, FileStream::kWrite, 0).has_value());
  EXPECT_FALSE(OpenFileStreamSafely(scratch.Path(), FileStream::kWrite, 0).has_value());
  EXPECT_THROW(OpenFileStreamSafely(scratch / "missing\\log.txt", FileStream::kCreate, 0), FileStreamError);

  ASSERT_TRUE(WriteWholeFile(path, "old"));
  {
    UniqueFileHandle held(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(OpenFileStreamSafely(path, FileStream::kWrite, 0).has_value());
    EXPECT_FALSE(OpenFileStreamSafely(path, FileStream::kRead, FILE_SHARE_READ).has_value());
  }
  auto stream = OpenFileStreamSafely(path, FileStream::kWrite, 0);
  ASSERT_TRUE(stream.has_value());
  // The stream holds the file without sharing.
  UniqueFileHandle other(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(other);
  stream->SeekToEnd();
  EXPECT_EQ(stream->Write("new"), 3u);
  stream.reset();
  EXPECT_EQ(ReadWholeFile(path), "oldnew");

  // Create mode truncates.
  auto created = OpenFileStreamSafely(path, FileStream::kCreate, 0);
  ASSERT_TRUE(created.has_value());
  created.reset();
  EXPECT_EQ(ReadWholeFile(path), "");
}

TEST(FileVersionText, VersionRecordOrDate) {
  ScratchFolder scratch("version");
  // The installer carries a version record.
  EXPECT_EQ(FileVersionText(ToWindowsPath(QLX_INSTALLER_PATH)), "3.55.0.0");

  // Files without one, among them a damaged program header: the date text.
  struct Case {
    const char* name;
    std::string content;
  };
  const Case cases[] = {{"plain.txt", "text"}, {"broken.exe", std::string("MZ\x90\0\3\0\0\0", 8) + std::string(200, '\xFF')}};
  for (const auto& c : cases) {
    const std::string path = scratch / c.name;
    ASSERT_TRUE(WriteWholeFile(path, c.content));
    SYSTEMTIME when{2016, 2, 5, 5, 12, 0, 0, 0};
    ASSERT_TRUE(SetLocalWriteTime(path, when));
    EXPECT_EQ(FileVersionText(path), "date: " + ShortDateOf(2016, 2, 5)) << c.name;
  }
  // This test program has no version record either.
  EXPECT_EQ(OwnVersionText().rfind("date: ", 0), 0u);
}

}  // namespace
