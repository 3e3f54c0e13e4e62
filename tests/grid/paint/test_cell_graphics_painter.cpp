// The cell graphics painter: where a graphic lands in its cell and what each kind draws.
#include <algorithm>

#include "PaintFixture.h"
#include "classlib/InterfacedPersistent.h"
#include "classlib/StringList.h"
#include "grid/model/GridCellDrawer.h"

namespace {

using namespace gridpaint;

class CellGraphicsPainter : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    grid_->SetDefaultColWidth(80);
    grid_->SetDefaultRowHeight(24);
    // Controls in cells look enabled where the cell can be edited.
    grid_->SetOptions(grid_->Options() + goEditing);
  }
  std::vector<TCanvasCall> Record() {
    bitmap_ = std::make_unique<TBitmap>(450, 200);
    Recorder rec(bitmap_->Canvas());
    grid_->PaintTo(bitmap_->Canvas());
    return rec.calls;
  }
  static std::vector<TCanvasCall> Of(const std::vector<TCanvasCall>& Calls, const char* Op, const TRect& Inside) {
    std::vector<TCanvasCall> out;
    for (const TCanvasCall& c : Calls)
      if (c.Op == Op && !c.Points.empty() && Inside.Contains(c.Points[0])) out.push_back(c);
    return out;
  }
};

// Every check box and radio button style: checked and unchecked look different, and the
// checked one shows its mark colour inside the box.
TEST_F(CellGraphicsPainter, CheckBoxesInEveryStyleShowTheirState) {
  grid_->ControlLook()->SetColor(0x0000C0);
  const struct {
    RivGrid::TControlStyle style;
    TColor mark;
    const char* what;
  } cases[] = {
      {RivGrid::csWinXP, 0x21A121, "XP picture"},
      {RivGrid::csVAV, 0xC06000, "VAV picture"},
      {RivGrid::csBevel, 0x0000C0, "bevel tick in the look colour"},
      {RivGrid::csClassic, 0x000000, "classic tick"},
      {RivGrid::csTheme, 0x000000, "themes fall back to classic"},
  };
  grid_->AddCheckBox(1, 1, true, false);
  grid_->AddCheckBox(1, 2, false, false);
  for (const auto& k : cases) {
    grid_->ControlLook()->SetControlStyle(k.style);
    Paint();
    EXPECT_GT(CountIn(grid_->CellRect(1, 1), k.mark), 4) << k.what;
    EXPECT_LT(CountIn(grid_->CellRect(1, 2), k.mark), CountIn(grid_->CellRect(1, 1), k.mark)) << k.what;
  }
}

TEST_F(CellGraphicsPainter, DataCheckBoxIsCheckedExactlyWhenTheTextIsCheckTrue) {
  grid_->ControlLook()->SetControlStyle(RivGrid::csWinXP);
  grid_->AddCheckBox(1, 1, false, true);
  grid_->AddCheckBox(1, 2, false, true);
  grid_->AddCheckBox(1, 3, false, true);
  grid_->SetCells(1, 1, "Y");
  grid_->SetCells(1, 2, "y");
  grid_->SetCells(1, 3, "N");
  Paint();
  EXPECT_GT(CountIn(grid_->CellRect(1, 1), 0x21A121), 4);
  EXPECT_EQ(CountIn(grid_->CellRect(1, 2), 0x21A121), 0) << "exactly CheckTrue";
  EXPECT_EQ(CountIn(grid_->CellRect(1, 3), 0x21A121), 0);
}

TEST_F(CellGraphicsPainter, CentredCheckBoxStandsBesideItsTextAndADataCheckBoxAlone) {
  grid_->ControlLook()->SetControlStyle(RivGrid::csWinXP);
  grid_->OnGetAlignment = [](TObject*, int, int, TAlignment& HA, TVAlignment&) { HA = taCenter; };
  grid_->AddCheckBox(1, 1, true, false);
  grid_->SetCells(1, 1, "abc");
  grid_->AddCheckBox(1, 2, true, true);
  grid_->SetCells(1, 2, "Y");
  const std::vector<TCanvasCall> calls = Record();
  TCanvas* c = bitmap_->Canvas();
  c->Font()->Assign(grid_->Font());
  const int check = grid_->ControlLook()->CheckSize();
  const int t = c->TextWidth("abc") + 2;
  // The graphic's rectangle: the cell less its lines, less the text margins.
  auto graphicRect = [&](int Row) {
    const TRect r = grid_->CellRect(1, Row);
    return Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  };
  const std::vector<TCanvasCall> beside = Of(calls, "Draw", grid_->CellRect(1, 1));
  ASSERT_EQ(beside.size(), 1u);
  const TRect R1 = graphicRect(1);
  EXPECT_EQ(beside[0].Points[0].X, std::max(R1.Left, R1.Left + (R1.Right - t - R1.Left) / 2 - check));
  const std::vector<TCanvasCall> alone = Of(calls, "Draw", grid_->CellRect(1, 2));
  ASSERT_EQ(alone.size(), 1u);
  const TRect R2 = graphicRect(2);
  EXPECT_EQ(alone[0].Points[0].X, R2.Left + (R2.Right - check - R2.Left) / 2);
}

