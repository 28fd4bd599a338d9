#pragma once
// Small pure layout rules shared by the windows.

// Left edge that centres a control of `width` in a parent of `parentWidth`. The division
// rounds toward zero, so a control wider than its parent gets a negative left edge.
constexpr int CentredLeft(int parentWidth, int width) { return (parentWidth - width) / 2; }
