#include "support/Text.h"

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

const char* BoolText(bool flag) { return flag ? "True" : "False"; }

const char* BoolTextLower(bool flag) { return flag ? "true" : "false"; }
