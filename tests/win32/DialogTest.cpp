// The message dialogs shown for real and driven as a person would: keys through the input
// queue, the close box, the clipboard; the owner disabled while one is up; the nested loop and
// a quit message.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "common/Capture.h"
#include "common/Png.h"
#include "ui/AdvMessageForm.h"
#include "ui/Button.h"
#include "ui/CustomAdvTaskDialog.h"
#include "ui/Form.h"
#include "ui/MessageLoop.h"
#include "ui/TaskDialogService.h"

namespace {

// Runs `step` once the dialog is up (from a timer that the dialog's own loop dispatches),
// and again every 50 ms while it returns false.
class WhileModal {
 public:
  explicit WhileModal(std::function<bool(HWND dialog)> step) {
    Current() = std::move(step);
    m_timer = ::SetTimer(nullptr, 0, 50, &WhileModal::Tick);
  }
  ~WhileModal() {
    ::KillTimer(nullptr, m_timer);
    Current() = nullptr;
  }

 private:
  static std::function<bool(HWND)>& Current() {
    static std::function<bool(HWND)> step;
    return step;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = ::FindWindowA("TAdvMessageForm", nullptr);
    if (!dialog || !::IsWindowVisible(dialog) || !Current()) return;
    auto step = Current();
    if (step(dialog)) Current() = nullptr;
  }
  UINT_PTR m_timer;
};

std::vector<HWND> Buttons(HWND dialog) {
  std::vector<HWND> found;
  for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    char cls[16] = {};
    ::GetClassNameA(c, cls, sizeof cls);
    if (::lstrcmpiA(cls, "Button") == 0) found.push_back(c);
  }
  return found;
}

std::string Text(HWND w) {
  char buffer[256] = {};
  ::GetWindowTextA(w, buffer, sizeof buffer);
  return buffer;
}

void Key(HWND target, WPARAM key) { ::PostMessageA(target, WM_KEYDOWN, key, 0); }

// A window of the program behind the dialogs, as the main or progress window would be.
class Behind {
 public:
  Behind() : m_form(FormDescription{.className = "QlxDialogOwner", .caption = "owner", .clientWidth = 300, .clientHeight = 200}) {
    m_form.Show();
  }
  HWND Handle() const { return m_form.Handle(); }

 private:
  Form m_form;
};

TEST(MessageDialog, NoticeHasOneOkButtonNoCloseBoxAndIgnoresEscape) {
  Behind owner;
  bool ownerWasDisabled = false;
  std::string caption;
  std::vector<std::string> captions;
  LONG_PTR style = 0;
  int tick = 0;
  WhileModal drive([&](HWND dialog) {
    if (tick++ == 0) {
      ownerWasDisabled = !::IsWindowEnabled(owner.Handle());
      caption = Text(dialog);
      style = ::GetWindowLongPtrA(dialog, GWL_STYLE);
      for (HWND b : Buttons(dialog)) captions.push_back(Text(b));
      Key(::GetFocus(), VK_ESCAPE);
      ::PostMessageA(dialog, WM_CLOSE, 0, 0);
      return false;
    }
    // Escape and the close message left it open; Enter presses OK.
    Key(::GetFocus(), VK_RETURN);
    return true;
  });
  TaskDialogService service;
  service.ShowNotice("Folder c:\\zt & more");
  EXPECT_GE(tick, 2);
  EXPECT_EQ(captions, std::vector<std::string>{"OK"});
  EXPECT_EQ(style & WS_SYSMENU, 0);
  EXPECT_EQ(caption, DefaultDialogCaption());
  EXPECT_TRUE(ownerWasDisabled);
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(::FindWindowA("TAdvMessageForm", nullptr), nullptr);
}

