// The drawn message dialog's layout from known font measurements, and the platform dialog's
// line-break text rule.
#include "ui/MessageFormLayout.h"
#include "ui/TaskDialogText.h"

#include <gtest/gtest.h>

namespace {

MessageFormInput Tahoma8() {
  MessageFormInput in;
  in.charWidth = 6;    // a message font of about 8 points
  in.charHeight = 13;
  in.hasIcon = true;
  in.screenWidth = 1024;
  in.edge = 2;
  return in;
}

TEST(MessageFormLayout, MetricsComeFromTheAverageCharacter) {
  const MessageFormLayout l = LayoutMessageForm(Tahoma8());
  EXPECT_EQ(l.horizontalMargin, 12);  // 8 * 6 / 4
  EXPECT_EQ(l.verticalMargin, 13);    // 8 * 13 / 8
  EXPECT_EQ(l.horizontalSpacing, 15);
  EXPECT_EQ(l.verticalSpacing, 16);   // 16.25
  EXPECT_EQ(l.buttonHeight, 23);      // 22.75
  EXPECT_EQ(l.buttonGap, 6);
  EXPECT_EQ(MulDivRound(10, 13, 4), 33);  // 32.5 rounds away from zero
  EXPECT_EQ(MulDivRound(-10, 13, 4), -33);
}

TEST(MessageFormLayout, EmptyTextKeepsTheIconAndTheMinimumWidth) {
  MessageFormInput in = Tahoma8();
  in.buttonWidths = {60};
  in.captionWidth = 40;
  const MessageFormLayout l = LayoutMessageForm(in);
  EXPECT_EQ(l.icon, (Rect{12, 13, 44, 45}));
  EXPECT_TRUE(l.instruction.Empty());
  EXPECT_EQ(l.clientWidth, 350);
  // Margin, the spacing for no content, and spacing + margin for the empty text beside the icon.
  const int line = 13 + 16 + 16 + 13;
  ASSERT_EQ(l.buttons.size(), 1u);
  EXPECT_EQ(l.buttons[0], (Rect{350 - 60 - 15 - 4, line, 350 - 15 - 4, line + 23}));
  EXPECT_EQ(l.clientHeight, 13 + line + 23);
  EXPECT_EQ(l.stripTop, line - 8);
}

TEST(MessageFormLayout, InstructionBesideTheIconAndButtonsRightAligned) {
  MessageFormInput in = Tahoma8();
  in.instructionWidth = 300;
  in.instructionHeight = 45;
  in.buttonWidths = {60, 75};
  const MessageFormLayout l = LayoutMessageForm(in);
  EXPECT_EQ(l.instruction, (Rect{12 + 32 + 15, 13, 12 + 32 + 15 + 300, 13 + 45}));
  // The block (text + spacing + icon) plus both margins, above the minimum.
  EXPECT_EQ(l.clientWidth, 300 + 15 + 32 + 2 * 12);
  const int line = 13 + 45 + 16 + 16;
  ASSERT_EQ(l.buttons.size(), 2u);
  const int first = l.clientWidth - (60 + 6 + 75) - 15 - 4;
  EXPECT_EQ(l.buttons[0], (Rect{first, line, first + 60, line + 23}));
  EXPECT_EQ(l.buttons[1], (Rect{first + 66, line, first + 66 + 75, line + 23}));
  EXPECT_EQ(l.clientHeight, 13 + line + 23);
}

TEST(MessageFormLayout, ShortTextBesideTheIconTakesTheIconsHeightAndWidthIsCapped) {
  MessageFormInput in = Tahoma8();
  in.instructionWidth = 40;
  in.instructionHeight = 18;
  in.buttonWidths = {60};
  EXPECT_EQ(LayoutMessageForm(in).buttons[0].top, 13 + 32 + 16 + 16);

  in.captionWidth = 2000;  // a caption wider than the screen
  EXPECT_EQ(LayoutMessageForm(in).clientWidth, 1024 - 4);
}

TEST(MessageFormLayout, ButtonWidthHasAFloor) {
  EXPECT_EQ(MessageButtonWidth(20), 60);
  EXPECT_EQ(MessageButtonWidth(44), 60);
  EXPECT_EQ(MessageButtonWidth(45), 61);
}

TEST(TaskDialogText, BackslashNBreaksTheLineAndADoubledBackslashIsReduced) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {R"(a\nb)", "a\nb"},
      {R"(a\\nb)", R"(a\nb)"},
      {R"(c:\new)", "c:\new"},
      {R"(tail\)", R"(tail\)"},
      {"no breaks", "no breaks"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandTaskDialogBreaks(c.in), c.out) << c.in;
}

}  // namespace
