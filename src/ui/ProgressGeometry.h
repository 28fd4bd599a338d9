#pragma once
// The level progress bar's arithmetic: percentage, level, filled length, block layout, and the
// rule that decides when a new position is painted at once.

#include <vector>

#include "ui/Geometry.h"

// round(value / (max - min) * 100), 0 when max = min.
int ProgressPercent(int value, int min, int max);

// Which colour pair a percentage uses: 0 below level1, 1 below level2, 3 above 99, else 2.
int ProgressLevel(int percent, int level1Percent, int level2Percent);

// round(length * percent / 100), kept within [0, length] so that no block leaves the frame.
int FilledLength(int length, int percent);

// Block spans [start, end) along the bar for a filled length F: nothing for F <= 1; one block
// 2..F+1 below 10; else 7-pixel blocks at pitch 9 from 2, plus a short last block when F mod 9
// is above 2.
struct Span {
  int start = 0;
  int end = 0;
  friend bool operator==(const Span&, const Span&) = default;
};
std::vector<Span> ProgressBlocks(int filled);

// Blocks of a horizontal bar of the given client size as rectangles (2 pixels inside the top
// and bottom edges).
std::vector<Rect> ProgressBlockRects(int filled, int clientHeight);

// Min, Max and Position with the paint-at-once rule.
class ProgressPosition {
 public:
  int Min() const { return m_min; }
  int Max() const { return m_max; }
  int Position() const { return m_position; }
  int RepaintStep() const { return m_step; }
  int Percent() const { return ProgressPercent(m_position, m_min, m_max); }

  void SetMin(int value);
  void SetMax(int value);
  // Stores the position (clamped to [Min, Max]); true when the new position is to be painted at
  // once. A clamped value is stored but never painted at that call.
  bool SetPosition(int value);

 private:
  void RecomputeStep() { m_step = static_cast<int>((static_cast<long long>(m_max) - m_min) / 100); }

  int m_min = 0;
  int m_max = 100;
  int m_position = 50;
  int m_step = 1;
  int m_lastPercent = -1;
  int m_lastStepIndex = -1;
};
