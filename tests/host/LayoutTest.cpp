// The windows' small layout rules.
#include "ui/Layout.h"

#include <gtest/gtest.h>

namespace {

TEST(Layout, CentredLeftRoundsTowardZero) {
  struct Case {
    int parent, width, left;
  };
  const Case cases[] = {{682, 100, 291}, {683, 100, 291}, {100, 100, 0}, {100, 103, -1}, {100, 104, -2}, {0, 1, 0}};
  for (const auto& c : cases) EXPECT_EQ(CentredLeft(c.parent, c.width), c.left) << c.parent << " " << c.width;
}

}  // namespace
