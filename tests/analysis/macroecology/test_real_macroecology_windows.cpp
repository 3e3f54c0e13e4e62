// The macroecology windows under the real window system: the options form opened through the
// main menu and closed each way; the end-point dialog opened by clicking its constraint,
// refusing a bad value with its message box, then accepted; the normal dialog closed by its
// close box and reopened by "&Edit"; a run whose results window is read tab by tab (all four
// charts seen drawn in their colours) and closed each way; the main window usable afterwards.
#include <functional>

#include "analysis/macroecology/MacroEcologyUDefined1.h"
#include "analysis/macroecology/MacroEcologyUDefined2.h"
#include "analysis/macroecology/MacroecologyMain.h"
#include "analysis/macroecology/MacroecologyOptions.h"
#include "app/ProgressSims.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

void Data(int columns = 2) {
  const char* rows[][3] = {{"species", "size", "range"}, {"a", "1", "2"}, {"b", "2", "5"},
                           {"c", "3", "1"},              {"d", "4", "4"}, {"e", "6", "3"}};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(6);
  g->SetColCount(columns + 1);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c <= columns; ++c) g->SetCells(c, r, rows[r][c]);
}

// A radio item is clicked on its circle: the empty space right of its text takes no click.
void ClickItem(TRadioGroup* Group, int Index) { ClickAt(Group->Buttons(Index), 8, 11); }

using MacroecologyWindows = RealWindowTest;

