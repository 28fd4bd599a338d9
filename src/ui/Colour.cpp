#include "ui/Colour.h"

#include <array>
#include <utility>

std::optional<Rgb> ResolveRgb(TColor c, SystemColourLookup systemLookup) {
  if (IsNone(c)) return std::nullopt;
  if (IsSystemColour(c)) {
    if (!systemLookup) return std::nullopt;
    return ToRgb(systemLookup(SystemColourIndex(c)) & 0xFFFFFF);
  }
  // Only plain RGB values have a colour of their own; other high bytes carry no defined meaning.
  if ((c & 0xFF000000) != 0) return std::nullopt;
  return ToRgb(c);
}

namespace {
int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}
}  // namespace

std::optional<TColor> ParseColour(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, TColor>, 7> kNames{{
      {"clRed", clRed},
      {"clMaroon", clMaroon},
      {"clBlack", clBlack},
      {"clWhite", clWhite},
      {"clYellow", clYellow},
      {"clSilver", clSilver},
      {"clNone", clNone},
  }};
  for (const auto& [name, value] : kNames)
    if (text == name) return value;

  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  int channels[3];
  for (int i = 0; i < 3; ++i) {
    const int hi = HexDigit(text[1 + 2 * i]);
    const int lo = HexDigit(text[2 + 2 * i]);
    if (hi < 0 || lo < 0) return std::nullopt;
    channels[i] = hi * 16 + lo;
  }
  return RgbColour(channels[0], channels[1], channels[2]);
}
