#include "product/Shortcuts.h"

#include "support/base/Lists.h"

std::vector<ShortcutEntry> GroupShortcuts() {
  std::vector<ShortcutEntry> entries;
  std::string list = kShortcutList;
  while (!list.empty()) {
    std::string fields = SplitFirst(list, "|");
    ShortcutEntry entry;
    entry.target = SplitFirst(fields, ",");
    entry.name = SplitFirst(fields, ",");
    entry.arguments = SplitFirst(fields, ",");
    // What remains of the entry is the icon field.
    entry.icon = fields;
    entries.push_back(std::move(entry));
  }
  return entries;
}
