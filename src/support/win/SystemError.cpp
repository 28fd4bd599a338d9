#include "support/win/SystemError.h"

#include <windows.h>

#include "support/base/Format.h"
#include "support/win/UniqueHandle.h"

std::string SystemMessage(std::uint32_t code) {
  UniqueLocalMemory buffer;
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(buffer.put()), 0, nullptr);
  return length && buffer ? std::string(static_cast<const char*>(buffer.get()), length) : std::string();
}

std::string SystemErrorReason(std::uint32_t code) {
  std::string text = SystemMessage(code);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text.empty() ? Format("error %u", code) : Format("error %u: %s", code, text);
}
