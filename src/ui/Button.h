#pragma once
// A standard push button (a real child window): caption with an "&" before its accelerator
// letter, a click handler, and a modal result that a dialog takes as its answer.

#include <functional>
#include <string>

#include "support/run/DialogService.h"
#include "ui/ChildWindowControl.h"

class TButton : public ChildWindowControl {
 public:
  struct Props {
    std::string Caption;
    int ModalResult = mrNone;
    bool TabStop = true;
  };
  TButton(std::string name, Rect bounds, Props props);

  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& caption);
  int ModalResult() const { return m_modalResult; }
  // Shown with the default frame (Enter presses it).
  void SetDefault(bool isDefault);

  std::function<void(TButton&)> OnClick;

  char Accelerator() const override;
  void Click() override;

 protected:
  HWND MakeWindow(HWND parent, const Rect& bounds, DWORD style) override;
  void Command(WORD code) override;

 private:
  std::string m_caption;
  int m_modalResult;
  bool m_default = false;
};

// The accelerator letter of a caption in lower case ("&Yes" gives 'y', "a && b" none), or 0.
char AcceleratorOf(const std::string& caption);
