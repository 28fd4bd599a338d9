#include "ui/Shading.h"

#include <algorithm>
#include <cstdint>

#include "ui/Rounding.h"

namespace {
std::uint8_t Channel(int from, int to, int i, int steps) {
  const int value = from + RoundRatio(static_cast<std::int64_t>(i) * (to - from), steps);
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}
}  // namespace

Rgb StepColour(Rgb from, Rgb to, int i, int steps) {
  steps = std::max(steps, 1);
  return Rgb{Channel(from.r, to.r, i, steps), Channel(from.g, to.g, i, steps), Channel(from.b, to.b, i, steps)};
}

std::vector<Band> ShadeBands(int start, int extent, int count, Rgb from, Rgb to, BandLength rule, int clipStart,
                             int clipEnd) {
  count = std::max(count, 1);
  extent = std::max(extent, 0);
  const int length = (rule == BandLength::TruncPlusOne ? extent / count : RoundRatio(extent, count)) + 1;
  std::vector<Band> bands;
  bands.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int bandStart = start + RoundRatio(static_cast<std::int64_t>(i) * extent, count);
    const int s = std::max(bandStart, clipStart);
    const int e = std::min(bandStart + length, clipEnd);
    if (s < e) bands.push_back(Band{s, e, StepColour(from, to, i, count)});
  }
  return bands;
}

std::vector<ShadedRect> ShadeVertically(const Rect& area, int count, Rgb from, Rgb to, BandLength rule,
                                        const Rect& clip) {
  const Rect columns = area.Intersect(clip);
  std::vector<ShadedRect> out;
  if (columns.Width() <= 0) return out;
  for (const Band& band : ShadeBands(area.top, area.Height(), count, from, to, rule, clip.top, clip.bottom))
    out.push_back(ShadedRect{Rect{columns.left, band.start, columns.right, band.end}, band.colour});
  return out;
}
