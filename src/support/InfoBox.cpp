#include "support/InfoBox.h"

#include <windows.h>

#include "support/Application.h"

void InfoBox(const std::string& text) {
  if (const MessageHandler& handler = InfoBoxHandler()) {
    handler(text);
    return;
  }
  ::MessageBoxA(nullptr, text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONINFORMATION);
}
