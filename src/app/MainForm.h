#pragma once
// The installer's main window.

#include "ui/Window.h"

class TMainForm : public Window {
 public:
  static constexpr int kClientWidth = 682;
  static constexpr int kClientHeight = 400;

  TMainForm();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate();
};
