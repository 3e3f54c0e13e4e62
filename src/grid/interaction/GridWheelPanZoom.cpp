// The mouse wheel (moving the current row or scrolling, Ctrl+wheel zoom), middle-button
// panning with its direction cursors and origin mark, and the zoom step.
#include <cmath>

#include "classlib/Cursors.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Math.h"
#include "classlib/WinApi.h"
#include "grid/interaction/GridCursorResources.h"
#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::Zoom(int Delta) {
  const int step = FZoomFactor + Delta;
  if (step < -10 || step > 10) return;
  FZoomFactor = step;
  FScrollLock = true;
  for (int c = 0; c < ColCount(); ++c)
    if (ColWidths(c) > 0 && ColWidths(c) + Delta > 0) SetColWidths(c, ColWidths(c) + Delta);
  for (int r = 0; r < RowCount(); ++r)
    if (RowHeights(r) > 0 && RowHeights(r) + Delta > 0) SetRowHeights(r, RowHeights(r) + Delta);
  FScrollLock = false;
  Invalidate();
}

// One wheel message; true when it is swallowed. The wheel moves in notches: turns short of a
// notch (fine wheels, touch pads) add up until they make one.
bool TRivErodovOzar::HandleWheelMessage(TMessage& Message) {
  const TGridRect before = Selection();
  if (Parent() != nullptr && Parent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) return false;
  const int delta = static_cast<int16_t>(HiWord(Message.WParam));
  FWheelDelta += delta;
  int notches = FWheelDelta / WHEEL_DELTA;
  FWheelDelta -= notches * WHEEL_DELTA;
  if (notches == 0) return false;
  const bool down = notches < 0;
  notches = std::abs(notches);
  const TShiftState shift = KeysToShiftState(LoWord(Message.WParam));
  if (shift.Contains(ssCtrl) && IntelliZoom) {
    for (int i = 0; i < notches; ++i) Zoom(down ? wheelscrl : -wheelscrl);
    AutoSizeCells(true, 4, 4);
    return false;
  }
  if (!EnableWheel) return false;
  if (FFixedRowAlways && RowCount() == 1) return true;
  const bool scroll = MouseActions()->WheelAction() == waScroll;
  bool handled = true;
  for (int i = 0; i < notches; ++i) {
    int target = Row();
    int n = MouseActions()->WheelIncrement;
    if (n < 1) n = wheelscrl;
    if (scroll) {
      if (down) {
        if (TopRow() < RowCount() - VisibleRowCount() && TopRow() + n >= FixedRows()) SetTopRow(TopRow() + n);
      } else {
        if (TopRow() - n < FixedRows()) n = TopRow() - FixedRows();
        if (TopRow() > FixedRows() && TopRow() - n >= FixedRows()) SetTopRow(TopRow() - n);
      }
    } else {
      target = down ? Row() + n : Row() - n;
    }
    target = std::max(FixedRows(), std::min(target, RowCount() - FixedFooters() - 1));
    if (Col() > ColCount() - 1 && Row() > RowCount() - 1) FocusCell(ColCount() - 1, RowCount() - 1);
    if (Col() > ColCount() - 1) SetCol(ColCount() - 1);
    if (Col() < FixedCols()) SetCol(FixedCols());
    int moved = 0;
    if (target >= 0 && target < RowCount()) {
      const int left = LeftCol();
      StartUpdate();
      if (MouseActions()->DisjunctRowSelect() && !scroll) ClearRowSelect();
      moved = target - Row();
      if (!scroll) SetRow(target);
      if (Row() != target) {
        SetRow(Row() + static_cast<int>(Round(static_cast<Extended>(target - Row()) / 2)));
        if (!down && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
      }
      if (Options().Contains(goRowSelect) && Navigation()->KeepHorizScroll) SetLeftCol(left);
      ResetUpdate();
    }
    AfterWheelScroll(moved, handled);
  }
  if ((MouseActions()->WheelIncrement != 0 || MouseActions()->DisjunctRowSelect()) && handled) {
    Message.Result = 1;
    if (MouseActions()->DisjunctRowSelect()) {
      const TShiftState keys = KeyboardStateToShiftState();
      const TPoint pos{SmallIntLo(Message.LParam), SmallIntHi(Message.LParam)};
      bool eventHandled = false;
      if (down && OnMouseWheelDown) OnMouseWheelDown(this, keys, pos, eventHandled);
      if (!down && OnMouseWheelUp) OnMouseWheelUp(this, keys, pos, eventHandled);
    }
  }
  const TGridRect after = Selection();
  if (!(after == before)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
  // Passed on: the platform's wheel steps below run for each notch.
  return false;
}

// The platform's wheel steps: the window procedure above has moved the current row already, so
// these only give the grid the focus from an open editor, or hand the notch to the events.
bool TRivErodovOzar::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (MouseActions()->WheelAction() == waScroll || !EnableWheel) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return false;
  }
  if (EditorMode() && CanFocus()) SetFocus();
  return true;
}

bool TRivErodovOzar::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (MouseActions()->WheelAction() == waScroll || !EnableWheel) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return false;
  }
  if (EditorMode() && CanFocus()) SetFocus();
  return true;
}

