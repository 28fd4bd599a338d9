#include "ui/ProgressGeometry.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

TEST(ProgressBlocks, LayoutForFilledLengths) {
  const std::pair<int, std::vector<Span>> cases[] = {
      {-4, {}},
      {0, {}},
      {1, {}},
      {2, {{2, 3}}},
      {9, {{2, 10}}},
      {10, {{2, 9}}},
      {11, {{2, 9}}},       // remainder 2: no short block
      {12, {{2, 9}, {11, 13}}},  // remainder 3: a short block
      {18, {{2, 9}, {11, 18}}},
      {19, {{2, 9}, {11, 18}}},
      {21, {{2, 9}, {11, 18}, {20, 22}}},
  };
  for (const auto& [filled, spans] : cases) EXPECT_EQ(ProgressBlocks(filled), spans) << "F=" << filled;
}

TEST(ProgressBlocks, FullBarOfTheProgressWindowStaysInsideTheFrame) {
  // 433 wide: the filled length at 100 % is 431.
  const auto blocks = ProgressBlocks(431);
  ASSERT_EQ(blocks.size(), 48u);
  EXPECT_EQ(blocks.front(), (Span{2, 9}));
  EXPECT_EQ(blocks[46], (Span{416, 423}));
  EXPECT_EQ(blocks.back(), (Span{425, 432}));
  for (size_t i = 0; i + 1 < blocks.size(); ++i) {
    EXPECT_EQ(blocks[i].end - blocks[i].start, 7) << i;
    EXPECT_EQ(blocks[i + 1].start - blocks[i].end, 2) << i;
  }
  const auto rects = ProgressBlockRects(431, 18);
  ASSERT_EQ(rects.size(), 48u);
  EXPECT_EQ(rects.back(), (Rect{425, 2, 432, 16}));
  EXPECT_TRUE(ProgressBlockRects(431, 4).empty());
}

TEST(ProgressArithmetic, PercentLevelAndLength) {
  struct Case {
    int value, min, max, percent;
  };
  const Case percents[] = {
      {69, 0, 100, 69}, {50, 0, 0, 0},  {7, 5, 5, 0},       {1, 0, 200, 0},         {3, 0, 200, 2},
      {5, 0, 200, 2},   {0, 0, 123456, 0}, {123456, 0, 123456, 100}, {INT_MAX, 0, INT_MAX, 100},
      {0, INT_MIN, INT_MAX, 0},
  };
  for (const auto& c : percents) EXPECT_EQ(ProgressPercent(c.value, c.min, c.max), c.percent) << c.value << "/" << c.max;

  const std::pair<int, int> levels[] = {{0, 0}, {69, 0}, {70, 1}, {89, 1}, {90, 2}, {99, 2}, {100, 3}, {-3, 0}};
  for (const auto& [p, level] : levels) EXPECT_EQ(ProgressLevel(p, 70, 90), level) << p;

  const std::pair<int, int> lengths[] = {{100, 431}, {50, 216}, {0, 0}, {-5, 0}, {150, 431}, {1, 4}};
  for (const auto& [p, f] : lengths) EXPECT_EQ(FilledLength(431, p), f) << p;
  EXPECT_EQ(FilledLength(-2, 50), 0);
}

TEST(ProgressPosition, PaintsAtOnceOnlyWhenTheLookCanChange) {
  ProgressPosition pos;
  EXPECT_EQ(pos.RepaintStep(), 1);
  pos.SetMax(123456);
  EXPECT_EQ(pos.RepaintStep(), 1234);
  struct Step {
    int value;
    bool paint;
    int stored;
  };
  const Step steps[] = {
      {0, true, 0},
      {1000, true, 1000},     // percentage 0 -> 1
      {1001, false, 1001},    // same step index, same percentage
      {1234, true, 1234},     // a multiple of the step
      {1235, false, 1235},
      {2500, true, 2500},     // new step index
      {200000, false, 123456},  // above Max: stored as Max, not painted
      {-1, false, 0},         // below Min: stored as Min, not painted
      {123456, true, 123456},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(pos.SetPosition(s.value), s.paint) << s.value;
    EXPECT_EQ(pos.Position(), s.stored) << s.value;
  }
}

TEST(ProgressPosition, DegenerateRangesNeverDivideByZero) {
  ProgressPosition equal;
  equal.SetMax(0);
  EXPECT_EQ(equal.RepaintStep(), 0);
  EXPECT_TRUE(equal.SetPosition(0));
  EXPECT_TRUE(equal.SetPosition(0));
  EXPECT_EQ(equal.Percent(), 0);

  ProgressPosition small;
  small.SetMax(40);  // step 0: every position is painted
  for (int v = 0; v <= 40; ++v) EXPECT_TRUE(small.SetPosition(v)) << v;

  ProgressPosition inverted;
  inverted.SetMin(10);
  inverted.SetMax(0);
  EXPECT_FALSE(inverted.SetPosition(5));
  EXPECT_EQ(inverted.Position(), 10);

  ProgressPosition huge;
  huge.SetMin(INT_MIN);
  huge.SetMax(INT_MAX);
  EXPECT_EQ(huge.RepaintStep(), 42949672);
  EXPECT_TRUE(huge.SetPosition(INT_MAX));
  EXPECT_EQ(huge.Percent(), 50);
}

}  // namespace
