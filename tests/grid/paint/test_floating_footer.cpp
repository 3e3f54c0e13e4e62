// The floating footer: column results in the footer row and their following of edits, showing
// and hiding, the preview template, the panel's columns and clicks, and its painting.
#include <cmath>

#include "PaintFixture.h"
#include "classlib/Forms.h"
#include "classlib/WinApi.h"

namespace {

using namespace gridpaint;

class FloatingFooterTest : public PaintTest {
 protected:
  TFloatingFooter* Footer() { return grid_->FloatingFooter(); }
  void ShowFooter() {
    Footer()->SetHeight(24);
    Footer()->SetVisible(true);
  }
  void SetCalc(int ACol, TColumnCalcType Type) {
    grid_->GetCellProperties(ACol, grid_->RowCount() - 1)->SetCalcType(Type);
  }
  String FooterText(int ACol) { return grid_->Cells(ACol, grid_->RowCount() - 1); }
};

TEST_F(FloatingFooterTest, ColumnResultsOverAThousandRowsFollowTypedEdits) {
  // Row 0 fixed, rows 1..999 data holding r / 2, row 1000 the footer.
  grid_->SetColCount(8);
  grid_->SetRowCount(1001);
  for (int c = 1; c < 8; ++c)
    for (int r = 1; r <= 999; ++r) grid_->SetCells(c, r, FloatToStr(r / 2.0));
  ShowFooter();
  const TColumnCalcType types[] = {acSUM, acAVG, acMIN, acMAX, acCOUNT, acCUSTOM, acNONE};
  for (int c = 1; c < 8; ++c) SetCalc(c, types[c - 1]);
  grid_->SetCells(7, 1000, "untouched");
  grid_->OnCalcFooter = [](TObject*, int ACol, int ARow, String& Value) {
    Value = "col " + IntToStr(ACol) + " row " + IntToStr(ARow);
  };
  grid_->CalcFooter(-1);
  // Sum of r / 2 for r = 1..999 is 999 * 1000 / 4; the average divides by 999 rows.
  EXPECT_EQ(FooterText(1), "249750.00");
  EXPECT_EQ(FooterText(2), "250.00");
  EXPECT_EQ(FooterText(3), "0.50");
  EXPECT_EQ(FooterText(4), "499.50");
  EXPECT_EQ(FooterText(5), "999");
  EXPECT_EQ(FooterText(6), "col 6 row 1000");
  EXPECT_EQ(FooterText(7), "untouched");

  // A value typed into a cell moves the results.
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  parent_->SetParent(form.get());
  form->Show();
  grid_->SetOptions(grid_->Options() + goEditing);
  grid_->SetFocus();
  grid_->GotoCell(1, 10);
  for (char ch : String("1005")) {
    KeyInput(FindControl(GetFocus()), WM_KEYDOWN, static_cast<Word>(ch));
    KeyInput(FindControl(GetFocus()), WM_CHAR, static_cast<unsigned char>(ch));
  }
  KeyInput(FindControl(GetFocus()), WM_KEYDOWN, VK_RETURN);
  KeyInput(FindControl(GetFocus()), WM_CHAR, '\r');
  Application->ProcessMessages();
  ASSERT_EQ(grid_->Cells(1, 10), "1005");
  EXPECT_EQ(FooterText(1), "250750.00") << "5 became 1005";
  EXPECT_EQ(FooterText(4), "499.50") << "other columns keep theirs";
  parent_->SetParent(nullptr);
}

TEST_F(FloatingFooterTest, CountLeavesOutTheFooterAndHiddenRowsCountWhenAsked) {
  grid_->SetColCount(3);
  grid_->SetRowCount(10);
  for (int r = 1; r <= 8; ++r) grid_->SetCells(1, r, IntToStr(r));
  ShowFooter();
  SetCalc(1, acSUM);
  SetCalc(2, acCOUNT);
  grid_->CalcFooter(-1);
  EXPECT_EQ(FooterText(2), "8") << "1 fixed row, 10 rows";
  EXPECT_EQ(FooterText(1), "36.00");
  // Hidden rows: one (the case that could take the footer row itself) and three.
  for (int hidden : {1, 3}) {
    grid_->UnHideRowsAll();
    grid_->HideRows(2, 1 + hidden);
    Footer()->CalculateHiddenRows = true;
    grid_->CalcFooter(-1);
    EXPECT_EQ(FooterText(1), "36.00") << hidden << " hidden rows counted";
    EXPECT_EQ(FooterText(2), "8");
    Footer()->CalculateHiddenRows = false;
    grid_->CalcFooter(-1);
    double expected = 36;
    for (int r = 2; r <= 1 + hidden; ++r) expected -= r;
    EXPECT_EQ(FooterText(1), FormatFloat("0.00", expected)) << hidden << " hidden rows left out";
  }
  // Nothing is calculated while hidden, in another style or with the calculation off.
  grid_->UnHideRowsAll();
  grid_->SetCells(1, 9, "kept");
  Footer()->EnableCalculation = false;
  grid_->CalcFooter(1);
  EXPECT_EQ(FooterText(1), "kept");
}

TEST_F(FloatingFooterTest, ShowingAndHidingTheLastRowFooter) {
  ShowFooter();
  EXPECT_EQ(grid_->FixedFooters(), 1);
  EXPECT_TRUE(grid_->FloatingFooterVisible);
  EXPECT_TRUE(grid_->FooterPanel()->Visible());
  EXPECT_EQ(grid_->FooterPanel()->Height(), 23);
  Footer()->SetFooterStyle(fsColumnPreview);
  EXPECT_EQ(grid_->FixedFooters(), 1) << "until Visible is written again";
  Footer()->SetVisible(true);
  EXPECT_EQ(grid_->FixedFooters(), 0);
  Footer()->SetFooterStyle(fsFixedLastRow);
  Footer()->SetVisible(false);
  EXPECT_EQ(grid_->FixedFooters(), 0);
  EXPECT_FALSE(grid_->FooterPanel()->Visible());
  EXPECT_EQ(grid_->FooterPanel()->Height(), 0);
}

TEST_F(FloatingFooterTest, TheLastRowIsBlankInTheGridAndShownInThePanel) {
  grid_->SetCells(1, 5, "total");
  Paint();
  const TRect last = Content(1, 5);
  const int withText = CountIn(last, clBlack);
  ASSERT_GT(withText, 0);
  ShowFooter();
  Footer()->SetColor(0x40C0C0);
  Footer()->SetBorderColor(0x0000FF);
  Paint();
  EXPECT_EQ(CountIn(last, clBlack), 0) << "the grid's own last row is blank";

  TFooterPanel* panel = grid_->FooterPanel();
  panel->SetBounds(0, 0, 300, 23);
  TBitmap strip(300, 23);
  panel->PaintTo(strip.Canvas());
  TCanvas* c = strip.Canvas();
  int width = 0;
  for (int col = 0; col < grid_->ColCount(); ++col) width += grid_->ColWidths(col);
  EXPECT_EQ(c->Pixel(5, 0), 0x0000FF) << "the border line";
  EXPECT_EQ(c->Pixel(width - 3, 0), 0x0000FF);
  EXPECT_EQ(c->Pixel(width + 5, 0), ColorToRGB(grid_->Color())) << "right of the columns";
  EXPECT_EQ(c->Pixel(width + 5, 12), ColorToRGB(grid_->Color()));
  int text = 0;
  for (int y = 1; y < 23; ++y)
    for (int x = grid_->ColWidths(0); x < grid_->ColWidths(0) + grid_->ColWidths(1); ++x)
      text += c->Pixel(x, y) == ColorToRGB(clBlack);
  EXPECT_GT(text, withText / 2) << "the last row's text in its column";
}

TEST_F(FloatingFooterTest, PreviewTemplateTakesTheCurrentRowsTexts) {
  grid_->SetCells(2, 3, "17");
  EXPECT_EQ(FillFooterTemplate(grid_, "Total: <#2> of <#x>", 3), "Total: 17 of ");
  EXPECT_EQ(FillFooterTemplate(grid_, "<#2><#2> <#99> <# no end", 3), "1717  <# no end");
}

TEST_F(FloatingFooterTest, PanelColumnsClicksAndHints) {
  grid_->SetColCount(4);
  ShowFooter();
  TFooterPanel* panel = grid_->FooterPanel();
  const int w = grid_->ColWidths(0);
  EXPECT_EQ(panel->ColumnAt(w / 2), grid_->LeftCol() - 1) << "over the fixed columns";
  EXPECT_EQ(panel->ColumnAt(w + 5), 1);
  EXPECT_EQ(panel->ColumnAt(2 * w + 5), 2);
  EXPECT_EQ(panel->ColumnAt(4 * w + 5), -1) << "right of the last column";

  int clicks = 0;
  std::vector<std::pair<int, int>> cells;
  grid_->OnClick = [&](TObject* Sender) { clicks += Sender == grid_; };
  grid_->OnClickCell = [&](TObject*, int ARow, int ACol) { cells.emplace_back(ARow, ACol); };
  grid_->OnGridHint = [](TObject*, int ARow, int ACol, String& Hint) {
    Hint = IntToStr(ACol) + "/" + IntToStr(ARow);
  };
  Footer()->SetShowHint(true);
  EXPECT_EQ(panel->HintAt(2 * w + 5), "2/5") << "the same column as a click there";
  EXPECT_EQ(panel->LastHintX(), 2);
  panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(2 * w + 5, 5));
  panel->Perform(WM_LBUTTONUP, 0, MakeLParam(2 * w + 5, 5));
  panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(4 * w + 5, 5));
  panel->Perform(WM_LBUTTONUP, 0, MakeLParam(4 * w + 5, 5));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{5, 2}})) << "no cell right of the last column";
  panel->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(panel->LastHintX(), -1);
}

TEST_F(FloatingFooterTest, FooterPanelNeedsAGridForOwner) {
  std::unique_ptr<TPanel> owner(New<TPanel>(nullptr));
  EXPECT_THROW(TFooterPanel{owner.get()}, EInvalidCast);
}

}  // namespace
