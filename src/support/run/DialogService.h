#pragma once
// The one way the installer reports to the user and asks questions. The app sets the real
// dialogs (or the silent modes' log-only answers); tests answer with a stand-in. Result codes:
// 1 OK, 2 Cancel (also Escape and the close box), 3 Abort, 4 Retry, 6 Yes, 7 No, 0 anything else.

#include <cstdint>
#include <string>

#include "support/base/Format.h"

enum class TMsgDlgType : std::uint8_t { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// Message-button sets of AskChoice (a 16-bit set).
using TMsgDlgButtons = std::uint16_t;
inline constexpr TMsgDlgButtons mbYes = 1u << 0;
inline constexpr TMsgDlgButtons mbNo = 1u << 1;
inline constexpr TMsgDlgButtons mbOK = 1u << 2;
inline constexpr TMsgDlgButtons mbCancel = 1u << 3;
inline constexpr TMsgDlgButtons mbAbort = 1u << 4;
inline constexpr TMsgDlgButtons mbRetry = 1u << 5;

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

class DialogService {
 public:
  virtual ~DialogService() = default;

  // An information report with one OK button; an empty title means the default caption.
  virtual void ShowNotice(const std::string& title, const std::string& text) = 0;
  void ShowNotice(const std::string& text) { ShowNotice(std::string(), text); }

  // A question; the result code of the button that ended it.
  virtual int AskChoice(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext) = 0;

  template <typename... Args>
  void ShowNoticeFmt(std::string_view format, const Args&... args) {
    ShowNotice(Format(format, args...));
  }
};
