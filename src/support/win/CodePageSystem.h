#pragma once
// The lead bytes of the system's ANSI code page, as the system says. The portable text helpers
// (support/base/CodePage.h) cannot ask the system themselves: a program reads them here at start
// and hands them over with UseSystemLeadBytes.

#include "support/base/CodePage.h"

LeadBytes SystemLeadBytes();
