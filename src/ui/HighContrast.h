#pragma once
// The system's high-contrast setting. While it is on, the drawn windows take the system's own
// colours (window, window text, button face, button text, highlight, highlight text, gray
// text), with no gradient and nothing drawn behind text. It is asked at every paint, so a change
// while the program runs shows with the next one: forms repaint themselves whole on
// WM_SETTINGCHANGE and WM_SYSCOLORCHANGE.

#include <optional>

bool HighContrast();

// Fixes the answer while it lives, for pictures of the high-contrast look (the setting cannot be
// switched under Wine).
class ScopedHighContrast {
 public:
  explicit ScopedHighContrast(bool on);
  ScopedHighContrast(const ScopedHighContrast&) = delete;
  ScopedHighContrast& operator=(const ScopedHighContrast&) = delete;
  ~ScopedHighContrast();

 private:
  std::optional<bool> m_before;
};
