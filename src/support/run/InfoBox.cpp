#include "support/run/InfoBox.h"

#include <windows.h>

#include "support/run/Application.h"

void InfoBox(const std::string& text) {
  if (const MessageHandler& handler = InfoBoxHandler()) {
    handler(text);
    return;
  }
  ::MessageBoxA(nullptr, text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONINFORMATION);
}
