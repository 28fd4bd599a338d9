#include "support/ProcessCommandLine.h"

#include <string>

#include <windows.h>

const CommandLine& ProcessCommandLine() {
  static const CommandLine commandLine(::GetCommandLineA());
  return commandLine;
}

bool CommandLineIsAnsi() {
  const wchar_t* wide = ::GetCommandLineW();
  const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return false;
  std::string ansi(static_cast<std::size_t>(length), '\0');
  BOOL replaced = FALSE;
  if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, ansi.data(), length, nullptr, &replaced) != length)
    return false;
  return !replaced;
}
