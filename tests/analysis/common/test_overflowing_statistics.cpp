// Statistics beyond the range of a double, through the main window as a person meets them: each
// analysis whose data can carry such numbers ends its run with "Floating point overflow." in
// the error box, shows no results and writes no batch row, and the next run goes on. The
// presence-absence analyses and species diversity are not in the table: their indices are
// counts and proportions of at most a few hundred thousand cells, which no data can overflow.
#include <cmath>
#include <functional>

#include "analysis/anova/AnovaMain.h"
#include "analysis/anova/AnovaOptions.h"
#include "analysis/chi_square/ChiSquareMain.h"
#include "analysis/chi_square/ChiSquareOptions.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/macroecology/MacroecologyMain.h"
#include "analysis/macroecology/MacroecologyOptions.h"
#include "analysis/niche_overlap/NicheOverlapMain.h"
#include "analysis/niche_overlap/NicheOverlapOptions.h"
#include "analysis/regression/RegressionMain.h"
#include "analysis/regression/RegressionOptions.h"
#include "analysis/runs_test/RunsTestMain.h"
#include "analysis/runs_test/RunsTestOptions.h"
#include "analysis/size_overlap/SizeOverlapMain.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "app/ProgressSims.h"
#include "classlib/Exceptions.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "support/ProgramFixture.h"

namespace {

using Rows = std::vector<std::vector<String>>;
using Lines = std::vector<String>;

void SetData(const Rows& rows) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(static_cast<int>(rows.size()));
  g->SetColCount(static_cast<int>(rows[0].size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
}

// The general page as a person fills it, then "&Run".
template <class TOpts>
void RunWith(TOpts* Options, const char* Iterations = "20") {
  Options->IterationsEdit->SetText(Iterations);
  Options->RandomSeedEdit->SetText("5");
  Options->Run1->Click();
}

struct Case {
  const char* name;
  TMenuItem* (*command)();
  TForm* (*options)();
  TForm* (*results)();
  std::function<void(bool Overflowing)> answer;  // fills the options form and runs
  Rows overflowing;              // data with a statistic beyond the range of a double
  Rows plain;                    // data of an ordinary run
};

const Case kCases[] = {
    // The line is finite; the variance of the simulated y-intercepts is not.
    {"regression", [] { return Zorvan->Regression1; }, []() -> TForm* { return RegressionOpts; },
     []() -> TForm* { return RegressionShell; }, [](bool) {
       RegressionOpts->FirstList->SetItemIndex(0);
       RegressionOpts->SecondList->SetItemIndex(1);
       RunWith(RegressionOpts);
     },
     {{"species", "x", "y"}, {"a", "1e300", "1e300"}, {"b", "-1e300", "2e300"}, {"c", "1e300", "-1e300"}},
     {{"species", "x", "y"}, {"a", "1", "2"}, {"b", "2", "4"}, {"c", "3", "5"}, {"d", "4", "4"}}},
    {"ANOVA", [] { return Zorvan->Anova1; }, []() -> TForm* { return AnovaOpts; },
     []() -> TForm* { return AnovaShell; }, [](bool) {
       AnovaOpts->FirstList->SetItemIndex(0);
       AnovaOpts->SecondList->SetItemIndex(1);
       RunWith(AnovaOpts);
     },
     {{"species", "g", "v"}, {"a", "A", "1e200"}, {"b", "A", "-1e200"}, {"c", "B", "1"}, {"d", "B", "2"}},
     {{"species", "g", "v"}, {"a", "A", "1"}, {"b", "A", "2"}, {"c", "B", "5"}, {"d", "B", "6"}}},
    // Observed 0 against counts of 1e-308: any other simulated table is beyond the range.
    {"chi-square", [] { return Zorvan->ChiSquare1; }, []() -> TForm* { return ChiSquareOpts; },
     []() -> TForm* { return ChiSquareShell; },
     [](bool Overflowing) {
       if (Overflowing) ChiSquareOpts->ExpectedGrid->SetCells(1, 1, "1e-308");
       RunWith(ChiSquareOpts);
     },
     {{"species", "s1", "s2"}, {"a", "10", "20"}, {"b", "30", "40"}},
     {{"species", "s1", "s2"}, {"a", "10", "20"}, {"b", "30", "40"}}},
    {"runs test", [] { return Zorvan->RunsTest1; }, []() -> TForm* { return RunsTestOpts; },
     []() -> TForm* { return RunsTestShell; }, [](bool) { RunWith(RunsTestOpts); },
     {{"species", "x", "y"}, {"a", "1e300", "1"}, {"b", "-1e300", "1"}, {"c", "3e300", "1"}},
     {{"species", "x", "y"}, {"a", "1", "1"}, {"b", "2", "0"}, {"c", "3", "1"}, {"d", "4", "1"}}},
    // The observed sum of squares of the shape test.
    {"macroecology", [] { return Zorvan->Macroecology1; }, []() -> TForm* { return MacroecologyOpts; },
     []() -> TForm* { return MacroEcology; }, [](bool) {
       MacroecologyOpts->XvariableList->SetItemIndex(0);
       MacroecologyOpts->YvariableList->SetItemIndex(1);
       RunWith(MacroecologyOpts);
     },
     {{"species", "x", "y"},
      {"a", "1", "1e300"},
      {"b", "2", "-1e300"},
      {"c", "3", "5e299"},
      {"d", "4", "-5e299"},
      {"e", "5", "2e299"}},
     {{"species", "x", "y"}, {"a", "1", "3"}, {"b", "2", "1"}, {"c", "3", "4"}, {"d", "4", "2"}, {"e", "5", "5"}}},
    // Segments between sizes near the largest double.
    {"size overlap", [] { return Zorvan->SizeOverlap1; }, []() -> TForm* { return SizeOverlapOpts; },
     []() -> TForm* { return SizeOverlap; }, [](bool) { RunWith(SizeOverlapOpts); },
     {{"species", "size"}, {"a", "1e308"}, {"b", "1.7e308"}, {"c", "1.2e308"}, {"d", "1.5e308"}},
     {{"species", "size"}, {"a", "10"}, {"b", "17"}, {"c", "12"}, {"d", "15"}}},
    // A row whose total is beyond the range has no proportions to compare.
    {"niche overlap", [] { return Zorvan->NicheOverlap1; }, []() -> TForm* { return NicheOverlapOpts; },
     []() -> TForm* { return NicheOverlap; }, [](bool) { RunWith(NicheOverlapOpts); },
     {{"species", "s1", "s2", "s3"}, {"a", "1e308", "1e308", "1"}, {"b", "1", "2", "3"}, {"c", "2", "1", "1"}},
     {{"species", "s1", "s2", "s3"}, {"a", "3", "1", "1"}, {"b", "1", "2", "3"}, {"c", "2", "1", "1"}}},
};

class OverflowingStatistics : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  }

