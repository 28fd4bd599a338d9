#pragma once
// One window's scale: its layout is written in pixels at 96 dots per inch (logical units) and
// shown at the window's own DPI. Device edges are rounded as GDI rounds a coordinate it maps
// through a scaling world transform (floor of x + 1/2), so that a child window, a hint's
// rectangle or an invalidated area falls on exactly the pixels the drawing did. Portable.

#include "ui/Geometry.h"

struct DpiScale {
  static constexpr int kBaseDpi = 96;
  int dpi = kBaseDpi;

  constexpr bool Identity() const { return dpi == kBaseDpi; }
  // A logical coordinate or length as a device one.
  int ToDevice(int logical) const;
  // The logical coordinate whose device span holds device pixel `device` (mouse positions).
  int ToLogical(int device) const;
  // The nearest logical length to a device length (a window's client size).
  int NearestLogical(int device) const;
  // Each edge mapped on its own, so that rectangles that meet at 96 DPI still meet.
  Rect ToDevice(const Rect& logical) const;
  // The smallest logical rectangle that covers a device one (the area a paint must draw).
  Rect Covering(const Rect& device) const;
  // A font's height (either sign, as CreateFont takes it) at this scale.
  int FontHeight(int logicalHeight) const;
  // The world transform's factor.
  double Factor() const { return static_cast<double>(dpi) / kBaseDpi; }
  friend constexpr bool operator==(const DpiScale&, const DpiScale&) = default;
};
