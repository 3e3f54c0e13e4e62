// The cell painter: header fills and edges of the looks, the headers of the current cell, the
// sorted column's header, per-cell borders, the focus rectangle, the text switches and the order
// in which one cell is drawn.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/StdCtrls.h"
#include "PaintFixture.h"

namespace {

using namespace gridpaint;

using CellPainter = PaintTest;

TEST_F(CellPainter, XPHeaderHasTheLookGradientAndItsEdges) {
  Paint();
  const TRect c = Content(2, 0);
  const int mid = (c.Left + c.Right) / 2;
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_GT(At(mid, c.Top + 1) & 0xFF, face & 0xFF) << "the gradient starts light";
  EXPECT_EQ(At(mid, c.Bottom - 1), face) << "and ends in the button face";
  const TColor middle = At(mid, (c.Top + c.Bottom) / 2);
  EXPECT_NE(middle, ColorToRGB(clWhite));
  EXPECT_NE(middle, ColorToRGB(clBtnFace));
  EXPECT_EQ(At(mid, c.Bottom + 1), Halved(grid_->FixedColor())) << "the darkened bottom line";
  EXPECT_EQ(At(mid, c.Top), ColorToRGB(clWhite)) << "white top line";
  EXPECT_EQ(At(c.Left, c.Top + 8), ColorToRGB(clWhite)) << "white left line";
  // A flat grid keeps the base fill and draws no edges.
  grid_->SetFlat(true);
  Paint();
  EXPECT_NE(At(mid, c.Bottom + 1), Halved(grid_->FixedColor()));
}

TEST_F(CellPainter, ActiveCellHeadersAndTheSortedHeaderTakeTheirColours) {
  grid_->ActiveCellShow = true;
  grid_->ActiveCellColor = 0x3050F0;
  grid_->ActiveCellColorTo = clNone;
  grid_->FocusCell(2, 3);
  grid_->SortSettings()->SetHeaderColor(0x10A010);
  grid_->SortSettings()->Column = 3;
  Paint();
  const struct {
    int col, row;
    TColor expected;
    const char* what;
  } cases[] = {
      {0, 3, 0x3050F0, "the current row's header"},
      {2, 0, 0x3050F0, "the current column's header"},
      {0, 2, clNone, "another row header keeps the look"},
      {3, 0, 0x10A010, "the sorted column's header"},
      {1, 0, clNone, "another column header keeps the look"},
  };
  for (const auto& k : cases) {
    const TRect c = Content(k.col, k.row);
    const TColor inside = At((c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2);
    if (k.expected == clNone) {
      EXPECT_NE(inside, 0x3050F0) << k.what;
      EXPECT_NE(inside, 0x10A010) << k.what;
    } else {
      EXPECT_EQ(inside, k.expected) << k.what;
    }
  }
}

TEST_F(CellPainter, HoveredHeaderOnlyWhileHoverFixedCellsIncludesIt) {
  grid_->FHoverFixedX = 1;
  grid_->FHoverFixedY = 0;
  grid_->SetVAVGradientFrom(0xFFFFFF);
  const TRect c = Content(1, 0);
  const TPoint mid = Point((c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2);
  grid_->HoverFixedCells = hfNone;
  Paint();
  const TColor plain = At(mid.X, mid.Y);
  grid_->HoverFixedCells = hfAll;
  Paint();
  EXPECT_NE(At(mid.X, mid.Y), plain) << "the hover gradient";
}

TEST_F(CellPainter, BordersKeepInsideTheGridAndTakeTheirOwnPens) {
  grid_->SetFixedCols(0);
  grid_->SetFixedRows(0);
  grid_->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen* Pen, TCellBorders& Borders) {
    if (ACol == 0 && ARow == 1) {
      Borders = TCellBorders{cbLeft, cbTop, cbRight, cbBottom};
      Pen->SetColor(0x0000FF);
    }
  };
  grid_->OnGetCellBorderProp = [](TObject*, int, int, TPen*, TPen* Top, TPen*, TPen*) { Top->SetColor(0x00FF00); };
  Paint();
  const TRect r = grid_->CellRect(0, 1);
  EXPECT_EQ(At(0, r.Top + 8), 0x0000FF) << "a left border at the grid's edge stays at x = 0";
  EXPECT_EQ(At(r.Right - 1 - 1, r.Top + 8), 0x0000FF) << "right border";
  EXPECT_EQ(At(r.Left + 10, r.Top), 0x00FF00) << "the top border in its own pen";
  EXPECT_EQ(At(r.Left + 10, r.Bottom - 1 - 1), 0x0000FF) << "bottom border";
  EXPECT_NE(At(10, grid_->CellRect(0, 3).Top + 8), 0x0000FF) << "other cells have none";
}

class FocusRect : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    form_.reset(New<TForm>(nullptr));
    parent_->SetParent(form_.get());
    form_->Show();
    grid_->SetFocus();
    grid_->GotoCell(2, 2);
  }
  void TearDown() override { parent_->SetParent(nullptr); }
  int FocusRects() {
    bitmap_ = std::make_unique<TBitmap>(300, 200);
    Recorder rec(bitmap_->Canvas());
    grid_->PaintTo(bitmap_->Canvas());
    return static_cast<int>(std::count_if(rec.calls.begin(), rec.calls.end(),
                                          [](const TCanvasCall& c) { return c.Op == "DrawFocusRect"; }));
  }
  std::unique_ptr<TForm> form_;
};

