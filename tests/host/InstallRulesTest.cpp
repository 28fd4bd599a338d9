// The install run's rules on cases the sample payload does not hold (the end-to-end tests
// under Wine cover the ordinary ones): destination by name and position, packed dates, and
// what becomes of an existing install folder others may change.
#include "engine/InstallRules.h"

#include <gtest/gtest.h>

#include "support/base/DateTime.h"

namespace {

TEST(FileDestination, FirstMatchingRuleWinsLetterCaseCounting) {
  const InstallFolders folders(InstallFolder::FromText("c:\\zt").value());
  struct Case {
    const char* name;
    int position;
    const char* expected;
  };
  const Case cases[] = {
      {"docs.pdf.bak", 3, "c:\\zt\\manuals\\docs.pdf.bak"},
      {"Sumatra.exe", 12, "c:\\zt\\Sumatra.exe"},
      {"QUILLON.PDF", 10, "c:\\zt\\QUILLON.PDF"},
      {"guide.htm.pdf", 15, "c:\\zt\\manuals\\guide.htm.pdf"},
      // The name rules come before the DOSBox folder.
      {"sumatra.dll", 32, "c:\\zt\\manuals\\sumatra.dll"},
      {"readme.mht", 33, "c:\\zt\\tips\\readme.mht"},
      {"SDL_net.dll", 33, "c:\\zt\\dosbox\\SDL_net.dll"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileDestination(c.name, c.position, 31, folders), c.expected) << c.name;
}

constexpr std::uint32_t Pack(int year, int month, int day, int hours = 0, int minutes = 0, int seconds = 0) {
  return static_cast<std::uint32_t>((year - 1980) << 9 | month << 5 | day) << 16 |
         static_cast<std::uint32_t>(hours << 11 | minutes << 5 | seconds / 2);
}

TEST(DateTimeFromDosDateTime, DayCountsAndFieldsThatAreNoDate) {
  EXPECT_EQ(DateTimeFromDosDateTime(Pack(1980, 1, 1)), 29221.0);
  EXPECT_EQ(DateTimeFromDosDateTime(Pack(2016, 2, 29, 12)), 42429.5);
  EXPECT_EQ(DateTimeFromDosDateTime(Pack(2100, 3, 1)), 73110.0);
  EXPECT_EQ(DateTimeFromDosDateTime(Pack(2107, 12, 31, 23, 59, 58)), 75971 + 86398 / 86400.0);
  for (std::uint32_t packed : {0u, Pack(2016, 13, 1), Pack(2015, 2, 29), Pack(2100, 2, 29), Pack(2016, 4, 31),
                               Pack(2016, 1, 1, 24), Pack(2016, 1, 1, 0, 60), Pack(2016, 1, 1) | 30})
    EXPECT_FALSE(DateTimeFromDosDateTime(packed).has_value()) << std::hex << packed;
  // Such a stamp never keeps an existing file.
  EXPECT_FALSE(ExistingFileIsNotOlder(0, 80000));
}


TEST(DecideExistingFolder, KeepProtectOrWarnByWhoElseMayChangeAndWhoseFolderItIs) {
  constexpr char kMe[] = "S-1-5-21-1-2-3-1001";
  struct Row {
    const char* sddl;
    ExistingFolderStep step;
  };
  const Row rows[] = {
      // Nobody else may change it: kept, whoever owns it.
      {"O:S-1-5-21-1-2-3-1001D:P(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", ExistingFolderStep::Keep},
      {"O:S-1-5-21-1-2-3-1002D:(A;OICI;FA;;;BA)", ExistingFolderStep::Keep},
      // Mine, open to others only through what it inherited: protected; also when
      // Administrators own it (an elevated run made it).
      {"O:S-1-5-21-1-2-3-1001D:AI(A;ID;0x1301bf;;;AU)", ExistingFolderStep::Protect},
      {"O:BAD:AI(A;OICIID;FA;;;SY)(A;ID;0x1301bf;;;BU)", ExistingFolderStep::Protect},
      // Someone else's, or opened to others on purpose, or with no list at all: left, and said.
      {"O:S-1-5-21-1-2-3-1002D:AI(A;ID;0x1301bf;;;AU)", ExistingFolderStep::Warn},
      {"O:S-1-5-21-1-2-3-1001D:(A;CI;0x1301bf;;;BU)", ExistingFolderStep::Warn},
      {"O:S-1-5-21-1-2-3-1001D:NO_ACCESS_CONTROL", ExistingFolderStep::Warn},
  };
  for (const Row& row : rows) {
    const auto list = ParseAccessList(row.sddl);
    ASSERT_TRUE(list) << row.sddl;
    EXPECT_EQ(DecideExistingFolder(*list, kMe), row.step) << row.sddl;
  }
}

}  // namespace
