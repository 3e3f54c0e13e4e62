// A data grid on a shown form with the keyboard focus, driven as the window system drives it:
// a key goes to whatever has the focus as key-down, its character (unless the key-down was
// consumed) and key-up. Posted messages (the "GridEditDone" notification) are delivered by
// Flush.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/model/RivErodovOzar.h"

namespace {

class TEditGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::TRivErodovOzar;
  using TRivErodovOzar::FCellCache;
  using TRivErodovOzar::FEditing;
  using TRivErodovOzar::FOldCellText;
  using TRivErodovOzar::FSortColumn;
  using TRivErodovOzar::SelectCell;
};

class EditingGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(0, 0, 640, 420);
    grid = New<TEditGrid>(form_.get());
    grid->SetBounds(0, 0, 600, 360);
    grid->SetColCount(5);
    grid->SetRowCount(6);
    grid->SetOptions(grid->Options() + goEditing);
    grid->SetParent(form_.get());
    for (int r = 0; r < grid->RowCount(); ++r)
      for (int c = 0; c < grid->ColCount(); ++c) grid->SetCells(c, r, IntToStr(c) + ":" + IntToStr(r));
    form_->Show();
    grid->SetFocus();
    grid->SetGridModified(false);
  }
  // The grid goes first: notifications still posted to it are dropped, not delivered to
  // handlers whose test has ended.
  void TearDown() override {
    form_.reset();
    Flush();
    ResetFormatSettings();
  }

  static TWinControl* Focus() { return FindControl(GetFocus()); }
  static void Flush() { Application->ProcessMessages(); }

  // A key as typed: down, its character unless the key-down consumed it, up.
  static void Press(Word Vk, TShiftState Shift = TShiftState()) {
    SetKeyDown(VK_SHIFT, Shift.Contains(ssShift));
    SetKeyDown(VK_CONTROL, Shift.Contains(ssCtrl));
    TWinControl* target = Focus();
    ASSERT_NE(target, nullptr);
    const WPARAM down = KeyInput(target, WM_KEYDOWN, Vk);
    char ch = 0;
    if (Vk == VK_RETURN) ch = '\r';
    if (Vk == VK_ESCAPE) ch = 27;
    if (Vk == VK_BACK) ch = '\b';
    if (Vk == VK_TAB) ch = '\t';
    if (down != 0 && ch != 0 && !Shift.Contains(ssCtrl)) KeyInput(target, WM_CHAR, static_cast<unsigned char>(ch));
    KeyInput(target, WM_KEYUP, Vk);
    SetKeyDown(VK_SHIFT, false);
    SetKeyDown(VK_CONTROL, false);
  }

  // Characters as typed, each to whatever has the focus at that moment.
  static void Type(const String& Text) {
    for (char c : Text) {
      TWinControl* target = Focus();
      ASSERT_NE(target, nullptr);
      const bool keyed = std::isalnum(static_cast<unsigned char>(c)) != 0;
      const Word vk = static_cast<Word>(std::toupper(static_cast<unsigned char>(c)));
      if (keyed && KeyInput(target, WM_KEYDOWN, vk) == 0) continue;
      KeyInput(target, WM_CHAR, static_cast<unsigned char>(c));
      if (keyed) KeyInput(target, WM_KEYUP, vk);
    }
  }

  TRivInplaceEdit* Editor() const { return grid->NormalEdit(); }
  bool EditorShown() const { return Editor() != nullptr && Editor()->Visible(); }
  void GoTo(int ACol, int ARow) {
    grid->FocusCell(ACol, ARow);
    ASSERT_EQ(grid->Col(), ACol);
    ASSERT_EQ(grid->Row(), ARow);
  }

  std::unique_ptr<TForm> form_;
  TEditGrid* grid = nullptr;
};

}  // namespace
