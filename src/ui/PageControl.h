#pragma once
// A page container without tabs: its pages fill it less a small inset and only the active
// one shows. Pages are switched by code only.

#include <memory>
#include <string>

#include "ui/Control.h"

class TTabSheet : public Control {
 public:
  explicit TTabSheet(std::string name) : Control(std::move(name)) {}
};

class TPageControl : public Control {
 public:
  // The sheets sit this far inside the container's edges.
  static constexpr int kSheetInset = 4;

  TPageControl(std::string name, Rect bounds) : Control(std::move(name), bounds) {}

  // Adds a page; the first page added is the active one.
  TTabSheet& AddPage(std::unique_ptr<TTabSheet> page);
  TTabSheet* ActivePage() const { return m_active; }
  void SetActivePage(TTabSheet& page);

 private:
  TTabSheet* m_active = nullptr;
};
