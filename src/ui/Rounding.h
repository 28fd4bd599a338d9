#pragma once
// The one rounding rule of the system: to the nearest integer, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Every rounded quantity is a ratio of integers (i * h / n,
// value * 100 / range), so it is computed exactly rather than through floating point, where a
// true half can arrive as 0.49999.

#include <cstdint>

// num / den rounded. A den of 0 gives 0; results beyond int's range are clamped to it.
int RoundRatio(std::int64_t num, std::int64_t den);
