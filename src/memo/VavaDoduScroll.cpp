// The update counter, scrolling (at once or animated by the clock), the scroll bars' ranges,
// line invalidation and client notification. Scroll bar positions are offsets divided by a
// scale, so that no range exceeds the 16-bit range of the platform's scroll bars.
#include <algorithm>
#include <cstdlib>

#include "classlib/Messages.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDodu.h"

namespace {

constexpr int kScaleUnit = 32760;
// Polls of a clock that does not move before an animation gives up and jumps to its end.
constexpr int kStuckClockPolls = 1000000;

}  // namespace

void TVavaDodu::EndUpdate() {
  UpdateCount = std::max(0, UpdateCount - 1);
  if (UpdateCount == 0) RepaintDirty();
}

void TVavaDodu::PlaceTopNav() {
  if (LineHeight <= 0 || Store.VisibleLines <= 0) return;
  TopNav->SetVisibleLineNumber(std::max(0, (VOffset - TopMargin) / LineHeight));
}

void TVavaDodu::ScrollPixels(int Dx, int Dy) {
  if (Dx > 32767 || Dx < -32768 || Dy > 32767 || Dy < -32768)
    Display->Invalidate();
  else
    Display->ScrollWindow(Dx, Dy, TextClientRect());
}

void TVavaDodu::ScrollTo(int Top, int Left, int Speed) {
  const int oldTop = VOffset;
  const int oldLeft = HOffset;
  int dx = 0;
  int dy = 0;
  if (Left != HOffset) {
    dx = HOffset - Left;
    CaretX += dx;
    if (RememberedX != INT_MIN) RememberedX += dx;
    HOffset = Left;
    if (Display != nullptr && HasHScrollBar) Display->SetScrollPos(SB_HORZ, Left / HScale);
  }
  if (Top != VOffset) {
    dy = VOffset - Top;
    VOffset = Top;
    if (Display != nullptr) {
      PlaceTopNav();
      CaretY += dy;
    }
    if (Display != nullptr && HasVScrollBar) Display->SetScrollPos(SB_VERT, Top / VScale);
  }
  if (Display == nullptr || (dx == 0 && dy == 0)) return;

  Cardinal now = Display->TickCount();
  bool immediate = Speed == 0 || UpdateCount > 0 || (TrackScrolling && now - LastScrollTime < 201);
  if (immediate)
    ScrollPixels(dx, dy);
  else
    AnimateScroll(oldTop, oldLeft, Top, Left, Speed);

  if (TrackScrolling) LastScrollTime = Display->TickCount();
  if (dy != 0) PlaceTopNav();
  if (Display->Focused()) PlaceCaret();
  if (dx != 0 && OnHScroll) OnHScroll(this);
  if (dy != 0 && OnVScroll) OnVScroll(this);
  NotifyClients((dx != 0 ? 0x100 : 0) | (dy != 0 ? 0x80 : 0));
}

void TVavaDodu::AnimateScroll(int OldTop, int OldLeft, int Top, int Left, int Speed) {
  // Back to where the scroll began; the steps then approach the targets tick by tick.
  VOffset = OldTop;
  HOffset = OldLeft;
  const int64_t fullY = static_cast<int64_t>(Top) - OldTop;
  const int64_t fullX = static_cast<int64_t>(Left) - OldLeft;
  auto step = [Speed](int Current, int Target, int64_t Full, Cardinal Ticks) {
    int64_t remaining = static_cast<int64_t>(Target) - Current;
    if (remaining == 0) return 0;
    int64_t s = Speed < 0 ? Full * Ticks / -static_cast<int64_t>(Speed) : remaining * Ticks / (2 * static_cast<int64_t>(Speed));
    if (s == 0) s = remaining > 0 ? 1 : -1;
    if (std::llabs(s) > std::llabs(remaining)) s = remaining;
    return static_cast<int>(s);
  };
  Cardinal last = Display->TickCount();
  int idle = 0;
  while (VOffset != Top || HOffset != Left) {
    Cardinal now = Display->TickCount();
    if (now == last) {
      if (++idle < kStuckClockPolls) continue;
      now = last + static_cast<Cardinal>(std::abs(Speed)) * 2 + 1;  // a clock that stands still: finish
    }
    idle = 0;
    Cardinal ticks = now - last;
    last = now;
    int sy = step(VOffset, Top, fullY, ticks);
    int sx = step(HOffset, Left, fullX, ticks);
    VOffset += sy;
    HOffset += sx;
    if (sy != 0) PlaceTopNav();
    ScrollPixels(-sx, -sy);
    Display->UpdateWindow();
  }
}

