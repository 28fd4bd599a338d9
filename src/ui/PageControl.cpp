#include "ui/PageControl.h"


TTabSheet& TPageControl::AddPage(std::unique_ptr<TTabSheet> page) {
  page->SetBounds(Rect{kSheetInset, kSheetInset, Width() - kSheetInset, Height() - kSheetInset});
  TTabSheet& added = Add(std::move(page));
  if (!m_active)
    m_active = &added;
  else
    added.SetVisible(false);
  return added;
}

void TPageControl::SetActivePage(TTabSheet& page) {
  if (&page == m_active) return;
  // The new page shows before the old one hides, so no moment shows neither.
  page.SetVisible(true);
  if (m_active) m_active->SetVisible(false);
  m_active = &page;
  // What a screen reader lists as showing has changed as a whole.
  if (ControlHost* host = Host()) host->NotifyAccessibleReorder();
}
