// The formatter and the list, path and version helpers on arbitrary bytes: no input may crash,
// read out of bounds or overflow; a format that does not fit its arguments raises FormatError.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/base/CodePage.h"
#include "support/base/Format.h"
#include "support/base/Lists.h"
#include "support/base/Paths.h"
#include "support/base/VersionNumber.h"

namespace {

void FormatWithSomeArguments(std::uint8_t selector, std::string_view format) {
  const FormatSettings settings{selector & 1 ? "." : "", selector & 2 ? "," : "\xA0"};
  try {
    switch (selector % 6) {
      case 0: (void)FormatWith(settings, format); break;
      case 1: (void)FormatWith(settings, format, "text"); break;
      case 2: (void)FormatWith(settings, format, -123456789); break;
      case 3: (void)FormatWith(settings, format, 1e300, 4294967295u); break;
      case 4: (void)FormatWith(settings, format, std::string_view("a\0b", 3), -0.5, 7); break;
      default: (void)FormatWith(settings, format, std::uint64_t{~0ull}, "x", 2.5, -1); break;
    }
  } catch (const FormatError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // Half the inputs are read as in the Japanese double-byte code page.
  const ScopedAnsiCodePage codePage(data[0] & 8 ? 932 : 1252);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  FormatWithSomeArguments(data[0], text);

  std::string list(text);
  const std::string separators = data[0] & 4 ? "|;" : ",";
  for (std::size_t guard = 0; !list.empty(); ++guard) {
    (void)SplitFirst(list, separators);
    if (guard > size) __builtin_trap();  // every step must shorten the list
  }
  (void)CountChar(',', text);
  int position = 0;
  (void)FindSubText(text.substr(0, size / 4), text, position);
  if (position < 0 || static_cast<std::size_t>(position) > text.size()) __builtin_trap();

  (void)VersionToNumber(text);
  const std::string added = AddTrailingBackslash(text);
  // Exactly one trailing backslash character (the byte before it may end a double-byte one); a
  // lead byte alone at the end joins with it, which is why the name rules refuse such text.
  const std::string_view beforeIt = std::string_view(added).substr(0, added.empty() ? 0 : added.size() - 1);
  if (!text.empty() && EndsWithWholeCharacter(text) &&
      (!EndsWithCharacter(added, '\\') || EndsWithCharacter(beforeIt, '\\')))
    __builtin_trap();
  const std::string stripped = StripTrailingBackslashes(text);
  if (EndsWithCharacter(stripped, '\\')) __builtin_trap();
  (void)ReplaceExtension(text, ".log");
  (void)QuotedIfBlank(text);
  return 0;
}
