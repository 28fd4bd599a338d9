#include "support/FileNameRules.h"

#include <cstddef>

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
  if (name.back() == '.' || name.back() == ' ') return false;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    if (std::string_view("\\/:\"<>|").find(c) != std::string_view::npos) return false;
    if (!wildcards && (c == '*' || c == '?')) return false;
  }
  return !IsDeviceName(name);
}
