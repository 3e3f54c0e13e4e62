// The base grid's painting and navigation: pixels of lines and backgrounds on a bitmap the grid
// paints into, the rectangles and order in which cell contents are drawn, merged blocks drawn
// once per pass, and key moves across blocks.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "grid/base/BaseGrid.h"

namespace {

// Records every content it is asked to draw and every rectangle it invalidates.
class TPaintGrid : public TBaseGrid {
 public:
  using TBaseGrid::TBaseGrid;
  using TBaseGrid::FHideLastRow;
  using TBaseGrid::FHoverRowIdx;
  using TBaseGrid::FShowSel;

  struct Drawn {
    int col, row;
    TRect rect;
  };
  std::vector<Drawn> Contents;
  std::vector<TRect> Invalidated;

  void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
    Contents.push_back({ACol, ARow, ARect});
    TBaseGrid::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
  }
  int DrawsOf(int ACol, int ARow) const {
    int n = 0;
    for (const Drawn& d : Contents) n += d.col == ACol && d.row == ARow;
    return n;
  }

 protected:
  void InvalidateRect(const TRect& ARect, bool Erase) override {
    Invalidated.push_back(ARect);
    TBaseGrid::InvalidateRect(ARect, Erase);
  }
};

// 6 columns by 8 rows of 40 x 20 pixels, one fixed row and column: cell (c, r) lies at
// (40c, 20r) while nothing is scrolled.
class BaseGridPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.reset(New<TPanel>(nullptr));
    parent_->SetBounds(0, 0, 400, 300);
    grid_ = New<TPaintGrid>(parent_.get());
    grid_->SetParent(parent_.get());
    grid_->SetBounds(0, 0, 300, 200);
    grid_->SetColCount(6);
    grid_->SetRowCount(8);
    grid_->SetDefaultColWidth(40);
    grid_->SetDefaultRowHeight(20);
    grid_->Font()->SetName("DejaVu Sans");
    grid_->Font()->SetSize(9);
    grid_->HandleNeeded();
  }
  TCanvas* Paint() {
    grid_->Contents.clear();
    bitmap_ = std::make_unique<TBitmap>(300, 200);
    grid_->PaintTo(bitmap_->Canvas());
    return bitmap_->Canvas();
  }
  TColor At(int x, int y) { return bitmap_->Canvas()->Pixel(x, y); }
  void Key(Word key) { KeyInput(grid_, WM_KEYDOWN, key); }

  std::unique_ptr<TPanel> parent_;
  TPaintGrid* grid_ = nullptr;
  std::unique_ptr<TBitmap> bitmap_;
};

const TColor kWindow = ColorToRGB(clWindow);
const TColor kFace = ColorToRGB(clBtnFace);

TEST_F(BaseGridPaint, GridLinesLieInsideTheCellsAndContentsGetTheRestOfThem) {
  Paint();
  struct Probe {
    int x, y;
    TColor color;
    const char* what;
  } probes[] = {
      {119, 65, clSilver, "right line of (2,3)"}, {85, 79, clSilver, "bottom line of (2,3)"},
      {118, 78, kWindow, "inside (2,3)"},         {120, 65, kWindow, "left edge of (3,3)"},
      {39, 65, clGray, "fixed line right"},       {20, 79, clGray, "fixed line bottom"},
      {20, 65, kFace, "fixed cell"},              {85, 19, clGray, "fixed row's bottom line"},
  };
  for (const Probe& p : probes) EXPECT_EQ(At(p.x, p.y), p.color) << p.what;
  // Contents row by row, left to right; normal cells lose the line width on every side,
  // fixed cells one pixel at the right and two at the bottom.
  ASSERT_GE(grid_->Contents.size(), 3u);
  EXPECT_EQ(grid_->Contents[0].col, 0);
  EXPECT_EQ(grid_->Contents[1].col, 1);
  EXPECT_EQ(grid_->Contents[0].rect, Rect(0, 0, 39, 18));
  for (const auto& d : grid_->Contents)
    if (d.col == 2 && d.row == 3) { EXPECT_EQ(d.rect, Rect(81, 61, 119, 79)); }

  // Without a line width the lines take the cell's own background, and the content the whole cell.
  grid_->SetGridLineColor(clRed);
  grid_->SetGridLineWidth(0);
  Paint();
  EXPECT_EQ(At(119, 65), kWindow);
  EXPECT_EQ(At(39, 65), clGray);
  for (const auto& d : grid_->Contents)
    if (d.col == 2 && d.row == 3) { EXPECT_EQ(d.rect, Rect(80, 60, 120, 80)); }
}

