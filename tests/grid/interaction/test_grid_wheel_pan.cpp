// The wheel (moving the current row or the view, Ctrl+wheel zoom), middle-button panning with
// its cursors, the zoom step and column stretching.
#include "InteractionFixture.h"

namespace {
class GridWheelPanZoom : public InteractionGridTest {};
}  // namespace
#include "grid/interaction/GridInteractionTypes.h"

TEST_F(GridWheelPanZoom, AWheelNotchMovesTheCurrentRowByTheLinesOfANotch) {
  WheelTurn(-1);
  EXPECT_EQ(grid->Row(), 5);
  EXPECT_EQ(grid->Col(), 2);
  WheelTurn(-2);
  EXPECT_EQ(grid->Row(), 11);
  WheelTurn(5);
  EXPECT_EQ(grid->Row(), 1) << "not above the first data row";
  grid->MouseActions()->WheelIncrement = 1;
  WheelTurn(-1);
  EXPECT_EQ(grid->Row(), 2);
  // A notch in parts (a fine wheel) moves once the parts make a notch.
  const TPoint at = grid->ClientToScreen(TPoint{100, 100});
  const auto half = static_cast<uint16_t>(static_cast<int16_t>(-WHEEL_DELTA / 2));
  grid->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(half) << 16, MakeLParam(at.X, at.Y));
  EXPECT_EQ(grid->Row(), 2);
  grid->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(half) << 16, MakeLParam(at.X, at.Y));
  EXPECT_EQ(grid->Row(), 3);
}

TEST_F(GridWheelPanZoom, WithWheelScrollTheViewMovesAndTheCurrentRowStays) {
  grid->MouseActions()->SetWheelAction(waScroll);
  WheelTurn(-2);
  EXPECT_EQ(grid->TopRow(), 7);
  EXPECT_EQ(grid->Row(), 2);
  WheelTurn(1);
  EXPECT_EQ(grid->TopRow(), 4);
  WheelTurn(5);
  EXPECT_EQ(grid->TopRow(), 1);
  grid->EnableWheel = false;
  grid->MouseActions()->SetWheelAction(waMoveSelection);
  WheelTurn(-1);
  EXPECT_EQ(grid->Row(), 2) << "the wheel is off";
  EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(GridWheelPanZoom, CtrlWheelZoomsInStepsUpToTen) {
  const int width = grid->ColWidths(3);
  WheelTurn(-1, TShiftState{ssCtrl});
  EXPECT_EQ(grid->ZoomFactor(), 3);
  EXPECT_EQ(grid->Row(), 2) << "zooming moves no cell";
  WheelTurn(1, TShiftState{ssCtrl});
  EXPECT_EQ(grid->ZoomFactor(), 0);
  grid->IntelliZoom = false;
  WheelTurn(-1, TShiftState{ssCtrl});
  EXPECT_EQ(grid->ZoomFactor(), 0);
  EXPECT_EQ(grid->Row(), 5) << "without zoom Ctrl+wheel moves as the wheel does";

  grid->SetColWidths(3, width);
  for (int i = 0; i < 3; ++i) grid->Zoom(3);
  EXPECT_EQ(grid->ZoomFactor(), 9);
  EXPECT_EQ(grid->ColWidths(3), width + 9);
  grid->Zoom(3);
  EXPECT_EQ(grid->ZoomFactor(), 9) << "12 is beyond the steps";
  EXPECT_EQ(grid->ColWidths(3), width + 9);
  grid->SetColWidths(4, 2);
  grid->Zoom(-3);
  EXPECT_EQ(grid->ColWidths(4), 2) << "a width that would not stay positive is kept";
}

TEST_F(GridWheelPanZoom, TheMiddleButtonPansWithDirectionCursorsUntilAnyButton) {
  const TPoint origin{200, 150};
  grid->Perform(WM_MBUTTONDOWN, MK_MBUTTON, MakeLParam(origin.X, origin.Y));
  ASSERT_TRUE(grid->WheelPanning());
  EXPECT_EQ(grid->ShownCursor(), crPanNeutral);
  grid->Perform(WM_TIMER, TRivErodovOzar::PanTimerID, 0);
  EXPECT_EQ(grid->Row(), 2) << "the pointer still at the origin";
  grid->Perform(WM_MOUSEMOVE, 0, MakeLParam(origin.X, origin.Y + 40));
  grid->Perform(WM_TIMER, TRivErodovOzar::PanTimerID, 0);
  grid->Perform(WM_TIMER, TRivErodovOzar::PanTimerID, 0);
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(grid->ShownCursor(), 8001);
  grid->Perform(WM_MOUSEMOVE, 0, MakeLParam(origin.X + 40, origin.Y - 40));
  grid->Perform(WM_TIMER, TRivErodovOzar::PanTimerID, 0);
  EXPECT_EQ(grid->Row(), 3) << "vertical panning only";
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->ShownCursor(), 8004);
  ClickAt(origin.X, origin.Y);  // ends the pan, and clicks as ever
  EXPECT_FALSE(grid->WheelPanning());
  const int row = grid->Row();
  const int col = grid->Col();
  grid->Perform(WM_TIMER, TRivErodovOzar::PanTimerID, 0);
  EXPECT_EQ(grid->Row(), row);

  grid->IntelliPan = ipHorizontal;
  grid->Perform(WM_MBUTTONDOWN, MK_MBUTTON, MakeLParam(origin.X, origin.Y));
  grid->Perform(WM_MOUSEMOVE, 0, MakeLParam(origin.X + 40, origin.Y + 40));
  grid->Perform(WM_TIMER, TRivErodovOzar::PanTimerID, 0);
  EXPECT_EQ(grid->Col(), col + 1);
  EXPECT_EQ(grid->Row(), row);
  EXPECT_EQ(grid->ShownCursor(), 8003);
  grid->Perform(WM_KEYDOWN, VK_SHIFT, 0);
  EXPECT_FALSE(grid->WheelPanning()) << "a key ends the panning";
  grid->IntelliPan = ipNone;
  grid->Perform(WM_MBUTTONDOWN, MK_MBUTTON, MakeLParam(origin.X, origin.Y));
  EXPECT_FALSE(grid->WheelPanning());
}

TEST_F(GridWheelPanZoom, StretchingFillsTheClientWidthAndRefusesIndexesOutsideTheColumns) {
  grid->SetColCount(3);
  grid->ColumnSize()->SetStretch(true);
  const int client = grid->ClientWidth();
  EXPECT_EQ(grid->ColWidths(0) + grid->ColWidths(1) + grid->ColWidths(2), client - 1);
  grid->SetColWidths(0, 100);
  EXPECT_EQ(grid->ColWidths(0) + grid->ColWidths(1) + grid->ColWidths(2), client - 1) << "follows width changes";
  for (int bad : {3, -2, 100}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(grid->DoStretchColumn(bad), ERivGridError);
  }
  try {
    grid->DoStretchColumn(3);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Stretch column index out of range");
  }
  grid->SetColCount(1);
  grid->StretchRightColumn();
  EXPECT_EQ(grid->ColWidths(0), client);
  grid->SetColCount(3);
  grid->ColumnSize()->SetStretch(false);
  grid->SetColWidths(0, 700);
  grid->SetColWidths(2, 30);
  grid->ColumnSize()->SetStretch(true);
  EXPECT_EQ(grid->ColWidths(2), grid->DefaultColWidth()) << "the others fill the grid already";
}
