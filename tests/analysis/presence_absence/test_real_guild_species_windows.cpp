// The guild-structure and species-overlap windows under the real window system: each options
// form opened through the main menu and closed each way, a run whose results window is read
// tab by tab and closed each way, and the main window usable afterwards.
#include <functional>

#include "analysis/presence_absence/GuildStructureMain.h"
#include "analysis/presence_absence/GuildStructureOptions.h"
#include "analysis/presence_absence/SpeciesOverlapMain.h"
#include "analysis/presence_absence/SpeciesOverlapOptions.h"
#include "app/ProgressSims.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

// Species rows labelled in column 1: two groups of three.
void LabelledData() {
  const char* rows[][6] = {{"species", "guild", "s1", "s2", "s3", "s4"}, {"a1", "A", "1", "1", "0", "0"},
                           {"a2", "A", "0", "0", "1", "1"},           {"a3", "A", "1", "0", "1", "0"},
                           {"b1", "B", "1", "1", "1", "0"},           {"b2", "B", "0", "1", "1", "0"},
                           {"b3", "B", "0", "1", "0", "0"}};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(7);
  g->SetColCount(6);
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 6; ++c) g->SetCells(c, r, rows[r][c]);
}

struct Case {
  const char* name;
  std::function<void(TGroupOptions*)> closeOptions;
  std::function<void(TGroupResults*)> closeResults;  // null: no run
};

const Case kCases[] = {
    {"Run, results by close box", [](TGroupOptions* o) { ChooseMenu(o->Run1); },
     [](TGroupResults* r) { CloseBox(r); }},
    {"Run, results by Save > Close", [](TGroupOptions* o) { ChooseMenu(o->Run1); },
     [](TGroupResults* r) { ChooseMenu(r->Close1); }},
    {"Cancel", [](TGroupOptions* o) { ChooseMenu(o->Cancel1); }, nullptr},
    {"close box", [](TGroupOptions* o) { CloseBox(o); }, nullptr},
};

class GroupWindows : public RealWindowTest {
 protected:
  // Opens the options through the menu, answers them, and reads the results when they come.
  void RunEachWay(TMenuItem* Item, TGroupOptions* Options, TGroupResults* Results, const String& OptionsCaption,
                  const String& ResultsCaption, const std::function<void()>& SetPreferences) {
    LabelledData();
    for (const Case& c : kCases) {
      SCOPED_TRACE(c.name);
      bool optionsShown = false, resultsShown = false;
      WhenModal(Options, [&] {
        optionsShown = true;
        EXPECT_EQ(Options->Caption(), OptionsCaption);
        ClickTab(Options->PageControl1, "Preferences");
        SetPreferences();
        ClickTab(Options->PageControl1, "General");
        EXPECT_EQ(Options->PageControl1->ActivePage(), Options->GeneralSheet);
        Options->IterationsEdit->SetText("40");
        Options->RandomSeedEdit->SetText("11");
        c.closeOptions(Options);
      });
      if (c.closeResults) {
        WhenModal(Results, [&] {
          resultsShown = true;
          EXPECT_EQ(Results->Caption(), ResultsCaption);
          int read = 0;
          TPageControl* pages = Results->PageControl1;
          for (int i = 0; i < pages->PageCount(); ++i) {
            TTabSheet* sheet = pages->Pages(i);
            if (!sheet->TabVisible()) continue;
            ClickTab(pages, sheet->Caption());
            EXPECT_EQ(pages->ActivePage(), sheet);
            EXPECT_TRUE(ControlOnScreen(sheet)) << sheet->Caption();
            ++read;
          }
          EXPECT_GE(read, 7);
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

TEST_F(GroupWindows, GuildStructureOptionsCloseEachWayAndARunShowsItsResults) {
  RunEachWay(Zorvan->GuildStructure1, GuildStructureOpts, GuildStructure,
             "Zorvan Professional: Guild Structure Options", "Zorvan Professional: Guild Structure Results", [] {
               // Clicking "By region" disables the favored-states box; "By guild" enables it.
               Click(GuildStructureOpts->Grouping->Buttons(1));
               EXPECT_FALSE(GuildStructureOpts->FavoredStatesCheckBox->Enabled());
               Click(GuildStructureOpts->Grouping->Buttons(0));
               EXPECT_TRUE(GuildStructureOpts->FavoredStatesCheckBox->Enabled());
               GuildStructureOpts->FavoredStatesCheckBox->SetChecked(true);
             });
  EXPECT_TRUE(GuildStructure->FavoredStatesSheet->TabVisible());
}

TEST_F(GroupWindows, SpeciesOverlapOptionsCloseEachWayAndARunShowsItsResults) {
  RunEachWay(Zorvan->SpeciesOverlap1, SpeciesOverlapOpts, SpeciesOverlap,
             "Zorvan Professional: Species Overlap Options", "Zorvan Professional: Species Overlap Results", [] {
               // On the button's mark: a radio button takes clicks on its mark and caption only.
               TControl* equiprobable = SpeciesOverlapOpts->RandomizationGroup->Buttons(0);
               ClickAt(equiprobable, 6, equiprobable->Height() / 2);
               EXPECT_EQ(SpeciesOverlapOpts->RandomizationGroup->ItemIndex(), 0);
             });
  EXPECT_FALSE(SpeciesOverlap->FavoredStatesSheet->TabVisible());
}

}  // namespace
