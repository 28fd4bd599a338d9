#include "support/base/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
  const char* raw;
  std::vector<std::string> args;
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsLikeTheSystemWithoutEscapes) {
  EXPECT_EQ(SplitCommandLine(GetParam().raw), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitCommandLineTest,
    testing::Values(
        SplitCase{"", {}},
        SplitCase{"   \t ", {}},
        SplitCase{"qlx355.exe", {"qlx355.exe"}},
        SplitCase{"\"C:\\Users\\me\\Downloads\\qlx355.exe\" /log", {"C:\\Users\\me\\Downloads\\qlx355.exe", "/log"}},
        SplitCase{"a.exe   /dir=d:\\games  /log ", {"a.exe", "/dir=d:\\games", "/log"}},
        SplitCase{"a.exe\t/usedosbox", {"a.exe", "/usedosbox"}},
        // Quotes group blanks and are removed, wherever they stand in the argument.
        SplitCase{"a.exe \"/dir=c:\\my games\\zt\"", {"a.exe", "/dir=c:\\my games\\zt"}},
        SplitCase{"a.exe /dir=\"c:\\my games\"\\zt x", {"a.exe", "/dir=c:\\my games\\zt", "x"}},
        // Backslashes are literal: a backslash before the closing quote does not escape it.
        SplitCase{"a.exe \"/dir=c:\\my games\\\" /log", {"a.exe", "/dir=c:\\my games\\", "/log"}},
        SplitCase{"a.exe x\\\\\\ y", {"a.exe", "x\\\\\\", "y"}},
        // A folder with blanks but without quotes ends at the first blank.
        SplitCase{"a.exe /dir=c:\\my games", {"a.exe", "/dir=c:\\my", "games"}},
        // An empty pair of quotes is an empty argument; an unclosed quote runs to the end.
        SplitCase{"a.exe \"\" b", {"a.exe", "", "b"}},
        SplitCase{"a.exe \"open ended", {"a.exe", "open ended"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return "Case" + std::to_string(info.index); });

TEST(CommandLine, ArgumentsAndCount) {
  const CommandLine cl("\"c:\\dl\\qlx355.exe\" /DIR=D:\\Games /log");
  EXPECT_EQ(cl.Count(), 2);
  EXPECT_EQ(cl.Arg(0), "c:\\dl\\qlx355.exe");
  EXPECT_EQ(cl.Arg(1), "/DIR=D:\\Games");
  EXPECT_EQ(cl.Arg(2), "/log");
  EXPECT_EQ(cl.Arg(3), "");
  EXPECT_EQ(cl.Arg(-1), "");
}

TEST(CommandLine, EmptyRawTextHasNoArguments) {
  const CommandLine cl("");
  EXPECT_EQ(cl.Count(), 0);
  EXPECT_EQ(cl.Arg(0), "");
}

TEST(CommandLine, RawSearchesCoverTheProgramPath) {
  const CommandLine cl("\"c:\\LOGS\\setup.exe\" /UseDosbox");
  // "/log" is looked for in the lower-cased text, the program path included.
  EXPECT_FALSE(cl.RawContainsLower("/log"));
  EXPECT_TRUE(CommandLine("c:\\x\\a.exe /Log").RawContainsLower("/log"));
  EXPECT_TRUE(CommandLine("c:\\x/logs\\a.exe").RawContainsLower("/log"));
  // "/usedosbox" is case-sensitive.
  EXPECT_FALSE(cl.RawContains("/usedosbox"));
  EXPECT_TRUE(CommandLine("a.exe x/usedosboxy").RawContains("/usedosbox"));
}

}  // namespace
