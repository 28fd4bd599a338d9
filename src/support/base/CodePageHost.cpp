#include "support/base/CodePage.h"

// Built where there is no system code page to ask (the packing tool, host tests): single-byte.
const LeadBytes& SystemLeadBytes() {
  static const LeadBytes none;
  return none;
}
