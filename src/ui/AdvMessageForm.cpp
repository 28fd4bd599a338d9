#include "ui/AdvMessageForm.h"

#include <algorithm>
#include <stdexcept>

#include "support/base/Paths.h"
#include "support/win/System.h"
#include "ui/Button.h"
#include "ui/Gdi.h"
#include "ui/HighContrast.h"
#include "ui/Label.h"
#include "ui/MessageLoop.h"
#include "ui/WindowDpi.h"

namespace {

constexpr TColor kInstructionColour = RgbColour(0x00, 0x53, 0xC4);

// The form is laid out at 96 DPI and drawn at its window's scale: the system's fonts as they
// are at 96 DPI.
NONCLIENTMETRICSA NonClientMetrics() { return NonClientMetricsForDpi(DpiScale::kBaseDpi); }

TFont FontOf(const LOGFONTA& lf) {
  return TFont{.Name = lf.lfFaceName, .Height = lf.lfHeight, .Bold = lf.lfWeight >= FW_BOLD, .Color = clWindowText};
}

SIZE TextExtent(const DpiScale& scale, const TFont& font, const std::string& text) {
  MeasuringDc measuring(scale);
  UniqueGdiObject handle = MakeFont(font);
  SelectGuard select(measuring.Dc(), handle.get());
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(measuring.Dc(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

// The caption without its accelerator marks ("&&" stays one "&").
std::string WithoutAccelerator(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

// The 32 x 32 picture beside the instruction.
class MessageIcon : public Control {
 public:
  MessageIcon(Rect bounds, TTaskDialogIcon kind) : Control("Image", bounds), m_kind(kind) {}

  void Paint(HDC dc) override {
    // Pictures are drawn in device pixels: the system's icon at the size nearest the scaled one,
    // the shield stretched smoothly.
    const int size = Scale().ToDevice(32);
    const LPCSTR system = SystemIcon();
    if (system) {
      DeviceSpace pixels(dc);
      HICON icon = size == 32 ? ::LoadIconA(nullptr, system)
                              : static_cast<HICON>(::LoadImageA(nullptr, system, IMAGE_ICON, size, size, LR_SHARED));
      if (!icon) icon = ::LoadIconA(nullptr, system);
      if (icon) ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
      return;
    }
    if (m_kind == TTaskDialogIcon::tiShield) {
      UniqueGdiObject bitmap(::LoadImageA(::GetModuleHandleA(nullptr), "TD_SHIELD", IMAGE_BITMAP, 32, 32, 0));
      if (bitmap) {
        DeviceSpace pixels(dc);
        UniqueMemoryDc source(::CreateCompatibleDC(dc));
        SelectGuard select(source.get(), bitmap.get());
        if (size == 32) {
          ::BitBlt(dc, 0, 0, 32, 32, source.get(), 0, 0, SRCCOPY);
        } else {
          const int mode = ::SetStretchBltMode(dc, HALFTONE);
          ::SetBrushOrgEx(dc, 0, 0, nullptr);
          ::StretchBlt(dc, 0, 0, size, size, source.get(), 0, 0, 32, 32, SRCCOPY);
          ::SetStretchBltMode(dc, mode);
        }
        return;
      }
    }
    if (auto window = Resolve(clWindow)) FillSolid(dc, ClientRect(), *window);
  }

 private:
  LPCSTR SystemIcon() const {
    switch (m_kind) {
      case TTaskDialogIcon::tiWarning: return IDI_EXCLAMATION;
      case TTaskDialogIcon::tiQuestion: return IDI_QUESTION;
      case TTaskDialogIcon::tiError: return IDI_HAND;
      case TTaskDialogIcon::tiInformation: return IDI_ASTERISK;
      default: return nullptr;
    }
  }

  TTaskDialogIcon m_kind;
};

// The grey strip under the buttons with its line along the top.
class ButtonStrip : public Control {
 public:
  ButtonStrip(Rect bounds, TColor fill, TColor line) : Control("Strip", bounds), m_fill(fill), m_line(line) {}
  void Paint(HDC dc) override {
    const bool plain = HighContrast();
    if (auto fill = Resolve(plain ? clBtnFace : m_fill)) FillSolid(dc, ClientRect(), *fill);
    if (auto line = Resolve(plain ? clBtnText : m_line)) FillSolid(dc, Rect{0, 0, Width(), 1}, *line);
  }

 private:
  TColor m_fill, m_line;
};

}  // namespace

std::string DefaultDialogCaption() { return ReplaceExtension(NamePart(OwnFilePath()), ""); }

TFont MessageFont() { return FontOf(NonClientMetrics().lfMessageFont); }

TAdvMessageForm::TAdvMessageForm(const TCustomAdvTaskDialog& dialog)
    : Form(FormDescription{
          .className = "TAdvMessageForm",
          .caption = dialog.Title.empty() ? DefaultDialogCaption() : dialog.Title,
          .color = clWindow,
          .font = MessageFont(),
          .style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN |
                   ((dialog.AllowCancellation || (dialog.CommonButtons & cbCancel)) ? WS_SYSMENU : 0),
          .exStyle = WS_EX_DLGMODALFRAME,
      }),
      m_dialog(dialog) {
  // A Cancel button turns cancellation on.
  if (m_dialog.CommonButtons & cbCancel) m_dialog.AllowCancellation = true;
  Build();
}

void TAdvMessageForm::Build() {
  const NONCLIENTMETRICSA metrics = NonClientMetrics();
  const TFont messageFont = FontOf(metrics.lfMessageFont);

  MessageFormInput in;
  const DpiScale scale = Scale();
  const SIZE letters = TextExtent(scale, messageFont, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  in.charWidth = letters.cx / 52;
  in.charHeight = letters.cy;
  in.screenWidth = scale.NearestLogical(::GetSystemMetrics(SM_CXSCREEN));
  in.edge = ::GetSystemMetrics(SM_CYEDGE);
  in.minimumWidth = m_dialog.MinimumWidth;
  in.hasIcon = true;  // every kind shows a picture, the blank one a window-coloured square
  in.hasContent = !m_dialog.Content.empty();
  in.captionWidth = TextExtent(scale, FontOf(metrics.lfCaptionFont), Caption()).cx;

  // The instruction: the message font's face at 11 points, bold, in blue.
  TFont instructionFont = messageFont;
  instructionFont.Height = -MulDivRound(11, DpiScale::kBaseDpi, 72);
  instructionFont.Bold = true;
  instructionFont.Color = kInstructionColour;
  if (!m_dialog.Instruction.empty()) {
    MeasuringDc measuring(scale);
    UniqueGdiObject font = MakeFont(instructionFont);
    SelectGuard select(measuring.Dc(), font.get());
    RECT r{0, 0, in.screenWidth / 4, 0};
    ::DrawTextA(measuring.Dc(), m_dialog.Instruction.data(), static_cast<int>(m_dialog.Instruction.size()), &r,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    // Scaled, the answer is rounded to logical units: one more keeps the words on their lines.
    in.instructionWidth = r.right - r.left + (scale.Identity() ? 0 : 1);
    in.instructionHeight = r.bottom - r.top;
  }

  // Which buttons, which is the default and which Escape presses.
  TCommonButtons buttons = m_dialog.CommonButtons;
  int defaultResult = mrNone;
  const bool noButtons = buttons == 0;
  if (noButtons) {
    buttons = cbOK;
    defaultResult = mrOk;
  } else if (m_dialog.DefaultButton == 0) {
    defaultResult = (buttons & cbOK) ? mrOk : (buttons & cbYes) ? mrYes : (buttons & cbRetry) ? mrRetry : mrNone;
  } else if (m_dialog.DefaultButton == mrOk) {
    defaultResult = (buttons & cbOK) ? mrOk : mrYes;
  } else if (m_dialog.DefaultButton == mrCancel) {
    defaultResult = (buttons & cbCancel) ? mrCancel : mrNo;
  } else if (m_dialog.DefaultButton > 0) {
    defaultResult = m_dialog.DefaultButton;
  }
  const bool tabStops = m_dialog.DefaultButton != -1;

  std::vector<const CommonButtonInfo*> made;
  for (const auto& b : kCommonButtons)
    if (buttons & b.flag) {
      made.push_back(&b);
      in.buttonWidths.push_back(MessageButtonWidth(TextExtent(scale, messageFont, WithoutAccelerator(b.caption)).cx));
    }

  m_layout = LayoutMessageForm(in);
  SetClientSize(m_layout.clientWidth, m_layout.clientHeight);

  Add(std::make_unique<ButtonStrip>(
      Rect{0, m_layout.stripTop, m_layout.clientWidth, m_layout.clientHeight}, m_dialog.StripColor, m_dialog.StripLineColor));
  Add(std::make_unique<MessageIcon>(m_layout.icon, m_dialog.Icon));
  auto& text = Add(std::make_unique<Label>(
      "Instruction", m_layout.instruction,
      Label::Props{.Caption = m_dialog.Instruction, .Font = instructionFont, .AutoSize = false, .WordWrap = true}));
  text.SetVisible(!m_dialog.Instruction.empty());

  for (std::size_t i = 0; i < made.size(); ++i) {
    auto& button = Add(std::make_unique<TButton>(
        made[i]->name, m_layout.buttons[i],
        TButton::Props{.Caption = made[i]->caption, .ModalResult = made[i]->result, .TabStop = tabStops}));
    button.OnClick = [this](TButton& b) { m_modalResult = b.ModalResult(); };
    m_buttons.push_back(&button);
    if (made[i]->result == defaultResult) {
      SetDefaultButton(&button);
      SetInitialFocus(&button);
    }
  }
}

int TAdvMessageForm::ShowModal() {
  m_modalResult = mrNone;
  Create(TopmostThreadWindow());
  if (!DefaultButton() && !m_buttons.empty() && m_dialog.DefaultButton != -1) SetInitialFocus(m_buttons.front());
  Show(SW_SHOW);
  // Also when its owner is hidden or there is none, the dialog comes to the front by itself.
  ::SetForegroundWindow(Handle());
  RunModal(*this, [this] { return m_modalResult != mrNone || !Handle(); });
  DestroyHandle();
  return m_modalResult;
}

bool TAdvMessageForm::FormCloseQuery() {
  if (m_dialog.AllowCancellation) m_modalResult = mrCancel;
  return false;
}

void TAdvMessageForm::EscapePressed() {
  if (m_dialog.AllowCancellation) m_modalResult = mrCancel;
}

bool TAdvMessageForm::PreviewKey(const MSG& msg) {
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) return true;
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.wParam == VK_F1) {
    if (m_dialog.HelpContext != 0 && OnHelp) OnHelp(m_dialog.HelpContext);
    return true;
  }
  if (msg.wParam == 'C' && ::GetKeyState(VK_CONTROL) < 0) {
    ::MessageBeep(0);
    CopyToClipboard();
    return true;
  }
  return false;
}

std::string TAdvMessageForm::ClipboardText() const {
  return m_dialog.Title + "\r\n" + m_dialog.Instruction + "\r\n" + m_dialog.Content;
}

void TAdvMessageForm::CopyToClipboard() const {
  if (!::OpenClipboard(Handle())) throw std::runtime_error("Cannot open clipboard");
  struct Closer {
    ~Closer() { ::CloseClipboard(); }
  } closer;
  ::EmptyClipboard();
  const std::string text = ClipboardText();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return;
  if (void* p = ::GlobalLock(memory)) {
    std::copy(text.begin(), text.end(), static_cast<char*>(p));
    static_cast<char*>(p)[text.size()] = '\0';
    ::GlobalUnlock(memory);
  }
  // The clipboard owns the memory once it took it.
  if (!::SetClipboardData(CF_TEXT, memory)) ::GlobalFree(memory);
}

LRESULT TAdvMessageForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
    ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return Form::HandleMessage(msg, wParam, lParam);
}
