// HTML controls in cells: a press toggles check boxes and radio buttons and holds buttons
// down; the edit and combo types open an editor over the control whose value goes back into
// the cell's HTML; Tab and Enter in those editors.
#include "InteractionFixture.h"

#include "grid/base/HTMLEngine.h"
#include "grid/interaction/GridCellControlEditors.h"

namespace {

class TControlGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::HitHTMLCell;
};

class CellControlTest : public InteractionGridTest {
 protected:
  void SetUp() override {
    InteractionGridTest::SetUp();
    grid->SetOptions(grid->Options() + goEditing);
    grid->SetDefaultRowHeight(40);
    grid->SetColWidths(3, 260);
  }
  // The centre of control ID in cell (3, 2), as drawn.
  TPoint ControlCentre(const String& ID) {
    THTMLRenderResult hit;
    const auto hitTest = &TControlGrid::HitHTMLCell;  // a member of the grid itself
    EXPECT_TRUE((static_cast<TRivErodovOzar*>(grid)->*hitTest)(3, 2, -1, -1, ID, hit));
    return TPoint{(hit.ControlRect.Left + hit.ControlRect.Right) / 2, (hit.ControlRect.Top + hit.ControlRect.Bottom) / 2};
  }
  String ValueOf(const String& ID) {
    THTMLRenderResult hit;
    const auto hitTest = &TControlGrid::HitHTMLCell;
    (static_cast<TRivErodovOzar*>(grid)->*hitTest)(3, 2, -1, -1, ID, hit);
    return hit.ControlValue;
  }
  void PressControl(const String& ID) {
    const TPoint p = ControlCentre(ID);
    Down(p.X, p.Y);
  }
  static void Key(TWinControl* Target, Word Vk, char Ch) {
    if (KeyInput(Target, WM_KEYDOWN, Vk) != 0 && Ch != 0) KeyInput(Target, WM_CHAR, static_cast<unsigned char>(Ch));
    KeyInput(Target, WM_KEYUP, Vk);
  }
  static TWinControl* Focus() { return FindControl(GetFocus()); }
};