TEST_F(MacroecologyWindows, OptionsCloseEachWayAndARunShowsEveryTab) {
  Data();
  struct Case {
    const char* name;
    std::function<void()> closeOptions;
    std::function<void()> closeResults;  // null: no run
  };
  TMacroecologyOpts* o = MacroecologyOpts;
  const Case cases[] = {
      {"Run, results by close box", [o] { ChooseMenu(o->Run1); }, [] { CloseBox(MacroEcology); }},
      {"Run, results by Save > Close", [o] { ChooseMenu(o->Run1); }, [] { ChooseMenu(MacroEcology->Close1); }},
      {"Cancel", [o] { ChooseMenu(o->Cancel1); }, nullptr},
      {"close box", [o] { CloseBox(o); }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool optionsShown = false, resultsShown = false;
    WhenModal(o, [&] {
      optionsShown = true;
      EXPECT_EQ(o->Caption(), "Zorvan Professional: Macroecology Options");
      ClickTab(o->PageControl1, "Preferences");
      EXPECT_TRUE(ControlOnScreen(o->PatternGroup));
      Settle();
      ClickItem(o->PatternGroup, 2);
      EXPECT_EQ(o->PatternGroup->ItemIndex(), 2);
      ClickItem(o->BoundaryGroup, 1);
      EXPECT_EQ(o->BoundaryGroup->ItemIndex(), 1);
      ClickTab(o->PageControl1, "General");
      o->IterationsEdit->SetText("200");
      o->RandomSeedEdit->SetText("11");
      c.closeOptions();
    });
    if (c.closeResults) {
      WhenModal(MacroEcology, [&] {
        resultsShown = true;
        TPageControl* pages = MacroEcology->PageControl1;
        // The tab row is wider than the window: the first tab is clicked, the others reached
        // with the arrow key, which scrolls the row as it goes.
        ClickTab(pages, "Input Matrix");
        for (int i = 0; i < pages->PageCount(); ++i) {
          TTabSheet* sheet = pages->Pages(i);
          if (i > 0) Key(pages, VK_RIGHT);
          EXPECT_EQ(pages->ActivePage(), sheet);
          EXPECT_TRUE(ControlOnScreen(sheet)) << sheet->Caption();
        }
        // Back to the boundary charts (two tabs left of "Time"), then to the regression charts
        // (five further): each chart shows its blue points and red line.
        struct {
          int steps;
          TTabSheet* sheet;
          TChart* charts[2];
        } const chartPages[] = {
            {2, MacroEcology->BoundaryChartsSheet, {MacroEcology->Chart1, MacroEcology->Chart2}},
            {5, MacroEcology->RegressionChartsSheet, {MacroEcology->Chart3, MacroEcology->Chart4}}};
        for (const auto& p : chartPages) {
          for (int i = 0; i < p.steps; ++i) Key(pages, VK_LEFT);
          ASSERT_EQ(pages->ActivePage(), p.sheet);
          Settle();
          for (TChart* chart : p.charts) {
            SCOPED_TRACE(chart->Name());
            EXPECT_TRUE(ControlOnScreen(chart));
            EXPECT_GT(PixelsOfColor(chart, clBlue), 5 * 20);
            EXPECT_GT(PixelsOfColor(chart, clRed), 50);
          }
        }
        EXPECT_EQ(MacroEcology->Memo1->Lines()->Strings(7), "Shape = Pyramid");
        EXPECT_EQ(MacroEcology->Memo1->Lines()->Strings(8), "Boundary test = Upper Left");
        c.closeResults();
      });
    }
    ChooseMenu(Zorvan->Macroecology1);
    EXPECT_TRUE(optionsShown);
    EXPECT_EQ(resultsShown, static_cast<bool>(c.closeResults));
    EXPECT_FALSE(IsOnScreen(o));
    EXPECT_FALSE(IsOnScreen(MacroEcology));
    EXPECT_FALSE(IsOnScreen(Progress));
    ExpectMainWindowUsable();
  }
}

// The constraint dialogs over the options form: a bad end point refused in a message box and
// the dialog still up; a good one accepted; the normal dialog closed by its close box and
// reopened by "&Edit" with the values it kept; the options form usable afterwards.
TEST_F(MacroecologyWindows, ConstraintDialogsOverTheOptionsForm) {
  Data();
  TMacroecologyOpts* o = MacroecologyOpts;
  String seen;
  int normalShown = 0;
  WhenModal(o, [&] {
    ClickTab(o->PageControl1, "Preferences");
    WhenModal(MacroEcologyUD1, [&] {
      EXPECT_EQ(MacroEcologyUD1->MaximumXEdit->Text(), "6.00000");
      Click(MacroEcologyUD1->MinimumXEdit);
      Key(MacroEcologyUD1->MinimumXEdit, VK_END);
      for (int i = 0; i < 10; ++i) Key(MacroEcologyUD1->MinimumXEdit, VK_BACK);
      Type(MacroEcologyUD1->MinimumXEdit, "9");
      AnswerMessageBox("OK", [&](const String& text) { seen = text; });
      Click(MacroEcologyUD1->OkButton);
      EXPECT_TRUE(IsOnScreen(MacroEcologyUD1));
      MacroEcologyUD1->MinimumXEdit->SetText("0");
      Click(MacroEcologyUD1->OkButton);
    });
    ClickItem(o->ConstraintsGroup, 1);
    EXPECT_FALSE(IsOnScreen(MacroEcologyUD1));
    EXPECT_TRUE(ControlOnScreen(o->EditButton));
    WhenModal(MacroEcologyUD2, [&] {
      ++normalShown;
      MacroEcologyUD2->MeanXEdit->SetText("4");
      CloseBox(MacroEcologyUD2);
    });
    ClickItem(o->ConstraintsGroup, 2);
    WhenModal(MacroEcologyUD2, [&] {
      ++normalShown;
      EXPECT_EQ(MacroEcologyUD2->MeanXEdit->Text(), "4");
      Click(MacroEcologyUD2->OKButton);
    });
    Click(o->EditButton);
    EXPECT_EQ(ActiveForm(), o);
    ChooseMenu(o->Cancel1);
  });
  ChooseMenu(Zorvan->Macroecology1);
  EXPECT_EQ(seen, "Maximum X must be > Minimum X");
  EXPECT_EQ(normalShown, 2);
  EXPECT_FALSE(IsOnScreen(o));
  ExpectMainWindowUsable();
}

}  // namespace
