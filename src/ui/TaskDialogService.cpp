#include "ui/TaskDialogService.h"

bool TaskDialogService::ShowNotice(const std::string& title, const std::string& instruction,
                                   const std::string& content, const std::string& verificationText,
                                   TTaskDialogIcon icon) {
  TCustomAdvTaskDialog dialog;
  dialog.Title = title;
  dialog.Instruction = instruction;
  dialog.Content = content;
  dialog.VerificationText = verificationText;
  dialog.Icon = icon;
  dialog.Execute();
  return !verificationText.empty() && dialog.VerifyResult;
}

void TaskDialogService::ShowNotice(const std::string& title, const std::string& text) {
  ShowNotice(title, text, std::string(), std::string(), TTaskDialogIcon::tiInformation);
}

TCommonButtons CommonButtonsOf(TMsgDlgButtons buttons) {
  TCommonButtons common = 0;
  if (buttons & mbYes) common |= cbYes;
  if (buttons & mbNo) common |= cbNo;
  if (buttons & mbOK) common |= cbOK;
  if (buttons & mbCancel) common |= cbCancel;
  if (buttons & mbAbort) common |= cbAbort;
  if (buttons & mbRetry) common |= cbRetry;
  return common;
}

int TaskDialogService::AskChoice(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext) {
  TCustomAdvTaskDialog dialog;
  switch (kind) {
    case TMsgDlgType::mtWarning:
      dialog.Title = "Warning";
      dialog.Icon = TTaskDialogIcon::tiWarning;
      break;
    case TMsgDlgType::mtError:
      dialog.Title = "Error";
      dialog.Icon = TTaskDialogIcon::tiError;
      break;
    case TMsgDlgType::mtInformation:
      dialog.Title = "Information";
      dialog.Icon = TTaskDialogIcon::tiInformation;
      break;
    case TMsgDlgType::mtConfirmation:
      dialog.Title = "Confirm";
      dialog.Icon = TTaskDialogIcon::tiQuestion;
      break;
    case TMsgDlgType::mtCustom:
      dialog.Icon = TTaskDialogIcon::tiBlank;
      break;
  }
  dialog.Instruction = text;
  dialog.CommonButtons = CommonButtonsOf(buttons);
  dialog.HelpContext = helpContext;
  dialog.AllowCancellation = true;
  const int result = dialog.Execute();
  switch (result) {
    case mrOk: case mrCancel: case mrAbort: case mrRetry: case mrYes: case mrNo: return result;
    default: return mrNone;
  }
}
