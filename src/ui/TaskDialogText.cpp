#include "ui/TaskDialogText.h"

std::string ExpandTaskDialogBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 2 < text.size() && text[i + 1] == '\\' && text[i + 2] == 'n') {
      out += "\\n";
      i += 2;
    } else if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}
