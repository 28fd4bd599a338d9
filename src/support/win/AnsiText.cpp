#include "support/win/AnsiText.h"

#include <windows.h>

std::optional<std::string> ExactAnsi(const wchar_t* wide) {
  const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(length), '\0');
  BOOL replaced = FALSE;
  if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, ansi.data(), length, nullptr, &replaced) !=
          length ||
      replaced)
    return std::nullopt;
  ansi.resize(static_cast<std::size_t>(length - 1));
  return ansi;
}
