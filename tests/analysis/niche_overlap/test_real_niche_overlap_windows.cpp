// The niche-overlap windows under the real window system: the options form opened through the
// main menu and closed each way, the weights editor opened by choosing "User-defined" and by
// "&Edit" and closed each way, a run whose results window is read tab by tab and closed each
// way, and the main window usable afterwards.
#include <functional>

#include "analysis/niche_overlap/NicheOverlapMain.h"
#include "analysis/niche_overlap/NicheOverlapOptions.h"
#include "analysis/niche_overlap/NicheOverlapUDefined.h"
#include "app/ProgressSims.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

void ResourceData() {
  const char* rows[][5] = {{"species", "seeds", "insects", "fruit", "leaves"},
                           {"a", "4", "2", "2", "0"},
                           {"b", "1", "1", "1", "1"},
                           {"c", "0", "x", "3", "1"}};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(4);
  g->SetColCount(5);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c) g->SetCells(c, r, rows[r][c]);
}

struct Case {
  const char* name;
  std::function<void()> closeOptions;
  std::function<void()> closeResults;  // null: no run
};

using NicheWindows = RealWindowTest;

TEST_F(NicheWindows, OptionsCloseEachWayAndARunShowsItsResults) {
  ResourceData();
  TNicheOverlapOpts* o = NicheOverlapOpts;
  const Case cases[] = {
      {"Run, results by close box", [o] { ChooseMenu(o->Run1); }, [] { CloseBox(NicheOverlap); }},
      {"Run, results by Save > Close", [o] { ChooseMenu(o->Run1); }, [] { ChooseMenu(NicheOverlap->Close1); }},
      {"Cancel", [o] { ChooseMenu(o->Cancel1); }, nullptr},
      {"close box", [o] { CloseBox(o); }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool optionsShown = false, resultsShown = false;
    WhenModal(o, [&] {
      optionsShown = true;
      EXPECT_EQ(o->Caption(), "Zorvan Professional: Niche Overlap Options");
      ClickTab(o->PageControl1, "Preferences");
      // On the buttons' marks: a radio button takes clicks on its mark and caption only.
      TControl* czekanowski = o->IndexGroup->Buttons(1);
      ClickAt(czekanowski, 6, czekanowski->Height() / 2);
      EXPECT_EQ(o->IndexGroup->ItemIndex(), 1);
      TControl* retained = o->ZeroStatesGroup->Buttons(1);
      ClickAt(retained, 6, retained->Height() / 2);
      EXPECT_EQ(o->ZeroStatesGroup->ItemIndex(), 1);
      ClickTab(o->PageControl1, "General");
      EXPECT_EQ(o->PageControl1->ActivePage(), o->GeneralSheet);
      o->IterationsEdit->SetText("40");
      o->RandomSeedEdit->SetText("11");
      c.closeOptions();
    });
    if (c.closeResults) {
      WhenModal(NicheOverlap, [&] {
        resultsShown = true;
        EXPECT_EQ(NicheOverlap->Caption(), "Zorvan Professional: Niche Overlap Results");
        TPageControl* pages = NicheOverlap->PageControl1;
        for (int i = 0; i < pages->PageCount(); ++i) {
          TTabSheet* sheet = pages->Pages(i);
          ClickTab(pages, sheet->Caption());
          EXPECT_EQ(pages->ActivePage(), sheet);
          EXPECT_TRUE(ControlOnScreen(sheet)) << sheet->Caption();
        }
        EXPECT_EQ(NicheOverlap->ResponseGrid->Cells(2, 1), "0.75");
        EXPECT_NE(NicheOverlap->TimeMemo->Lines()->Text().find("Stop time"), String::npos);
        c.closeResults();
      });
    }
    ChooseMenu(Zorvan->NicheOverlap1);
    EXPECT_TRUE(optionsShown);
    EXPECT_EQ(resultsShown, static_cast<bool>(c.closeResults));
    EXPECT_EQ(Zorvan->RunSim, static_cast<bool>(c.closeResults));
    EXPECT_FALSE(IsOnScreen(o));
    EXPECT_FALSE(IsOnScreen(NicheOverlap));
    EXPECT_FALSE(IsOnScreen(Progress));
    ExpectMainWindowUsable();
  }
}

// "User-defined" opens the weights editor over the options form; "&Use new weights" with a
// refused weight keeps it open with its message, a good weight closes it; "&Edit" opens it
// again and its close box closes it; the options form then runs with those weights.
TEST_F(NicheWindows, WeightsEditorOpensOverTheOptionsAndClosesEachWay) {
  ResourceData();
  TNicheOverlapOpts* o = NicheOverlapOpts;
  TNicheOverlapUserDefined* w = NicheOverlapUserDefined;
  bool editorShown = false, editedAgain = false, resultsShown = false;
  String refused;
  WhenModal(o, [&] {
    WhenModal(w, [&] {
      editorShown = true;
      EXPECT_EQ(w->Caption(), "Edit sites weights");
      EXPECT_EQ(w->SitesWeightsGrid->Cells(0, 2), "insects");
      w->SitesWeightsGrid->SetCells(1, 2, "0");
      AnswerMessageBox("OK", [&](const String& text) { refused = text; });
      ChooseMenu(w->Usenewweights1);
      EXPECT_TRUE(WaitFor([&] { return !refused.empty(); }));
      EXPECT_TRUE(IsOnScreen(w));
      w->SitesWeightsGrid->SetCells(1, 2, "2.0");
      ChooseMenu(w->Usenewweights1);
    });
    TControl* user = o->ResourceStatesGroup->Buttons(1);
    ClickAt(user, 6, user->Height() / 2);
    EXPECT_TRUE(editorShown);
    EXPECT_FALSE(IsOnScreen(w));
    EXPECT_TRUE(o->DefineButtonCols->Visible());
    WhenModal(w, [&] {
      editedAgain = true;
      EXPECT_EQ(w->SitesWeightsGrid->Cells(1, 2), "2.0");
      CloseBox(w);
    });
    Click(o->DefineButtonCols);
    EXPECT_TRUE(editedAgain);
    EXPECT_EQ(ActiveForm(), o);
    o->IterationsEdit->SetText("20");
    ChooseMenu(o->Run1);
  });
  WhenModal(NicheOverlap, [&] {
    resultsShown = true;
    ClickTab(NicheOverlap->PageControl1, "Summary");
    EXPECT_EQ(NicheOverlap->Memo1->Lines()->Strings(4), "Resource State = User-defined");
    CloseBox(NicheOverlap);
  });
  ChooseMenu(Zorvan->NicheOverlap1);
  EXPECT_EQ(refused, "Weights must be > 0 \r\nerror row: 2");
  EXPECT_TRUE(resultsShown);
  EXPECT_FALSE(IsOnScreen(w));
  ExpectMainWindowUsable();
}

}  // namespace
