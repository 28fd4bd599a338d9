// The progress window driven as the install run drives it, with clicks and the close box
// arriving through the message queue and seen inside the window's own calls.
#include "ui/InstProgressForm.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "common/Png.h"
#include "common/ReaderListener.h"
#include "support/win/Locale.h"
#include "ui/AdvProgressBar.h"
#include "ui/AdvToolButton.h"
#include "ui/Label.h"
#include "ui/TaskbarProgress.h"
#include "win32/DrawTestSupport.h"

namespace {

constexpr POINT kPause{111, 158};
constexpr POINT kCancel{324, 158};
constexpr POINT kOk{228, 158};

void Click(Form& form, POINT p) {
  ::PostMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  ::PostMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  ::PostMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

// Runs `step` from a timer (dispatched by the window's own loops) until it returns true.
class Meanwhile {
 public:
  explicit Meanwhile(std::function<bool()> step) {
    Current() = std::move(step);
    m_timer = ::SetTimer(nullptr, 0, 30, &Meanwhile::Tick);
  }
  ~Meanwhile() {
    ::KillTimer(nullptr, m_timer);
    Current() = nullptr;
  }

 private:
  static std::function<bool()>& Current() {
    static std::function<bool()> step;
    return step;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (auto step = Current(); step && step()) Current() = nullptr;
  }
  UINT_PTR m_timer;
};

// The taskbar button's calls, as "state done/total".
class RecordingTaskbar : public TaskbarProgress {
 public:
  explicit RecordingTaskbar(std::vector<std::string>& calls) : m_calls(calls) {}
  void Show(State state, std::uint64_t done, std::uint64_t total) override {
    static const char* const names[] = {"none", "normal", "paused", "error"};
    m_calls.push_back(std::string(names[static_cast<int>(state)]) + " " + std::to_string(done) + "/" +
                      std::to_string(total));
  }

 private:
  std::vector<std::string>& m_calls;
};

std::string Caption(TInstProgressForm& form, const char* name) { return form.Get<Label>(name).Caption(); }

struct Shown {
  TInstProgressForm form;
  Shown() {
    form.SetProgramName("Quillon");
    form.SetStage("Installing ...");
    form.Show();
  }
};

TEST(ProgressWindow, LinesAndCountsFollowTheRun) {
  Shown w;
  auto& form = w.form;
  EXPECT_EQ(Caption(form, "lbStage"), "Installing ...");
  EXPECT_EQ(form.Get<Label>("lbProgramName").Left(), (457 - form.Get<Label>("lbProgramName").Width()) / 2);
  EXPECT_FALSE(form.Get<TAdvProgressBar>("pbar").Visible());
  EXPECT_FALSE(form.Get<Label>("lbStatus").Visible());
  EXPECT_EQ(Caption(form, "lbStatus"), ByteLine(0, 0, LocaleFormatSettings()));

  form.SetTotal(1234567);
  EXPECT_TRUE(form.Get<TAdvProgressBar>("pbar").Visible());
  EXPECT_EQ(Caption(form, "lbStatus"), ByteLine(0, 1234567, LocaleFormatSettings()));
  EXPECT_EQ(ByteLine(0, 1234567, FormatSettings{}), "0 of 1,234,567 bytes");
  // Sums past 2 GiB read as unsigned 32-bit numbers.
  EXPECT_EQ(ByteLine(-1, -2, FormatSettings{}), "4,294,967,295 of 4,294,967,294 bytes");

  form.SetFileName("c:\\zt\\qlx.exe");
  auto& files = form.Get<Label>("lbFiles");
  EXPECT_EQ(files.Caption(), "Files: 1");
  EXPECT_EQ(files.Left(), 457 - files.Width() - files.MeasureText("##").cx);
  form.SetFileName("c:\\zt\\quon.exe");
  EXPECT_EQ(files.Caption(), "Files: 2");
  form.SetPosition(617283);
  EXPECT_EQ(form.Get<TAdvProgressBar>("pbar").Percent(), 50);
  EXPECT_EQ(Caption(form, "lbStatus"), ByteLine(617283, 1234567, LocaleFormatSettings()));
  EXPECT_EQ(form.Get<Label>("lbStatus").Left(), (457 - form.Get<Label>("lbStatus").Width()) / 2);

  // A second total starts the count again.
  form.SetTotal(10);
  form.SetFileName("c:\\zt\\tips\\tip01.htm");
  EXPECT_EQ(files.Caption(), "Files: 1");
  EXPECT_FALSE(form.Cancelled());
}

TEST(ProgressWindow, PauseHoldsTheRunUntilResumeAndPausesAgainThenCancelEndsIt) {
  Shown w;
  auto& form = w.form;
  auto& pause = form.Get<TAdvToolButton>("btnPause");
  std::vector<std::string> taskbar;
  form.SetTaskbar(std::make_unique<RecordingTaskbar>(taskbar));
  form.SetTotal(100);
  // The taskbar button is told nothing before the shell says it exists.
  EXPECT_TRUE(taskbar.empty());
  ::SendMessageA(form.Handle(), TaskbarButtonCreatedMessage(), 0, 0);

  std::string captionWhilePaused;
  ReaderListener heard(::GetCurrentProcessId());
  Click(form, kPause);
  {
    Meanwhile resume([&] {
      if (!form.Paused()) return false;
      captionWhilePaused = pause.Caption();
      Click(form, kPause);
      return true;
    });
    form.SetPosition(10);
  }
  EXPECT_EQ(captionWhilePaused, "Resume");
  EXPECT_EQ(pause.Caption(), "Pause");
  // A screen reader is told of both changes.
  EXPECT_TRUE(heard.Until("name Resume") && heard.Until("name Pause"))
      << ::testing::PrintToString(heard.HeardSoFar());
  EXPECT_FALSE(form.Paused());
  EXPECT_FALSE(form.Cancelled());

  bool pausedAgain = false;
  Click(form, kPause);
  {
    Meanwhile cancel([&] {
      if (!form.Paused()) return false;
      pausedAgain = true;
      Click(form, kCancel);
      return true;
    });
    form.SetPosition(20);
  }
  EXPECT_TRUE(pausedAgain);
  EXPECT_TRUE(form.Cancelled());
  EXPECT_FALSE(form.Paused());
  EXPECT_EQ(pause.Caption(), "Pause");
  form.FileFailed();
  EXPECT_EQ(taskbar.back(), "error 20/100");
  // The end state after a cancel does not wait.
  form.ShowDone("Installation Successful.");
  EXPECT_TRUE(form.Cancelled());
  EXPECT_EQ(taskbar.front(), "normal 0/100");
  EXPECT_NE(std::find(taskbar.begin(), taskbar.end(), "paused 0/100"), taskbar.end());
  EXPECT_NE(std::find(taskbar.begin(), taskbar.end(), "normal 10/100"), taskbar.end());
  EXPECT_EQ(taskbar.back(), "none 20/100");
}

TEST(ProgressWindow, CloseBoxCancelsAndHidesAndACancelledRunRefusesEveryClose) {
  Shown w;
  auto& form = w.form;
  form.SetTotal(100);
  ::PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
  form.SetPosition(10);
  EXPECT_TRUE(form.Cancelled());
  EXPECT_FALSE(::IsWindowVisible(form.Handle()));

  ::ShowWindow(form.Handle(), SW_SHOW);
  EXPECT_FALSE(form.Close());
  EXPECT_TRUE(form.Cancelled());
}

TEST(ProgressWindow, EndStateWaitsForOkAndThenTellsTheRunWasNotCancelled) {
  Shown w;
  auto& form = w.form;
  form.SetTotal(100);
  form.SetFileName("c:\\zt\\qlx.exe");
  form.SetPosition(100);
  {
    Meanwhile ok([&] {
      Click(form, kOk);
      return true;
    });
    form.ShowDone("Installation Successful.");
  }
  EXPECT_FALSE(form.Cancelled());
  EXPECT_EQ(Caption(form, "lbStage"), "Installation Successful.");
  EXPECT_FALSE(form.Get<TAdvToolButton>("btnPause").Visible());
  EXPECT_FALSE(form.Get<Label>("lbFileName").Visible());
  EXPECT_EQ(form.Get<TAdvToolButton>("btnCancel").Caption(), "OK");
  EXPECT_EQ(form.Get<TAdvToolButton>("btnCancel").Left(), 171);
  // After OK the window may close.
  EXPECT_TRUE(form.Close());
}

// The window at the moments a user sees, for the gallery.
TEST(ProgressWindow, GalleryPictures) {
  const std::string folder = ToWindowsPath(QLX_GALLERY_DIR);
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (int percent : {0, 69, 90, 100}) {
    Shown w;
    w.form.SetTotal(100000);
    w.form.SetFileName("c:\\zt\\manuals\\qlxmanual.pdf");
    w.form.SetPosition(percent * 1000);
    ASSERT_TRUE(WritePng(folder + "\\progress-window-" + std::to_string(percent) + ".png", Render(w.form)));
  }
  {
    Shown w;
    w.form.SetTotal(100000);
    w.form.SetFileName("c:\\zt\\qlx.exe");
    w.form.SetPosition(42000);
    w.form.SetPaused(true);
    ASSERT_TRUE(WritePng(folder + "\\progress-window-paused.png", Render(w.form)));
    w.form.SetPaused(false);
    w.form.SetPosition(100000);
    w.form.SetCancelled(true);
    w.form.ShowDone("Installation Successful.");
    ASSERT_TRUE(WritePng(folder + "\\progress-window-done.png", Render(w.form)));
  }
}

}  // namespace
