#include "ui/MessageFormLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = std::llabs(c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int MessageButtonWidth(int captionTextWidth) { return std::max(captionTextWidth + 16, 60); }

MessageFormLayout LayoutMessageForm(const MessageFormInput& in) {
  MessageFormLayout out;
  out.horizontalMargin = MulDivRound(8, in.charWidth, 4);
  out.verticalMargin = MulDivRound(8, in.charHeight, 8);
  out.horizontalSpacing = MulDivRound(10, in.charWidth, 4);
  out.verticalSpacing = MulDivRound(10, in.charHeight, 8);
  out.buttonHeight = MulDivRound(14, in.charHeight, 8);
  out.buttonGap = MulDivRound(4, in.charWidth, 4);

  const bool hasInstruction = in.instructionWidth > 0 || in.instructionHeight > 0;
  int blockWidth = in.instructionWidth;
  int blockHeight = in.instructionHeight;
  int textLeft = out.horizontalMargin;
  if (in.hasIcon) {
    out.icon = Rect{out.horizontalMargin, out.verticalMargin, out.horizontalMargin + 32, out.verticalMargin + 32};
    textLeft += 32 + out.horizontalSpacing;
    blockWidth += out.horizontalSpacing + 32;
    blockHeight = std::max(blockHeight, 32);
  }
  if (hasInstruction)
    out.instruction = Rect{textLeft, out.verticalMargin, textLeft + in.instructionWidth,
                           out.verticalMargin + in.instructionHeight};

  int rowWidth = 0;
  for (int w : in.buttonWidths) rowWidth += w + out.buttonGap;

  int width = std::max(blockWidth, rowWidth) + 2 * out.horizontalMargin;
  width = std::max({width, in.captionWidth + 50, in.minimumWidth});
  out.clientWidth = std::min(width, in.screenWidth - 2 * in.edge);

  // The line the buttons stand on.
  int y = out.verticalMargin;
  if (hasInstruction) y += blockHeight + out.verticalSpacing;
  if (!in.hasContent) y += out.verticalSpacing;
  if (!hasInstruction && in.hasIcon) y += out.verticalSpacing + out.verticalMargin;

  int buttonsSpan = 0;
  for (std::size_t i = 0; i < in.buttonWidths.size(); ++i) buttonsSpan += in.buttonWidths[i] + (i ? out.buttonGap : 0);
  int x = out.clientWidth - buttonsSpan - out.horizontalSpacing - 4;
  for (int w : in.buttonWidths) {
    out.buttons.push_back(Rect{x, y, x + w, y + out.buttonHeight});
    x += w + out.buttonGap;
  }
  out.clientHeight = out.verticalMargin + y + (in.buttonWidths.empty() ? 0 : out.buttonHeight);
  out.stripTop = y - out.verticalSpacing / 2;
  return out;
}