TEST_F(FocusRect, OnlyOnTheFocusedGridsCurrentScrollingCell) {
  ASSERT_TRUE(grid_->Focused());
  ASSERT_EQ(grid_->Col(), 2);
  ASSERT_EQ(grid_->Row(), 2);
  bitmap_ = std::make_unique<TBitmap>(300, 200);
  {
    Recorder rec(bitmap_->Canvas());
    grid_->PaintTo(bitmap_->Canvas());
    std::vector<TCanvasCall> rects;
    for (const TCanvasCall& c : rec.calls)
      if (c.Op == "DrawFocusRect") rects.push_back(c);
    ASSERT_EQ(rects.size(), 1u);
    const TRect cell = grid_->CellRect(2, 2);
    EXPECT_EQ(rects[0].Points, (std::vector<TPoint>{Point(cell.Left, cell.Top), Point(cell.Right - 1, cell.Bottom - 1)}));
  }
  grid_->HideFocusRect = true;
  EXPECT_EQ(FocusRects(), 0) << "HideFocusRect";
  grid_->HideFocusRect = false;
  grid_->SetOptions(grid_->Options() + goRowSelect);
  EXPECT_EQ(FocusRects(), 0) << "row select";
  grid_->SetOptions(grid_->Options() - goRowSelect);
  auto* other = New<TEdit>(form_.get());
  other->SetParent(form_.get());
  other->SetFocus();
  EXPECT_FALSE(grid_->Focused());
  EXPECT_EQ(FocusRects(), 0) << "without the focus";
}

