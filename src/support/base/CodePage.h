#pragma once
// Where the characters of ANSI text begin. In the double-byte code pages (932, 936, 949, 950) a
// lead byte and the byte after it are one character, and that second byte may be any of 0x40 to
// 0xFE: "\" (0x5C), "|" (0x7C), the letters "A" to "Z", "[", "]", "^", "_", "`", "{", "}", "~".
// So "ソ" (83 5C) ends in a backslash byte and "ア" (83 41) holds an "A" byte. Every helper that
// looks for one of these in text that may hold a path steps by character, never by byte; for
// single-byte text the results are the same.

#include <array>
#include <cstddef>
#include <string_view>

struct LeadBytes {
  std::array<bool, 256> lead{};
  bool operator()(char byte) const { return lead[static_cast<unsigned char>(byte)]; }
};

// The lead bytes of code page 932, 936, 949 or 950; none for any other (a single-byte one).
LeadBytes LeadBytesOf(unsigned codePage);

// Makes `table` the lead bytes of the system's ANSI code page for the rest of the run. A Windows
// program hands over what support/win/CodePageSystem reads, first thing at start; until then,
// and in the packing tool and the host tests, which have no system code page to ask, there are
// none (single-byte).
void UseSystemLeadBytes(const LeadBytes& table);
// Those in force: the system's, unless a test has set others.
const LeadBytes& AnsiLeadBytes();

// For tests of portable code: text is read as in `codePage` while the object lives.
class ScopedAnsiCodePage {
 public:
  explicit ScopedAnsiCodePage(unsigned codePage);
  ~ScopedAnsiCodePage();
  ScopedAnsiCodePage(const ScopedAnsiCodePage&) = delete;
  ScopedAnsiCodePage& operator=(const ScopedAnsiCodePage&) = delete;

 private:
  LeadBytes m_table;
  const LeadBytes* m_previous;
};

// The position of the character after the one at `at` (a lead byte at the very end counts as a
// character of its own).
std::size_t NextCharacter(std::string_view text, std::size_t at);
// The position of the first character at or after `from` that is one of `chars` (single-byte
// characters below 0x80); npos when none.
std::size_t FindCharacter(std::string_view text, std::string_view chars, std::size_t from = 0);
// The position of the last such character; npos when none.
std::size_t FindLastCharacter(std::string_view text, std::string_view chars);
// Whether the text ends with a whole character, not with a lead byte alone (which the system
// would join with whatever is appended: a backslash after it would be no separator).
bool EndsWithWholeCharacter(std::string_view text);
// Whether the last character of the text is `c` (a single-byte character below 0x80).
bool EndsWithCharacter(std::string_view text, char c);
