#include "ui/InstProgressForm.h"

#include <algorithm>

#include "support/base/Format.h"
#include "support/win/Locale.h"
#include "ui/AdvPanel.h"
#include "ui/AdvProgressBar.h"
#include "ui/AdvToolButton.h"
#include "ui/InstallerFonts.h"
#include "ui/Label.h"
#include "ui/MessageLoop.h"

namespace {

FormDescription ProgressFormDescription() {
  return FormDescription{
      .className = "TInstProgressForm",
      .caption = "Installation Progress",
      .clientWidth = TInstProgressForm::kClientWidth,
      .clientHeight = TInstProgressForm::kClientHeight,
      .color = clMaroon,
      .font = kProgressPanelFont,
      .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
      .exStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW,
  };
}

const TFont kProgramNameFont{.Name = "Tahoma", .Height = -15, .Bold = true, .Color = clWhite};

// The window's layout table.
template <typename T, typename... A>
T& Put(Control& parent, A&&... args) {
  return parent.Add(std::make_unique<T>(std::forward<A>(args)...));
}

}  // namespace

std::string ByteLine(std::int32_t bytes, std::int32_t total, const FormatSettings& settings) {
  return FormatWith(settings, "%.0n of %.0n bytes", static_cast<double>(static_cast<std::uint32_t>(bytes)),
                    static_cast<double>(static_cast<std::uint32_t>(total)));
}

TInstProgressForm::TInstProgressForm()
    : Form(ProgressFormDescription()),
      m_upper(Put<TAdvPanel>(Client(), "AdvPanel1", Rect{0, 0, 457, 139},
                             TAdvPanel::Props{.Align = TAlign::alClient, .Color = clRed, .ColorTo = clMaroon,
                                              .Font = kProgressPanelFont})),
      m_lower(Put<TAdvPanel>(Client(), "AdvPanel2", Rect{0, 139, 457, 180},
                             TAdvPanel::Props{.Align = TAlign::alBottom, .Color = clRed, .ColorTo = clMaroon,
                                              .Font = kProgressPanelFont})),
      m_stage(Put<Label>(m_upper, "lbStage", Rect{8, 10, 0, 0}, Label::Props{.Caption = "Initializing . . ."})),
      m_programName(Put<Label>(m_upper, "lbProgramName", Rect{134, 41, 317, 59},
                               Label::Props{.Caption = "Installing ProgramName", .Font = kProgramNameFont})),
      m_fileName(Put<Label>(m_upper, "lbFileName", Rect{10, 75, 0, 0}, Label::Props{})),
      m_files(Put<Label>(m_upper, "lbFiles", Rect{368, 73, 0, 0}, Label::Props{.Caption = "Files:  0"})),
      m_bar(Put<TAdvProgressBar>(m_upper, "pbar", Rect{12, 92, 445, 110},
                                 TAdvProgressBar::Props{.Level0ColorTo = RgbColour(0xE1, 0xFF, 0xE1),
                                                        .Level1ColorTo = RgbColour(0xFF, 0xFF, 0xCA),
                                                        .Level2Color = RgbColour(0xFF, 0xA9, 0x53),
                                                        .Level2ColorTo = RgbColour(0xFF, 0xD3, 0xA8),
                                                        .Level3ColorTo = RgbColour(0xFF, 0xCA, 0xCA),
                                                        .Level1Perc = 70,
                                                        .Level2Perc = 90,
                                                        .ShowBorder = true,
                                                        .Position = 50})),
      m_status(Put<Label>(m_upper, "lbStatus", Rect{167, 113, 0, 0}, Label::Props{.Caption = "0 of 123,456 bytes"})),
      m_pause(Put<TAdvToolButton>(m_lower, "btnPause", Rect{54, 6, 168, 32},
                                  TAdvToolButton::Props{.Caption = "Pause", .Colours = kProgressWindowButtonColours,
                                                        .Rounded = true, .Hint = "Pause the installation"})),
      m_cancel(Put<TAdvToolButton>(m_lower, "btnCancel", Rect{267, 6, 381, 32},
                                   TAdvToolButton::Props{.Caption = "Cancel", .Colours = kProgressWindowButtonColours,
                                                         .Rounded = true, .Hint = "Cancel this Filter"})) {
  m_pause.SetOnClick([this](TAdvToolButton& b) { btnPauseClick(b); });
  m_cancel.SetOnClick([this](TAdvToolButton& b) { btnCancelClick(b); });
  // While the run goes on, Enter presses only a focused button.
  FocusControl(&m_pause);
  SetShowHints(true);
  FormCreate();
}

void TInstProgressForm::FormCreate() {
  SetPaused(false);
  m_lastPosition = -1;
  // Labels are transparent over the gradient panels.
  for (Label* label : {&m_stage, &m_programName, &m_fileName, &m_files, &m_status}) {
    label->SetTransparent(false);
    label->SetTransparent(true);
  }
}

template <typename Done>
void TInstProgressForm::WaitUntil(Done done) {
  while (!done()) {
    if (!ProcessPendingMessages()) return;
    if (done()) return;
    ::WaitMessage();
  }
}

