#include "ui/Rounding.h"

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
  // r against den - r rather than 2 * r against den, which could overflow.
  const std::int64_t rest = den - r;
  if (r > rest || (r == rest && (q % 2 != 0))) ++q;
  if (q > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (q < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(q);
}
