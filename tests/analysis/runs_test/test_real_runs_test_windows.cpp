// The runs test windows under the real window system: the options form opened through the
// main menu, its choices clicked, closed each way; the results window read tab by tab, its
// summary saved through its menu and the window closed each way; the main window usable after.
#include <functional>

#include "analysis/runs_test/RunsTestMain.h"
#include "analysis/runs_test/RunsTestOptions.h"
#include "app/ProgressSims.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

void SetColumns() {
  const char* rows[][3] = {{"species", "x", "y"}, {"a", "5", "1"}, {"b", "1", "0"},
                           {"c", "3", "1"},       {"d", "2", "1"}, {"e", "4", "0"}};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(6);
  g->SetColCount(3);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 3; ++c) g->SetCells(c, r, rows[r][c]);
}

struct Case {
  const char* name;
  std::function<void()> closeOptions;
  std::function<void()> closeResults;  // null: no run
};

const Case kCases[] = {
    {"Run, results by close box", [] { ChooseMenu(RunsTestOpts->Run1); }, [] { CloseBox(RunsTestShell); }},
    {"Run, results by Save > Close", [] { ChooseMenu(RunsTestOpts->Run1); },
     [] { ChooseMenu(RunsTestShell->Close1); }},
    {"Cancel", [] { ChooseMenu(RunsTestOpts->Cancel1); }, nullptr},
    {"close box", [] { CloseBox(RunsTestOpts); }, nullptr},
};

using RunsTestWindows = RealWindowTest;

TEST_F(RunsTestWindows, OptionsAndResultsCloseEachWay) {
  SetColumns();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    bool optionsShown = false, resultsShown = false;
    WhenModal(RunsTestOpts, [&] {
      optionsShown = true;
      ClickTab(RunsTestOpts->PageControl1, "Preferences");
      EXPECT_TRUE(ControlOnScreen(RunsTestOpts->DataTypeGroup));
      // "Proportional" and "With replacement" by clicking their buttons' rows.
      ClickAt(RunsTestOpts->SimulationGroup, 30, 52);
      ClickAt(RunsTestOpts->SamplingAlgorithmGroup, 30, 52);
      Settle();
      EXPECT_EQ(RunsTestOpts->SimulationGroup->ItemIndex(), 1);
      EXPECT_EQ(RunsTestOpts->SamplingAlgorithmGroup->ItemIndex(), 1);
      ClickTab(RunsTestOpts->PageControl1, "General");
      RunsTestOpts->IterationsEdit->SetText("200");
      RunsTestOpts->RandomSeedEdit->SetText("11");
      c.closeOptions();
    });
    if (c.closeResults) {
      WhenModal(RunsTestShell, [&] {
        resultsShown = true;
        TPageControl* pages = RunsTestShell->PageControl1;
        for (int i = 0; i < pages->PageCount(); ++i) {
          TTabSheet* sheet = pages->Pages(i);
          ClickTab(pages, sheet->Caption());
          EXPECT_EQ(pages->ActivePage(), sheet);
          EXPECT_TRUE(ControlOnScreen(sheet)) << sheet->Caption();
        }
        EXPECT_EQ(RunsTestShell->Memo1->Lines()->Strings(5), "Simulation constraints = proportional.");
        EXPECT_EQ(RunsTestShell->LongestRunMemo->Lines()->Strings(0), "Observed longest run = 2");
        c.closeResults();
      });
    }
    ChooseMenu(Zorvan->RunsTest1);
    EXPECT_TRUE(optionsShown);
    EXPECT_EQ(resultsShown, static_cast<bool>(c.closeResults));
    EXPECT_FALSE(IsOnScreen(RunsTestOpts));
    EXPECT_FALSE(IsOnScreen(RunsTestShell));
    EXPECT_FALSE(IsOnScreen(Progress));
    ExpectMainWindowUsable();
  }
}

}  // namespace
