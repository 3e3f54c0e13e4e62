#include "classlib/ScrollingControls.h"

#include <algorithm>

#include "classlib/qt/ScrollBars.h"

// ---- TControlScrollBar ---------------------------------------------------------------------

int TControlScrollBar::ClientExtent() const {
  const TRect r = FControl->ClientRect();
  return FVertical ? r.Height() : r.Width();
}

void TControlScrollBar::SetPosition(int Value) {
  const int limit = std::max(0, FRange - ClientExtent());
  Value = std::clamp(Value, 0, limit);
  if (Value == FPosition) return;
  const int delta = FPosition - Value;
  FPosition = Value;
  if (FVertical)
    FControl->ScrollBy(0, delta);
  else
    FControl->ScrollBy(delta, 0);
  FControl->ApplyBars();
}

void TControlScrollBar::SetRange(int Value) {
  FRange = std::max(0, Value);
  FControl->UpdateScrollBars();
}

// ---- TScrollingWinControl ------------------------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, true)),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, false)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value) {
  FAutoScroll = Value;
  UpdateScrollBars();
}

TRect TScrollingWinControl::ClientRect() const {
  TRect r = TWinControl::ClientRect();
  if (FVertScrollBar->FShown) r.Right = std::max(r.Left, r.Right - ScrollBarSize);
  if (FHorzScrollBar->FShown) r.Bottom = std::max(r.Top, r.Bottom - ScrollBarSize);
  return r;
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  }
}

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdating) return;
  FUpdating = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FUpdating};
  if (FAutoScroll) {
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (!c->Visible()) continue;
      right = std::max(right, c->Left() + c->Width() + FHorzScrollBar->FPosition);
      bottom = std::max(bottom, c->Top() + c->Height() + FVertScrollBar->FPosition);
    }
    FHorzScrollBar->FRange = right;
    FVertScrollBar->FRange = bottom;
  }
  // A bar that shows takes room from the other direction: decide twice.
  FVertScrollBar->FShown = false;
  FHorzScrollBar->FShown = false;
  for (int pass = 0; pass < 2; ++pass) {
    FVertScrollBar->FShown = FVertScrollBar->FRange > ClientRect().Height();
    FHorzScrollBar->FShown = FHorzScrollBar->FRange > ClientRect().Width();
  }
  // Positions beyond the new ranges come back.
  for (TControlScrollBar* bar : {FVertScrollBar.get(), FHorzScrollBar.get()}) {
    const int limit = bar->FShown ? std::max(0, bar->FRange - bar->ClientExtent()) : 0;
    if (bar->FPosition > limit) {
      const int delta = bar->FPosition - limit;
      bar->FPosition = limit;
      if (bar->FVertical) ScrollBy(0, delta); else ScrollBy(delta, 0);
    }
  }
  ApplyBars();
}

void TScrollingWinControl::ApplyBars() {
  if (View() == nullptr) return;
  auto state = [](const TControlScrollBar* bar) {
    const int page = std::max(1, bar->ClientExtent());
    return Views::ScrollBarState{bar->FShown, std::max(0, bar->FRange - page), page, bar->FPosition};
  };
  Views::ApplyScrollBars(this, state(FHorzScrollBar.get()), state(FVertScrollBar.get()), ScrollBarSize);
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (AControl == nullptr) return;
  const TRect client = ClientRect();
  TControlScrollBar* v = FVertScrollBar.get();
  const int top = AControl->Top() - v->Margin;
  const int bottom = AControl->Top() + AControl->Height() + v->Margin;
  if (top < client.Top)
    v->SetPosition(v->FPosition + top - client.Top);
  else if (bottom > client.Bottom)
    v->SetPosition(v->FPosition + std::min(bottom - client.Bottom, top - client.Top));
}

void TScrollingWinControl::Scroll(TControlScrollBar* Bar, Word Code, int ThumbPosition) {
  const int page = std::max(1, Bar->ClientExtent());
  switch (Code) {
    case SB_LINEUP: Bar->SetPosition(Bar->FPosition - Bar->Increment); break;
    case SB_LINEDOWN: Bar->SetPosition(Bar->FPosition + Bar->Increment); break;
    case SB_PAGEUP: Bar->SetPosition(Bar->FPosition - page); break;
    case SB_PAGEDOWN: Bar->SetPosition(Bar->FPosition + page); break;
    case SB_TOP: Bar->SetPosition(0); break;
    case SB_BOTTOM: Bar->SetPosition(Bar->FRange); break;
    case SB_THUMBTRACK:
      if (Bar->Tracking) Bar->SetPosition(ThumbPosition);
      break;
    case SB_THUMBPOSITION: Bar->SetPosition(ThumbPosition); break;
    default: break;
  }
}

void TScrollingWinControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_VSCROLL || Message.Msg == WM_HSCROLL) {
    Scroll(Message.Msg == WM_VSCROLL ? FVertScrollBar.get() : FHorzScrollBar.get(), LoWord(Message.WParam),
           static_cast<int>(HiWord(Message.WParam)));
    Message.Result = 0;
    return;
  }
  TWinControl::WndProc(Message);
}

void TScrollingWinControl::Resize() {
  TWinControl::Resize();
  UpdateScrollBars();
}

void TScrollingWinControl::UpdateView() {
  TWinControl::UpdateView();
  ApplyBars();
}
