// Printed cells through the preview's drawing calls: the measured size of an empty cell, the
// place of a cell's check box and bitmap, and one rectangle for a merged cell.
#include "classlib/Bitmap.h"
#include "grid/print/PrintFixture.h"

namespace {

std::vector<TCanvasCall> Record(TRivErodovOzar& Grid) {
  TBitmap page;
  page.SetSize(gridprint::kPageWidth, gridprint::kPageHeight);
  std::vector<TCanvasCall> calls;
  page.Canvas()->SetRecording(&calls);
  Grid.PrintPreview(page.Canvas(), TRect{0, 0, gridprint::kPageWidth, gridprint::kPageHeight});
  page.Canvas()->SetRecording(nullptr);
  return calls;
}

const TCanvasCall* Find(const std::vector<TCanvasCall>& Calls, const String& Op, const String& Text = String()) {
  for (const TCanvasCall& c : Calls)
    if (c.Op == Op && (Text.empty() || c.Text == Text)) return &c;
  return nullptr;
}

TEST(PrintedCells, EmptyColumnsAreAsWideAsGhAndTextColumnsAsTheirText) {
  auto grid = rivgrid::MakeGrid(3, 3);
  grid->SetCells(1, 1, "A much longer text");
  Record(*grid);
  const int empty = grid->MaxWidths[0];
  EXPECT_GT(empty, 0);
  EXPECT_EQ(grid->MaxWidths[2], empty);
  EXPECT_GT(grid->MaxWidths[1], 4 * empty);
}

TEST(PrintedCells, CenteredCheckBoxWithoutTextSitsInTheMiddleOfItsColumn) {
  auto grid = rivgrid::MakeGrid(3, 3);
  grid->SetCells(1, 0, "A wide header cell");
  grid->AddCheckBox(1, 1, true, false);
  grid->SetCellAlignment(1, 1, taCenter);
  grid->PrintSettings()->PrintGraphics = true;
  grid->PrintSettings()->Borders = TPrintBorders::pbNoborder;
  const auto calls = Record(*grid);
  const TCanvasCall* box = Find(calls, "Rectangle");
  ASSERT_NE(box, nullptr);
  const int middle = (box->Points[0].X + box->Points[1].X) / 2;
  const int columnMiddle = (grid->Indents[1] + grid->Indents[2]) / 2;
  EXPECT_NEAR(middle, columnMiddle, 20);
  // Ticked: two strokes inside the box.
  int strokes = 0;
  for (const TCanvasCall& c : calls)
    if (c.Op == "LineTo" && c.Points[0].X > box->Points[0].X && c.Points[0].X < box->Points[1].X) ++strokes;
  EXPECT_EQ(strokes, 2);
}

TEST(PrintedCells, NodeMarkIsASquareWithACrossBarWhenContracted) {
  for (bool contracted : {false, true}) {
    auto grid = rivgrid::MakeGrid(3, 6);
    grid->AddNode(1, 3);
    if (contracted) grid->ContractNode(1);
    grid->PrintSettings()->PrintGraphics = true;
    grid->PrintSettings()->Borders = TPrintBorders::pbNoborder;
    const auto calls = Record(*grid);
    const TCanvasCall* box = Find(calls, "Rectangle");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Points[1].X - box->Points[0].X, 20);
    int bars = 0;
    for (const TCanvasCall& c : calls)
      if (c.Op == "LineTo" && c.Points[1].X > box->Points[0].X && c.Points[1].X < box->Points[1].X + 1) ++bars;
    EXPECT_EQ(bars, contracted ? 2 : 1) << "contracted " << contracted;
  }
}

TEST(PrintedCells, BitmapBeforeTextPushesTheTextToItsRight) {
  auto grid = rivgrid::MakeGrid(3, 3);
  TBitmap* bitmap = grid->CreateBitmap(1, 1, false, haBeforeText, vaTop);
  bitmap->SetSize(16, 16);
  grid->SetCells(1, 1, "Label");
  grid->PrintSettings()->PrintGraphics = true;
  const auto calls = Record(*grid);
  const TCanvasCall* picture = Find(calls, "StretchDraw");
  const TCanvasCall* text = Find(calls, "DrawText", "Label");
  ASSERT_NE(picture, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_GE(text->Points[0].X, picture->Points[1].X);
  EXPECT_NEAR(picture->Points[1].X - picture->Points[0].X, 16 * 254 / 96, 1);
}

TEST(PrintedCells, MergedCellPrintsOneRectangleWithoutInnerBorder) {
  auto grid = rivgrid::MakeGrid(4, 3);
  grid->SetCells(1, 1, "Merged");
  grid->MergeCells(1, 1, 2, 1);
  const auto calls = Record(*grid);
  const TCanvasCall* text = Find(calls, "DrawText", "Merged");
  ASSERT_NE(text, nullptr);
  const int x1 = grid->Indents[1], x2 = grid->Indents[2], x3 = grid->Indents[3];
  EXPECT_LT(text->Points[0].X, x2);
  EXPECT_GT(text->Points[1].X, x2) << "the text's rectangle runs across both columns to " << x3;
  // No vertical line at the inner column edge within the merged cell's row.
  const int top = text->Points[0].Y;
  for (const TCanvasCall& c : calls)
    if (c.Op == "LineTo" && c.Points.size() == 2 && c.Points[0].X == c.Points[1].X &&
        std::abs(c.Points[0].X - x2) <= 3 && c.Points[0].Y > top && c.Points[1].Y < top)
      ADD_FAILURE() << "inner border at x " << c.Points[0].X << " (cell from " << x1 << ")";
}

TEST(PrintedCells, HtmlRichAndWideTextsPrintAsTheirPlainText) {
  struct Case {
    String Cell, Printed;
  };
  auto grid = rivgrid::MakeGrid(2, 2);
  for (const Case& c : {Case{"<b>Bold</b> text", "Bold text"}, Case{"{\\rtf1\\ansi Rich\\par}", "Rich"},
                        Case{"plain", "plain"}}) {
    grid->SetCells(1, 1, c.Cell);
    const auto calls = Record(*grid);
    EXPECT_NE(Find(calls, "DrawText", c.Printed), nullptr) << c.Cell;
  }
}

}  // namespace
