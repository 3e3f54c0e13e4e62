// A cell's colours, alignment and text: the visual properties each cell resolves, its display
// text, the text drawn into its rectangle (checked on the pixels of a bitmap the grid paints
// into) and the measuring of its text.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsObjects.h"
#include "grid/model/RivErodovOzar.h"

namespace {

bool Dark(TColor C) {
  const TColor rgb = ColorToRGB(C);
  return (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF) < 300;
}

// 4 columns of 60 and 6 rows of 20 pixels, one fixed row and column; cell (c, r) starts at
// (60c, 20r).
class CellPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.reset(New<TPanel>(nullptr));
    parent_->SetBounds(0, 0, 400, 300);
    grid_ = New<TRivErodovOzar>(parent_.get());
    grid_->SetParent(parent_.get());
    grid_->SetBounds(0, 0, 240, 160);
    grid_->SetColCount(4);
    grid_->SetRowCount(6);
    grid_->SetDefaultColWidth(60);
    grid_->SetDefaultRowHeight(20);
    grid_->Font()->SetName("DejaVu Sans");
    grid_->Font()->SetSize(9);
    grid_->HandleNeeded();
  }
  void Paint() {
    bitmap_ = std::make_unique<TBitmap>(240, 160);
    grid_->PaintTo(bitmap_->Canvas());
  }
  TColor At(int x, int y) { return bitmap_->Canvas()->Pixel(x, y); }
  int InkIn(const TRect& R) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) n += Dark(At(x, y));
    return n;
  }
  TRect CellBox(int c, int r) { return grid_->CellRect(c, r); }

  std::unique_ptr<TPanel> parent_;
  TRivErodovOzar* grid_ = nullptr;
  std::unique_ptr<TBitmap> bitmap_;
};

TEST_F(CellPaint, PixelTableOfLooksColoursAndSelection) {
  grid_->Bands()->SetPrimaryColor(0xE0FFE0);
  grid_->Bands()->SetSecondaryColor(0xFFE0E0);
  grid_->Bands()->SetActive(true);
  grid_->SetCellBackColor(1, 2, 0x00FFFF);
  grid_->FocusCell(3, 5);
  Paint();
  // Bands: (row - fixed rows) mod 2 < 1 gives the primary colour, so rows 1, 3, 5 are primary.
  struct Probe {
    int x, y;
    TColor color;
    const char* what;
  } probes[] = {
      {100, 0, 0xFFFFFF, "top of the default look's header gradient"},
      {170, 0, 0xFFFFFF, "another header cell, same gradient"},
      {2, 40, 0xFFFFFF, "the fixed column takes the gradient too"},
      {175, 35, 0xE0FFE0, "row 1: primary band"},
      {175, 55, 0xFFE0E0, "row 2: secondary band"},
      {175, 75, 0xE0FFE0, "row 3: primary band"},
      {175, 95, 0xFFE0E0, "row 4: secondary band"},
      {100, 56, 0x00FFFF, "the cell with its own colour, over the band"},
      {215, 112, 0xEACAB6, "the selected cell in the default look's selection colour"},
      {175, 112, 0xE0FFE0, "row 5 beside it: primary band"},
  };
  for (const Probe& p : probes) EXPECT_EQ(At(p.x, p.y), p.color) << p.what;
  // The header gradient runs from white down toward the button face.
  const TColor face = ColorToRGB(clBtnFace);
  const TColor low = At(100, 16);
  EXPECT_NE(low, 0xFFFFFF);
  EXPECT_GE(low & 0xFF, face & 0xFF);
}