  // Chooses the analysis from the menu, so that an error reaches the error box as a person
  // sees it.
  void Launch(const Case& k, bool Overflowing) {
    Application->Hooks.ModalForm = [&](TCustomForm* form) {
      if (form == k.options())
        k.answer(Overflowing);
      else if (form == k.results())
        ++resultsShown;
      else
        ADD_FAILURE() << "unexpected modal form " << form->Name();
    };
    SendMessage(Zorvan->Handle(), WM_COMMAND, k.command()->Command(), 0);
  }

  int resultsShown = 0;
};

TEST_F(OverflowingStatistics, EndTheRunWithTheErrorAndNoResults) {
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.name);
    resultsShown = 0;
    Application->Hooks.Errors.clear();
    SetData(k.overflowing);
    Launch(k, true);
    EXPECT_EQ(Application->Hooks.Errors, Lines{"Floating point overflow."});
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());

    Application->Hooks.Errors.clear();
    SetData(k.plain);
    Launch(k, false);
    EXPECT_TRUE(Application->Hooks.Errors.empty());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 2);
  }
}

// The check every shown or written number passes: a number goes through as it is, an infinity
// or a NaN is the overflow error.
TEST(FiniteStatistics, NumbersPassAndInfinitiesOrNaNsRaise) {
  EXPECT_EQ(FiniteStatistic(-2.5), -2.5);
  EXPECT_EQ(FiniteStatistic(1.7976931348623157e308), 1.7976931348623157e308);
  for (double bad : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
    EXPECT_THROW(FiniteStatistic(bad), EOverflow);
    EXPECT_THROW(StatText(bad), EOverflow);
  }
  EXPECT_EQ(FixedText(HUGE_VAL), FloatToStrF(HUGE_VAL, ffFixed, 7, 5));
}

}  // namespace
