#include "classlib/Caret.h"

#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Controls.h"
#include "classlib/WinApi.h"

namespace {

struct CaretState {
  HWND Owner = nullptr;
  int Width = 0;
  int Height = 0;
  TPoint Pos;
  int HideCount = 1;  // made hidden
};

CaretState& Caret() {
  static CaretState state;
  return state;
}

// The owner's window, or nullptr once it is gone (its caret went with it).
TWinControl* OwnerControl() {
  CaretState& c = Caret();
  if (c.Owner == nullptr) return nullptr;
  TWinControl* owner = FindControl(c.Owner);
  if (owner == nullptr) c = CaretState();
  return owner;
}

TRect Covered(const CaretState& c) { return Bounds(c.Pos.X, c.Pos.Y, c.Width, c.Height); }

// The owner repaints where the caret was or is.
void Repaint() {
  if (TWinControl* owner = OwnerControl(); owner != nullptr && Caret().HideCount <= 0)
    owner->InvalidateArea(Covered(Caret()));
}

}  // namespace

bool CreateCaret(HWND Wnd, int Width, int Height) {
  if (FindControl(Wnd) == nullptr) return false;
  DestroyCaret();
  CaretState& c = Caret();
  c.Owner = Wnd;
  c.Width = Width > 0 ? Width : 1;
  c.Height = Height > 0 ? Height : 1;
  c.Pos = TPoint{};
  c.HideCount = 1;
  return true;
}

bool DestroyCaret() {
  if (OwnerControl() == nullptr) return false;
  Repaint();
  Caret() = CaretState();
  return true;
}

bool ShowCaret(HWND Wnd) {
  CaretState& c = Caret();
  if (OwnerControl() == nullptr || (Wnd != nullptr && Wnd != c.Owner)) return false;
  if (c.HideCount > 0 && --c.HideCount == 0) Repaint();
  return true;
}

bool HideCaret(HWND Wnd) {
  CaretState& c = Caret();
  if (OwnerControl() == nullptr || (Wnd != nullptr && Wnd != c.Owner)) return false;
  Repaint();
  ++c.HideCount;
  return true;
}

bool SetCaretPos(int X, int Y) {
  if (OwnerControl() == nullptr) return false;
  Repaint();
  Caret().Pos = TPoint{X, Y};
  Repaint();
  return true;
}

TPoint GetCaretPos() {
  OwnerControl();
  return Caret().Pos;
}

TRect CaretRect(const TControl* Control) {
  TWinControl* owner = OwnerControl();
  if (owner == nullptr || owner != Control || Caret().HideCount > 0) return TRect{};
  return Covered(Caret());
}

void DrawCaret(const TControl* Control, TCanvas* Canvas) {
  TRect r = CaretRect(Control);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  Canvas->Brush()->SetColor(clWindowText);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->FillRect(r);
}
