// The regression and ANOVA windows under the real window system: each options form opened
// through the main menu and closed each way, a run whose results window is read tab by tab
// (the regression charts seen drawn in their colours) and closed each way, the refusal of a
// one-column matrix, and the main window usable afterwards.
#include <functional>

#include "analysis/anova/AnovaMain.h"
#include "analysis/anova/AnovaOptions.h"
#include "analysis/regression/RegressionMain.h"
#include "analysis/regression/RegressionOptions.h"
#include "app/ProgressSims.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

void ThreeColumns(int columns = 3) {
  const char* rows[][4] = {{"species", "group", "x", "y"}, {"a", "A", "1", "2"}, {"b", "A", "2", "4"},
                           {"c", "B", "3", "5"},           {"d", "B", "4", "4"}, {"e", "B", "5", "5"}};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(6);
  g->SetColCount(columns + 1);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c <= columns; ++c) g->SetCells(c, r, rows[r][c]);
}

struct Case {
  const char* name;
  std::function<void(TColumnPairOpts*)> closeOptions;
  std::function<void(TStandardResults*)> closeResults;  // null: no run
};

const Case kCases[] = {
    {"Run, results by close box", [](TColumnPairOpts* o) { ChooseMenu(o->Run1); },
     [](TStandardResults* r) { CloseBox(r); }},
    {"Run, results by Save > Close", [](TColumnPairOpts* o) { ChooseMenu(o->Run1); },
     [](TStandardResults* r) { ChooseMenu(r->Close1); }},
    {"Cancel", [](TColumnPairOpts* o) { ChooseMenu(o->Cancel1); }, nullptr},
    {"close box", [](TColumnPairOpts* o) { CloseBox(o); }, nullptr},
};

class StandardWindows : public RealWindowTest {
 protected:
  // Opens the options through the menu, answers them, and reads the results when they come.
  void RunEachWay(TMenuItem* Item, TColumnPairOpts* Options, TStandardResults* Results, const String& OptionsCaption,
                  const String& ResultsCaption, int First, int Second,
                  const std::function<void()>& ReadResults) {
    ThreeColumns();
    for (const Case& c : kCases) {
      SCOPED_TRACE(c.name);
      bool optionsShown = false, resultsShown = false;
      WhenModal(Options, [&] {
        optionsShown = true;
        EXPECT_EQ(Options->Caption(), OptionsCaption);
        ClickTab(Options->PageControl1, "Preferences");
        EXPECT_TRUE(ControlOnScreen(Options->FirstList));
        Options->FirstList->SetItemIndex(First);
        Options->SecondList->SetItemIndex(Second);
        ClickTab(Options->PageControl1, "General");
        EXPECT_EQ(Options->PageControl1->ActivePage(), Options->GeneralSheet);
        Options->IterationsEdit->SetText("200");
        Options->RandomSeedEdit->SetText("11");
        c.closeOptions(Options);
      });
      if (c.closeResults) {
        WhenModal(Results, [&] {
          resultsShown = true;
          EXPECT_EQ(Results->Caption(), ResultsCaption);
          TPageControl* pages = Results->PageControl1;
          for (int i = 0; i < pages->PageCount(); ++i) {
            TTabSheet* sheet = pages->Pages(i);
            ClickTab(pages, sheet->Caption());
            EXPECT_EQ(pages->ActivePage(), sheet);
            EXPECT_TRUE(ControlOnScreen(sheet)) << sheet->Caption();
          }
          ReadResults();
          EXPECT_NE(Results->TimeMemo->Lines()->Text().find("Stop time"), String::npos);
          c.closeResults(Results);
        });
      }
      ChooseMenu(Item);
      EXPECT_TRUE(optionsShown);
      EXPECT_EQ(resultsShown, static_cast<bool>(c.closeResults));
      EXPECT_EQ(Zorvan->RunSim, static_cast<bool>(c.closeResults));
      EXPECT_FALSE(IsOnScreen(Options));
      EXPECT_FALSE(IsOnScreen(Results));
      EXPECT_FALSE(IsOnScreen(Progress));
      ExpectMainWindowUsable();
    }
  }
};

TEST_F(StandardWindows, RegressionOptionsCloseEachWayAndARunShowsItsCharts) {
  RunEachWay(Zorvan->Regression1, RegressionOpts, RegressionShell, "Zorvan Professional: Regression Options",
             "Zorvan Professional: Regression Results", 1, 2, [] {
               ClickTab(RegressionShell->PageControl1, "Charts");
               Settle();
               // Both charts show their blue points and red line.
               for (TChart* chart : {RegressionShell->Chart3, RegressionShell->Chart4}) {
                 SCOPED_TRACE(chart->Title());
                 EXPECT_TRUE(ControlOnScreen(chart));
                 EXPECT_GT(PixelsOfColor(chart, clBlue), 5 * 20);
                 EXPECT_GT(PixelsOfColor(chart, clRed), 100);
               }
             });
}

TEST_F(StandardWindows, AnovaOptionsCloseEachWayAndARunShowsItsResults) {
  RunEachWay(Zorvan->Anova1, AnovaOpts, AnovaShell, "Zorvan Professional: ANOVA Options",
             "Zorvan Professional: ANOVA Results", 0, 2, [] {
               EXPECT_EQ(AnovaShell->MeansStringGrid->Cells(0, 1), "A");
               EXPECT_EQ(AnovaShell->FRatioMemo->Lines()->Count(), 7);
             });
}

// With one data column the options form refuses before it can be used; the message box is
// answered as a person answers it.
TEST_F(StandardWindows, OneColumnIsRefused) {
  ThreeColumns(1);
  String seen;
  AnswerMessageBox("OK", [&](const String& text) { seen = text; });
  ChooseMenu(Zorvan->Regression1);
  EXPECT_EQ(seen, "At least two columns required.");
  EXPECT_FALSE(IsOnScreen(RegressionOpts));
  EXPECT_FALSE(IsOnScreen(RegressionShell));
  ExpectMainWindowUsable();
}

}  // namespace
