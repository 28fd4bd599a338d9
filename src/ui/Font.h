#pragma once
// A font as the controls describe it.

#include <string>

#include "ui/Colour.h"

// Height < 0 is the character height in pixels, > 0 the cell height (as CreateFont takes it).
struct TFont {
  std::string Name = "Tahoma";
  int Height = -13;
  bool Bold = false;
  TColor Color = clWindowText;
  friend bool operator==(const TFont&, const TFont&) = default;
};