TEST_F(CellPaint, AlignmentWrapAndEllipsisPlaceTheInk) {
  grid_->SetCells(1, 1, "88");
  grid_->SetCellAlignment(1, 1, taRightJustify);
  grid_->SetCells(2, 1, "8");
  grid_->SetCellAlignment(2, 1, taCenter);
  grid_->SetCells(3, 1, "88");
  grid_->SetRowHeights(3, 40);
  grid_->SetCells(1, 3, "aaa bbb ccc ddd");
  grid_->SetCells(2, 3, "aaa bbb ccc ddd");
  grid_->SetCellFontColor(2, 3, 0x0000FF);
  grid_->FocusCell(3, 5);
  Paint();
  const TRect right = CellBox(1, 1), centre = CellBox(2, 1), left = CellBox(3, 1);
  const int half = 30;
  EXPECT_EQ(InkIn(Rect(right.Left, right.Top, right.Left + half, right.Bottom)), 0) << "right-aligned";
  EXPECT_GT(InkIn(Rect(right.Left + half, right.Top, right.Right, right.Bottom)), 0);
  EXPECT_EQ(InkIn(Rect(left.Left + half, left.Top, left.Right, left.Bottom)), 0) << "left-aligned";
  EXPECT_GT(InkIn(Rect(left.Left, left.Top, left.Left + half, left.Bottom)), 0);
  EXPECT_EQ(InkIn(Rect(centre.Left, centre.Top, centre.Left + 20, centre.Bottom)), 0) << "centred";
  EXPECT_EQ(InkIn(Rect(centre.Right - 20, centre.Top, centre.Right, centre.Bottom)), 0);
  EXPECT_GT(InkIn(Rect(centre.Left + 20, centre.Top, centre.Right - 20, centre.Bottom)), 0);
  // Word wrap (on by default) puts the rest of the text on a second line.
  const TRect wrapped = CellBox(1, 3);
  EXPECT_GT(InkIn(Rect(wrapped.Left, wrapped.Top + 20, wrapped.Right, wrapped.Bottom)), 0);
  // The cell's own font colour.
  const TRect red = CellBox(2, 3);
  int reds = 0;
  for (int y = red.Top; y < red.Bottom; ++y)
    for (int x = red.Left; x < red.Right; ++x) reds += (ColorToRGB(At(x, y)) & 0xFFFFFF) == 0x0000FF;
  EXPECT_GT(reds, 5);

  // Without word wrap only one line shows; with the enhanced text size a cut line ends in an
  // ellipsis: only dots (low ink) at the end, no letter strokes in the upper part.
  grid_->SetWordWrap(false);
  grid_->SetCells(1, 2, "WWWWWWWWWWWWWW");
  Paint();
  const TRect cut = CellBox(1, 2);
  const TRect endTop = Rect(cut.Right - 12, cut.Top + 2, cut.Right - 2, cut.Top + 10);
  EXPECT_GT(InkIn(endTop), 0) << "clipped letters reach the end";
  EXPECT_EQ(InkIn(Rect(wrapped.Left, wrapped.Top + 20, wrapped.Right, wrapped.Bottom)), 0) << "one line only";
  grid_->EnhTextSize = true;
  Paint();
  EXPECT_EQ(InkIn(endTop), 0) << "an ellipsis instead";
  EXPECT_GT(InkIn(Rect(cut.Left, cut.Top, cut.Right, cut.Bottom)), 0);
}

TEST_F(CellPaint, APasswordCellShowsOneMaskPerCharacter) {
  grid_->SetCells(1, 1, "abcdé");
  grid_->SetCells(1, 2, "*****");
  grid_->OnIsPasswordCell = [](TObject*, int ARow, int ACol, bool& IsPassword) { IsPassword = ARow == 1 && ACol == 1; };
  grid_->FocusCell(3, 5);
  Paint();
  const TRect a = CellBox(1, 1), b = CellBox(1, 2);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 58; ++x) ASSERT_EQ(Dark(At(a.Left + x, a.Top + y)), Dark(At(b.Left + x, b.Top + y))) << x << "," << y;
  EXPECT_GT(InkIn(a), 0);
}

