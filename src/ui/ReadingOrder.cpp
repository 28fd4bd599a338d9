#include "ui/ReadingOrder.h"

#include <algorithm>
#include <numeric>

std::vector<std::size_t> ReadingOrder(const std::vector<Rect>& places) {
  std::vector<std::size_t> order(places.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const Rect& ra = places[a];
    const Rect& rb = places[b];
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return order;
}