void TInstProgressForm::SetProgramName(const std::string& name) {
  m_programName.SetCaption(name);
  CentreHorizontally(m_programName);
}

void TInstProgressForm::SetStage(const std::string& text) { m_stage.SetCaption(text); }

void TInstProgressForm::Show() {
  Form::Show(SW_SHOWNORMAL);
  FormShow();
}

void TInstProgressForm::FormShow() {
  SetCancelled(false);
  SetPosition(0);
  m_bar.SetVisible(false);
  m_fileName.SetVisible(false);
  m_status.SetVisible(false);
  ProcessPendingMessages();
}

void TInstProgressForm::SetTotal(std::int32_t bytes) {
  m_totalBytes = bytes;
  m_bar.SetMax(bytes);
  m_bar.SetVisible(true);
  m_fileName.SetVisible(true);
  m_status.SetVisible(true);
  m_lastPosition = -1;
  SetPosition(0);
  m_fileCount = 0;
  m_bar.Repaint();
}

void TInstProgressForm::SetFileName(const std::string& path) {
  m_fileName.SetCaption(path);
  ++m_fileCount;
  m_files.SetCaption(Format("Files: %d", m_fileCount));
  const Control* parent = m_files.Parent();
  m_files.SetLeft(parent->Width() - m_files.Width() - m_files.MeasureText("##").cx);
}

void TInstProgressForm::SetPosition(std::int32_t bytes) {
  const bool moved = bytes != m_lastPosition;
  // The byte line is set before the bar paints itself, so that one paint pass shows both.
  if (moved) {
    // Screen readers hear the byte line a few times a second, and its last value.
    const DWORD now = ::GetTickCount();
    const bool announce = bytes >= m_totalBytes || now - m_statusAnnouncedAt >= 250;
    if (announce) m_statusAnnouncedAt = now;
    m_status.SetCaption(ByteLine(bytes, m_totalBytes, LocaleFormatSettings()), announce);
    CentreHorizontally(m_status);
  }
  m_bar.SetPosition(bytes);
  if (moved) ProcessPendingMessages();
  m_lastPosition = bytes;
  if (moved) UpdateTaskbar();
  ProcessPendingMessages();
}

void TInstProgressForm::ShowDone(const std::string& stage) {
  const bool wasCancelled = m_cancelled;
  m_pause.SetVisible(false);
  m_cancel.SetCaption("OK");
  // A screen reader reads the outcome with the button that now has the focus.
  m_cancel.SetAccessibleDescription(stage);
  CentreHorizontally(m_cancel);
  FocusControl(&m_cancel);
  SetDefaultControl(&m_cancel);
  m_stage.SetCaption(stage);
  m_fileName.SetVisible(false);
  UpdateHints();
  m_ended = true;
  UpdateTaskbar();
  if (!wasCancelled && m_waitAtEnd) WaitUntil([this] { return m_cancelled; });
  SetCancelled(wasCancelled);
}

void TInstProgressForm::SetPaused(bool paused) {
  m_paused = paused;
  m_pause.SetCaption(paused ? "Resume" : "Pause");
  UpdateTaskbar();
}

void TInstProgressForm::FileFailed() {
  m_fileFailed = true;
  UpdateTaskbar();
}

void TInstProgressForm::UpdateTaskbar() {
  if (!m_taskbarReady || !m_taskbar) return;
  using State = TaskbarProgress::State;
  const State state = m_ended ? State::None : m_paused ? State::Paused : m_fileFailed ? State::Error : State::Normal;
  m_taskbar->Show(state, static_cast<std::uint32_t>(std::max(m_lastPosition, 0)), static_cast<std::uint32_t>(m_totalBytes));
}

LRESULT TInstProgressForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == TaskbarButtonCreatedMessage()) {
    m_taskbarReady = true;
    if (!m_taskbar) m_taskbar = ShellTaskbarProgress(Handle());
    UpdateTaskbar();
    return 0;
  }
  return Form::HandleMessage(msg, wParam, lParam);
}

void TInstProgressForm::SetCancelled(bool cancelled) {
  SetPaused(false);
  m_cancelled = cancelled;
}

void TInstProgressForm::btnPauseClick(TAdvToolButton& button) {
  button.SetOnClick([this](TAdvToolButton& b) { AltPauseClick(b); });
  SetPaused(true);
  // The run's SetPosition call is held here until Resume or Cancel.
  WaitUntil([this] { return !m_paused || m_cancelled; });
}

void TInstProgressForm::AltPauseClick(TAdvToolButton& button) {
  SetPaused(false);
  button.SetOnClick([this](TAdvToolButton& b) { btnPauseClick(b); });
}

void TInstProgressForm::btnCancelClick(TAdvToolButton&) { SetCancelled(true); }

// Escape asks to stop as the close box does.
void TInstProgressForm::EscapePressed() { Close(); }

bool TInstProgressForm::FormCloseQuery() {
  const bool mayClose = !m_cancelled;
  SetCancelled(true);
  return mayClose;
}
