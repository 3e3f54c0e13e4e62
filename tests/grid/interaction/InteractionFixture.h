// A data grid on a shown form, driven by the window messages the window system sends for the
// keyboard and the mouse.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/model/RivErodovOzar.h"

namespace {

class TInteractionGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::TRivErodovOzar;
  using TRivErodovOzar::FMousePos;
};

class InteractionGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(0, 0, 640, 420);
    grid = New<TInteractionGrid>(form_.get());
    grid->SetBounds(0, 0, 600, 360);
    grid->SetColCount(8);
    grid->SetRowCount(40);
    grid->SetParent(form_.get());
    for (int r = 0; r < grid->RowCount(); ++r)
      for (int c = 0; c < grid->ColCount(); ++c) grid->SetCells(c, r, IntToStr(c) + ":" + IntToStr(r));
    form_->Show();
    grid->SetFocus();
    grid->FocusCell(2, 2);
  }
  void TearDown() override {
    SetKeyDown(VK_SHIFT, false);
    SetKeyDown(VK_CONTROL, false);
    form_.reset();
    Application->ProcessMessages();
    Application->Hooks.Shell = nullptr;
    Application->Hooks.ShellRequests.clear();
  }

  void Press(Word Vk, TShiftState Shift = TShiftState()) {
    SetKeyDown(VK_SHIFT, Shift.Contains(ssShift));
    SetKeyDown(VK_CONTROL, Shift.Contains(ssCtrl));
    grid->Perform(WM_KEYDOWN, Vk, 0);
    grid->Perform(WM_KEYUP, Vk, 0);
    SetKeyDown(VK_SHIFT, false);
    SetKeyDown(VK_CONTROL, false);
  }
  static WPARAM Keys(TShiftState Shift, WPARAM Buttons) {
    WPARAM k = Buttons;
    if (Shift.Contains(ssShift)) k |= MK_SHIFT;
    if (Shift.Contains(ssCtrl)) k |= MK_CONTROL;
    return k;
  }
  void Down(int X, int Y, TShiftState Shift = TShiftState()) {
    grid->Perform(WM_MOUSEMOVE, Keys(Shift, 0), MakeLParam(X, Y));
    grid->Perform(WM_LBUTTONDOWN, Keys(Shift, MK_LBUTTON), MakeLParam(X, Y));
  }
  void MoveTo(int X, int Y, bool Held) { grid->Perform(WM_MOUSEMOVE, Held ? MK_LBUTTON : 0, MakeLParam(X, Y)); }
  void Up(int X, int Y, TShiftState Shift = TShiftState()) {
    grid->Perform(WM_LBUTTONUP, Keys(Shift, 0), MakeLParam(X, Y));
  }
  void ClickAt(int X, int Y, TShiftState Shift = TShiftState()) {
    Down(X, Y, Shift);
    Up(X, Y, Shift);
  }
  void ClickCell(int ACol, int ARow, TShiftState Shift = TShiftState()) {
    const TRect r = grid->CellRect(ACol, ARow);
    ClickAt((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2, Shift);
  }
  // A wheel turn of Notches (negative: towards the user, down the grid) over the grid.
  void WheelTurn(int Notches, TShiftState Shift = TShiftState()) {
    const TPoint at = grid->ClientToScreen(TPoint{100, 100});
    const auto delta = static_cast<uint16_t>(static_cast<int16_t>(Notches * WHEEL_DELTA));
    grid->Perform(WM_MOUSEWHEEL, (static_cast<WPARAM>(delta) << 16) | Keys(Shift, 0), MakeLParam(at.X, at.Y));
  }
  TGridRect Sel() const { return grid->Selection(); }

  std::unique_ptr<TForm> form_;
  TInteractionGrid* grid = nullptr;
};

}  // namespace