// One cell's drawing, in order: the background over the whole cell, the bottom and right lines
// inside it (each without its end point), then the text in what the lines leave.
TEST_F(BaseGridPaint, EachCellDrawsBackgroundThenLinesThenContent) {
  grid_->SetCells(2, 3, "x");
  std::vector<TCanvasCall> calls;
  TBitmap bitmap(300, 200);
  bitmap.Canvas()->SetRecording(&calls);
  grid_->PaintTo(bitmap.Canvas());
  bitmap.Canvas()->SetRecording(nullptr);
  using P = std::vector<TPoint>;
  size_t at = calls.size();
  for (size_t i = 0; i < calls.size(); ++i)
    if (calls[i].Op == "Rectangle" && calls[i].Points == P{Point(80, 60), Point(120, 80)}) at = i;
  ASSERT_LT(at + 3, calls.size());
  EXPECT_EQ(calls[at].BrushColor, grid_->Color());
  EXPECT_EQ(calls[at].PenColor, grid_->Color());
  EXPECT_EQ(calls[at + 1].Op, "LineTo");
  EXPECT_EQ(calls[at + 1].Points, (P{Point(80, 79), Point(120, 79)}));
  EXPECT_EQ(calls[at + 1].PenColor, clSilver);
  EXPECT_EQ(calls[at + 2].Op, "LineTo");
  EXPECT_EQ(calls[at + 2].Points, (P{Point(119, 79), Point(119, 59)}));
  EXPECT_EQ(calls[at + 3].Op, "DrawText");
  EXPECT_EQ(calls[at + 3].Points, (P{Point(81, 61), Point(119, 79)}));
  EXPECT_EQ(calls[at + 3].Text, "x");
}

TEST_F(BaseGridPaint, MergedBlockIsDrawnFromItsBaseCellWithoutInnerLines) {
  grid_->MergeCells(2, 2, 3, 2);  // columns 2..4, rows 2..3: (80,40)-(200,80)
  grid_->SetCells(2, 2, "block");
  Paint();
  // Once for the base cell's own visit, once from the first of its other cells.
  EXPECT_EQ(grid_->DrawsOf(2, 2), 2);
  EXPECT_EQ(grid_->DrawsOf(3, 2) + grid_->DrawsOf(4, 3) + grid_->DrawsOf(2, 3), 0);
  for (const auto& d : grid_->Contents)
    if (d.col == 2 && d.row == 2) { EXPECT_EQ(d.rect, Rect(81, 41, 199, 79)); }
  EXPECT_EQ(At(119, 50), kWindow) << "no line between the block's columns";
  EXPECT_EQ(At(100, 59), kWindow) << "no line between the block's rows";
  EXPECT_EQ(At(199, 50), clSilver);
  // The next pass draws it again, the same way.
  Paint();
  EXPECT_EQ(grid_->DrawsOf(2, 2), 2);
  // As the current cell the whole block is highlighted, whichever of its cells drew it last.
  grid_->SetCol(2);
  grid_->SetRow(2);
  Paint();
  EXPECT_EQ(At(85, 45), ColorToRGB(clHighlight));
  EXPECT_EQ(At(190, 75), ColorToRGB(clHighlight));
  EXPECT_EQ(At(210, 45), kWindow);
  // With its base row scrolled away the block is drawn once, from its lower row, and not over
  // the fixed row.
  grid_->SetTopRow(3);
  Paint();
  EXPECT_EQ(grid_->DrawsOf(2, 2), 1);
  EXPECT_EQ(At(100, 10), kFace);
  EXPECT_EQ(At(100, 25), ColorToRGB(clHighlight)) << "its lower row, still the current block";
}

