#pragma once
// Where everything of the drawn message dialog goes, from measurements of its font: margins and
// spacings from the average character size, the instruction block beside the icon, the
// button row right-aligned on its line, and the client size. Portable, so that the numbers are
// tested without a window.

#include <vector>

#include "ui/Geometry.h"

struct MessageFormInput {
  int charWidth = 0;   // cx: width of "A".."Z""a".."z" in the message font, div 52
  int charHeight = 0;  // cy: height of that text
  // The instruction measured word-wrapped within a quarter of the screen width; 0 x 0 when the
  // instruction is empty.
  int instructionWidth = 0;
  int instructionHeight = 0;
  bool hasIcon = false;
  bool hasContent = false;
  int captionWidth = 0;           // the caption's text width
  std::vector<int> buttonWidths;  // in creation order
  int minimumWidth = 350;
  int screenWidth = 0;
  int edge = 0;  // SM_CYEDGE
};

struct MessageFormLayout {
  int horizontalMargin = 0, verticalMargin = 0;
  int horizontalSpacing = 0, verticalSpacing = 0;
  int buttonHeight = 0, buttonGap = 0;
  Rect icon;
  Rect instruction;  // empty when the instruction is hidden
  std::vector<Rect> buttons;
  int clientWidth = 0, clientHeight = 0;
  int stripTop = 0;  // the strip with the buttons runs from here to the bottom
};

// MulDiv's rounding: a * b / c to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);
// A button's width for its caption's single-line text width.
int MessageButtonWidth(int captionTextWidth);
MessageFormLayout LayoutMessageForm(const MessageFormInput& in);