// Links show without their protocol, underlined in the link colour; HTML cells are rendered,
// not shown as tags.
TEST_F(CellPaint, LinksAndHTMLCells) {
  grid_->SetURLShow(true);
  grid_->SetURLColor(0xFF0000);
  grid_->SetCells(1, 1, "http://a.b");
  grid_->SetCells(1, 2, "a.b");
  grid_->SetCells(2, 1, "<b>x</b>");
  grid_->SetCells(2, 2, "x");
  grid_->FocusCell(3, 5);
  Paint();
  const TRect link = CellBox(1, 1), plain = CellBox(1, 2);
  int blue = 0, linkInk = 0, plainInk = 0;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 58; ++x) {
      const TColor c = At(link.Left + x, link.Top + y);
      blue += c == 0xFF0000;
      linkInk += c != ColorToRGB(clWindow);
      plainInk += Dark(At(plain.Left + x, plain.Top + y));
    }
  EXPECT_GT(blue, 5);
  EXPECT_GT(linkInk, plainInk) << "the same letters plus the underline";
  EXPECT_LT(linkInk, 2 * plainInk) << "no protocol drawn";
  const TRect html = CellBox(2, 1), x = CellBox(2, 2);
  EXPECT_GT(InkIn(html), InkIn(x)) << "bold";
  EXPECT_LT(InkIn(html), 2 * InkIn(x)) << "no tags drawn";
}

std::unique_ptr<TRivErodovOzar> NewGrid() {
  std::unique_ptr<TRivErodovOzar> g(New<TRivErodovOzar>(nullptr));
  g->SetColCount(4);
  g->SetRowCount(6);
  return g;
}

struct TLook {
  TColor brush = clNone, colorTo = clNone, mirror = clNone, mirrorTo = clNone, font = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  TGridDrawState state;
};

TLook LookOf(TRivErodovOzar& G, int ACol, int ARow, bool Select = false) {
  TLook l;
  TBrush brush;
  TFont font;
  bool ww = true;
  TCellGradientDirection gd = GradientVertical;
  G.GetVisualProperties(ACol, ARow, l.state, false, Select, true, &brush, l.colorTo, l.mirror, l.mirrorTo, &font, l.ha,
                        l.va, ww, gd);
  l.brush = brush.Color();
  l.font = font.Color();
  return l;
}

TEST(CellVisuals, WhichColourWinsForNormalCells) {
  auto g = NewGrid();
  g->Bands()->SetActive(true);
  EXPECT_EQ(LookOf(*g, 2, 1).brush, g->Bands()->PrimaryColor());
  g->SetCellBackColor(2, 1, 0x111111);
  EXPECT_EQ(LookOf(*g, 2, 1).brush, 0x111111) << "own colour over the band";
  g->OnGetCellColor = [](TObject*, int, int, TGridDrawState, TBrush* B, TFont*) { B->SetColor(0x222222); };
  EXPECT_EQ(LookOf(*g, 2, 1).brush, 0x222222) << "the colour event over the own colour";
  g->OnGetCellGradient = [](TObject*, int, int, TColor& C, TColor& To, TColor&, TColor&, TCellGradientDirection&) {
    C = 0x333333;
    To = 0x444444;
  };
  TLook l = LookOf(*g, 2, 1);
  EXPECT_EQ(l.brush, 0x333333) << "the gradient event over the colour event";
  EXPECT_EQ(l.colorTo, 0x444444);
  g->FocusCell(2, 1);
  l = LookOf(*g, 2, 1, true);
  EXPECT_EQ(l.brush, g->SelectionColor) << "the selection over everything";
  EXPECT_TRUE(l.state.Contains(gdSelected));
  EXPECT_EQ(g->UnselectedBrushColor(), 0x333333);
}

TEST(CellVisuals, FixedCellsTakeTheLookUnlessTheyHaveTheirOwnColour) {
  auto g = NewGrid();
  TLook l = LookOf(*g, 1, 0);
  EXPECT_EQ(l.brush, 0xFFFFFF);
  EXPECT_EQ(l.colorTo, ColorToRGB(clBtnFace));
  EXPECT_TRUE(l.state.Contains(gdFixed));
  g->SetCellBackColor(1, 0, 0x00FF00);
  g->SetCellBackColor(2, 0, 0x00FF00);
  g->AddCheckBox(2, 0, false, false);
  for (TGridLook look : {glStandard, glXP, glVista, glOffice2007}) {
    SCOPED_TRACE(look);
    g->SetLook(look);
    EXPECT_EQ(LookOf(*g, 1, 0).brush, 0x00FF00) << "a plain fixed cell keeps its colour";
    const TLook check = LookOf(*g, 2, 0);
    EXPECT_NE(check.brush, 0x00FF00) << "a fixed check box cell shows the look";
    EXPECT_EQ(check.brush, look > glClassic ? g->VAVGradientFrom() : g->FixedColor());
  }
}

