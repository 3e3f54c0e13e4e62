// The size-overlap windows under the real window system: the options form opened through the
// main menu and closed each way; its radio groups clicked, which opens the parameter dialogs
// and the histogram editor with its pool-size dialog, each closed by its button or its close
// box; a refused value answered in its message box; a run whose results window is read tab
// by tab and closed each way; and the main window usable afterwards.
#include <functional>

#include "analysis/size_overlap/SizeOverlapMain.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "analysis/size_overlap/SizeOverlapUDefined.h"
#include "analysis/size_overlap/SizeOverlapUDefined3.h"
#include "analysis/size_overlap/SizeOverlapUDefined4.h"
#include "app/ProgressSims.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

void SizeData() {
  const char* rows[][3] = {{"species", "length", "mass"},
                           {"a", "2", "10"},
                           {"b", "3", "12"},
                           {"c", "7", "30"},
                           {"d", "11", "41"},
                           {"e", "20", "80"}};
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(6);
  g->SetColCount(3);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 3; ++c) g->SetCells(c, r, rows[r][c]);
}

// On the button's round mark: a radio button takes clicks on its mark and caption only.
void ClickRadio(TRadioGroup* Group, int Index) {
  TControl* button = Group->Buttons(Index);
  ClickAt(button, 6, button->Height() / 2);
}

void Retype(TCustomEdit* Edit, const String& Text) {
  Click(Edit);
  Key(Edit, VK_END);
  for (size_t i = Edit->Text().size(); i > 0; --i) Key(Edit, VK_BACK);
  Type(Edit, Text);
}

struct Case {
  const char* name;
  std::function<void()> closeOptions;
  std::function<void()> closeResults;  // null: no run
};

class SizeWindows : public RealWindowTest {};

