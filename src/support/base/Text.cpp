#include "support/base/Text.h"

#include "support/base/CodePage.h"

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  // The second byte of a double-byte character is no letter, whatever its value.
  for (std::size_t at = 0; at < out.size(); at = NextCharacter(out, at))
    if (out[at] >= 'A' && out[at] <= 'Z') out[at] = static_cast<char>(out[at] - 'A' + 'a');
  return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) { return AsciiLower(a) == AsciiLower(b); }

const char* BoolText(bool flag) { return flag ? "True" : "False"; }

const char* BoolTextLower(bool flag) { return flag ? "true" : "false"; }

std::string_view Trimmed(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
