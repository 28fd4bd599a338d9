#include "ui/ProgressGeometry.h"

#include <algorithm>
#include <cstdint>

#include "ui/Rounding.h"

int ProgressPercent(int value, int min, int max) {
  const std::int64_t range = static_cast<std::int64_t>(max) - min;
  if (range == 0) return 0;
  return RoundRatio(static_cast<std::int64_t>(value) * 100, range);
}

int ProgressLevel(int percent, int level1Percent, int level2Percent) {
  if (percent < level1Percent) return 0;
  if (percent < level2Percent) return 1;
  if (percent > 99) return 3;
  return 2;
}

int FilledLength(int length, int percent) {
  if (length <= 0) return 0;
  return std::clamp(RoundRatio(static_cast<std::int64_t>(length) * percent, 100), 0, length);
}

std::vector<Span> ProgressBlocks(int filled) {
  std::vector<Span> blocks;
  if (filled < 10) {
    if (filled > 1) blocks.push_back({2, filled + 1});
    return blocks;
  }
  blocks.reserve(static_cast<size_t>(filled / 9 + 1));
  blocks.push_back({2, 9});
  int end = 9;
  for (int i = 1; i < filled / 9; ++i) {
    blocks.push_back({end + 2, end + 9});
    end += 9;
  }
  const int remainder = filled % 9;
  if (remainder > 2) blocks.push_back({end + 2, end + remainder + 1});
  return blocks;
}

std::vector<Rect> ProgressBlockRects(int filled, int clientHeight) {
  std::vector<Rect> rects;
  if (clientHeight - 2 <= 2) return rects;
  for (const Span& s : ProgressBlocks(filled)) rects.push_back(Rect{s.start, 2, s.end, clientHeight - 2});
  return rects;
}

void ProgressPosition::SetMin(int value) {
  m_min = value;
  RecomputeStep();
}

void ProgressPosition::SetMax(int value) {
  m_max = value;
  RecomputeStep();
}

bool ProgressPosition::SetPosition(int value) {
  if (value < m_min) {
    m_position = m_min;
    return false;
  }
  if (value > m_max) {
    m_position = m_max;
    return false;
  }
  m_position = value;
  const int percent = Percent();
  // With a step of 0 (a range under 100) every position is painted; there is no step index.
  const int stepIndex = m_step == 0 ? 0 : value / m_step;
  const bool paint = m_step == 0 || value % m_step == 0 || stepIndex != m_lastStepIndex || percent != m_lastPercent;
  if (paint) {
    m_lastPercent = percent;
    m_lastStepIndex = stepIndex;
  }
  return paint;
}
