// The grid's window-level plumbing: the update lock and painting under it, the posted
// "GridEditDone", ShowInplaceEdit and HideInplaceEdit at their edges, the simulated click,
// hover-to-select on the grid timer, and the resize handler chained into the owner form.
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "EditingFixture.h"

namespace {

using GridWindow = EditingGridTest;

TEST_F(GridWindow, BeginAndEndUpdateAlwaysCountAndAGridHiddenMeanwhilePaintsAgain) {
  grid->BeginUpdate();
  grid->BeginUpdate();
  EXPECT_TRUE(grid->LockUpdate());
  EXPECT_EQ(grid->UpdateCount(), 2);
  grid->Hide();
  grid->EndUpdate();
  grid->EndUpdate();
  EXPECT_EQ(grid->UpdateCount(), 0);
  EXPECT_FALSE(grid->LockUpdate());
  grid->Show();

  // Begun while hidden, ended while shown.
  grid->Hide();
  grid->BeginUpdate();
  grid->Show();
  grid->EndUpdate();
  EXPECT_EQ(grid->UpdateCount(), 0);
  grid->EndUpdate();  // never below 0
  EXPECT_EQ(grid->UpdateCount(), 0);

  // StartUpdate inside a block, ResetUpdate ends both.
  grid->SetLockUpdate(true);
  grid->StartUpdate();
  grid->ResetUpdate();
  EXPECT_EQ(grid->UpdateCount(), 0);
  grid->EndUpdate();
  EXPECT_EQ(grid->UpdateCount(), 0);
}

TEST_F(GridWindow, NothingIsPaintedWhileTheLockIsHeld) {
  TBitmap bitmap(grid->Width(), grid->Height());
  const TColor marker = 0x123456;
  auto fill = [&] {
    bitmap.Canvas()->Brush()->SetColor(marker);
    bitmap.Canvas()->FillRect(Rect(0, 0, grid->Width(), grid->Height()));
  };
  fill();
  grid->BeginUpdate();
  grid->PaintTo(bitmap.Canvas());
  EXPECT_EQ(bitmap.Canvas()->Pixel(5, 5), marker);
  grid->EndUpdate();
  grid->PaintTo(bitmap.Canvas());
  EXPECT_NE(bitmap.Canvas()->Pixel(5, 5), marker);
}

TEST_F(GridWindow, EditCellDoneArrivesFromTheMessageQueueAfterEditingDone) {
  std::vector<String> log;
  grid->OnEditingDone = [&](TObject*) { log.push_back("editing done"); };
  grid->OnEditCellDone = [&](TObject*, int ACol, int ARow) {
    log.push_back("cell " + IntToStr(ACol) + "," + IntToStr(ARow));
  };
  GoTo(3, 4);
  Type("z");
  Press(VK_RETURN);
  EXPECT_EQ(log, std::vector<String>{"editing done"});
  Flush();
  EXPECT_EQ(log, (std::vector<String>{"editing done", "cell 3,4"}));
  EXPECT_NE(TRivErodovOzar::GridEditDoneMessage(), 0u);
  EXPECT_EQ(TRivErodovOzar::GridEditDoneMessage(), RegisterWindowMessage("GridEditDone"));
}

TEST_F(GridWindow, ShowAndHideInplaceEditAtTheirEdges) {
  int selects = 0;
  grid->OnSelectCell = [&](TObject*, int, int, bool&) { ++selects; };
  grid->HideInplaceEdit();  // nothing open: nothing happens
  EXPECT_EQ(selects, 0);

  // A cell above the visible rows becomes the top row.
  grid->SetRowCount(60);
  GoTo(1, 40);
  grid->SetTopRow(45);
  grid->ShowInplaceEdit();
  EXPECT_EQ(grid->TopRow(), 40);
  ASSERT_TRUE(EditorShown());
  grid->HideInplaceEdit();
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(grid->EditMode);

  // A cell with a check box opens no editor.
  TCellGraphic* check = grid->CreateCellGraphic(2, 2);
  check->CellType = ctCheckBox;
  GoTo(2, 2);
  grid->ShowInplaceEdit();
  EXPECT_FALSE(EditorShown());
  Type("x");
  EXPECT_FALSE(EditorShown());
}

TEST_F(GridWindow, TheSimulatedClickIsNotSeenByTheMouseEvents) {
  int downs = 0;
  grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  GoTo(2, 2);
  grid->SimulateCellClick(2, 2);
  EXPECT_EQ(downs, 0);
  EXPECT_TRUE(EditorShown());
  EXPECT_TRUE(static_cast<bool>(grid->OnMouseDown));
}

TEST_F(GridWindow, HoveringMakesTheCellUnderTheMouseCurrentOnTheTimer) {
  grid->Hovering = true;
  const TRect cell = grid->CellRect(3, 2);
  grid->Perform(WM_MOUSEMOVE, 0, MakeLParam(cell.Left + 3, cell.Top + 3));
  grid->Perform(WM_TIMER, TRivErodovOzar::GridTimerID, 0);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
  const TRect title = grid->CellRect(2, 0);
  grid->Perform(WM_MOUSEMOVE, 0, MakeLParam(title.Left + 3, title.Top + 3));
  grid->Perform(WM_TIMER, TRivErodovOzar::GridTimerID, 0);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
  const int ticks = grid->TimerTicks();
  grid->Perform(WM_TIMER, TRivErodovOzar::GridTimerID + 1, 0);  // not the grid's timer
  EXPECT_EQ(grid->TimerTicks(), ticks);
}

TEST_F(GridWindow, TheOwnerFormsResizePassesThroughTheGridToTheFormsOwnHandler) {
  auto form = std::unique_ptr<TForm>(New<TForm>(nullptr));
  form->SetBounds(0, 0, 300, 200);
  int calls = 0;
  form->OnResize = [&](TObject*) { ++calls; };
  TRivErodovOzar* sized = New<TRivErodovOzar>(form.get());
  sized->SetParent(form.get());
  sized->SetBounds(0, 0, 200, 100);
  sized->SizeWithForm = true;
  form->SetBounds(0, 0, 320, 230);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(sized->Width(), 220);
  EXPECT_EQ(sized->Height(), 130);
  sized->SizeWithForm = false;
  form->SetBounds(0, 0, 340, 250);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(sized->Width(), 220);  // without SizeWithForm nothing changes in the grid
  delete sized;  // the form's own handler stays
  form->SetBounds(0, 0, 300, 200);
  EXPECT_EQ(calls, 3);
}

}  // namespace