TEST_F(SizeWindows, OptionsCloseEachWayAndARunShowsItsResults) {
  SizeData();
  const Case cases[] = {
      {"Run, results by close box", [] { ChooseMenu(SizeOverlapOpts->Run1); }, [] { CloseBox(SizeOverlap); }},
      {"Run, results by Save > Close", [] { ChooseMenu(SizeOverlapOpts->Run1); },
       [] { ChooseMenu(SizeOverlap->Close1); }},
      {"Cancel", [] { ChooseMenu(SizeOverlapOpts->Cancel1); }, nullptr},
      {"close box", [] { CloseBox(SizeOverlapOpts); }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool optionsShown = false, resultsShown = false;
    WhenModal(SizeOverlapOpts, [&] {
      optionsShown = true;
      EXPECT_EQ(SizeOverlapOpts->Caption(), "Zorvan Professional: Size Overlap Options");
      ClickTab(SizeOverlapOpts->PageControl1, "Preferences");
      ClickRadio(SizeOverlapOpts->MetricGroup, 0);
      EXPECT_EQ(SizeOverlapOpts->MetricGroup->ItemIndex(), 0);
      ClickTab(SizeOverlapOpts->PageControl1, "General");
      SizeOverlapOpts->IterationsEdit->SetText("40");
      SizeOverlapOpts->RandomSeedEdit->SetText("11");
      c.closeOptions();
    });
    if (c.closeResults) {
      WhenModal(SizeOverlap, [&] {
        resultsShown = true;
        EXPECT_EQ(SizeOverlap->Caption(), "Zorvan -- Size Overlap Results");
        TPageControl* pages = SizeOverlap->PageControl1;
        for (int i = 0; i < pages->PageCount(); ++i) {
          TTabSheet* sheet = pages->Pages(i);
          ClickTab(pages, sheet->Caption());
          EXPECT_EQ(pages->ActivePage(), sheet);
          EXPECT_TRUE(ControlOnScreen(sheet)) << sheet->Caption();
          if (sheet == SizeOverlap->SummarySheet) {
            EXPECT_TRUE(ControlOnScreen(SizeOverlap->Memo1));
          }
        }
        EXPECT_EQ(pages->PageCount(), 7);
        EXPECT_NE(SizeOverlap->Memo1->Lines()->Text().find("Metric = Minimum segment length."), String::npos);
        c.closeResults();
      });
    }
    ChooseMenu(Zorvan->SizeOverlap1);
    EXPECT_TRUE(optionsShown);
    EXPECT_EQ(resultsShown, static_cast<bool>(c.closeResults));
    EXPECT_FALSE(IsOnScreen(SizeOverlapOpts));
    EXPECT_FALSE(IsOnScreen(SizeOverlap));
    EXPECT_FALSE(IsOnScreen(Progress));
    ExpectMainWindowUsable();
  }
}

// Clicking the groups opens each dialog over the options form; each closes its own way and
// the options form takes input again.
TEST_F(SizeWindows, DialogsOpenFromTheOptionsAndCloseEachWay) {
  SizeData();
  bool ud5 = false, ud1 = false, ud3 = false, ud4 = false;
  WhenModal(SizeOverlapOpts, [&] {
    TSizeOverlapOpts* o = SizeOverlapOpts;
    ClickTab(o->PageControl1, "Preferences");
    // Log uniform hides the rounding; "User defined" opens its end points at once.
    ClickRadio(o->BodySizeDistributionGroupMain, 2);
    EXPECT_FALSE(ControlOnScreen(o->RoundingGroup));
    WhenModal(SizeOverLapUD5, [&] {
      ud5 = true;
      EXPECT_EQ(SizeOverLapUD5->Caption(), "Zorvan Professional: Transformed end points");
      Retype(SizeOverLapUD5->MinimumEdit, "0.1");
      Click(SizeOverLapUD5->OkButton);
    });
    ClickRadio(o->BodySizeDistributionGroupC, 1);
    EXPECT_TRUE(ud5);
    EXPECT_EQ(SizeOverLapUD5->MinimumEdit->Text(), "0.1");
    EXPECT_EQ(ActiveForm(), o);

    // Uniform: a refused minimum, then the close box: the message again and the defaults.
    std::vector<String> seen;
    auto record = [&](const String& text) { seen.push_back(text); };
    WhenModal(SizeOverLapUD1, [&] {
      ud1 = true;
      Retype(SizeOverLapUD1->MinimumEdit, "0");
      AnswerMessageBox("OK", record);
      Click(SizeOverLapUD1->OkButton);
      EXPECT_EQ(SizeOverLapUD1->ModalResult(), mrNone);
      AnswerMessageBox("OK", [&](const String& text) {
        record(text);
        AnswerMessageBox("OK", record);
      });
      CloseBox(SizeOverLapUD1);
    });
    ClickRadio(o->BodySizeDistributionGroupMain, 0);
    EXPECT_TRUE(ud1);
    EXPECT_EQ(seen, (std::vector<String>{"Minimum must be > 0.", "Minimum must be > 0.", "Resetting defaults!"}));
    EXPECT_EQ(SizeOverLapUD1->MinimumEdit->Text(), "1.80000");
    EXPECT_TRUE(ControlOnScreen(o->RoundingGroup));

    // The histogram editor and its pool-size dialog.
    WhenModal(SizeOverLapUD3, [&] {
      ud3 = true;
      EXPECT_EQ(SizeOverLapUD3->SpeciesHistogramGrid->Cells(1, 4), "11");
      WhenModal(SizeOverLapUD4, [&] {
        ud4 = true;
        EXPECT_EQ(SizeOverLapUD4->SpeciesEdit->Text(), "5");
        Click(SizeOverLapUD4->CancelButton);
      });
      Click(SizeOverLapUD3->Button1);
      EXPECT_TRUE(ud4);
      EXPECT_EQ(ActiveForm(), SizeOverLapUD3);
      ChooseMenu(SizeOverLapUD3->Usehistogram1);
    });
    ClickRadio(o->BodySizeDistributionGroup, 1);
    EXPECT_TRUE(ud3);
    EXPECT_FALSE(o->BodySizeDistributionGroupMain->Enabled());
    // "&Edit" opens the editor again; its close box closes it.
    WhenModal(SizeOverLapUD3, [&] { CloseBox(SizeOverLapUD3); });
    Click(o->EditUserDefinedButton);
    ClickRadio(o->BodySizeDistributionGroup, 0);
    ClickRadio(o->BodySizeDistributionGroupC, 0);
    EXPECT_EQ(ActiveForm(), o);
    ChooseMenu(o->Cancel1);
  });
  ChooseMenu(Zorvan->SizeOverlap1);
  EXPECT_TRUE(ud3);
  EXPECT_FALSE(IsOnScreen(SizeOverLapUD3));
  EXPECT_FALSE(IsOnScreen(SizeOverlapOpts));
  ExpectMainWindowUsable();
}

// The normal laws' dialogs and the pool size confirmed, each window closed the other way.
TEST_F(SizeWindows, NormalDialogsAndPoolSize) {
  SizeData();
  bool ud2 = false, ud6 = false, ud4 = false;
  WhenModal(SizeOverlapOpts, [&] {
    TSizeOverlapOpts* o = SizeOverlapOpts;
    ClickTab(o->PageControl1, "Preferences");
    ClickRadio(o->BodySizeDistributionGroupMain, 1);
    WhenModal(SizeOverLapUD2, [&] {
      ud2 = true;
      EXPECT_EQ(SizeOverLapUD2->Caption(), "Zorvan Professional: Untransformed normal distribution");
      EXPECT_EQ(SizeOverLapUD2->MeanEdit->Text(), "8.60000");
      CloseBox(SizeOverLapUD2);
    });
    ClickRadio(o->BodySizeDistributionGroupC, 1);
    EXPECT_TRUE(ud2);
    WhenModal(SizeOverLapUD6, [&] {
      ud6 = true;
      Retype(SizeOverLapUD6->SDEdit, "0.5");
      Click(SizeOverLapUD6->OKButton);
    });
    ClickRadio(o->BodySizeDistributionGroupMain, 3);
    EXPECT_TRUE(ud6);
    EXPECT_EQ(SizeOverLapUD6->SDEdit->Text(), "0.5");
    WhenModal(SizeOverLapUD3, [&] {
      WhenModal(SizeOverLapUD4, [&] {
        ud4 = true;
        Retype(SizeOverLapUD4->SpeciesEdit, "7");
        Click(SizeOverLapUD4->OKButton);
      });
      Click(SizeOverLapUD3->Button1);
      EXPECT_EQ(SizeOverLapUD3->SpeciesPoolLabel->Caption(), "7");
      EXPECT_EQ(SizeOverLapUD3->SpeciesHistogramGrid->RowCount(), 8);
      CloseBox(SizeOverLapUD3);
    });
    ClickRadio(o->BodySizeDistributionGroup, 1);
    EXPECT_TRUE(ud4);
    CloseBox(o);
  });
  ChooseMenu(Zorvan->SizeOverlap1);
  EXPECT_FALSE(IsOnScreen(SizeOverlapOpts));
  ExpectMainWindowUsable();
}

}  // namespace
