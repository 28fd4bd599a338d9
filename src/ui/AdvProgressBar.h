#pragma once
// The level progress bar: a rounded white frame holding a row of small tube-shaded blocks whose
// colour pair depends on the level the percentage has reached, and the percentage written across
// the middle. A new position is painted at once only when the picture can change.

#include <optional>
#include <string>
#include <utility>

#include "ui/Control.h"
#include "ui/Gdi.h"
#include "ui/ProgressGeometry.h"

class TAdvProgressBar : public Control {
 public:
  static constexpr int kCorner = 6;
  // Painted where the frame does not reach; copied as transparent, so the parent shows there.
  static constexpr TColor kTransparentKey = 0xFF00FF;

  struct Props {
    TColor Level0Color = RgbColour(0x00, 0xFF, 0x00);
    TColor Level0ColorTo = RgbColour(0xE1, 0xFF, 0xE1);
    TColor Level1Color = RgbColour(0xFF, 0xFF, 0x00);
    TColor Level1ColorTo = RgbColour(0xFF, 0xFF, 0xCA);
    TColor Level2Color = RgbColour(0xFF, 0xA9, 0x53);
    TColor Level2ColorTo = RgbColour(0xFF, 0xD3, 0xA8);
    TColor Level3Color = RgbColour(0xFF, 0x00, 0x00);
    TColor Level3ColorTo = RgbColour(0xFF, 0xCA, 0xCA);
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = RgbColour(0x80, 0x80, 0x80);
    TColor BackgroundColor = RgbColour(0xFF, 0xFF, 0xFF);
    bool ShowBorder = true;
    bool Rounded = true;
    bool ShowGradient = true;
    int Steps = 8;
    bool ShowPosition = true;
    bool ShowPercentage = true;
    int Min = 0;
    int Max = 100;
    int Position = 50;
    TFont Font{.Name = "Verdana", .Height = -13, .Bold = false, .Color = clWindowText};
  };

  TAdvProgressBar(std::string name, Rect bounds, Props props);

  int Min() const { return m_position.Min(); }
  int Max() const { return m_position.Max(); }
  int Position() const { return m_position.Position(); }
  int Percent() const { return m_position.Percent(); }
  AccessibleRole Role() const override { return AccessibleRole::ProgressBar; }
  // Named by the window it shows in ("Installation Progress", "Uninstall Progress").
  std::string AccessibleName() const override;
  std::string AccessibleValue() const override { return std::to_string(Percent()) + "%"; }
  void SetMin(int value);
  void SetMax(int value);
  // Stores the position (held within Min and Max) and paints it at once when the picture can
  // change; a value outside Min..Max is stored at the limit without painting.
  void SetPosition(int value);

  const Props& Properties() const { return m_props; }
  // Replaces every other property (colours, levels, flags) and invalidates.
  void SetLook(const Props& props);

  // The strong and light colour of the fill at a percentage.
  std::pair<TColor, TColor> LevelColours(int percent) const;

  void Paint(HDC dc) override;

 private:
  void DrawPlainPicture(HDC dc);
  void DrawPicture(HDC dc);
  void ShadeBlock(HDC dc, const Rect& block, Rgb strong, Rgb light) const;

  Props m_props;
  ProgressPosition m_position;
  static constexpr DWORD kAnnounceEveryMs = 250;
  int m_announcedPercent = -1;
  DWORD m_announcedAt = 0;
  Canvas m_picture;
};
