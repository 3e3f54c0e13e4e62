#include "support/RealMouse.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <QWindow>

#include "classlib/qt/Views.h"
#include "support/RealWindows.h"

namespace RealWindows {

namespace {

QWidget* ClientOf(TControl* Control) {
  QWidget* v = Control != nullptr ? Control->View() : nullptr;
  if (v == nullptr || !v->isVisible()) {
    ADD_FAILURE() << "no visible window for " << (Control != nullptr ? Control->Name() : String("(null)"));
    return nullptr;
  }
  if (auto* w = dynamic_cast<TWinControl*>(Control)) return Views::ClientView(w);
  return v;
}

QWindow* TopPoint(TControl* Control, int X, int Y, QPoint& P) {
  QWidget* w = ClientOf(Control);
  if (w == nullptr) return nullptr;
  QWidget* top = w->window();
  P = w->mapTo(top, QPoint(X, Y));
  QWindow* win = top->windowHandle();
  if (win == nullptr) ADD_FAILURE() << "the window has no window-system handle";
  return win;
}

Qt::KeyboardModifiers ModifiersOf(TShiftState Shift) {
  Qt::KeyboardModifiers m;
  if (Shift.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (Shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
  if (Shift.Contains(ssAlt)) m |= Qt::AltModifier;
  return m;
}

void ClickWith(TControl* Control, int X, int Y, Qt::MouseButton Button, Qt::KeyboardModifiers Mods) {
  QPoint p;
  if (QWindow* win = TopPoint(Control, X, Y, p)) QTest::mouseClick(win, Button, Mods, p);
  Settle();
}

}  // namespace

void ClickAt(TControl* Control, int X, int Y, TShiftState Shift) {
  ClickWith(Control, X, Y, Qt::LeftButton, ModifiersOf(Shift));
}

void RightClickAt(TControl* Control, int X, int Y) { ClickWith(Control, X, Y, Qt::RightButton, Qt::NoModifier); }

void MiddleClickAt(TControl* Control, int X, int Y) { ClickWith(Control, X, Y, Qt::MiddleButton, Qt::NoModifier); }

void MoveMouse(TControl* Control, int X, int Y) {
  QPoint p;
  if (QWindow* win = TopPoint(Control, X, Y, p)) QTest::mouseMove(win, p);
  Settle();
}

void Drag(TControl* Control, int FromX, int FromY, int ToX, int ToY) {
  QPoint from;
  QPoint to;
  QWindow* win = TopPoint(Control, FromX, FromY, from);
  if (win == nullptr || TopPoint(Control, ToX, ToY, to) == nullptr) return;
  QTest::mouseMove(win, from);
  QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, from);
  Settle();
  for (int step = 1; step <= 4; ++step) {
    QTest::mouseMove(win, from + (to - from) * step / 4);
    Settle();
  }
  QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, to);
  Settle();
}

bool ShowsPictureCursor(TControl* Control) {
  QWidget* v = Control != nullptr ? Control->View() : nullptr;
  return v != nullptr && v->cursor().shape() == Qt::BitmapCursor;
}

}  // namespace RealWindows