TEST_F(CellGraphicsPainter, RadioGroupChecksTheIndexOrTheCaptionMatchingTheText) {
  grid_->SetDefaultRowHeight(60);
  grid_->ControlLook()->SetControlStyle(RivGrid::csWinXP);
  TStringList items;
  items.Add("one");
  items.Add("two");
  items.Add("three");
  grid_->AddRadio(1, 1, 0, 1, &items);
  grid_->AddRadio(2, 1, 0, -1, &items);
  grid_->SetCells(2, 1, "three");
  grid_->AddRadio(3, 1, 0, -1, &items);
  grid_->SetCells(3, 1, "none");
  Paint();
  TCanvas* c = bitmap_->Canvas();
  c->Font()->Assign(grid_->Font());
  const int row = std::max(16, c->TextHeight("gh"));
  auto checkedItem = [&](int Col) {
    const TRect r = grid_->CellRect(Col, 1);
    int found = -1;
    for (int i = 0; i < 3; ++i) {
      const TRect item = Rect(r.Left, r.Top + i * row, r.Left + 20, r.Top + (i + 1) * row);
      if (CountIn(item, 0x21A121) > 4) found = found == -1 ? i : 99;
    }
    return found;
  };
  EXPECT_EQ(checkedItem(1), 1) << "Index 1: the second item";
  EXPECT_EQ(checkedItem(2), 2) << "Index -1: the caption equal to the text";
  EXPECT_EQ(checkedItem(3), -1) << "no caption matches";
}

TEST_F(CellGraphicsPainter, RatingShowsFullHalfAndEmptyStars) {
  grid_->SetDefaultColWidth(120);
  grid_->AddRating(1, 1, 5, 0x00C0FF, 0xC0C0C0);
  grid_->SetCells(1, 1, "3.7");
  const std::vector<TCanvasCall> stars = Of(Record(), "Polygon", grid_->CellRect(1, 1));
  std::vector<TColor> fills;
  for (const TCanvasCall& c : stars) fills.push_back(c.BrushColor);
  EXPECT_EQ(fills, (std::vector<TColor>{0x00C0FF, 0x00C0FF, 0x00C0FF, 0xC0C0C0, 0x00C0FF, 0xC0C0C0}))
      << "three full stars, one empty with a half star over it, one empty";
}

TEST_F(CellGraphicsPainter, XPProgressShowsItsPercentageOfTheRange) {
  grid_->ProgressAppearance()->SetShowPercentage(true);
  grid_->AddRivProgress(1, 1, 0, 200);
  grid_->SetCells(1, 1, "50");
  grid_->AddRivProgress(1, 2, 10, 10);
  grid_->SetCells(1, 2, "5");
  grid_->AddRivProgress(1, 3, 10, 10);
  grid_->SetCells(1, 3, "10");
  const std::vector<TCanvasCall> calls = Record();
  auto shown = [&](int Row) {
    String text;
    for (const TCanvasCall& c : calls)
      if ((c.Op == "DrawText" || c.Op == "TextOut" || c.Op == "TextRect") && !c.Points.empty() &&
          grid_->CellRect(1, Row).Contains(c.Points[0]))
        text += c.Text;
    return text;
  };
  EXPECT_EQ(shown(1), "25%");
  EXPECT_EQ(shown(2), "0%") << "an empty range below its end";
  EXPECT_EQ(shown(3), "100%") << "an empty range at its end";
}

TEST_F(CellGraphicsPainter, CommentMarkSitsInTheTopRightCorner) {
  grid_->AddColorComment(2, 2, "note", 0x0000FF);
  Paint();
  const TRect r = grid_->CellRect(2, 2);
  // The painter's rectangle is the cell grown back to its lines: right edge r.Right.
  EXPECT_EQ(At(r.Right - 3, r.Top + 1), 0x0000FF);
  EXPECT_EQ(At(r.Right - 6, r.Top), 0x0000FF);
  EXPECT_NE(At(r.Right - 6, r.Top + 4), 0x0000FF) << "below the diagonal";
  grid_->ControlLook()->SetCommentColor(clNone);
  Paint();
  EXPECT_EQ(CountIn(r, 0x0000FF), 0) << "no comment colour, no mark";
}

