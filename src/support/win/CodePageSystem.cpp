#include "support/win/CodePageSystem.h"

#include <windows.h>

LeadBytes SystemLeadBytes() {
  LeadBytes read;
  for (unsigned b = 0x80; b < 0x100; ++b) read.lead[b] = ::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b)) != 0;
  return read;
}
