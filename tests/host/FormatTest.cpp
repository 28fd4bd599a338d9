#include "support/base/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "support/base/LogLine.h"

namespace {

TEST(Format, Placeholders) {
  struct Case {
    std::string got;
    std::string expected;
  };
  const std::string name = "Quillon";
  const Case cases[] = {
      {Format("Corvane %s Installer", "Quillon"), "Corvane Quillon Installer"},
      {Format("%s", name), "Quillon"},
      {Format("%s", std::string_view("a\0b", 3)), std::string("a\0b", 3)},
      {Format("<%s>", ""), "<>"},
      {Format("%s", static_cast<const char*>(nullptr)), ""},
      {Format("%d", -42), "-42"},
      {Format("%d", std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
      {Format("%d", 7u), "7"},
      {Format("%u", 4294967295u), "4294967295"},
      {Format("%x", 255), "FF"},
      {Format("%.8x", 0x1Fu), "0000001F"},
      {Format("%.3d", 7), "007"},
      {Format("%.3d", -7), "-007"},
      {Format("%5d|%-5d|", 42, 42), "   42|42   |"},
      {Format("%.3s", "abcdef"), "abc"},
      {Format("100%%"), "100%"},
      {Format("%%d"), "%d"},
      {Format("%n", 1234567.891), "1,234,567.89"},
      {Format("%.0n", 1234567.0), "1,234,567"},
      {Format("%.0n", 999.5), "1,000"},
      {Format("%.0n", 0.0), "0"},
      {Format("%.0n", -0.4), "0"},
      {Format("%.0n", -1234.0), "-1,234"},
      {Format("%.0n", 123.0), "123"},
      {Format("%.0n", 4294967295.0), "4,294,967,295"},
      {Format("%.0n", std::nan("")), "NAN"},
      {Format("%.0n", -HUGE_VAL), "-INF"},
      {Format("%S|%D", "x", 1), "x|1"},
      {Format("FindDosbox = %s: <%s>", "False", ""), "FindDosbox = False: <>"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(Format, SeparatorsAreParameters) {
  const FormatSettings german{".", ","};
  EXPECT_EQ(FormatWith(german, "%.0n", 1234567.0), "1.234.567");
  EXPECT_EQ(FormatWith(german, "%.2n", 1234.5), "1.234,50");
  const FormatSettings none{"", "."};
  EXPECT_EQ(FormatWith(none, "%.0n", 1234567.0), "1234567");
  const FormatSettings wide{"\xA0\xA0", "."};
  EXPECT_EQ(FormatWith(wide, "%.0n", 1234.0), "1\xA0\xA0" "234");
}

// Every mismatch raises instead of reading what is not there.
TEST(Format, MismatchesRaise) {
  EXPECT_THROW(Format("%s"), FormatError);
  EXPECT_THROW(Format("%d"), FormatError);
  EXPECT_THROW(Format("%s %s", "a"), FormatError);
  EXPECT_THROW(Format("no placeholder", 1), FormatError);
  EXPECT_THROW(Format("%d", "text"), FormatError);
  EXPECT_THROW(Format("%s", 5), FormatError);
  EXPECT_THROW(Format("%n", 5), FormatError);
  EXPECT_THROW(Format("%d", 1.5), FormatError);
  EXPECT_THROW(Format("%u", -1), FormatError);
  EXPECT_THROW(Format("%x", -1), FormatError);
  EXPECT_THROW(Format("%", 1), FormatError);
  EXPECT_THROW(Format("abc%"), FormatError);
  EXPECT_THROW(Format("%5"), FormatError);
  EXPECT_THROW(Format("%q", 1), FormatError);
  EXPECT_THROW(Format("%0:s", "a"), FormatError);
  EXPECT_THROW(Format("%*d", 1, 2), FormatError);
  // A damaged width is an error, not a request for gigabytes of blanks.
  EXPECT_THROW(Format("%99999999999d", 1), FormatError);
  EXPECT_THROW(Format("%.99999n", 1.0), FormatError);
}

TEST(LogLine, FieldsRunTogether) {
  struct Case {
    LogClock clock;
    const char* message;
    std::uint32_t heap;
    const char* expected;
  };
  const Case cases[] = {
      {{2026, 12, 7, 9, 5, 3, 7}, "FormCreate: start", 1234567, "261207 09:05:03.7 FormCreate: start[Mem: 1,234,567]\r\n"},
      {{2026, 1, 31, 23, 59, 59, 70}, "", 0, "260131 23:59:59.70 [Mem: 0]\r\n"},
      {{2000, 2, 29, 0, 0, 0, 700}, "%d", 999, "000229 00:00:00.700 %d[Mem: 999]\r\n"},
      {{1999, 10, 1, 12, 0, 0, 0}, "x", 4294967295u, "991001 12:00:00.0 x[Mem: 4,294,967,295]\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LogLine(c.clock, c.message, c.heap, ":", FormatSettings{}), c.expected);
}

TEST(LogLine, ControlCharactersCannotBreakOrForgeALine) {
  EXPECT_EQ(LogLine({2026, 12, 7, 9, 5, 3, 7}, "Installdir passed: c:\\zt\r\n261207 09:05:03.8 forged\t\x1f.", 12, ":",
                    FormatSettings{}),
            "261207 09:05:03.7 Installdir passed: c:\\zt\\x0D\\x0A261207 09:05:03.8 forged\\x09\\x1F.[Mem: 12]\r\n");
}

TEST(LogLine, LocaleSeparators) {
  EXPECT_EQ(LogLine({2026, 12, 7, 9, 5, 3, 7}, "m", 1234567, ".", FormatSettings{" ", ","}),
            "261207 09.05.03.7 m[Mem: 1 234 567]\r\n");
}

}  // namespace
