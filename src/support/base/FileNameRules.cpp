#include "support/base/FileNameRules.h"

#include <cstddef>

#include "support/base/CodePage.h"

bool IsDeviceName(std::string_view name) noexcept {
  // Trailing blanks before the extension do not help.
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  if (stem.size() < 3 || stem.size() > 4) return false;
  char upper[3];
  for (std::size_t i = 0; i < 3; ++i) upper[i] = static_cast<char>(stem[i] >= 'a' && stem[i] <= 'z' ? stem[i] - 32 : stem[i]);
  const std::string_view head(upper, 3);
  if (stem.size() == 3) return head == "CON" || head == "PRN" || head == "AUX" || head == "NUL";
  const auto last = static_cast<unsigned char>(stem[3]);
  // Digits, and the superscript one, two and three of the ANSI code page.
  const bool portNumber = (last >= '0' && last <= '9') || last == 0xB9 || last == 0xB2 || last == 0xB3;
  return portNumber && (head == "COM" || head == "LPT");
}

bool IsPlainName(std::string_view name, bool wildcards) noexcept {
  if (name.empty()) return false;
  if (name.back() == '.' || name.back() == ' ' || !EndsWithWholeCharacter(name)) return false;
  // The second byte of a double-byte character may look like "\" or "|": it is part of a
  // letter, not one of these.
  for (std::size_t at = 0; at < name.size(); at = NextCharacter(name, at)) {
    if (NextCharacter(name, at) - at == 2) continue;
    const char c = name[at];
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    if (std::string_view("\\/:\"<>|").find(c) != std::string_view::npos) return false;
    if (!wildcards && (c == '*' || c == '?')) return false;
  }
  return !IsDeviceName(name);
}

std::optional<std::string_view> LeftoverOwner(std::string_view name) noexcept {
  const std::string_view suffix = kReplacementSuffix;
  for (std::size_t at = name.find('.'); at != std::string_view::npos && at > 0; at = name.find('.', at + 1)) {
    if (name.size() - at < suffix.size()) break;
    bool same = true;
    for (std::size_t i = 0; i < suffix.size() && same; ++i) {
      const char c = name[at + i];
      same = (c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) == suffix[i];
    }
    if (!same) continue;
    const std::string_view rest = name.substr(at + suffix.size());
    const bool digits = rest.size() > 1 && rest[0] == '.' &&
                        rest.find_first_not_of("0123456789", 1) == std::string_view::npos;
    if (rest.empty() || digits) return name.substr(0, at);
  }
  return std::nullopt;
}
