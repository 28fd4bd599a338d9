#include "support/Application.h"

#include <windows.h>

namespace {
std::string& TitleStorage() {
  static std::string title;
  return title;
}
}  // namespace

void SetApplicationTitle(std::string title) { TitleStorage() = std::move(title); }

const std::string& ApplicationTitle() { return TitleStorage(); }

void ShowException(const std::string& message) {
  ::MessageBoxA(nullptr, message.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
