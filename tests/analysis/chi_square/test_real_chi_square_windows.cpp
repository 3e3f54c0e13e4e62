// The chi-square windows under the real window system: the options form opened through the
// main menu, an expected count typed into its grid, every row of its expected matrix in view,
// closed each way; the results window read tab by tab and closed each way; a table without
// expected counts refused through a message box; the main window usable afterwards.
#include <functional>

#include "analysis/chi_square/ChiSquareMain.h"
#include "analysis/chi_square/ChiSquareOptions.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "app/ProgressSims.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

void SetTable(const char* a, const char* b, const char* c, const char* d) {
  const char* rows[3][3] = {{"species", "s1", "s2"}, {"x", a, b}, {"y", c, d}};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(3);
  g->SetColCount(3);
  for (int r = 0; r < 3; ++r)
    for (int col = 0; col < 3; ++col) g->SetCells(col, r, rows[r][col]);
}

struct Case {
  const char* name;
  std::function<void()> closeOptions;
  std::function<void()> closeResults;  // null: no run
};

const Case kCases[] = {
    {"Run, results by close box", [] { ChooseMenu(ChiSquareOpts->Run1); }, [] { CloseBox(ChiSquareShell); }},
    {"Run, results by Save > Close", [] { ChooseMenu(ChiSquareOpts->Run1); },
     [] { ChooseMenu(ChiSquareShell->Close1); }},
    {"Cancel", [] { ChooseMenu(ChiSquareOpts->Cancel1); }, nullptr},
    {"close box", [] { CloseBox(ChiSquareOpts); }, nullptr},
};

using ChiSquareWindows = RealWindowTest;

TEST_F(ChiSquareWindows, OptionsWithATypedExpectedCountAndResultsCloseEachWay) {
  SetTable("10", "20", "30", "40");
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    bool optionsShown = false, resultsShown = false;
    WhenModal(ChiSquareOpts, [&] {
      optionsShown = true;
      ClickTab(ChiSquareOpts->PageControl1, "Preferences");
      TStringGrid* grid = ChiSquareOpts->ExpectedGrid;
      EXPECT_TRUE(ControlOnScreen(grid));
      EXPECT_EQ(grid->Cells(1, 1), "12.0000000");
      const TRect cell = grid->CellRect(1, 1);
      ClickAt(grid, cell.Left + 5, cell.Top + 5);
      Type(grid, "20");
      Key(grid, VK_RETURN);
      Settle();
      ClickTab(ChiSquareOpts->PageControl1, "General");
      ChiSquareOpts->IterationsEdit->SetText("200");
      ChiSquareOpts->RandomSeedEdit->SetText("11");
      c.closeOptions();
    });
    if (c.closeResults) {
      WhenModal(ChiSquareShell, [&] {
        resultsShown = true;
        TPageControl* pages = ChiSquareShell->PageControl1;
        for (int i = 0; i < pages->PageCount(); ++i) {
          TTabSheet* sheet = pages->Pages(i);
          ClickTab(pages, sheet->Caption());
          EXPECT_EQ(pages->ActivePage(), sheet);
          EXPECT_TRUE(ControlOnScreen(sheet)) << sheet->Caption();
        }
        EXPECT_EQ(ChiSquareShell->ExpectedGrid->Cells(1, 1), "20");
        EXPECT_EQ(ChiSquareShell->ChiSquareMemo->Lines()->Strings(0),
                  "Observed index = " + StatText(5 + 4.0 / 18 + 4.0 / 28 + 4.0 / 42));
        c.closeResults();
      });
    }
    ChooseMenu(Zorvan->ChiSquare1);
    EXPECT_TRUE(optionsShown);
    EXPECT_EQ(resultsShown, static_cast<bool>(c.closeResults));
    EXPECT_FALSE(IsOnScreen(ChiSquareOpts));
    EXPECT_FALSE(IsOnScreen(ChiSquareShell));
    EXPECT_FALSE(IsOnScreen(Progress));
    ExpectMainWindowUsable();
  }
}

// Every row of the expected matrix can be seen: a table that fits shows all its rows as the
// window draws them; a taller one gets a vertical scroll bar, and the wheel brings its last
// row into view.
TEST_F(ChiSquareWindows, ExpectedGridShowsEveryRow) {
  for (int rows : {4, 16}) {
    SCOPED_TRACE(rows);
    TRivErodovOzar* g = Zorvan->MainGrid;
    g->SetRowCount(rows + 1);
    g->SetColCount(4);
    g->SetCells(0, 0, "species");
    for (int c = 1; c < 4; ++c) g->SetCells(c, 0, "s" + IntToStr(c));
    for (int r = 1; r <= rows; ++r) {
      g->SetCells(0, r, "sp" + IntToStr(r));
      for (int c = 1; c < 4; ++c) g->SetCells(c, r, IntToStr(r + c));
    }
    bool shown = false;
    WhenModal(ChiSquareOpts, [&] {
      shown = true;
      ClickTab(ChiSquareOpts->PageControl1, "Preferences");
      TStringGrid* grid = ChiSquareOpts->ExpectedGrid;
      EXPECT_EQ(grid->RowCount(), rows + 1);
      const bool fits = rows == 4;
      EXPECT_EQ(ScrollBarShown(grid, true), !fits);
      if (!fits) {
        Wheel(grid, 20, 20, -(rows + 1));
        Settle();
        EXPECT_GT(grid->TopRow(), 0);
      }
      for (int r = fits ? 0 : grid->TopRow(); r <= rows; ++r) {
        const TRect cell = grid->CellRect(1, r);
        EXPECT_GT(cell.Height(), 0) << "row " << r;
        EXPECT_GT(PixelsOfColorInWindow(grid, clBlack, cell), 10) << "row " << r;
      }
      ChooseMenu(ChiSquareOpts->Cancel1);
    });
    ChooseMenu(Zorvan->ChiSquare1);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(IsOnScreen(ChiSquareOpts));
  }
  ExpectMainWindowUsable();
}

TEST_F(ChiSquareWindows, ATableOfZerosIsRefused) {
  SetTable("0", "0", "0", "0");
  String seen;
  AnswerMessageBox("OK", [&](const String& text) { seen = text; });
  ChooseMenu(Zorvan->ChiSquare1);
  EXPECT_EQ(seen, "Expected Grid 0 error: ");
  EXPECT_FALSE(IsOnScreen(ChiSquareOpts));
  EXPECT_FALSE(IsOnScreen(ChiSquareShell));
  ExpectMainWindowUsable();
}

}  // namespace
