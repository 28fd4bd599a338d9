#pragma once
// Colour values as the windows describe them: an RGB colour (red in the low byte, blue in the
// third), a system colour (high byte FF, low byte the system's colour index) resolved only when
// drawing, or none (1FFFFFFF), which means no colour at all.

#include <cstdint>
#include <optional>
#include <string_view>

using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor kSystemColourFlag = 0xFF000000;

constexpr TColor RgbColour(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

constexpr TColor clBlack = RgbColour(0x00, 0x00, 0x00);
constexpr TColor clWhite = RgbColour(0xFF, 0xFF, 0xFF);
constexpr TColor clRed = RgbColour(0xFF, 0x00, 0x00);
constexpr TColor clMaroon = RgbColour(0x80, 0x00, 0x00);
constexpr TColor clYellow = RgbColour(0xFF, 0xFF, 0x00);
constexpr TColor clSilver = RgbColour(0xC0, 0xC0, 0xC0);

// System colours; the numbers are the system's colour indexes.
constexpr TColor SystemColour(int index) { return kSystemColourFlag | static_cast<TColor>(index & 0xFF); }
constexpr TColor clWindow = SystemColour(5);
constexpr TColor clWindowText = SystemColour(8);
constexpr TColor clBtnFace = SystemColour(15);
constexpr TColor clBtnShadow = SystemColour(16);
constexpr TColor clBtnHighlight = SystemColour(20);
constexpr TColor clHighlight = SystemColour(13);
constexpr TColor clHighlightText = SystemColour(14);
constexpr TColor clGrayText = SystemColour(17);
constexpr TColor clBtnText = SystemColour(18);

constexpr bool IsNone(TColor c) { return c == clNone; }
constexpr bool IsSystemColour(TColor c) { return (c & 0xFF000000) == kSystemColourFlag; }
constexpr int SystemColourIndex(TColor c) { return static_cast<int>(c & 0xFF); }

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

constexpr Rgb ToRgb(TColor c) {
  return Rgb{static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
             static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

// The RGB value to draw with. System colours are looked up through `systemLookup` (the index
// in, 0x00BBGGRR out); none and any other value without an RGB meaning give std::nullopt.
using SystemColourLookup = TColor (*)(int index);
std::optional<Rgb> ResolveRgb(TColor c, SystemColourLookup systemLookup);

// "#RRGGBB" or one of the colour names (clRed, clMaroon, clBlack, clWhite, clYellow, clSilver,
// clNone); anything else gives std::nullopt.
std::optional<TColor> ParseColour(std::string_view text);
