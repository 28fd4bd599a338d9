#pragma once
// The main window's look: the left panel with the picture and the product's name and version,
// and three pages without tabs (welcome, install folder, re-install), each on a red gradient.
// Which page shows and every text filled in at run time belong to the window's logic.

#include <string>

#include "ui/Form.h"

class Label;
class TAdvPanel;
class TAdvToolButton;
class TEdit;
class TImage;
class TPageControl;
class TTabSheet;

class TMainFormView : public Form {
 public:
  static constexpr int kClientWidth = 682;
  static constexpr int kClientHeight = 400;

  // `caption` is the window's title.
  explicit TMainFormView(std::string caption);

  // Draws the picture with the product's short label into Image1.
  void MakeImage(const std::string& label);

 protected:
  TAdvPanel& AdvPanel1;
  TImage& Image1;
  Label& lbP1Progname;
  Label& lbP1ProgVer;
  Label& lbVersion;
  TPageControl& PageControl1;
  TTabSheet& TabSheet1;
  TTabSheet& TabSheet2;
  TTabSheet& TabSheet3;
  Label& lbIns1;
  Label& lbIns2;
  TAdvToolButton& btnCancel;
  TAdvToolButton& btnSetup;
  TEdit& edInstallDir;
  TAdvToolButton& btnBrowse;
  TAdvToolButton& BtnCancel2;
  TAdvToolButton& btnInstall;
  Label& lbReins1;
  Label& lbReins2;
  Label& lbInstallDir;
  TAdvToolButton& btnCancel3;
  TAdvToolButton& BtnFullInstall;
  TAdvToolButton& btnReinstall;
};
