#pragma once
// Band shading: a rectangle shaded from colour A to colour B in n bands, band i having
// A + round(i * (B - A) / n) in each of red, green and blue. The controls differ only in how
// long a band is: trunc(extent / n) + 1 pixels (panel, progress bar) or round(extent / n) + 1
// (tool button). Bands start at round(i * extent / n), so short extents give overlapping
// one-pixel bands, later ones overpainting earlier ones.

#include <vector>

#include "ui/Colour.h"
#include "ui/Geometry.h"

enum class BandLength { TruncPlusOne, RoundPlusOne };

struct Band {
  int start = 0;  // along the shaded axis, inclusive
  int end = 0;    // exclusive
  Rgb colour;
  friend bool operator==(const Band&, const Band&) = default;
};

// Colour i of a shading from `from` to `to` in `steps` steps (steps below 1 count as 1).
Rgb StepColour(Rgb from, Rgb to, int i, int steps);

// The bands over [start, start + extent), in drawing order, each clipped to
// [clipStart, clipEnd); bands left empty by the clip are dropped. count below 1 counts as 1.
std::vector<Band> ShadeBands(int start, int extent, int count, Rgb from, Rgb to, BandLength rule,
                             int clipStart, int clipEnd);

// The same bands as horizontal stripes of `area` (top to bottom), clipped to `clip`.
struct ShadedRect {
  Rect rect;
  Rgb colour;
  friend bool operator==(const ShadedRect&, const ShadedRect&) = default;
};
std::vector<ShadedRect> ShadeVertically(const Rect& area, int count, Rgb from, Rgb to, BandLength rule,
                                        const Rect& clip);
