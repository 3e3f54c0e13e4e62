// Check boxes and radio buttons in cells: where each kind keeps its state, toggling with undo
// and the change event, whole columns, hidden rows, row check boxes, hit tests, and removing
// or clearing rows by check box and selection.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "RivGridFixture.h"
#include "grid/base/BaseGridUndoRedo.h"

using namespace rivgrid;

namespace {

// The change events a grid fired, column first as the event passes them.
struct CheckEvents {
  std::vector<std::tuple<int, int, bool>> fired;
  void Attach(TRivErodovOzar& Grid) {
    Grid.OnCheckBoxChange = [this](TObject*, int ACol, int ARow, bool State) { fired.emplace_back(ACol, ARow, State); };
  }
};

std::unique_ptr<TGrid> EditableGrid(int Cols = 5, int Rows = 8) {
  auto grid = MakeGrid(Cols, Rows);
  grid->SetOptions(grid->Options() + goEditing);
  return grid;
}

TEST(CellCheckBoxes, AddingPlacesTheBoxAndSettlesADataText) {
  auto grid = MakeGrid();
  grid->VAlignment = vtaCenter;
  grid->AddCheckBox(1, 1, true, false);
  const TCellGraphic* g = grid->GetCellGraphic(1, 1);
  EXPECT_EQ(g->CellType, ctCheckBox);
  EXPECT_TRUE(g->CellBoolean);
  EXPECT_TRUE(g->CellTransparent);
  EXPECT_EQ(g->CellHAlign, haBeforeText);
  EXPECT_EQ(g->CellVAlign, vaCenter);
  // Data check boxes: "Y" and "N" stay, any other text becomes the state's text.
  const std::tuple<const char*, bool, const char*> cases[] = {
      {"N", true, "N"}, {"", true, "Y"}, {"maybe", false, "N"}, {"Y", false, "Y"}};
  for (auto [text, state, result] : cases) {
    grid->SetCells(2, 2, text);
    grid->AddCheckBox(2, 2, state, true);
    EXPECT_EQ(grid->Cells(2, 2), result) << text;
    EXPECT_EQ(grid->GetCellType(2, 2), ctDataCheckBox);
  }
  // Hidden columns count; a cell outside the grid is refused untouched.
  grid->HideColumn(4);
  grid->AddCheckBox(4, 3, false, false);
  EXPECT_TRUE(grid->HasCheckBox(4, 3));
  for (auto [c, r] : {std::pair{5, 1}, {1, 10}, {-1, 0}, {0, -1}}) {
    try {
      grid->AddCheckBox(c, r, true, true);
      ADD_FAILURE() << c << "," << r;
    } catch (const ERivGridError& e) {
      EXPECT_EQ(e.Message, "Invalid cell");
    }
    EXPECT_THROW(grid->AddRadioButton(c, r, true), ERivGridError);
  }
  EXPECT_FALSE(grid->HasCheckBox(-1, 0));
  EXPECT_FALSE(grid->IsChecked(3, 3));  // a plain cell
}

TEST(CellCheckBoxes, StatesOfEveryKindAndTheirQueries) {
  auto grid = MakeGrid();
  grid->AddCheckBox(1, 1, true, false);
  grid->AddCheckBox(1, 2, false, true);
  grid->CreateCellGraphic(1, 3)->CellType = ctVirtCheckBox;
  grid->SetCells(1, 3, "Y");
  grid->OnGetCheckTrue = [](TObject*, int, int ARow, String& Value) {
    if (ARow == 4) Value = "yes";
  };
  grid->AddCheckBox(1, 4, true, true);
  bool state = false;
  EXPECT_TRUE(grid->GetCheckBoxState(1, 1, state) && state);
  EXPECT_TRUE(grid->GetCheckBoxState(1, 2, state) && !state);
  EXPECT_TRUE(grid->GetCheckBoxState(1, 3, state) && state);
  EXPECT_TRUE(grid->IsChecked(1, 4));
  EXPECT_EQ(grid->Cells(1, 4), "yes");
  EXPECT_FALSE(grid->GetCheckBoxState(2, 2, state));
  // Setting a state fires nothing.
  CheckEvents events;
  events.Attach(*grid);
  EXPECT_TRUE(grid->SetCheckBoxState(1, 1, false));
  EXPECT_TRUE(grid->SetCheckBoxState(1, 2, true));
  EXPECT_FALSE(grid->SetCheckBoxState(2, 2, true));
  EXPECT_FALSE(grid->IsChecked(1, 1));
  EXPECT_EQ(grid->Cells(1, 2), "Y");
  EXPECT_TRUE(events.fired.empty());
  // Which kinds answer which query.
  grid->AddRadioButton(3, 1, false);
  grid->AddButton(3, 2, 10, 10, "", haLeft, vaTop);
  EXPECT_TRUE(grid->HasDataCheckBox(1, 2));
  EXPECT_FALSE(grid->HasDataCheckBox(1, 1));
  EXPECT_TRUE(grid->HasDataGraphic(1, 3));
  EXPECT_TRUE(grid->HasControlGraphic(3, 1));
  EXPECT_TRUE(grid->HasControlGraphic(3, 2));
  EXPECT_FALSE(grid->HasControlGraphic(-1, 2));
  EXPECT_FALSE(grid->HasCheckBox(3, 1));
  // Removing takes plain and data check boxes only.
  grid->RemoveCheckBox(1, 3);
  EXPECT_TRUE(grid->HasCheckBox(1, 3));
  grid->RemoveCheckBox(1, 2);
  EXPECT_FALSE(grid->HasCheckBox(1, 2));
}

TEST(CellCheckBoxes, TogglingReportsColumnFirstAndUndoesToTheOldState) {
  auto grid = EditableGrid();
  TRivGridUndoRedo undo(nullptr);
  grid->SetUndoRedo(&undo);
  CheckEvents events;
  events.Attach(*grid);
  grid->SetCells(3, 1, "caption");
  grid->AddCheckBox(3, 1, false, false);
  EXPECT_TRUE(grid->ToggleCheckBox(3, 1));
  EXPECT_TRUE(grid->IsChecked(3, 1));
  ASSERT_EQ(undo.Items()->Count(), 1);
  EXPECT_EQ(undo.Items()->Items(0)->OrigValue, "N");
  EXPECT_EQ(undo.Items()->Items(0)->Value, "Y");
  undo.Undo();
  EXPECT_FALSE(grid->IsChecked(3, 1));
  EXPECT_EQ(grid->Cells(3, 1), "caption");  // undoing sets the box, not the caption
  undo.Redo();
  EXPECT_TRUE(grid->IsChecked(3, 1));
  // A data check box with neither text becomes checked.
  grid->SetCells(2, 4, "maybe");
  grid->CreateCellGraphic(2, 4)->SetCheckBox(false, true, true, haBeforeText, vaTop);
  EXPECT_TRUE(grid->DoToggleCheckBox(2, 4, true));
  EXPECT_EQ(grid->Cells(2, 4), "Y");
  EXPECT_TRUE(grid->ToggleCheckBox(2, 4));
  EXPECT_EQ(grid->Cells(2, 4), "N");
  undo.Undo();
  EXPECT_EQ(grid->Cells(2, 4), "Y");
  const std::vector<std::tuple<int, int, bool>> expected = {{3, 1, true}, {2, 4, true}, {2, 4, false}};
  EXPECT_EQ(events.fired, expected);
  // A read-only cell refuses the mouse and keys unless check boxes are always active.
  grid->GetCellProperties(3, 1)->SetReadOnly(true);
  EXPECT_FALSE(grid->DoToggleCheckBox(3, 1, true));
  EXPECT_TRUE(grid->IsChecked(3, 1));
  EXPECT_TRUE(grid->ToggleCheckBox(3, 1));  // code does not ask
  grid->ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_TRUE(grid->DoToggleCheckBox(3, 1, true));
  EXPECT_FALSE(grid->ToggleCheckBox(4, 4));
  grid->SetUndoRedo(nullptr);
}

TEST(CellCheckBoxes, CheckAllFiresForChangedBoxesOnly) {
  auto grid = MakeGrid(4, 6);
  grid->AddCheckBoxColumn(1, false, false);
  EXPECT_FALSE(grid->HasCheckBox(1, 0));
  grid->SetCheckBoxState(1, 2, true);
  grid->AddCheckBoxColumn(2, true, true);
  CheckEvents events;
  events.Attach(*grid);
  grid->CheckAll(1);
  EXPECT_EQ(events.fired.size(), 4u);  // rows 1, 3, 4, 5
  for (int r = 1; r < 6; ++r) EXPECT_TRUE(grid->IsChecked(1, r)) << r;
  events.fired.clear();
  grid->UnCheckAll(2);
  EXPECT_EQ(events.fired.size(), 5u);
  EXPECT_EQ(grid->Cells(2, 3), "N");
  events.fired.clear();
  grid->CheckAll(3);  // no check boxes there
  EXPECT_TRUE(events.fired.empty());
  grid->RemoveCheckBoxColumn(1);
  EXPECT_FALSE(grid->HasCheckBox(1, 3));
  grid->MouseActions()->CheckAllCheck = true;
  grid->AddCheckBoxColumn(3, false, false);
  EXPECT_TRUE(grid->HasCheckBox(3, 0));
}

TEST(CellCheckBoxes, HiddenRowsAreReadAndWrittenWhereTheyAreKept) {
  auto grid = MakeGrid(3, 6);
  FillNamed(*grid);
  for (int r = 1; r < 6; ++r) grid->AddCheckBox(1, r, false, true);
  grid->SetCells(1, 2, "Y");
  grid->HideRow(2);
  bool state = false;
  EXPECT_TRUE(grid->GetCheckBoxState(1, 2, state));  // real row 2, kept hidden
  EXPECT_TRUE(state);
  EXPECT_TRUE(grid->SetCheckBoxState(1, 2, false));
  EXPECT_TRUE(grid->SetCheckBoxState(1, 3, true));  // real row 3, shown at 2
  EXPECT_EQ(grid->Cells(1, 2), "Y");
  grid->UnHideRowsAll();
  EXPECT_EQ(grid->Cells(1, 2), "N");
  EXPECT_EQ(grid->Cells(1, 3), "Y");
}

TEST(CellCheckBoxes, RowCheckBoxesAreTheRowSelection) {
  auto grid = EditableGrid(3, 5);
  grid->MouseActions()->SetHotmailRowSelect(true);
  CheckEvents events;
  events.Attach(*grid);
  EXPECT_TRUE(grid->HasCheckBox(0, 2));
  EXPECT_FALSE(grid->IsChecked(0, 2));
  EXPECT_TRUE(grid->SetCheckBoxStateNotify(0, 2, true));
  EXPECT_TRUE(grid->IsRowSelected(2));
  EXPECT_TRUE(grid->IsChecked(0, 2));
  EXPECT_TRUE(grid->ToggleCheckBox(0, 3));
  EXPECT_TRUE(grid->IsRowSelected(3));
  EXPECT_EQ(grid->Cells(0, 3), "");  // no check text lands in the row header
  EXPECT_EQ(events.fired.size(), 2u);
}

TEST(CellCheckBoxes, PreciseHitTestFindsTheBox) {
  auto grid = MakeGrid(4, 4);
  grid->SetColWidths(1, 60);
  grid->AddCheckBox(1, 1, false, false);
  const TRect r = grid->CellRect(1, 1);
  EXPECT_TRUE(grid->IsInCheckBox(1, 1, r.Right - 1, r.Bottom - 1));  // anywhere in the cell
  EXPECT_FALSE(grid->IsInCheckBox(2, 1, r.Left + 3, r.Top + 3));
  grid->MouseActions()->PreciseCheckBoxCheck = true;
  EXPECT_TRUE(grid->IsInCheckBox(1, 1, r.Left + 2, r.Top + 2));
  EXPECT_TRUE(grid->IsInCheckBox(1, 1, r.Left + 16, r.Top + 16));
  EXPECT_FALSE(grid->IsInCheckBox(1, 1, r.Left + 17, r.Top + 2));
  EXPECT_FALSE(grid->IsInCheckBox(1, 1, r.Left + 1, r.Top + 2));
  grid->GetCellProperties(1, 1)->SetAlignment(taCenter);
  const int left = r.Left + (r.Width() - 15) / 2;
  EXPECT_TRUE(grid->IsInCheckBox(1, 1, left, r.Top + 2));
  EXPECT_FALSE(grid->IsInCheckBox(1, 1, left - 1, r.Top + 2));
}

TEST(CellRadioButtons, OneColumnOneChoice) {
  auto grid = EditableGrid(4, 6);
  grid->AddRadioButtonColumn(2);
  EXPECT_FALSE(grid->HasRadioButton(2, 0));
  EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), -1);
  grid->SetRadioButtonColumnIndex(2, 3);
  for (int r = 1; r < 6; ++r) EXPECT_EQ(grid->IsRadioButtonChecked(2, r), r == 3) << r;
  EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 3);
  // Toggling checks one and unchecks the others, a fixed row's button too.
  grid->AddRadioButton(2, 0, true);
  EXPECT_TRUE(grid->DoToggleRadioButton(2, 5, true));
  EXPECT_TRUE(grid->IsRadioButtonChecked(2, 5));
  EXPECT_FALSE(grid->IsRadioButtonChecked(2, 3));
  EXPECT_FALSE(grid->IsRadioButtonChecked(2, 0));
  EXPECT_TRUE(grid->DoToggleRadioButton(2, 5, true));  // already checked
  EXPECT_FALSE(grid->DoToggleRadioButton(1, 5, true));
  EXPECT_FALSE(grid->SetRadioButtonState(1, 1, true));
  grid->RemoveRadioButton(2, 5);
  EXPECT_FALSE(grid->HasRadioButton(2, 5));
  grid->RemoveRadioButtonColumn(2);
  EXPECT_FALSE(grid->HasRadioButton(2, 3));
  EXPECT_TRUE(grid->HasRadioButton(2, 0));
}