void TVavaDodu::UpdateHScrollRange() {
  const int total = WidestLine + LeftMargin + RightMargin;
  HScale = total / kScaleUnit + 1;
  if (Display != nullptr && HasHScrollBar) {
    const int page = std::max(0, (TextWidth - LeftMargin - RightMargin) / HScale);
    int max;
    if (WordWrap && RightEdge == 0)
      max = page - 1;
    else
      max = std::max(0, (total - TextWidth) / HScale) + page - 1;
    if (!KeepScrollBar) ++max;
    if (Alignment == taRightJustify || Alignment == taCenter) max = page;
    if (max != HBarMax || page != HBarPage) {
      HBarMax = max;
      HBarPage = page;
      Display->SetScrollRange(SB_HORZ, max, page);
      Display->ShowScrollBar(SB_HORZ, max > page);
    }
    if (max <= page && HOffset != 0) ScrollTo(VOffset, 0, 0);
  }
  LinesOnScreen = LineHeight > 0 && Display != nullptr ? Display->ClientHeight() / LineHeight + 1 : 1;
}

bool TVavaDodu::UpdateVScrollRange() {
  if (Display == nullptr) return false;
  const int usable = Display->ClientHeight() - BottomPanelHeight;
  const int64_t height = static_cast<int64_t>(Store.VisibleLines) * LineHeight;
  VScale = static_cast<int>(height / kScaleUnit) + 1;
  if (HasVScrollBar) {
    int max = std::max(static_cast<int>(height / VScale), usable - LineHeight - 1);
    if (max < usable && !KeepScrollBar) ++max;
    const int page = std::max(0, (usable - 3) / VScale);
    VBarNeeded = page < max;
    if (max != VBarMax || page != VBarPage) {
      VBarMax = max;
      VBarPage = page;
      Display->SetScrollRange(SB_VERT, max, page);
      Display->ShowScrollBar(SB_VERT, VBarNeeded);
    }
  }
  bool widthChanged = false;
  const int width = Display->ClientWidth() - RulerWidth;
  if (width != TextWidth) {
    TextWidth = width;
    widthChanged = true;
    if (UpdateCount == 0) {
      if (!WordWrap && Alignment == taLeftJustify) {
        UpdateHScrollRange();
      } else {
        ReformatAll();
        Display->Invalidate();
      }
    }
  }
  if (HasVScrollBar && !VBarNeeded && VOffset != 0) ScrollTo(0, HOffset, 0);
  return widthChanged;
}

void TVavaDodu::InvalidateLines(int A, int B, bool /*Erase*/) {
  if (Display == nullptr) return;
  const int lo = std::min(A, B);
  const int hi = std::max(A, B);
  const int64_t top = static_cast<int64_t>(lo) * LineHeight + TopMargin - VOffset;
  const int64_t bottom = static_cast<int64_t>(hi + 1) * LineHeight + TopMargin - VOffset;
  const int height = Display->ClientHeight();
  if (bottom <= 0 || top >= height) return;
  Display->InvalidateRect(TRect{0, static_cast<int>(std::max<int64_t>(top, 0)), TextWidth,
                                static_cast<int>(std::min<int64_t>(bottom, height))});
}

void TVavaDodu::NotifyClients(int Flags) {
  if (Flags == 0) return;
  for (size_t i = 0; i < Clients.size(); ++i)
    if (Clients[i] != nullptr) Clients[i]->DoduNotify(this, Flags);
  Clients.erase(std::remove(Clients.begin(), Clients.end(), nullptr), Clients.end());
}

void TVavaDodu::RegisterClient(TDoduClient* Client) {
  if (std::find(Clients.begin(), Clients.end(), Client) == Clients.end()) Clients.push_back(Client);
}

void TVavaDodu::UnregisterClient(TDoduClient* Client) {
  // Emptied, not erased: a client may leave while the clients are being notified.
  std::replace(Clients.begin(), Clients.end(), Client, static_cast<TDoduClient*>(nullptr));
}
