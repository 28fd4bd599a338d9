#include "support/base/CodePage.h"
#include "support/base/Lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/base/VersionNumber.h"

namespace {

std::vector<std::string> TakeAll(std::string list, std::string_view separators) {
  std::vector<std::string> items;
  // Bounded: a faulty SplitFirst that never empties the list must not hang the test.
  for (int guard = 0; !list.empty() && guard < 100; ++guard) items.push_back(SplitFirst(list, separators));
  return items;
}

TEST(SplitFirst, TakesItemsUntilTheListIsEmpty) {
  struct Case {
    const char* list;
    const char* separators;
    std::vector<std::string> items;
    unsigned codePage = 1252;
  };
  const Case cases[] = {
      {"a,b,,c", ",", {"a", "b", "", "c"}},
      {"a,", ",", {"a"}},
      {",a", ",", {"", "a"}},
      {"abc", ",", {"abc"}},
      {"", ",", {}},
      {"a;b|c", "|;", {"a", "b", "c"}},
      {"a|;b", "|;", {"a", "", "b"}},
      // Any length other than one: each character separates; none when empty.
      {"a,b", "", {"a,b"}},
      {"qlx.exe,Quillon Start,',qlx.ico|unins.exe,Uninstall Quillon,unins5100.dat,qlx.ico|",
       "|",
       {"qlx.exe,Quillon Start,',qlx.ico", "unins.exe,Uninstall Quillon,unins5100.dat,qlx.ico"}},
      // In code page 932 "\x83\x7C" is one character ("po"), whose second byte is no "|".
      {"\x83\x7C|b", "|", {"\x83\x7C", "b"}, 932},
      {"\x83\x7C|b", "|", {"\x83", "", "b"}},
  };
  for (const auto& c : cases) {
    const ScopedAnsiCodePage codePage(c.codePage);
    EXPECT_EQ(TakeAll(c.list, c.separators), c.items) << c.list << " / " << c.separators;
  }
}

TEST(SplitFirst, OneStepLeavesTheRest) {
  std::string list = "a;b|c";
  EXPECT_EQ(SplitFirst(list, "|;"), "a");
  EXPECT_EQ(list, "b|c");
  EXPECT_EQ(SplitFirst(list, ";"), "b|c");
  EXPECT_EQ(list, "");
  EXPECT_EQ(SplitFirst(list, ";"), "");
  EXPECT_EQ(list, "");
}

TEST(CountChar, CountsUpToTheFirstNul) {
  struct Case {
    char c;
    std::string text;
    int count;
    unsigned codePage = 1252;
  };
  const Case cases[] = {
      {',', "qlx.exe,quon.exe,unins.exe", 2},
      {',', "", 0},
      {',', ",,,", 3},
      {',', std::string("a,b\0,c,d", 8), 1},
      {'|', "a,b", 0},
      {'|', "\x83\x7C|\x83\x7C", 1, 932},
  };
  for (const auto& c : cases) {
    const ScopedAnsiCodePage codePage(c.codePage);
    EXPECT_EQ(CountChar(c.c, c.text), c.count) << c.text;
  }
}

TEST(FindSubText, OneBasedAndCaseSensitive) {
  struct Case {
    const char* part;
    const char* text;
    int position;
  };
  const Case cases[] = {
      {"zt", "c:\\zt", 4}, {"c:", "c:\\zt", 1}, {"ZT", "c:\\zt", 0}, {"x", "", 0}, {"", "abc", 0}, {"dosbox", "dosbox", 1},
  };
  for (const auto& c : cases) {
    int out = -7;
    EXPECT_EQ(FindSubText(c.part, c.text, out), c.position) << c.part << " in " << c.text;
    EXPECT_EQ(out, c.position);
  }
}

TEST(VersionToNumber, PacksSixteenBitsPerPart) {
  struct Case {
    const char* text;
    std::int64_t number;
  };
  constexpr std::int64_t k = 65536;
  const Case cases[] = {
      {"", 0},
      {"3.55", 3 * k + 55},
      {"3.55.0.0", (3 * k + 55) * k * k},
      {"3.55.0.12", ((3 * k + 55) * k + 0) * k + 12},
      {"ab1.x2", 1 * k + 2},
      {"7", 7},
      // A trailing "." closes the last part once; a leading one opens an empty part.
      {"3.", 3},
      {".3", 3},
      {"..", 0},
      // Parts above 65535 add into the next-higher part.
      {"1.65536", 2 * k},
      {"0.70000", 70000},
      // The date text of a file without version record: only its dots split parts.
      {"date: 08.12.2026", (8 * k + 12) * k + 2026},
      {"date: 12/8/2026", 1282026},
      // The arithmetic wraps at 64 bits: 2^48 * 2^16.
      {"65536.0.0.0.0", 0},
      {"32768.0.0.0", std::numeric_limits<std::int64_t>::min()},
  };
  for (const auto& c : cases) EXPECT_EQ(VersionToNumber(c.text), c.number) << c.text;
}

TEST(VersionToNumber, OnlyEqualPartCountsCompareInOrder) {
  EXPECT_LT(VersionToNumber("1.2"), VersionToNumber("1.1.0.0"));
  EXPECT_LT(VersionToNumber("3.54.9.9"), VersionToNumber("3.55.0.0"));
  EXPECT_GT(VersionToNumber("3.55.0.1"), VersionToNumber("3.55.0.0"));
}

}  // namespace
