#pragma once
// The progress of a run that shows no window: nothing to show, nothing to cancel.

#include "support/run/InstallProgress.h"

class HiddenProgress : public InstallProgress {
 public:
  void SetProgramName(const std::string&) override {}
  void SetStage(const std::string&) override {}
  void Show() override {}
  void SetTotal(std::int32_t) override {}
  void SetFileName(const std::string&) override {}
  void SetPosition(std::int32_t) override {}
  void ShowDone(const std::string&) override {}
  bool Cancelled() const override { return false; }
};
