#include "support/InfoBox.h"

#include <windows.h>

#include "support/Application.h"

void InfoBox(const std::string& text) {
  ::MessageBoxA(nullptr, text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONINFORMATION);
}