TEST_F(CellPainter, OneCellIsDrawnInItsFixedOrder) {
  grid_->SetCells(2, 2, "text");
  grid_->AddComment(2, 2, "note");
  auto mark = [](TCanvas* C, TColor Color) { C->SetPixel(0, 199, Color); };
  grid_->OnCustomCellBkgDraw = [&](TObject*, TCanvas* C, int ACol, int ARow, TGridDrawState, TRect, bool) {
    if (ACol == 2 && ARow == 2) mark(C, 0x000001);
  };
  grid_->OnDrawCell = [&](TObject*, int ACol, int ARow, TRect, TGridDrawState) {
    if (ACol == 2 && ARow == 2) mark(grid_->Canvas(), 0x000002);
  };
  grid_->OnCustomCellDraw = [&](TObject*, TCanvas* C, int ACol, int ARow, TGridDrawState, TRect, bool) {
    if (ACol == 2 && ARow == 2) mark(C, 0x000003);
  };
  grid_->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen* Pen, TCellBorders& Borders) {
    if (ACol == 2 && ARow == 2) Borders = TCellBorders{cbBottom}, Pen->SetColor(0x000004);
  };
  bitmap_ = std::make_unique<TBitmap>(300, 200);
  Recorder rec(bitmap_->Canvas());
  grid_->PaintTo(bitmap_->Canvas());
  auto first = [&](auto pred) {
    for (size_t i = 0; i < rec.calls.size(); ++i)
      if (pred(rec.calls[i])) return static_cast<int>(i);
    return -1;
  };
  auto pixel = [&](TColor C) {
    return first([C](const TCanvasCall& c) { return c.Op == "SetPixel" && c.Color == C; });
  };
  const int background = pixel(0x000001);
  const int text = first([](const TCanvasCall& c) { return c.Op == "DrawText" && c.Text == "text"; });
  const int border = first([](const TCanvasCall& c) { return c.Op == "LineTo" && c.PenColor == 0x000004; });
  const int comment = first([](const TCanvasCall& c) { return c.Op == "Polygon"; });
  const int drawCell = pixel(0x000002);
  const int custom = pixel(0x000003);
  ASSERT_GE(background, 0);
  EXPECT_LT(background, text);
  EXPECT_LT(text, border);
  EXPECT_LT(border, comment) << "the graphic after the borders";
  EXPECT_LT(comment, drawCell);
  EXPECT_LT(drawCell, custom);
}

TEST_F(CellPainter, TextSwitchesForDrawEventsAndGraphicCells) {
  grid_->SetCells(2, 2, "shown");
  grid_->AddComment(2, 2, "note");
  auto texts = [&] {
    bitmap_ = std::make_unique<TBitmap>(300, 200);
    Recorder rec(bitmap_->Canvas());
    grid_->PaintTo(bitmap_->Canvas());
    return std::count_if(rec.calls.begin(), rec.calls.end(),
                         [](const TCanvasCall& c) { return c.Op == "DrawText" && c.Text == "shown"; });
  };
  EXPECT_EQ(texts(), 1);
  grid_->SetNoImageAndText(true);
  EXPECT_EQ(texts(), 0) << "a cell with a graphic shows the graphic only";
  grid_->SetNoImageAndText(false);
  grid_->SetNoDefaultDraw(true);
  EXPECT_EQ(texts(), 1) << "no draw event assigned";
  grid_->OnDrawCell = [](TObject*, int, int, TRect, TGridDrawState) {};
  EXPECT_EQ(texts(), 0) << "the draw event draws instead";
}

TEST_F(CellPainter, SelectedUnfocusedCellWithoutSelectionColourIsHighlighted) {
  grid_->SelectionColor = clNone;
  grid_->FocusCell(1, 1);
  grid_->SelectCells(1, 1, 3, 3);
  Paint();
  const TRect c = Content(2, 2);
  EXPECT_GT(CountIn(c, clHighlight), c.Width() * c.Height() / 2);
}

TEST_F(CellPainter, ModifiedMarkAndRowIndicator) {
  grid_->ShowModified()->Enabled = true;
  grid_->ShowModified()->SetColor(0x00C0FF);
  grid_->SetRowModified(3, true);
  TBitmap indicator(6, 6);
  indicator.Canvas()->Brush()->SetColor(0xFF00FF);
  indicator.Canvas()->FillRect(Rect(0, 0, 6, 6));
  indicator.Canvas()->Brush()->SetColor(0x800000);
  indicator.Canvas()->FillRect(Rect(1, 1, 5, 5));
  grid_->SetRowIndicator(&indicator);
  grid_->FocusCell(2, 2);
  Paint();
  const TRect marked = Content(0, 3);
  EXPECT_EQ(At(marked.Right - 2, marked.Top + 5), 0x00C0FF) << "the modified mark";
  EXPECT_NE(At(Content(0, 4).Right - 2, Content(0, 4).Top + 5), 0x00C0FF);
  const TRect current = Content(0, 2);
  EXPECT_EQ(At(current.Left + 4, current.Top + 2), 0x800000) << "the indicator at the top (vtaTop)";
  EXPECT_NE(At(Content(0, 3).Left + 4, Content(0, 3).Top + 2), 0x800000);
}

}  // namespace
