#pragma once
// The order in which Tab visits the places of a window's tab stops: by row (top edge), then
// from the left; places on the same spot keep their order. Portable.

#include <cstddef>
#include <vector>

#include "ui/Geometry.h"

// Indices into `places`, in reading order.
std::vector<std::size_t> ReadingOrder(const std::vector<Rect>& places);