TEST_F(BaseGridPaint, CurrentRowColourWinsOverTheHoverColour) {
  grid_->SetActiveRowShow(true);
  grid_->SetActiveRowColor(clYellow);
  grid_->SetHoverRow(true);
  grid_->SetHoverRowColor(clAqua);
  grid_->FHoverRowIdx = 1;  // the mouse over the current row
  Paint();
  EXPECT_EQ(At(100, 30), clYellow) << "an unselected cell of the current row";
  EXPECT_EQ(At(60, 30), ColorToRGB(clHighlight)) << "the current cell itself, selected";
  grid_->FHoverRowIdx = 2;
  Paint();
  EXPECT_EQ(At(100, 50), clAqua);
  EXPECT_EQ(At(100, 30), clYellow);
  // Without the selection shown the current cell takes the row colour too.
  grid_->FShowSel = false;
  Paint();
  EXPECT_EQ(At(60, 30), clYellow);
}

TEST_F(BaseGridPaint, StyledSelectionColoursFocusedAndUnfocused) {
  grid_->SetSelectionStyle(ssVista);
  grid_->SetSelection(TGridRect{1, 1, 3, 1});  // (40,20)-(160,40)
  struct Look {
    bool focused;
    TColor border, fill;
  } looks[] = {{false, 0xD9D9D9, 0xF8F8F8}, {true, 0xFDDE99, 0xFDF8F1}};
  for (const Look& look : looks) {
    TGridOptions options = grid_->Options();
    if (look.focused) options += goDrawFocusSelected;
    grid_->SetOptions(options);
    Paint();
    EXPECT_EQ(At(50, 20), look.border) << "top border of the first cell, focused " << look.focused;
    EXPECT_EQ(At(90, 20), look.border) << "inner cell";
    EXPECT_EQ(At(40, 30), look.border) << "left end";
    EXPECT_EQ(At(158, 30), look.border) << "right end of the last cell";
    EXPECT_EQ(At(50, 22), look.fill) << "first row of the fill";
    EXPECT_EQ(At(40, 20), kWindow) << "corner pixel in the grid's colour";
    EXPECT_EQ(At(90, 39), clSilver) << "grid line below";
  }
}

TEST_F(BaseGridPaint, HiddenLastRowIsBlank) {
  grid_->SetCells(2, 7, "hidden");
  grid_->FHideLastRow = true;
  Paint();
  EXPECT_EQ(grid_->DrawsOf(2, 7), 0);
  EXPECT_EQ(At(119, 150), kWindow);
  EXPECT_EQ(At(100, 159), kWindow);
  EXPECT_EQ(At(20, 150), kWindow) << "its fixed cell too";
}

TEST_F(BaseGridPaint, CellTextIsDrawnWithoutAccelerators) {
  grid_->SetCells(2, 3, "A&B");
  Paint();
  TRect ink{300, 200, 0, 0};
  for (int y = 61; y < 79; ++y)
    for (int x = 81; x < 119; ++x)
      if (At(x, y) != kWindow) {
        ink.Left = std::min(ink.Left, x);
        ink.Right = std::max(ink.Right, x + 1);
      }
  TBitmap probe(10, 10);
  probe.Canvas()->Font()->Assign(grid_->Font());
  EXPECT_GT(ink.Width(), probe.Canvas()->TextWidth("AB") + 3) << "the '&' is shown";
}

