#pragma once
// One message dialog: its description and Execute, which shows it modally in one of two faces:
// the platform's task dialog where both the system and the common controls are version 6 or
// later, and the drawn TAdvMessageForm everywhere else. Made for one call, freed after it.

#include <cstdint>
#include <string>

#include "support/run/DialogService.h"
#include "ui/Colour.h"

enum class TTaskDialogIcon : std::uint8_t { tiBlank = 0, tiWarning = 1, tiQuestion = 2, tiError = 3, tiInformation = 4, tiShield = 6 };

// Common buttons, in the order in which they are made and laid out.
using TCommonButtons = std::uint8_t;
inline constexpr TCommonButtons cbOK = 0x01;
inline constexpr TCommonButtons cbYes = 0x02;
inline constexpr TCommonButtons cbNo = 0x04;
inline constexpr TCommonButtons cbCancel = 0x08;
inline constexpr TCommonButtons cbRetry = 0x10;
inline constexpr TCommonButtons cbAbort = 0x20;

struct CommonButtonInfo {
  TCommonButtons flag;
  const char* name;
  const char* caption;
  int result;
};
inline constexpr CommonButtonInfo kCommonButtons[] = {
    {cbOK, "OK", "OK", mrOk},
    {cbYes, "Yes", "&Yes", mrYes},
    {cbNo, "No", "&No", mrNo},
    {cbCancel, "Cancel", "Cancel", mrCancel},
    {cbRetry, "Retry", "&Retry", mrRetry},
    {cbAbort, "Abort", "&Abort", mrAbort},
};

class TCustomAdvTaskDialog {
 public:
  std::string Title;
  std::string Instruction;
  std::string Content;
  TTaskDialogIcon Icon = TTaskDialogIcon::tiBlank;
  TCommonButtons CommonButtons = 0;
  int DefaultButton = 0;  // a result code; -1 none; 0 chosen by rule
  bool AllowCancellation = false;
  int HelpContext = 0;
  std::string VerificationText;
  int MinimumWidth = 350;
  TColor StripColor = RgbColour(0xF0, 0xF0, 0xF0);
  TColor StripLineColor = RgbColour(0xDF, 0xDF, 0xDF);
  bool NonNative = false;
  int DefaultRadioButton = 200;

  // After Execute.
  bool VerifyResult = false;
  int RadioButtonResult = 0;

  // Shows the dialog modally; the result code of the button that ended it, or -1 when the
  // platform face was chosen but cannot be called.
  int Execute();
  // Whether Execute shows the platform's task dialog.
  bool UsesPlatformFace() const;
  // The platform face itself: -1 when the library or its entry point is missing.
  int ExecutePlatformFace();
};

// The platform face needs version 6 of both the system and the common controls, and a
// description that does not ask for the drawn one.
constexpr bool ChoosePlatformFace(int systemMajor, int commonControlsMajor, bool nonNative) {
  return !nonNative && systemMajor >= 6 && commonControlsMajor >= 6;
}

// The system's major version and the common controls' major version (as the library that a
// load by name gives this process).
int SystemMajorVersion();
int CommonControlsMajorVersion();