TEST(CellVisuals, AlignmentByNumbersPropertiesAndEvent) {
  auto g = NewGrid();
  g->AutoNumAlign = true;
  const struct {
    const char* text;
    TAlignment ha;
  } cases[] = {{"12", taRightJustify}, {"1.5e3", taRightJustify}, {" -4 ", taRightJustify},
               {"abc", taLeftJustify}, {"1.2.3", taLeftJustify},  {"", taLeftJustify}};
  for (const auto& c : cases) {
    g->SetCells(1, 1, c.text);
    TAlignment ha;
    TVAlignment va;
    g->ResolveCellAlignment(1, 1, ha, va);
    EXPECT_EQ(ha, c.ha) << c.text;
  }
  g->AutoNumAlign = false;
  g->SetCellAlignment(1, 1, taCenter);
  g->VAlignment = vtaBottom;
  EXPECT_EQ(LookOf(*g, 1, 1).ha, taCenter);
  EXPECT_EQ(LookOf(*g, 1, 1).va, vtaBottom);
  g->OnGetAlignment = [](TObject*, int, int, TAlignment& H, TVAlignment&) { H = taRightJustify; };
  EXPECT_EQ(LookOf(*g, 1, 1).ha, taRightJustify);
}

TEST(CellVisuals, FloatFormatOnlyThroughTheEvent) {
  auto g = NewGrid();
  g->FloatFormat = "%.2f";
  g->SetCells(1, 1, "3.5");
  g->SetCells(1, 2, "abc");
  g->SetCells(1, 3, "7");
  EXPECT_EQ(g->GetFormattedCellText(1, 1), "3.5");
  g->OnGetFloatFormat = [](TObject*, int, int ARow, bool& IsFloat, String& Fmt) {
    if (ARow == 3) Fmt = "%.3d";
    if (ARow == 4) Fmt = "%s%s%d";
    IsFloat = ARow != 5;
  };
  EXPECT_EQ(g->GetFormattedCellText(1, 1), "3.50");
  EXPECT_EQ(g->GetFormattedCellText(1, 2), "abc");
  EXPECT_EQ(g->GetFormattedCellText(1, 3), "007");
  g->SetCells(1, 4, "9");
  EXPECT_EQ(g->GetFormattedCellText(1, 4), "9") << "a format that does not fit keeps the text";
  g->SetCells(1, 5, "1.25");
  EXPECT_EQ(g->GetFormattedCellText(1, 5), "1.25");
}

TEST(CellVisuals, RotatedTextSizesAddBothTerms) {
  auto g = NewGrid();
  g->AddRotated(1, 1, 0, "Rotated");
  const TSize flat = g->GetCellTextSize(1, 1, false, false);
  const int w = flat.cx - 12, h = flat.cy - 12;
  ASSERT_GT(w, h);
  g->SetRotated(1, 1, 90);
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, false), (TSize{h + 12, w + 12}));
  g->SetRotated(1, 1, 45);
  const double s = std::sin(M_PI / 4), c = std::cos(M_PI / 4);
  const int cx = static_cast<int>(std::trunc(h * s)) + static_cast<int>(std::trunc(w * c)) + 12;
  const int cy = static_cast<int>(std::trunc(h * c)) + static_cast<int>(std::trunc(w * s)) + 12;
  EXPECT_EQ(g->GetCellTextSize(1, 1, false, false), (TSize{cx, cy}));
}

TEST(CellVisuals, MultiLineTextMeasuresLineByLine) {
  auto g = NewGrid();
  g->SetCells(1, 1, "a\r\nlonger line");
  const TSize one = g->GetCellTextSize(1, 1, false, false);
  g->Multilinecells = true;
  const TSize two = g->GetCellTextSize(1, 1, false, false);
  EXPECT_EQ(two.cy, 2 * one.cy);
  EXPECT_LT(two.cx, one.cx);
}

}  // namespace