// Pan start (middle button), pan end (any button or key while panning) and the pan step (each
// timer tick while panning). True when the message is done with.
bool TRivErodovOzar::HandlePanMessage(TMessage& Message) {
  const UINT msg = Message.Msg;
  if (wheelpan && (msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_KEYDOWN)) {
    ReleaseCapture();
    KillTimer(Handle(), PanTimerID);
    ShowGridCursor(prevcurs);
    ShowHint = FPanHintsWere;
    wheelpan = false;
    InvalidatePanMark();
    return msg == WM_MBUTTONDOWN;
  }
  if (msg == WM_MBUTTONDOWN && !wheelpan && wheelmsg != 0 && IntelliPan != ipNone && RowCount() > FixedRows()) {
    RegisterGridCursorResources();
    prevcurs = FShownCursor;
    ShowGridCursor(crPanNeutral);
    wheelpan = true;
    SetTimer(Handle(), PanTimerID, 10);
    wheelpanpos = TPoint{SmallIntLo(Message.LParam), SmallIntHi(Message.LParam)};
    FMousePos = wheelpanpos;
    SetCapture(Handle());
    FPanHintsWere = ShowHint;
    ShowHint = false;
    PaintPanMark();
    return true;
  }
  if (msg == WM_TIMER && wheelpan && wheelmsg != 0 && IntelliPan != ipNone) PanStep();
  return false;
}

void TRivErodovOzar::PanStep() {
  const TGridRect before = Selection();
  const TPoint p = FMousePos;
  int v = p.Y < wheelpanpos.Y - 5 ? -1 : p.Y > wheelpanpos.Y + 5 ? 1 : 0;
  int h = p.X < wheelpanpos.X - 5 ? -1 : p.X > wheelpanpos.X + 5 ? 1 : 0;
  if (IntelliPan == ipHorizontal) v = 0;
  if (IntelliPan == ipVertical) h = 0;
  // (V, H) to the cursor: the neutral one, then the eight directions.
  static const int cursors[3][3] = {{8006, 8004, 8005}, {8002, 8000, 8003}, {8008, 8001, 8007}};
  const int cursor = cursors[v + 1][h + 1];
  if (Row() > RowCount() - FixedFooters() - 1) SetRow(RowCount() - FixedFooters() - 1);
  if (Row() < FixedRows()) SetRow(FixedRows());
  if (Col() > ColCount() - FixedRightCols() - 1) SetCol(ColCount() - FixedRightCols() - 1);
  if (Col() < FixedCols()) SetCol(FixedCols());
  if (MouseActions()->WheelAction() == waScroll) {
    if (h == -1 && LeftCol() > FixedCols() && LeftCol() - 1 >= FixedCols()) {
      InvalidatePanMark();
      SetLeftCol(LeftCol() - 1);
    }
    if (h == 1 && LeftCol() < ColCount() - VisibleColCount() && LeftCol() + 1 <= ColCount() - VisibleColCount()) {
      InvalidatePanMark();
      SetLeftCol(LeftCol() + 1);
    }
    if (v == -1 && TopRow() > FixedRows() && TopRow() - 1 >= FixedRows()) {
      InvalidatePanMark();
      SetTopRow(TopRow() - 1);
    }
    if (v == 1 && TopRow() < RowCount() - VisibleRowCount() && TopRow() + 1 <= RowCount() - VisibleRowCount()) {
      InvalidatePanMark();
      SetTopRow(TopRow() + 1);
    }
  } else {
    if (h == -1 && Col() > FixedCols()) {
      InvalidatePanMark();
      SetCol(Col() - 1);
    }
    if (h == 1 && Col() < ColCount() - FixedRightCols() - 1) {
      InvalidatePanMark();
      SetCol(Col() + 1);
    }
    if (v == -1 && Row() > FixedRows()) {
      InvalidatePanMark();
      SetRow(Row() - 1);
    }
    if (v == 1 && Row() < RowCount() - FixedFooters() - 1) {
      InvalidatePanMark();
      SetRow(Row() + 1);
    }
  }
  ShowGridCursor(cursor);
  PaintPanMark();
  const TGridRect after = Selection();
  if (!(after == before)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

// The pan mark stands at the pan origin, the colour of its top-left pixel shown white.
void TRivErodovOzar::PaintPanMark() {
  if (IntelliPan == ipNone) return;
  RegisterGridCursorResources();
  if (FPanMark == nullptr) {
    FPanMark = New<TImage>(this);
    FPanMark->SetParent(this);
    // The mark lies under the pointer when the pan starts: what the pointer does over it is
    // the grid's.
    FPanMark->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) {
      FMousePos = TPoint{FPanMark->Left() + X, FPanMark->Top() + Y};
    };
    FPanMark->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
      const UINT msg = Button == mbLeft ? WM_LBUTTONDOWN : Button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
      Perform(msg, 0, MakeLParam(FPanMark->Left() + X, FPanMark->Top() + Y));
    };
  }
  // The picture is made once per kind of pan (Tag: the kind + 1); a pan step only shows it
  // again, which keeps the 10 ms pan timer cheap.
  if (FPanMark->Tag != IntelliPan + 1) {
    TBitmap mark;
    mark.LoadFromResourceName(IntelliPan == ipVertical ? "INTLI3" : IntelliPan == ipHorizontal ? "INTLI2" : "INTLI1");
    TCanvas* c = mark.Canvas();
    const TColor key = c->Pixel(0, 0);
    for (int y = 0; y < mark.Height(); ++y)
      for (int x = 0; x < mark.Width(); ++x)
        if (c->Pixel(x, y) == key) c->SetPixel(x, y, clWhite);
    FPanMark->Picture()->SetBitmap(&mark);
    FPanMark->SetBounds(FPanMark->Left(), FPanMark->Top(), mark.Width(), mark.Height());
    FPanMark->Tag = IntelliPan + 1;
  }
  FPanMark->SetBounds(wheelpanpos.X, wheelpanpos.Y, FPanMark->Width(), FPanMark->Height());
  FPanMark->SetVisible(true);
}

void TRivErodovOzar::InvalidatePanMark() {
  if (FPanMark != nullptr) FPanMark->SetVisible(false);
  InvalidateArea(TRect{wheelpanpos.X, wheelpanpos.Y, wheelpanpos.X + 32, wheelpanpos.Y + 32});
}
