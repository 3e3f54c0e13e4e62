// The regression run through the shared run frame: checks, the observed line, the permutations
// of Y, the statistics of slope, intercept and r, and what the window shows.
#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/regression/RegressionMain.h"
#include "analysis/regression/RegressionOptions.h"
#include "analysis/standard_tests/StandardChecks.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"

namespace {

class TRegressionRun : public TAnalysisRun {
 public:
  explicit TRegressionRun(TRegressionShell& Form) : F(Form) {}

 protected:
  bool Validate() override { return CheckStandardRun([this] { return F.Init(); }); }
  String SeedText() override { return RegressionOpts->RandomSeedEdit->Text(); }
  String ModelName() override { return "Regression"; }
  TMemo* TimeMemo() override { return F.TimeMemo; }

  void ComputeObserved() override {
    F.CurrentSeed = SeedInUse;
    F.InitMatrices();
    FSums = CalculateRegressionSums(F.xVariableList, F.yVariableList, static_cast<Integer>(F.yVariableList.size()));
    const TRegressionLine observed = Do_PermutedRegression(FSums, F.xVariableList, F.yVariableList);
    F.Observed_Coefficient = observed.Slope;
    F.Observed_Intercept = observed.Intercept;
    F.Observed_cc = observed.R;
    F.ObservedRegressionDisplay(F.Observed_Coefficient);
    const size_t iterations = static_cast<size_t>(Zorvan->Iterations);
    F.SimCOEfficients.assign(iterations, 0.0);
    F.SimIntercepts.assign(iterations, 0.0);
    F.SimCCs.assign(iterations, 0.0);
  }

  bool SimulateIteration(Integer Iteration) override {
    RandomizeLists(F.yVariableList);
    const TRegressionLine line = Do_PermutedRegression(FSums, F.xVariableList, F.yVariableList);
    F.Sims_Coefficient = line.Slope;
    F.Sims_Intercept = line.Intercept;
    F.Sims_cc = line.R;
    const size_t i = static_cast<size_t>(Iteration - 1);
    F.SimCOEfficients[i] = line.Slope;
    F.SimIntercepts[i] = line.Intercept;
    F.SimCCs[i] = line.R;
    return true;
  }
  bool SavesSimulations() override { return RegressionOpts->SaveMatrixCheckBox->Checked(); }
  void SaveSimulated(Integer Iteration) override {
    Zorvan->SaveTwoColumnsToFile(Iteration, static_cast<Integer>(F.yVariableList.size()), F.xVariableList,
                                 F.yVariableList, RegressionOpts->FirstTitle(), RegressionOpts->SecondTitle());
  }

  void ComputeStatistics() override {
    const Integer n = Zorvan->Iterations;
    FillStatistic(n, F.SimCOEfficients, F.Observed_Coefficient, F.SlopeStat);
    FillStatistic(n, F.SimIntercepts, F.Observed_Intercept, F.InterceptStat);
    FillStatistic(n, F.SimCCs, F.Observed_cc, F.RStat);
    F.StatsToStrings();
    CopyGridColumns(F.InputGrid, F.SimulationGrid, F.XColumn(), F.YColumn());
    F.SimulationDisplay();
    CopyRowTitles(F.SimulationGrid);
    F.SlopeDisplay();
    F.InterceptDisplay();
    F.rDisplay();
    F.SummaryDisplay();
    F.SimulatedRegressionDisplay(F.SlopeStat.Mean);
    F.xVariableList.clear();
    F.yVariableList.clear();
    F.PageControl1->SetActivePage(F.InputSheet);
  }
  String SesText() override { return F.ses; }
  String P1Text() override { return F.meanP1; }
  String P2Text() override { return F.meanP2; }
  TForm* ResultsForm() override { return &F; }
  TMemo* SummaryMemo() override { return F.Memo1; }

 private:
  TRegressionShell& F;
  RegressionSums FSums;  // the sums over X, which a permutation of Y leaves as they are
};

}  // namespace

void TRegressionShell::Run() {
  TRegressionRun run(*this);
  run.Execute();
}

bool TRegressionShell::Init() {
  if (!CheckColumnPair(RegressionOpts->XvariableCList->ItemIndex(), RegressionOpts->YvariableCList->ItemIndex())) return false;
  if (!CheckDataRows(Zorvan->MainGrid)) return false;
  return true;
}
