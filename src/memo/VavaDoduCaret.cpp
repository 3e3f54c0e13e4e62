// The caret: where it is drawn (after any pending input), its width and font style, and the
// events and client notifications when it moves or its style changes.
#include <algorithm>

#include "memo/DoduSupportHighlight.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/VavaDodu.h"
#include "memo/VavaDoduLineWalk.h"

Byte TVavaDodu::CaretFontStyle() {
  EnsureScopes(this, CaretNav->ParNumber());
  return FontStyleFor(StyleByte(CaretNav->Style()), CaretNav->pDynAttr()->DynStyle);
}

int TVavaDodu::CaretWidth() {
  if (!InsertMode && WideCaret) return CaretNav->DisplayWidth();
  return CaretWidthSetting;
}

TRect TVavaDodu::TextClientRect() {
  if (Display == nullptr) return TRect{};
  return Rect(0, 0, Display->ClientWidth() - RulerWidth, Display->ClientHeight() - BottomPanelHeight);
}

void TVavaDodu::PlaceCaret() {
  if (Display == nullptr) return;
  int x = CaretX;
  if (WordWrap && x >= TextWidth) x = TextWidth - 1;
  Display->SetCaretPos(x, CaretY);
}

void TVavaDodu::UpdateCaret(bool Recreate) {
  if (UpdateCount > 0) return;
  if (Display != nullptr) {
    int p = CaretNav->ParNumber();
    if (!CaretNav->Par()->ParState.Contains(ddpFormatted)) {
      FormatPars(p, p, false, true);  // formatting places the caret again
      return;
    }
    CaretX = CaretNav->DisplayX();
    for (char16_t c : PendingInput) {
      if (c == u'\t') {
        int inText = CaretX - LeftMargin + HOffset;
        CaretX = NextTabStop(*this, inText) + LeftMargin - HOffset;
      } else {
        CaretX += CharWidth;
      }
    }
  }
  CaretY = CaretNav->VisibleLineNumber() * LineHeight + TopMargin - VOffset;
  if (Display != nullptr && Display->Focused()) {
    if (Recreate || WideCaret) {
      Display->DestroyCaret();
      Display->CreateCaret(std::max(1, CaretWidth()), LineHeight);
      Display->ShowCaret();
    }
    PlaceCaret();
  }
  Byte style = CaretFontStyle();
  int flags = 0;
  if (CaretNav->Pos() != LastCaretPos || PendingInput != LastPendingInput) {
    LastCaretPos = CaretNav->Pos();
    LastPendingInput = PendingInput;
    flags |= 2;
    if (OnCaretMove) OnCaretMove(this);
  }
  if (style != LastCaretStyle) {
    LastCaretStyle = style;
    flags |= 4;
    if (OnStyleChange) OnStyleChange(this);
  }
  NotifyClients(flags);
}
