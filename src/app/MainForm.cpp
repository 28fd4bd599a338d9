#include "app/MainForm.h"

#include <string>

#include <windows.h>
#include <shlobj.h>

#include "product/Product.h"
#include "support/base/Format.h"
#include "support/run/RunLog.h"
#include "support/win/UniqueHandle.h"
#include "ui/AdvPanel.h"
#include "ui/AdvToolButton.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/PageControl.h"

namespace {
constexpr char kBrowseText[] =
    "Change Install Folder. Standard Corvane folders are zt and corvane\\zt. To install directly to a Corvane "
    "flash drive, select the drive, then the zt folder.";

int CALLBACK BrowseStarted(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}
}  // namespace

TMainForm::TMainForm(InstallSession& session)
    : TMainFormView(Format(kMainCaptionFormat, kProductName)), m_session(session) {
  btnSetup.SetOnClick([this](TAdvToolButton& b) { btnSetupClick(b); });
  btnBrowse.SetOnClick([this](TAdvToolButton& b) { btnBrowseClick(b); });
  btnInstall.SetOnClick([this](TAdvToolButton& b) { btnReInstallClick(b); });
  btnReinstall.SetOnClick([this](TAdvToolButton& b) { btnReInstallClick(b); });
  BtnFullInstall.SetOnClick([this](TAdvToolButton& b) { BtnFullInstallClick(b); });
  for (TAdvToolButton* cancel : {&btnCancel, &BtnCancel2, &btnCancel3})
    cancel->SetOnClick([this](TAdvToolButton& b) { btnCancelClick(b); });
}

// The session's start runs while the window is made; a declined version question ends the
// program at the message loop's first turn.
void TMainForm::FormCreated() {
  lbVersion.SetCaption("Released: 02/05/16");
  CentreHorizontally(lbVersion);
  lbVersion.SetTop(AdvPanel1.Height() - lbVersion.Height() - 4);
  ShowPage(TabSheet1);
  if (!m_session.Start(*this)) ::PostQuitMessage(1);
}

void TMainForm::ShowStartTexts(const std::string& ownVersion, const std::string& versionLine) {
  lbIns1.SetCaption("This will install Corvane Quillon");
  lbIns2.SetCaption(versionLine);
  CentreHorizontally(lbIns1);
  CentreHorizontally(lbIns2);
  lbP1Progname.SetCaption(kProductName);
  lbP1ProgVer.SetCaption(ownVersion);
  CentreHorizontally(lbP1Progname);
  CentreHorizontally(lbP1ProgVer);
}

void TMainForm::MakeImage() { TMainFormView::MakeImage(kProductLabel); }

void TMainForm::ShowFolder(const std::string& folder) {
  edInstallDir.SetText(folder);
  lbInstallDir.SetCaption(edInstallDir.Text());
}

void TMainForm::ShowReinstall(const std::string& versionLine) {
  lbReins1.SetCaption("This will Re-install Corvane Quillon");
  lbReins2.SetCaption(versionLine);
  CentreHorizontally(lbReins1);
  CentreHorizontally(lbReins2);
  ShowPage(TabSheet3);
}

// Each page's keyboard: where the focus starts, what Enter presses when no button has the
// focus, and what Escape presses.
void TMainForm::ShowPage(TTabSheet& page) {
  PageControl1.SetActivePage(page);
  if (&page == &TabSheet2) {
    FocusControl(nullptr);
    edInstallDir.Focus();
    SetDefaultControl(&btnInstall);
    SetEscapeControl(&BtnCancel2);
    return;
  }
  TAdvToolButton& first = &page == &TabSheet3 ? btnReinstall : btnSetup;
  FocusControl(&first);
  SetDefaultControl(&first);
  SetEscapeControl(&page == &TabSheet3 ? &btnCancel3 : &btnCancel);
}

void TMainForm::HideForRun() { Hide(); }

void TMainForm::ShowAgain() { Form::Show(SW_SHOW); }

void TMainForm::btnSetupClick(TAdvToolButton&) {
  LogText("BtnSetupClick.started");
  ShowPage(TabSheet2);
}

void TMainForm::btnBrowseClick(TAdvToolButton&) {
  LogText("BrowseForFolder Button Clicked");
  const std::string start = edInstallDir.Text();
  BROWSEINFOA info{};
  info.hwndOwner = Handle();
  info.lpszTitle = kBrowseText;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseStarted;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  UniqueCoTaskMem chosen(::SHBrowseForFolderA(&info));
  if (!chosen) return;
  char path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(chosen.get()), path)) return;
  if (start != path) edInstallDir.SetText(path);
}

void TMainForm::BtnFullInstallClick(TAdvToolButton&) {
  ShowPage(TabSheet1);
  m_session.SetStandardFolder(*this);
}

void TMainForm::btnCancelClick(TAdvToolButton&) { Close(); }

void TMainForm::btnReInstallClick(TAdvToolButton&) {
  if (m_session.Install(edInstallDir.Text(), *this).installed) Close();
}

// The main window closes for good: the program ends with it.
bool TMainForm::FormCloseQuery() {
  DestroyHandle();
  return false;
}

void TMainForm::FormDestroyed() { ::PostQuitMessage(0); }