TEST(CellCheckBoxes, RemoveCheckedRowsRemovesExactlyThoseAndKeepsTheCurrentRow) {
  auto grid = MakeGrid(3, 10);
  FillNamed(*grid);
  for (int r = 1; r < 10; ++r)
    if (r != 4) grid->AddCheckBox(2, r, r == 2 || r == 5 || r == 9, false);
  grid->SetRow(9);
  const int before = TCellGraphic::LiveCount();
  grid->RemoveCheckedRows(2, true);
  std::vector<String> rows;
  for (int r = 0; r < grid->RowCount(); ++r) rows.push_back(grid->Cells(0, r));
  EXPECT_EQ(rows, (std::vector<String>{"r0", "r1", "r3", "r4", "r6", "r7", "r8"}));
  EXPECT_EQ(TCellGraphic::LiveCount(), before - 3);
  EXPECT_GE(grid->Row(), grid->FixedRows());
  EXPECT_LT(grid->Row(), grid->RowCount());
  // Unchecked boxes go the other way; a row without a box stays.
  grid->RemoveCheckedRows(2, false);
  rows.clear();
  for (int r = 0; r < grid->RowCount(); ++r) rows.push_back(grid->Cells(0, r));
  EXPECT_EQ(rows, (std::vector<String>{"r0", "r4"}));
  EXPECT_EQ(grid->Row(), 1);
}

TEST(CellCheckBoxes, ClearSelectionClearsWhatIsSelected) {
  auto grid = MakeGrid(4, 6);
  FillNamed(*grid);
  grid->SetSelection(TGridRect{1, 1, 2, 2});
  grid->ClearSelection();
  EXPECT_EQ(grid->Cells(1, 1) + grid->Cells(2, 2), "");
  EXPECT_EQ(grid->Cells(3, 1), "3:1");
  grid->MouseActions()->SetDisjunctRowSelect(true);
  grid->SetRowSelected(4, true);
  grid->ClearSelection();
  EXPECT_EQ(grid->Cells(0, 4) + grid->Cells(3, 4), "");
  EXPECT_EQ(grid->Cells(3, 3), "3:3");
}

}  // namespace