TEST_F(CellGraphicsPainter, NodeBoxesShowPlusWhenContractedAndMinusWhenExpanded) {
  grid_->CellNode()->SetNodeColor(0x400080);
  grid_->CellNode()->SetColor(0xFFFFFF);
  grid_->WithNodes = true;
  for (int row : {1, 2}) {
    grid_->GetCellProperties(0, row)->SetNodeLevel(1);
    TCellGraphic* g = grid_->CreateCellGraphic(0, row);
    g->CellType = ctNode;
    g->CellBoolean = row == 1;
  }
  grid_->CellNode()->SetNodeType(cnFlat);
  const std::vector<TCanvasCall> calls = Record();
  auto strokes = [&](int Row) {
    int vertical = 0, horizontal = 0;
    for (const TCanvasCall& c : Of(calls, "LineTo", grid_->CellRect(0, Row))) {
      if (c.PenColor != 0x400080) continue;
      if (c.Points[0].X == c.Points[1].X) ++vertical;
      if (c.Points[0].Y == c.Points[1].Y) ++horizontal;
    }
    return std::pair<int, int>{horizontal, vertical};
  };
  EXPECT_EQ(strokes(1), (std::pair<int, int>{1, 1})) << "contracted: a plus";
  EXPECT_EQ(strokes(2), (std::pair<int, int>{1, 0})) << "expanded: a minus";
  grid_->CellNode()->SetNodeType(cnXP);
  Paint();
  EXPECT_GT(CountIn(grid_->CellRect(0, 1), 0x8C7C6C), 10) << "the XP node picture";
}

TEST_F(CellGraphicsPainter, ButtonRemembersWhereItWasDrawn) {
  grid_->AddButton(2, 2, 40, 16, "Go", haRight, vaBottom);
  Record();
  TCellGraphic* g = grid_->GetCellGraphic(2, 2);
  ASSERT_NE(g, nullptr);
  const int offset = static_cast<int>(g->CellValue);
  const TRect r = grid_->CellRect(2, 2);
  // The content rectangle less the margins; the button at its right and bottom edges.
  const TRect R = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  EXPECT_EQ(offset & 0xFFFF, (R.Right - 1 - 40) - r.Left);
  EXPECT_EQ(offset >> 16, (R.Bottom - 1 - 16) - r.Top);
}

TEST_F(CellGraphicsPainter, RotatedTextStandsUpInsideItsCell) {
  grid_->SetDefaultRowHeight(70);
  grid_->AddRotated(2, 2, 90, "Rotated");
  Paint();
  const TRect r = grid_->CellRect(2, 2);
  int left = r.Right, right = r.Left, top = r.Bottom, bottom = r.Top;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (At(x, y) == ColorToRGB(clBlack)) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  ASSERT_LT(left, right) << "the text is drawn";
  EXPECT_GT(bottom - top, 2 * (right - left)) << "upright";
  EXPECT_GE(left, r.Left + 2);
  EXPECT_GE(top, r.Top + 2);
}

TRect InflatedRect(const TRect& R, int D) { return Rect(R.Left - D, R.Top - D, R.Right + D, R.Bottom + D); }

class TSwatch : public TInterfacedPersistent, public IGridCellDrawer {
 public:
  explicit TSwatch(bool Background) : FBackground(Background) {}
  void Draw(TCanvas* Canvas, const TRect& R, TRivErodovOzar*, bool, int, int) override {
    Canvas->Brush()->SetColor(0x20C020);
    Canvas->FillRect(R);
  }
  int GetWidth() override { return 10; }
  int GetHeight() override { return 10; }
  bool IsBackground() override { return FBackground; }

 private:
  bool FBackground;
};

TEST_F(CellGraphicsPainter, SelfDrawingObjectsDrawUnderOrOverTheText) {
  TSwatch under(true), over(false);
  grid_->AddInterfacedCell(1, 1, &under);
  grid_->SetCells(1, 1, "under");
  grid_->AddInterfacedCell(1, 2, &over);
  grid_->SetCells(1, 2, "over");
  const std::vector<TCanvasCall> calls = Record();
  auto index = [&](const char* Op, const String& Text, int Row) {
    for (size_t i = 0; i < calls.size(); ++i)
      if (calls[i].Op == Op && (Text.empty() || calls[i].Text == Text) && !calls[i].Points.empty() &&
          (Op != std::string("FillRect") || calls[i].BrushColor == 0x20C020) &&
          InflatedRect(grid_->CellRect(1, Row), 2).Contains(calls[i].Points[0]))
        return static_cast<int>(i);
    return -1;
  };
  EXPECT_LT(index("FillRect", "", 1), index("DrawText", "under", 1));
  EXPECT_GT(index("FillRect", "", 2), index("DrawText", "over", 2));
  grid_->RemoveInterfacedCell(1, 1);
  grid_->RemoveInterfacedCell(1, 2);
}

}  // namespace
