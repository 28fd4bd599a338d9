#pragma once
// The installer's main window.

#include "ui/Form.h"

class TMainForm : public Form {
 public:
  static constexpr int kClientWidth = 682;
  static constexpr int kClientHeight = 400;

  TMainForm();

 protected:
  void FormCreated() override;
  bool FormCloseQuery() override;
  void FormDestroyed() override;

 private:
  void FormCreate();
};
