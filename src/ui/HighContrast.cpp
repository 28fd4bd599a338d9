#include "ui/HighContrast.h"

#include <windows.h>

namespace {
std::optional<bool>& Fixed() {
  static std::optional<bool> fixed;
  return fixed;
}
}  // namespace

bool HighContrast() {
  if (Fixed()) return *Fixed();
  HIGHCONTRASTA setting{};
  setting.cbSize = sizeof setting;
  return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

ScopedHighContrast::ScopedHighContrast(bool on) : m_before(Fixed()) { Fixed() = on; }

ScopedHighContrast::~ScopedHighContrast() { Fixed() = m_before; }