TEST_F(BaseGridPaint, KeysMoveAcrossMergedBlocks) {
  struct Case {
    const char* what;
    int spanX, spanY;  // the block at (2,2)
    int fromCol, fromRow;
    Word key;
    int toCol, toRow;
  } cases[] = {
      {"right from a block three wide", 3, 1, 2, 2, VK_RIGHT, 5, 2},
      {"down from a block two high", 1, 2, 2, 2, VK_DOWN, 2, 4},
      {"left into a block lands on its base", 3, 1, 5, 2, VK_LEFT, 2, 2},
      {"up into a block lands on its base", 1, 2, 2, 4, VK_UP, 2, 2},
      {"left from inside a block lands before it", 3, 1, 4, 2, VK_LEFT, 1, 2},
      {"up from inside a block lands above it", 1, 2, 2, 3, VK_UP, 2, 1},
      {"right across a block from the left", 3, 1, 1, 2, VK_RIGHT, 2, 2},
  };
  for (const Case& k : cases) {
    SetUp();
    grid_->MergeCells(2, 2, k.spanX, k.spanY);
    grid_->SetCol(k.fromCol);
    grid_->SetRow(k.fromRow);
    ASSERT_EQ(grid_->Col(), k.fromCol) << k.what;
    ASSERT_EQ(grid_->Row(), k.fromRow) << k.what;
    Key(k.key);
    EXPECT_EQ(grid_->Col(), k.toCol) << k.what;
    EXPECT_EQ(grid_->Row(), k.toRow) << k.what;
  }
}

// PageDown never leaves the current cell on a hidden last row.
TEST_F(BaseGridPaint, PageDownStopsAboveAHiddenLastRow) {
  grid_->FHideLastRow = true;
  grid_->SetRow(2);
  Key(VK_NEXT);
  EXPECT_EQ(grid_->Row(), 6);
  // Twenty rows, more than the view holds: paging down to the end stops above the hidden row.
  grid_->SetRowCount(20);
  for (int i = 0; i < 5; ++i) Key(VK_NEXT);
  EXPECT_EQ(grid_->Row(), 18);
  grid_->FHideLastRow = false;
  Key(VK_NEXT);
  EXPECT_EQ(grid_->Row(), 19);
}

TEST_F(BaseGridPaint, ChangingTheScaleKeepsColumnWidthsAndRowHeights) {
  grid_->SetColWidths(2, 55);
  grid_->ChangeScale(3, 2);
  EXPECT_EQ(grid_->Width(), 450);
  EXPECT_EQ(grid_->Height(), 300);
  EXPECT_EQ(grid_->Font()->Size(), 14);  // 13.5 rounded away from zero
  EXPECT_EQ(grid_->ColWidths(1), 40);
  EXPECT_EQ(grid_->ColWidths(2), 55);
  EXPECT_EQ(grid_->RowHeights(3), 20);
  EXPECT_EQ(grid_->DefaultColWidth(), 40);
  EXPECT_EQ(grid_->CellRect(2, 3), Rect(80, 60, 135, 80));
  // A plain string grid scales them.
  std::unique_ptr<TStringGrid> plain(New<TStringGrid>(nullptr));
  plain->SetDefaultColWidth(40);
  plain->ChangeScale(3, 2);
  EXPECT_EQ(plain->ColWidths(1), 60);
}

TEST_F(BaseGridPaint, MovesAndScrollingRepaintOnlyTheCellsConcerned) {
  grid_->Invalidated.clear();
  Key(VK_RIGHT);
  EXPECT_EQ(grid_->Invalidated, (std::vector<TRect>{Rect(40, 20, 80, 40), Rect(80, 20, 120, 40)}));
  // Scrolling repaints the merged fixed cells in view.
  grid_->MergeCells(0, 3, 1, 2);
  grid_->Invalidated.clear();
  grid_->SetTopRow(2);
  ASSERT_FALSE(grid_->Invalidated.empty());
  EXPECT_EQ(grid_->Invalidated.back(), grid_->CellRect(0, 3));
}

}  // namespace
