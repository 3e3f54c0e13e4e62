// The grid's hints: the HTML hint window's measuring, placing and painting, the application-wide
// switch to it, and the hint window shown over a cell.
#include "PaintFixture.h"
#include "classlib/ScreenMetrics.h"
#include "grid/base/ZudAzud.h"

namespace {

using namespace gridpaint;

class HTMLHintWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetScreenMetrics(TScreenMetrics{800, 600, Rect(0, 0, 800, 600)});
    hint_.reset(New<THTMLHintWindow>(nullptr));
    hint_->Font()->SetName("DejaVu Sans");
    hint_->Font()->SetSize(9);
  }
  void TearDown() override { SetScreenMetrics(std::nullopt); }
  std::unique_ptr<THTMLHintWindow> hint_;
};

TEST_F(HTMLHintWindowTest, WindowIsTheMeasuredTextPlusItsPadding) {
  const struct {
    String hint;
    int padding;
    const char* what;
  } cases[] = {
      {"<b>bold</b> and plain", 16, "HTML hint"},
      {EncodeWideText(u"wide \u03b1\u03b2"), 8, "wide hint on one line"},
  };
  for (const auto& k : cases) {
    hint_->ActivateHint(Rect(100, 100, 400, 120), k.hint);
    EXPECT_GT(hint_->TextWidth(), 20) << k.what;
    EXPECT_EQ(hint_->Width(), hint_->TextWidth() + k.padding) << k.what;
    EXPECT_EQ(hint_->Height(), hint_->TextHeight() + 4) << k.what;
    EXPECT_EQ(hint_->Left(), 100) << k.what;
    const TRect calc = hint_->CalcHintRect(1008, k.hint, nullptr);
    EXPECT_EQ(calc, Rect(0, 0, hint_->TextWidth(), hint_->TextHeight())) << k.what;
  }
}

TEST_F(HTMLHintWindowTest, HintStaysTwoPixelsInsideTheMonitor) {
  hint_->ActivateHint(Rect(760, 590, 1000, 600), "a hint that passes the right and bottom edges");
  EXPECT_EQ(hint_->Left() + hint_->Width(), 798);
  EXPECT_EQ(hint_->Top() + hint_->Height(), 598);
  String wide(400, 'w');
  hint_->ActivateHint(Rect(10, 10, 1000, 30), wide);
  EXPECT_LE(hint_->Width(), 1008 + 16) << "the width limit";
}

TEST_F(HTMLHintWindowTest, PaintsFrameAndText) {
  hint_->ActivateHint(Rect(10, 10, 300, 30), "<font color=\"clRed\">red</font> hint");
  TBitmap bitmap(hint_->Width(), hint_->Height());
  hint_->PaintTo(bitmap.Canvas());
  TCanvas* c = bitmap.Canvas();
  EXPECT_EQ(c->Pixel(0, 1), ColorToRGB(cl3DLight));
  EXPECT_EQ(c->Pixel(hint_->Width() - 1, hint_->Height() - 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(c->Pixel(2, 2), ColorToRGB(clInfoBk));
  int red = 0;
  for (int y = 0; y < hint_->Height(); ++y)
    for (int x = 0; x < hint_->Width(); ++x) red += c->Pixel(x, y) == ColorToRGB(clRed);
  EXPECT_GT(red, 5) << "the HTML text";
}

using GridHints = PaintTest;

TEST_F(GridHints, UseHTMLHintsChangesEveryHintWindowOfTheApplication) {
  grid_->SetUseHTMLHints(true);
  std::unique_ptr<THintWindow> any(NewHintWindow(nullptr));
  EXPECT_NE(dynamic_cast<THTMLHintWindow*>(any.get()), nullptr);
  grid_->SetUseHTMLHints(false);
  std::unique_ptr<THintWindow> plain(NewHintWindow(nullptr));
  EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(plain.get()), nullptr);
}

TEST_F(GridHints, CellHintShowsBelowTheCellAndHidesWhereThereIsNone) {
  grid_->OnGridHint = [](TObject*, int ARow, int ACol, String& Hint) {
    if (ACol == 2 && ARow == 3) Hint = "<b>two</b> three";
  };
  grid_->AddComment(3, 1, "a comment");
  grid_->ShowCellHint(2, 3);
  THintWindow* hint = grid_->CellHintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->Active());
  EXPECT_EQ(hint->Caption(), "<b>two</b> three");
  const TRect cell = grid_->CellRect(2, 3);
  EXPECT_EQ(Point(hint->Left(), hint->Top()), grid_->ClientToScreen(Point(cell.Left, cell.Bottom)));
  grid_->ShowCellHint(3, 1);
  EXPECT_EQ(hint->Caption(), "a comment") << "a comment is the cell's hint";
  grid_->ShowCellHint(1, 1);
  EXPECT_FALSE(hint->Active());
}

}  // namespace
