#include "ui/Rounding.h"

#include <cmath>
#include <limits>

int RoundRatio(std::int64_t num, std::int64_t den) {
  if (den == 0) return 0;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  // Floor division first, so that the remainder is always in [0, den).
  std::int64_t q = num / den;
  std::int64_t r = num % den;
  if (r < 0) {
    r += den;
    --q;
  }
  const std::int64_t twice = 2 * r;
  if (twice > den || (twice == den && (q % 2 != 0))) ++q;
  if (q > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (q < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(q);
}

int RoundHalfEven(double x) {
  if (std::isnan(x)) return 0;
  if (x >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (x <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  const double floor = std::floor(x);
  const double fraction = x - floor;
  auto result = static_cast<std::int64_t>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) ++result;
  return static_cast<int>(result);
}
