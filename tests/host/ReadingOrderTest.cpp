// Tab's order over a window's tab stops: by row, then from the left; one spot keeps its order.
#include <gtest/gtest.h>

#include "ui/ReadingOrder.h"

namespace {

TEST(ReadingOrder, RowsFirstThenFromTheLeftStable) {
  // The install page: the folder field and Browse on one row, Cancel and Install lower down,
  // listed as the tree holds them.
  const std::vector<Rect> places = {{364, 332, 432, 352}, {64, 35, 351, 61}, {45, 332, 113, 352}, {355, 35, 425, 55}};
  EXPECT_EQ(ReadingOrder(places), (std::vector<std::size_t>{1, 3, 2, 0}));
  // A row is one top edge: a stop one pixel higher comes first, whatever its left.
  EXPECT_EQ(ReadingOrder({{0, 10, 5, 20}, {90, 9, 95, 20}}), (std::vector<std::size_t>{1, 0}));
  EXPECT_EQ(ReadingOrder({{4, 4, 8, 8}, {4, 4, 8, 8}, {4, 4, 9, 9}}), (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_TRUE(ReadingOrder({}).empty());
}

}  // namespace
