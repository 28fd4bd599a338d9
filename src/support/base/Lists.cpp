#include "support/base/Lists.h"

#include <cstring>

#include "support/base/CodePage.h"
#include "support/base/Text.h"

// Separators are found only where a character begins: "|" (0x7C) may be the second byte of a
// double-byte character ("ポ" is 83 7C).
std::string SplitFirst(std::string& list, std::string_view separators) {
  const size_t cut = FindCharacter(list, separators);
  if (cut == std::string::npos) {
    std::string head = std::move(list);
    list.clear();
    return head;
  }
  std::string head = list.substr(0, cut);
  list.erase(0, cut + 1);
  return head;
}

// One pass over the list: a record may hold a hostile one of many thousand items.
std::vector<std::string> ListItems(std::string_view list, char separator) {
  std::vector<std::string> items;
  const std::string separators(1, separator);
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t cut = FindCharacter(list, separators, start);
    const std::size_t end = cut == std::string_view::npos ? list.size() : cut;
    if (const std::string_view trimmed = Trimmed(list.substr(start, end - start), " "); !trimmed.empty())
      items.emplace_back(trimmed);
    start = end + 1;
  }
  return items;
}

int CountChar(char c, std::string_view text) {
  int count = 0;
  for (std::size_t at = 0; at < text.size() && text[at] != '\0'; at = NextCharacter(text, at))
    if (text[at] == c) ++count;
  return count;
}

int FindSubText(std::string_view part, std::string_view text, int& position) {
  // An empty part is never found.
  const size_t at = part.empty() ? std::string_view::npos : text.find(part);
  position = at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
  return position;
}
