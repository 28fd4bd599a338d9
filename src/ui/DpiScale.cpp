#include "ui/DpiScale.h"

#include <cstdint>

namespace {
// floor(num / den) for den > 0.
int FloorDiv(std::int64_t num, std::int64_t den) {
  std::int64_t q = num / den;
  if (num % den != 0 && num < 0) --q;
  return static_cast<int>(q);
}
}  // namespace

int DpiScale::ToDevice(int logical) const {
  // floor(logical * dpi / 96 + 1/2), exactly.
  return FloorDiv(2 * static_cast<std::int64_t>(logical) * dpi + kBaseDpi, 2 * kBaseDpi);
}

int DpiScale::ToLogical(int device) const {
  return dpi <= 0 ? device : FloorDiv(static_cast<std::int64_t>(device) * kBaseDpi, dpi);
}

int DpiScale::NearestLogical(int device) const {
  return dpi <= 0 ? device : FloorDiv(2 * static_cast<std::int64_t>(device) * kBaseDpi + dpi, 2 * static_cast<std::int64_t>(dpi));
}

Rect DpiScale::ToDevice(const Rect& r) const {
  return Rect{ToDevice(r.left), ToDevice(r.top), ToDevice(r.right), ToDevice(r.bottom)};
}

Rect DpiScale::Covering(const Rect& r) const {
  if (dpi <= 0) return r;
  // Up for the far edges: ceil(x * 96 / dpi) = -floor(-x * 96 / dpi).
  auto up = [&](int x) { return -FloorDiv(-static_cast<std::int64_t>(x) * kBaseDpi, dpi); };
  return Rect{ToLogical(r.left), ToLogical(r.top), up(r.right), up(r.bottom)};
}

int DpiScale::FontHeight(int logicalHeight) const {
  return logicalHeight < 0 ? -ToDevice(-logicalHeight) : ToDevice(logicalHeight);
}