TEST_F(CellControlTest, PressesToggleCheckBoxesSwitchRadioButtonsAndHoldButtons) {
  const String cell = "<CONTROL TYPE=\"CHECK\" ID=\"c\" WIDTH=\"16\" VALUE=\"FALSE\"> "
                      "<CONTROL TYPE=\"RADIO\" ID=\"r1\" WIDTH=\"16\" VALUE=\"TRUE\"> <CONTROL TYPE=\"RADIO\" ID=\"r2\" WIDTH=\"16\" VALUE=\"FALSE\"> "
                      "<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"70\" VALUE=\"Go\">";
  grid->SetCells(3, 2, cell);
  std::vector<String> clicks;
  grid->OnControlClick = [&](TObject*, int ARow, int ACol, const String& ID, const String& Type, const String& Value) {
    EXPECT_EQ(ARow, 2);
    EXPECT_EQ(ACol, 3);
    clicks.push_back(ID + " " + Type + " " + Value);
  };
  PressControl("c");
  Up(0, 0);
  EXPECT_EQ(ValueOf("c"), "TRUE") << grid->Cells(3, 2);
  PressControl("r2");
  Up(0, 0);
  EXPECT_EQ(ValueOf("r1"), "FALSE") << grid->Cells(3, 2);
  EXPECT_EQ(ValueOf("r2"), "TRUE") << grid->Cells(3, 2);
  PressControl("b");
  EXPECT_TRUE(grid->ControlButtonDown());
  Up(0, 0);
  EXPECT_FALSE(grid->ControlButtonDown());
  EXPECT_EQ(clicks, (std::vector<String>{"c CHECK TRUE", "r2 RADIO TRUE", "b BUTTON Go"}));

  // A grid that edits nothing leaves the controls alone; the press selects the cell.
  grid->SetOptions(grid->Options() - goEditing);
  const String before = grid->Cells(3, 2);
  PressControl("c");
  Up(0, 0);
  EXPECT_EQ(grid->Cells(3, 2), before);
  EXPECT_EQ(Sel(), (TGridRect{3, 2, 3, 2}));
  EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(CellControlTest, EditControlsWriteTheirValueBackAndTabMovesToTheNextOne) {
  grid->SetCells(3, 2, "<CONTROL TYPE=\"EDIT\" ID=\"e1\" WIDTH=\"70\" VALUE=\"abc\" MAXLEN=\"5\"> "
                       "<CONTROL TYPE=\"PASSWORD\" ID=\"p\" WIDTH=\"70\" VALUE=\"\">");
  std::vector<String> done;
  grid->OnControlEditDone = [&](TObject*, int ARow, int ACol, const String& ID, const String& Type, const String& Value) {
    done.push_back(IntToStr(ACol) + "," + IntToStr(ARow) + " " + ID + " " + Type + " " + Value);
  };
  PressControl("e1");
  TControlEdit* edit = grid->ControlEdit();
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(Focus(), edit);
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(edit->MaxLength(), 5);
  EXPECT_EQ(edit->PasswordChar, '\0');
  edit->SetText("xyz");
  Key(edit, VK_TAB, '\t');
  EXPECT_EQ(ValueOf("e1"), "xyz") << grid->Cells(3, 2);
  // Tab opened the password control of the same cell.
  EXPECT_TRUE(grid->ControlEditing());
  EXPECT_EQ(edit->PasswordChar, '*');
  EXPECT_EQ(Focus(), edit);
  edit->SetText("s3cret");
  Key(edit, VK_RETURN, '\r');
  EXPECT_FALSE(grid->ControlEditing());
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(Focus(), grid);
  EXPECT_EQ(ValueOf("p"), "s3cret") << grid->Cells(3, 2);
  EXPECT_EQ(done, (std::vector<String>{"3,2 e1 EDIT xyz", "3,2 p PASSWORD s3cret"}));

  // Enter on the cell opens its first control again; Tab after the last control ends in the grid.
  grid->FocusCell(3, 2);
  Press(VK_RETURN);
  EXPECT_TRUE(grid->ControlEditing());
  EXPECT_EQ(edit->Text(), "xyz");
  Key(edit, VK_TAB, '\t');
  Key(edit, VK_TAB, '\t');
  EXPECT_FALSE(grid->ControlEditing());
  EXPECT_EQ(Focus(), grid);
}

TEST_F(CellControlTest, ComboControlTakesItsListFromTheEventAndReportsTheChoice) {
  grid->SetCells(3, 2, "<CONTROL TYPE=\"COMBO\" ID=\"k\" WIDTH=\"70\" VALUE=\"pear\">");
  bool editable = false;
  grid->OnControlComboList = [&](TObject*, int ARow, int ACol, const String& ID, const String&, const String& Value,
                                 TStrings* Values, bool& Edit, int& DropCount) {
    EXPECT_EQ(ARow, 2);
    EXPECT_EQ(ACol, 3);
    EXPECT_EQ(ID, "k");
    EXPECT_EQ(Value, editable ? "plum" : "pear");
    EXPECT_TRUE(Edit);
    EXPECT_EQ(DropCount, 8);
    Values->Add("apple");
    Values->Add("pear");
    Values->Add("plum");
    Edit = editable;
    DropCount = 3;
  };
  std::vector<String> chosen;
  grid->OnControlComboSelect = [&](TObject*, int ARow, int ACol, int Index, const String& ID, const String& Value) {
    chosen.push_back(IntToStr(ACol) + "," + IntToStr(ARow) + " " + IntToStr(Index) + " " + ID + " " + Value);
  };
  PressControl("k");
  TControlCombo* combo = grid->ControlCombo();
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(combo->Visible());
  EXPECT_EQ(combo->Style(), csDropDownList) << "Edit False makes a drop-down list";
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->DropDownCount, 3);
  EXPECT_TRUE(combo->DroppedDown);
  combo->SetItemIndex(2);
  grid->CellControlComboSelect(combo);
  grid->SetFocus();
  EXPECT_FALSE(combo->Visible());
  EXPECT_EQ(ValueOf("k"), "plum");
  EXPECT_EQ(chosen, (std::vector<String>{"3,2 2 k plum"}));

  editable = true;
  PressControl("k");
  EXPECT_EQ(combo->Style(), csDropDown);
  EXPECT_EQ(combo->Text(), "plum");
}

}  // namespace
