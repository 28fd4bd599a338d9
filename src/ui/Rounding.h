#pragma once
// The one rounding rule of the drawing code: to the nearest integer, halves to the even
// neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).

#include <cstdint>

// num / den rounded, computed exactly in integers. den must not be 0 (0 is returned).
int RoundRatio(std::int64_t num, std::int64_t den);
// x rounded; NaN gives 0 and values beyond int's range are clamped to it.
int RoundHalfEven(double x);
