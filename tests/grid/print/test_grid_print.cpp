// The print engine through previews: pages and their numbers, repeated fixed rows, column
// blocks, fitting to the page, the selection filter and the page events.
#include <set>

#include "grid/print/PrintFixture.h"

namespace {

using gridprint::NamedGrid;
using gridprint::PreviewPage;

TEST(GridPrintPages, EveryRowOncePageNumbersAndRepeatedFixedRowsOnEveryPage) {
  auto grid = NamedGrid(3, 200);
  TPrintSettings* s = grid->PrintSettings();
  s->PageNr = ppBottomCenter;
  s->Title = ppTopCenter;
  s->TitleText = "Species list";
  s->RepeatFixedRows = true;

  PreviewPage(*grid, 1);
  const int pages = grid->PrintNrOfPages();
  ASSERT_GE(pages, 3);
  std::multiset<String> rows;
  for (int p = 1; p <= pages; ++p) {
    const auto page = PreviewPage(*grid, p);
    EXPECT_TRUE(page.Has(" " + IntToStr(p) + "/" + IntToStr(pages))) << "page " << p;
    EXPECT_TRUE(page.Has(" Species list")) << "page " << p;
    EXPECT_EQ(page.Count("r0"), 1) << "the fixed row heads page " << p;
    for (const String& t : page.Texts)
      if (t.size() > 1 && t[0] == 'r' && t != "r0") rows.insert(t);
  }
  for (int r = 1; r < 200; ++r) EXPECT_EQ(rows.count("r" + IntToStr(r)), 1u) << "row " << r;
  EXPECT_EQ(grid->PreviewPage(), pages) << "a preview keeps the page it was asked for";
}

TEST(GridPrintPages, WideGridPrintsInColumnBlocksNumberedPageDashBlock) {
  auto grid = NamedGrid(12, 80);
  for (int c = 0; c < 12; ++c) grid->SetCells(c, 1, String(30, 'W'));
  grid->PrintSettings()->PageNr = ppBottomLeft;

  PreviewPage(*grid, 1);
  const int pages = grid->PrintNrOfPages();
  const auto first = PreviewPage(*grid, 1);
  EXPECT_TRUE(first.Has("1-1 "));
  // After the job the fields describe its last block.
  EXPECT_GT(grid->PrintColStart(), 0);
  EXPECT_EQ(grid->PrintColEnd(), 11);

  // The pages of block 2 follow every page of block 1.
  int firstOfBlock2 = 0;
  for (int p = 2; p <= pages && !firstOfBlock2; ++p)
    if (PreviewPage(*grid, p).Has("1-2 ")) firstOfBlock2 = p;
  ASSERT_GT(firstOfBlock2, 2);
  EXPECT_TRUE(PreviewPage(*grid, firstOfBlock2 - 1).Has(IntToStr(firstOfBlock2 - 1) + "-1 "));
  const auto block2 = PreviewPage(*grid, firstOfBlock2);
  EXPECT_FALSE(block2.Has("0:2")) << "the first column prints only in block 1";
}

TEST(GridPrintPages, GridOfMoreThanFiveHundredColumnsPrintsEveryColumn) {
  auto grid = NamedGrid(600, 2);
  PreviewPage(*grid, 1);
  const int pages = grid->PrintNrOfPages();
  ASSERT_GT(pages, 5);
  EXPECT_TRUE(PreviewPage(*grid, pages).Has("599:1"));
  EXPECT_GT(grid->MaxWidths[599], 0);
}

TEST(GridPrintPages, FitToPageScalesOnlyTheWayItIsAllowed) {
  struct Case {
    TFitToPage Fit;
    bool Wider;
  };
  auto sumOfWidths = [](TRivErodovOzar& g) {
    int sum = 0;
    for (int c = 0; c < g.ColCount(); ++c) sum += g.MaxWidths[static_cast<size_t>(c)];
    return sum;
  };
  auto grid = NamedGrid(3, 5);
  PreviewPage(*grid, 1);
  const int measured = sumOfWidths(*grid);
  for (const Case& c : {Case{fpShrink, false}, Case{fpNever, false}, Case{fpGrow, true}, Case{fpAlways, true}}) {
    grid->PrintSettings()->FitToPage = c.Fit;
    PreviewPage(*grid, 1);
    if (c.Wider) {
      // Widths and gaps fill the page width.
      EXPECT_NEAR(sumOfWidths(*grid) + 3 * 20, grid->PrintPageRect().Right, 3) << c.Fit;
    } else {
      EXPECT_EQ(sumOfWidths(*grid), measured) << c.Fit;
    }
  }
}

TEST(GridPrintPages, PrintStartRefusingTheRangeDrawsNothing) {
  auto grid = NamedGrid(3, 10);
  int pageEvents = 0;
  grid->OnPrintPage = [&](TObject*, TCanvas*, int, int, int) { ++pageEvents; };
  EXPECT_TRUE(PreviewPage(*grid, 1).Has("r1"));
  EXPECT_EQ(pageEvents, 1) << "a one-page preview fires OnPrintPage once";

  grid->OnPrintStart = [](TObject*, int, int& From, int&) { From = 0; };
  pageEvents = 0;
  EXPECT_TRUE(PreviewPage(*grid, 1).Texts.empty());
  EXPECT_EQ(pageEvents, 0);
}

TEST(GridPrintPages, FastPrintLeavesTheUnknownPageCountOut) {
  auto grid = NamedGrid(3, 200);
  grid->PrintSettings()->PageNr = ppBottomLeft;
  grid->SetFastPrint(true);
  EXPECT_TRUE(PreviewPage(*grid, 1).Has("1 "));
  EXPECT_EQ(grid->PrintNrOfPages(), 1);
}

TEST(GridPrintPages, SelectedColsPrintsOnlyTheSelectedRectangle) {
  auto grid = NamedGrid(5, 8);
  grid->SelectRange(1, 2, 2, 3);
  const auto page = PreviewPage(*grid, 1, true);
  std::set<String> cells;
  for (const String& t : page.Texts) cells.insert(t);
  EXPECT_EQ(cells, (std::set<String>{"1:2", "2:2", "1:3", "2:3"}));
}

TEST(GridPrintPages, PageEventsGiveThePageSizeAndLastRow) {
  auto grid = NamedGrid(2, 150);
  std::vector<int> lastRows;
  int width = 0, height = 0;
  grid->OnPrintPageDone = [&](TObject*, TCanvas*, int LastRow, int, int, int W, int H) {
    lastRows.push_back(LastRow);
    width = W;
    height = H;
  };
  PreviewPage(*grid, 2);
  ASSERT_EQ(lastRows.size(), static_cast<size_t>(grid->PrintNrOfPages()));
  EXPECT_EQ(lastRows.back(), 150);
  EXPECT_NEAR(width, 2100, 5);   // 794 pixels in 0.1 mm
  EXPECT_NEAR(height, -2970, 5); // the page bottom lies below the top
}

}  // namespace
