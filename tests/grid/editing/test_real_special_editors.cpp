// The grid's special editors under the real window system, used as a person does: a combo
// editor's list opened and an item picked with the keys and with the mouse, a date typed into
// the date editor, Escape in the editors, and the spin editor on a cell it cannot read whole.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "grid/editing/GridEditorControls.h"
#include "grid/model/RivErodovOzar.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

class RealSpecialEditors : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<Scope>();
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 520, 300);
    grid_ = New<TRivErodovOzar>(form_.get());
    grid_->SetParent(form_.get());
    grid_->SetBounds(0, 0, 500, 260);
    grid_->SetColCount(4);
    grid_->SetRowCount(5);
    grid_->SetOptions(grid_->Options() + goEditing);
    grid_->OnGetEditorType = [this](TObject*, int ACol, int ARow, TEditorType& AEditor) {
      auto it = types_.find({ACol, ARow});
      if (it != types_.end()) AEditor = it->second;
    };
    grid_->EditCombo->Items()->Add("alder");
    grid_->EditCombo->Items()->Add("birch");
    grid_->EditCombo->Items()->Add("cedar");
    form_->Show();
    Settle();
  }
  void TearDown() override {
    form_.reset();
    scope_.reset();
  }
  // Clicks the cell, then F2 opens its editor.
  void Open(int ACol, int ARow, TEditorType Type, const String& Text) {
    types_[{ACol, ARow}] = Type;
    grid_->SetCells(ACol, ARow, Text);
    const TRect r = grid_->CellRect(ACol, ARow);
    ClickAt(grid_, r.Left + 5, r.Top + 5);
    Key(grid_, VK_F2);
  }

  std::unique_ptr<Scope> scope_;
  std::unique_ptr<TForm> form_;
  TRivErodovOzar* grid_ = nullptr;
  std::map<std::pair<int, int>, TEditorType> types_;
};

TEST_F(RealSpecialEditors, ComboEditorListIsOpenedAndPickedWithKeysAndMouse) {
  Open(1, 1, edComboList, "alder");
  ASSERT_TRUE(HasFocus(grid_->EditCombo));
  EXPECT_TRUE(ControlOnScreen(grid_->EditCombo));
  EXPECT_EQ(ShownText(grid_->EditCombo), "alder");

  // Keys: Alt+Down opens the list, Down and Enter pick the next item, Enter writes it.
  Key(grid_->EditCombo, VK_DOWN, TShiftState{ssAlt});
  ASSERT_TRUE(ComboListShown(grid_->EditCombo));
  EXPECT_TRUE(grid_->EditCombo->DroppedDown);
  ComboListKey(grid_->EditCombo, VK_DOWN);
  ComboListKey(grid_->EditCombo, VK_RETURN);
  EXPECT_FALSE(ComboListShown(grid_->EditCombo));
  EXPECT_EQ(grid_->EditCombo->Text(), "birch");
  EXPECT_TRUE(grid_->EditMode);
  EXPECT_TRUE(HasFocus(grid_->EditCombo));
  Key(grid_->EditCombo, VK_RETURN);
  EXPECT_EQ(grid_->Cells(1, 1), "birch");
  EXPECT_FALSE(ControlOnScreen(grid_->EditCombo));
  EXPECT_TRUE(HasFocus(grid_));

  // Mouse: a click on the combo opens the list, a click on an item picks it.
  Open(2, 2, edComboList, "alder");
  ASSERT_TRUE(HasFocus(grid_->EditCombo));
  Click(grid_->EditCombo);
  ASSERT_TRUE(ComboListShown(grid_->EditCombo));
  ClickComboListItem(grid_->EditCombo, 2);
  EXPECT_EQ(grid_->EditCombo->Text(), "cedar");
  Key(grid_->EditCombo, VK_RETURN);
  EXPECT_EQ(grid_->Cells(2, 2), "cedar");
}

TEST_F(RealSpecialEditors, EscapeLeavesTheCellsAsTheyWere) {
  Open(1, 1, edComboList, "birch");
  ASSERT_TRUE(HasFocus(grid_->EditCombo));
  Key(grid_->EditCombo, VK_DOWN, TShiftState{ssAlt});
  ASSERT_TRUE(ComboListShown(grid_->EditCombo));
  ClickComboListItem(grid_->EditCombo, 0);
  Key(grid_->EditCombo, VK_ESCAPE);
  EXPECT_EQ(grid_->Cells(1, 1), "birch");
  EXPECT_TRUE(HasFocus(grid_));

  Open(2, 1, edSpinEdit, "12abc");
  ASSERT_TRUE(HasFocus(grid_->EditSpin));
  EXPECT_EQ(ShownText(grid_->EditSpin), "12");
  Key(grid_->EditSpin, VK_PRIOR);
  Key(grid_->EditSpin, VK_ESCAPE);
  EXPECT_EQ(grid_->Cells(2, 1), "12abc");
  EXPECT_FALSE(ControlOnScreen(grid_->EditSpin));
  EXPECT_TRUE(HasFocus(grid_));
}

TEST_F(RealSpecialEditors, DateEditorWritesTheTypedDateInTheShortFormat) {
  Open(1, 2, edDateEdit, DateToStr(EncodeDate(2024, 3, 5)));
  ASSERT_TRUE(HasFocus(grid_->EditDate));
  // The fields in the regional order (year, month, day): the day is the last.
  Key(grid_->EditDate, VK_RIGHT);
  Key(grid_->EditDate, VK_RIGHT);
  Type(grid_->EditDate, "17");
  Key(grid_->EditDate, VK_RETURN);
  EXPECT_EQ(grid_->Cells(1, 2), DateToStr(EncodeDate(2024, 3, 17)));
  EXPECT_TRUE(HasFocus(grid_));

  Open(1, 3, edDateEdit, DateToStr(EncodeDate(2024, 3, 5)));
  Type(grid_->EditDate, "2030");
  Key(grid_->EditDate, VK_ESCAPE);
  EXPECT_EQ(grid_->Cells(1, 3), DateToStr(EncodeDate(2024, 3, 5)));
}

}  // namespace
