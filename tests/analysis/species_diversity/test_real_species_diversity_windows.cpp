// The species-diversity windows under the real window system: the options form opened through
// the main menu and closed each way, the levels editor opened by "User-defined" and "&Edit" and
// closed each way, runs over individuals and samples whose results window is read tab by tab
// and closed each way, and the main window usable afterwards.
#include <functional>

#include "analysis/species_diversity/AbundancelevelsOptions.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
#include "app/ProgressSims.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

void CountData() {
  const char* rows[][3] = {{"species", "plotA", "plotB"}, {"a", "5", "1"}, {"b", "3", "0"},
                           {"c", "2", "4"},              {"d", "0", "2"}};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(5);
  g->SetColCount(3);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 3; ++c) g->SetCells(c, r, rows[r][c]);
}

struct Case {
  const char* name;
  int unit;
  std::function<void()> closeOptions;
  std::function<void()> closeResults;  // null: no run
};

class DiversityWindows : public RealWindowTest {
 protected:
  // Reads every visible tab of the results window.
  static int ReadTabs() {
    int read = 0;
    TPageControl* pages = SpeciesDiversity->PageControl1;
    for (int i = 0; i < pages->PageCount(); ++i) {
      TTabSheet* sheet = pages->Pages(i);
      if (!sheet->TabVisible()) continue;
      ClickTab(pages, sheet->Caption());
      EXPECT_EQ(pages->ActivePage(), sheet);
      EXPECT_TRUE(ControlOnScreen(sheet)) << sheet->Caption();
      ++read;
    }
    return read;
  }
};

TEST_F(DiversityWindows, OptionsCloseEachWayAndRunsShowTheirResults) {
  CountData();
  TSpeciesDiversityOpts* o = SpeciesDiversityOpts;
  const Case cases[] = {
      {"individuals, results by close box", 0, [o] { ChooseMenu(o->Run1); }, [] { CloseBox(SpeciesDiversity); }},
      {"samples, results by Save > Close", 1, [o] { ChooseMenu(o->Run1); },
       [] { ChooseMenu(SpeciesDiversity->Close1); }},
      {"Cancel", 0, [o] { ChooseMenu(o->Cancel1); }, nullptr},
      {"close box", 0, [o] { CloseBox(o); }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool optionsShown = false, resultsShown = false;
    WhenModal(o, [&] {
      optionsShown = true;
      EXPECT_EQ(o->Caption(), "Zorvan Professional: Species Diversity Options");
      ClickTab(o->PageControl1, "Preferences");
      // On the button's mark: a radio button takes clicks on its mark and caption only.
      TControl* unit = o->SpeciesGroup->Buttons(c.unit);
      ClickAt(unit, 6, unit->Height() / 2);
      EXPECT_EQ(o->SpeciesGroup->ItemIndex(), c.unit);
      EXPECT_EQ(ControlOnScreen(o->ColumnToAnalyzeBox), c.unit == 0);
      EXPECT_EQ(ControlOnScreen(o->SampleLevelsGroup), c.unit == 1);
      if (c.unit == 0) o->ColumnList->SetItemIndex(1);
      ClickTab(o->PageControl1, "General");
      o->IterationsEdit->SetText("200");
      o->RandomSeedEdit->SetText("11");
      c.closeOptions();
    });
    if (c.closeResults) {
      WhenModal(SpeciesDiversity, [&] {
        resultsShown = true;
        EXPECT_EQ(SpeciesDiversity->Caption(), "Zorvan Professional: Species Diversity Results");
        EXPECT_EQ(ReadTabs(), c.unit == 1 ? 6 : 5);
        EXPECT_NE(SpeciesDiversity->TimeMemo->Lines()->Text().find("Stop time"), String::npos);
        c.closeResults();
      });
    }
    ChooseMenu(Zorvan->SpeciesDiversity1);
    EXPECT_TRUE(optionsShown);
    EXPECT_EQ(resultsShown, static_cast<bool>(c.closeResults));
    EXPECT_FALSE(IsOnScreen(o));
    EXPECT_FALSE(IsOnScreen(SpeciesDiversity));
    EXPECT_FALSE(IsOnScreen(Progress));
    ExpectMainWindowUsable();
  }
  EXPECT_EQ(o->CurrentColumn, 1);
}

// "User-defined" opens the editor; "&OK", "&Cancel" and the close box each close it; "&Edit"
// opens it again; the options form and the main window take input afterwards.
TEST_F(DiversityWindows, LevelsEditorOpensAndClosesEachWay) {
  CountData();
  TSpeciesDiversityOpts* o = SpeciesDiversityOpts;
  TAbundanceLevelsOpts* e = AbundanceLevelsOpts;
  bool editorShown = false;
  WhenModal(o, [&] {
    ClickTab(o->PageControl1, "Preferences");
    WhenModal(e, [&] {
      editorShown = true;
      EXPECT_EQ(e->Caption(), "Zorvan Professional: Abundance Levels");
      e->Memo1->Lines()->SetText("2\r\n6");
      Click(e->OKButton);
    });
    TControl* user = o->AbundanceLevelsGroup->Buttons(1);
    ClickAt(user, 6, user->Height() / 2);
    EXPECT_TRUE(editorShown);
    EXPECT_FALSE(IsOnScreen(e));
    EXPECT_TRUE(ControlOnScreen(o->DefineButton));
    // Cancel undoes the edits of its showing.
    WhenModal(e, [&] {
      e->Memo1->Lines()->SetText("99");
      Click(e->CancelButton);
    });
    Click(o->DefineButton);
    EXPECT_EQ(e->Memo1->Lines()->Text(), "2\r\n6\r\n");
    WhenModal(e, [&] { CloseBox(e); });
    Click(o->DefineButton);
    EXPECT_FALSE(IsOnScreen(e));
    EXPECT_EQ(ActiveForm(), o);
    ClickTab(o->PageControl1, "General");
    o->IterationsEdit->SetText("50");
    ChooseMenu(o->Run1);
  });
  WhenModal(SpeciesDiversity, [&] {
    ClickTab(SpeciesDiversity->PageControl1, "Diversity Curve");
    EXPECT_EQ(SpeciesDiversity->DiversityCurveStringGrid->RowCount(), 4);
    EXPECT_EQ(SpeciesDiversity->DiversityCurveStringGrid->Cells(0, 3), "6");
    CloseBox(SpeciesDiversity);
  });
  ChooseMenu(Zorvan->SpeciesDiversity1);
  EXPECT_FALSE(AnyModalWindow());
  ExpectMainWindowUsable();
}

}  // namespace
