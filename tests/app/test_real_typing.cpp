// Typing into the options form under the real window system: what a person types over a
// selected value is the value the run uses.
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "classlib/SysUtils.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;
using ProgramTyping = RealWindowTest;

// 5 species x 6 sites.
void SetSmallMatrix() {
  const char* rows[] = {"110001", "011000", "100110", "000011", "101000"};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(6);
  g->SetColCount(7);
  for (int c = 1; c <= 6; ++c) g->SetCells(c, 0, "s" + IntToStr(c));
  for (int r = 1; r <= 5; ++r) {
    g->SetCells(0, r, "sp" + IntToStr(r));
    for (int c = 1; c <= 6; ++c) g->SetCells(c, r, String(1, rows[r - 1][c - 1]));
  }
}

TEST_F(ProgramTyping, IterationsAndSeedTypedOverTheirSelectionAreWhatTheRunUses) {
  SetSmallMatrix();
  bool results = false;
  WhenModal(CoOccurrenceOpts, [&] {
    TCoOccurrenceOpts* o = CoOccurrenceOpts;
    ClickTab(o->PageControl1, "General");
    // The number as a person selects it: a double-click on "5000".
    DoubleClickAt(o->IterationsEdit, 12, o->IterationsEdit->Height() / 2);
    Type(o->IterationsEdit, "500");
    EXPECT_EQ(ShownText(o->IterationsEdit), "500   ");
    // The seed edit: its whole text selected with Shift+Home from the end.
    Click(o->RandomSeedEdit);
    Key(o->RandomSeedEdit, VK_END);
    Key(o->RandomSeedEdit, VK_HOME, TShiftState{ssShift});
    Type(o->RandomSeedEdit, "42");
    EXPECT_EQ(ShownText(o->RandomSeedEdit), "42");
    ChooseMenu(o->Run1);
  });
  WhenModal(CoOccurrence, [&] {
    results = true;
    CloseBox(CoOccurrence);
  });
  ChooseMenu(Zorvan->CoOccurrence1);
  EXPECT_TRUE(results);
  EXPECT_EQ(CoOccurrenceOpts->IterationsEdit->Text(), "500   ");
  EXPECT_EQ(Zorvan->Iterations, 500);
  EXPECT_EQ(CoOccurrence->Iterations, 500);
  EXPECT_EQ(CoOccurrence->Seed, 42);
  ExpectMainWindowUsable();
}

}  // namespace
