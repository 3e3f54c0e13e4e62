// The runs test run through the shared run frame: checks, the observed statistics, one
// randomised occupancy vector per iteration, the three statistics and what the window shows.
#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/runs_test/RunsTestMain.h"
#include "analysis/runs_test/RunsTestOptions.h"
#include "analysis/standard_tests/StandardChecks.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"

namespace {

class TRunsTestRun : public TAnalysisRun {
 public:
  explicit TRunsTestRun(TRunsTestShell& Form) : F(Form) {}

 protected:
  bool Validate() override { return CheckStandardRun([this] { return F.Init(); }); }
  String SeedText() override { return RunsTestOpts->RandomSeedEdit->Text(); }
  String ModelName() override { return "Runs Test"; }
  TMemo* TimeMemo() override { return F.TimeMemo; }

  void ComputeObserved() override {
    F.CurrentSeed = SeedInUse;
    // A failure sets InterruptFlag: the run ends at its first interrupt test.
    if (!F.InitMatrices()) return;
    F.Observed = F.Model.Statistics(F.Ones, F.yVarsSims, F.xVarsSorted);
    const size_t iterations = static_cast<size_t>(Zorvan->Iterations);
    F.SimLongestRuns.assign(iterations, 0);
    F.SimMeans.assign(iterations, 0.0);
    F.SimVariances.assign(iterations, 0.0);
  }

  bool SimulateIteration(Integer Iteration) override {
    if (!F.RandomizeMatrix()) return false;
    const TRunStatistics s = F.Model.Statistics(F.Ones, F.yVarsSims, F.xVarsSorted);
    const size_t i = static_cast<size_t>(Iteration - 1);
    F.SimLongestRuns[i] = s.LongestRun;
    F.SimMeans[i] = s.Mean;
    F.SimVariances[i] = s.Variance;
    return true;
  }
  bool SavesSimulations() override { return RunsTestOpts->SaveMatrixCheckBox->Checked(); }
  void SaveSimulated(Integer Iteration) override {
    Zorvan->SaveTwoColumnsToFile_Real_Integer(Iteration, static_cast<Integer>(F.yVarsSims.size()), F.xVarsSorted,
                                              F.yVarsSims, RunsTestOpts->FirstTitle(), RunsTestOpts->SecondTitle());
  }

  void ComputeStatistics() override {
    const Integer n = Zorvan->Iterations;
    FillStatistic_Integer(n, F.SimLongestRuns, F.Observed.LongestRun, F.LRStat);
    FillStatistic(n, F.SimMeans, F.Observed.Mean, F.MStat);
    FillStatistic(n, F.SimVariances, F.Observed.Variance, F.VStat);
    F.StatsToStrings();
    CopyGridColumns(F.InputGrid, F.SimulationGrid, F.XColumn(), F.YColumn());
    F.SimulationDisplay();
    F.LongestRunDisplay();
    F.MeanDisplay();
    F.VarianceDisplay();
    F.SummaryDisplay();
    // The working arrays go; the row titles in X order stay.
    for (auto* v : {&F.xVariableList, &F.xVarsSorted, &F.Ones, &F.SimMeans, &F.SimVariances}) std::vector<double>().swap(*v);
    for (auto* v : {&F.yVariableList, &F.yVarsSims, &F.SimLongestRuns}) std::vector<Integer>().swap(*v);
    F.PageControl1->SetActivePage(F.InputSheet);
  }
  String SesText() override { return F.M_ses_string; }
  String P1Text() override { return F.M_mp1; }
  String P2Text() override { return F.M_mp2; }
  TForm* ResultsForm() override { return &F; }
  TMemo* SummaryMemo() override { return F.Memo1; }

 private:
  TRunsTestShell& F;
};

}  // namespace

void TRunsTestShell::Run() {
  TRunsTestRun run(*this);
  run.Execute();
}

bool TRunsTestShell::Init() {
  if (!CheckColumnPair(RunsTestOpts->XvariableList->ItemIndex(), RunsTestOpts->YvariableList->ItemIndex())) return false;
  if (!CheckDataRows(Zorvan->MainGrid)) return false;
  return true;
}

bool TRunsTestShell::RandomizeMatrix() {
  // Messages run at the start of every draw, and within a long one on a time budget.
  RunFrame::PollSoon();
  return Model.Randomize(yVarsSims, RunFrame::PollOnBudget, [](const std::string& text) { ShowMessage(text); });
}