TEST(MessageDialog, QuestionYesIsDefaultAndFocusedEnterGivesYesEscapeAndCloseGiveCancel) {
  TaskDialogService service;
  const std::string question = "Version 3.55.0.0 of Quillon is already installed.\n\nClick YES to re-install";
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    int expected;
  } cases[] = {
      {"enter", [](HWND) { Key(::GetFocus(), VK_RETURN); }, 6},
      {"escape", [](HWND) { Key(::GetFocus(), VK_ESCAPE); }, 2},
      {"close box", [](HWND d) { ::PostMessageA(d, WM_CLOSE, 0, 0); }, 2},
      {"cancel", [](HWND d) { ::PostMessageA(Buttons(d).back(), BM_CLICK, 0, 0); }, 2},
      {"accelerator", [](HWND) { ::PostMessageA(::GetFocus(), WM_CHAR, 'y', 0); }, 6},
  };
  for (const auto& c : cases) {
    std::vector<std::string> captions;
    std::string caption, focused;
    bool yesIsDefault = false;
    WhileModal drive([&](HWND dialog) {
      caption = Text(dialog);
      for (HWND b : Buttons(dialog)) captions.push_back(Text(b));
      focused = Text(::GetFocus());
      yesIsDefault = (::GetWindowLongPtrA(Buttons(dialog).front(), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
      c.act(dialog);
      return true;
    });
    EXPECT_EQ(service.AskChoice(question, TMsgDlgType::mtInformation, mbYes | mbCancel, 0), c.expected) << c.name;
    EXPECT_EQ(caption, "Information") << c.name;
    EXPECT_EQ(captions, (std::vector<std::string>{"&Yes", "Cancel"})) << c.name;
    EXPECT_EQ(focused, "&Yes") << c.name;
    EXPECT_TRUE(yesIsDefault) << c.name;
  }
}

TEST(MessageDialog, CtrlCPutsTitleInstructionAndContentOnTheClipboard) {
  std::string copied;
  int tick = 0;
  WhileModal drive([&](HWND dialog) {
    if (tick++ == 0) {
      ::SetForegroundWindow(dialog);
      INPUT keys[4] = {};
      const WORD vk[4] = {VK_CONTROL, 'C', 'C', VK_CONTROL};
      for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = vk[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
      }
      ::SendInput(4, keys, sizeof(INPUT));
      return false;
    }
    if (::OpenClipboard(nullptr)) {
      if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        if (auto* p = static_cast<const char*>(::GlobalLock(h))) {
          copied = p;
          ::GlobalUnlock(h);
        }
      }
      ::CloseClipboard();
    }
    if (copied.empty() && tick < 40) return false;
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    return true;
  });
  TaskDialogService service;
  EXPECT_EQ(service.AskChoice("Remove it?", TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel, 0), 2);
  EXPECT_EQ(copied, "Confirm\r\nRemove it?\r\n");
}

// The measured layout of real dialogs: what the layout table promises, seen on the window.
TEST(MessageDialog, LayoutOfEmptyLongAndMultiLineTexts) {
  const int screen = ::GetSystemMetrics(SM_CXSCREEN);
  auto measure = [](const std::string& text) {
    TCustomAdvTaskDialog d;
    d.Instruction = text;
    d.Icon = TTaskDialogIcon::tiInformation;
    TAdvMessageForm form(d);
    form.Create();
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, form.Layout().clientWidth);
    EXPECT_EQ(client.bottom, form.Layout().clientHeight);
    return form.Layout();
  };
  const MessageFormLayout empty = measure("");
  EXPECT_EQ(empty.clientWidth, 350);
  EXPECT_FALSE(empty.icon.Empty());
  EXPECT_TRUE(empty.instruction.Empty());

  const MessageFormLayout one = measure("Install Directory");
  const MessageFormLayout two = measure("Install Directory\r\nis not valid.");
  EXPECT_EQ(two.instruction.Height(), 2 * one.instruction.Height());

  std::string words;
  for (int i = 0; i < 60; ++i) words += "word ";
  const MessageFormLayout wrapped = measure(words);
  EXPECT_LE(wrapped.instruction.Width(), screen / 4 + 1) << "a long line wraps at a quarter of the screen";
  EXPECT_GE(wrapped.instruction.Height(), 3 * one.instruction.Height());
}

TEST(MessageDialog, TheInstallerShowsTheDrawnFace) {
  // Wine reports Windows 6.1 with the version-5 common controls to a program without a
  // manifest that asks for version 6.
  EXPECT_GE(SystemMajorVersion(), 6);
  EXPECT_LT(CommonControlsMajorVersion(), 6);
  EXPECT_FALSE(TCustomAdvTaskDialog{}.UsesPlatformFace());
  TCustomAdvTaskDialog forced;
  forced.NonNative = true;
  EXPECT_FALSE(forced.UsesPlatformFace());
}

TEST(MessageLoops, AQuitMessageEndsTheModalLoopAndIsPassedOn) {
  Behind owner;
  Form modal(FormDescription{.className = "QlxModalTest", .caption = "modal", .clientWidth = 100, .clientHeight = 50});
  modal.Create(owner.Handle());
  modal.Show();
  ::PostQuitMessage(7);
  EXPECT_FALSE(RunModal(modal, [] { return false; }));
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  // The same for the pending-message processing of the progress window.
  ::PostQuitMessage(3);
  EXPECT_FALSE(ProcessPendingMessages());
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST(MessageDialog, GalleryPictures) {
  TaskDialogService service;
  const struct {
    const char* file;
    std::function<void()> show;
  } pictures[] = {
      {"dialog-notice.png", [&] { service.ShowNotice("Quillon", "Quillon, version 3.55.0.0, was installed successfully.\n\nTo run Quillon, Click the QL icon on your desktop."); }},
      {"dialog-question.png", [&] { service.AskChoice("Version 3.60.0.0 of Quillon is installed. The NEW version is 3.55.0.0.\n\nClick YES to install the older version.", TMsgDlgType::mtInformation, mbYes | mbCancel, 0); }},
  };
  for (const auto& p : pictures) {
    WhileModal drive([&](HWND dialog) {
      ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
      WritePng(std::string(QLX_GALLERY_DIR) + "/" + p.file, CaptureWindow(dialog));
      ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
      return true;
    });
    p.show();
  }
}

}  // namespace
