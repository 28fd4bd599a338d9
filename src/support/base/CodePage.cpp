#include "support/base/CodePage.h"

namespace {
LeadBytes g_system;                    // none until a program hands over the system's
const LeadBytes* g_inForce = nullptr;  // set only by ScopedAnsiCodePage, in tests
}  // namespace

LeadBytes LeadBytesOf(unsigned codePage) {
  LeadBytes table;
  const auto mark = [&table](unsigned first, unsigned last) {
    for (unsigned b = first; b <= last; ++b) table.lead[b] = true;
  };
  if (codePage == 932) {
    mark(0x81, 0x9F);
    mark(0xE0, 0xFC);
  } else if (codePage == 936 || codePage == 949 || codePage == 950) {
    mark(0x81, 0xFE);
  }
  return table;
}

void UseSystemLeadBytes(const LeadBytes& table) { g_system = table; }

const LeadBytes& AnsiLeadBytes() { return g_inForce ? *g_inForce : g_system; }

ScopedAnsiCodePage::ScopedAnsiCodePage(unsigned codePage) : m_table(LeadBytesOf(codePage)), m_previous(g_inForce) {
  g_inForce = &m_table;
}

ScopedAnsiCodePage::~ScopedAnsiCodePage() { g_inForce = m_previous; }

std::size_t NextCharacter(std::string_view text, std::size_t at) {
  return at + (AnsiLeadBytes()(text[at]) && at + 1 < text.size() ? 2 : 1);
}

std::size_t FindCharacter(std::string_view text, std::string_view chars, std::size_t from) {
  for (std::size_t at = from; at < text.size(); at = NextCharacter(text, at))
    if (chars.find(text[at]) != std::string_view::npos) return at;
  return std::string_view::npos;
}

std::size_t FindLastCharacter(std::string_view text, std::string_view chars) {
  std::size_t last = std::string_view::npos;
  for (std::size_t at = FindCharacter(text, chars); at != std::string_view::npos;
       at = FindCharacter(text, chars, NextCharacter(text, at)))
    last = at;
  return last;
}

bool EndsWithWholeCharacter(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && NextCharacter(text, at) < text.size()) at = NextCharacter(text, at);
  return text.empty() || !AnsiLeadBytes()(text[at]) || at + 1 < text.size();
}

bool EndsWithCharacter(std::string_view text, char c) {
  if (text.empty() || text.back() != c) return false;
  std::size_t at = 0;
  while (NextCharacter(text, at) < text.size()) at = NextCharacter(text, at);
  return at == text.size() - 1;
}
