#pragma once
// The drawn face of the message dialog: an icon, the instruction in large blue bold type, and
// a grey strip with the push buttons, laid out from the system message font's measurements.
// Keys: Enter presses the default button, Escape cancels only when cancellation is allowed,
// Alt+F4 is swallowed, F1 asks for help, Ctrl+C copies the texts.

#include <functional>
#include <string>
#include <vector>

#include "ui/CustomAdvTaskDialog.h"
#include "ui/Form.h"
#include "ui/MessageFormLayout.h"

class TButton;

class TAdvMessageForm : public Form {
 public:
  explicit TAdvMessageForm(const TCustomAdvTaskDialog& dialog);

  // Shows the window modally over the topmost window of the program and returns its modal
  // result (0 when the loop ended for a quit message).
  int ShowModal();
  int ModalResult() const { return m_modalResult; }
  const MessageFormLayout& Layout() const { return m_layout; }
  // What Ctrl+C puts on the clipboard.
  std::string ClipboardText() const;

  // F1 with a help context; the program has no help file, so nothing happens by default.
  std::function<void(int)> OnHelp;

 protected:
  bool FormCloseQuery() override;
  bool PreviewKey(const MSG& msg) override;
  void EscapePressed() override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Build();
  void CopyToClipboard() const;

  TCustomAdvTaskDialog m_dialog;
  MessageFormLayout m_layout;
  std::vector<TButton*> m_buttons;
  int m_modalResult = mrNone;
};

// The caption of a dialog without a title: the program's file name without folder and
// extension.
std::string DefaultDialogCaption();
// The system message font (lfMessageFont), as a font description of the form's.
TFont MessageFont();
