// The runs test results window: its pages and what each shows after a run.
#include "analysis/runs_test/RunsTestMain.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/runs_test/RunsTestOptions.h"
#include "analysis/standard_tests/StatisticBlock.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TRunsTestShell* RunsTestShell = nullptr;

namespace {


const TStatisticLabels kLongestRunLabels{"Observed longest run = ", "Mean of simulated longest runs = ",
                                         "Variance of simulated longest runs = "};
const TStatisticLabels kMeanLabels{"Observed mean = ", "Mean of simulated means = ", "Variance of simulated means = "};
const TStatisticLabels kVarianceLabels{"Observed variance = ", "Mean of simulated variances = ",
                                       "Variance of simulated variances = "};

const TBlockWords kLongestRunWords{"LONGEST RUN",
                                   "Observed longest run = ",
                                   "Mean of simulated longest runs = ",
                                   "Variance of simulated longest runs = ",
                                   "Number of times observed longest run < simulated longest runs = ",
                                   "Number of times observed longest run = simulated longest runs = ",
                                   "Number of times observed longest run > simulated longest runs = "};
const TBlockWords kMeanWords{"MEAN",
                             "Observed mean = ",
                             "Mean of simulated mean = ",
                             "Variance of simulated mean = ",
                             "Number of times observed mean < simulated mean = ",
                             "Number of times observed mean = simulated mean = ",
                             "Number of times observed mean > simulated mean = "};
const TBlockWords kVarianceWords{"VARIANCE",
                                 "Observed variance = ",
                                 "Mean of simulated variance = ",
                                 "Variance of simulated variance = ",
                                 "Number of times observed variance < simulated variance = ",
                                 "Number of times observed variance = simulated variance = ",
                                 "Number of times observed variance > simulated variance = "};

}  // namespace

TRunsTestShell::TRunsTestShell(TComponent* AOwner)
    : TStandardResults(AOwner, "RunsTestShell", "Zorvan Professional: Runs Test Results") {
  LongestRunSheet = NewSheet("LongestRunSheet", "Length of Longest Run");
  LongestRunPage = BuildStatisticPage(this, LongestRunSheet,
                                      {"Observed length", "ObservedLongestRunMemo", "LongestRunHistogramMemo",
                                       "LongestRunHistogramMemo2", "LongestRunMemo"});
  MeanSheet = NewSheet("MeanSheet", "Mean");
  MeanPage = BuildStatisticPage(
      this, MeanSheet, {"Observed mean", "ObservedMeanMemo", "MeanHistogramMemo", "MeanHistogramMemo2", "MeanMemo"});
  VarianceSheet = NewSheet("VarianceSheet", "Variance");
  VariancePage = BuildStatisticPage(this, VarianceSheet,
                                    {"Observed variance", "ObservedRMemo", "VarianceHistogramMemo",
                                     "VarianceHistogramMemo2", "VarianceMemo"});
  ObservedLongestRunMemo = LongestRunPage.Observed;
  LongestRunHistogramMemo = LongestRunPage.Histogram;
  LongestRunHistogramMemo2 = LongestRunPage.Histogram2;
  LongestRunMemo = LongestRunPage.Statistics;
  ObservedMeanMemo = MeanPage.Observed;
  MeanHistogramMemo = MeanPage.Histogram;
  MeanHistogramMemo2 = MeanPage.Histogram2;
  MeanMemo = MeanPage.Statistics;
  ObservedRMemo = VariancePage.Observed;
  VarianceHistogramMemo = VariancePage.Histogram;
  VarianceHistogramMemo2 = VariancePage.Histogram2;
  VarianceMemo = VariancePage.Statistics;
  BuildClosingPages();
}

Integer TRunsTestShell::XColumn() const { return RunsTestOpts->XvariableList->ItemIndex() + 1; }

Integer TRunsTestShell::YColumn() const { return RunsTestOpts->YvariableList->ItemIndex() + 1; }

bool TRunsTestShell::InitMatrices() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const size_t n = static_cast<size_t>(std::max(grid->RowCount() - 1, 0));
  xVariableList.assign(n, 0.0);
  yVariableList.assign(n, 0);
  VarsLabelList.assign(n, String());
  for (size_t i = 0; i < n; ++i) {
    const int row = static_cast<int>(i) + 1;
    xVariableList[i] = LeadingReal(grid->Cells(XColumn(), row));
    yVariableList[i] = LeadingInt(grid->Cells(YColumn(), row));
    VarsLabelList[i] = grid->Cells(0, row);
  }
  Model.Proportional = RunsTestOpts->SimulationGroup->ItemIndex() == 1;
  Model.WithReplacement = RunsTestOpts->SamplingAlgorithmGroup->ItemIndex() == 1;
  Model.Angular = RunsTestOpts->DataTypeGroup->ItemIndex() == 1;
  OnesCount = CountOnes(yVariableList, Model.WithReplacement);
  if (OnesCount <= 0) {
    ShowMessage("OnesCount error!");
    Zorvan->InterruptFlag = true;
    return false;
  }
  Model.OnesCount = OnesCount;
  Ones.assign(static_cast<size_t>(OnesCount), 0.0);
  TRunsData sorted = SortByX(xVariableList, yVariableList);
  xVarsSorted = std::move(sorted.xVarsSorted);
  yVarsSims = std::move(sorted.yVarsSims);
  VarsLabels.clear();
  for (Integer row : sorted.Order) VarsLabels.push_back(VarsLabelList[static_cast<size_t>(row)]);
  Model.Prepare(xVarsSorted);
  return true;
}

void TRunsTestShell::StatsToStrings() {
  M_ses_string = StatText(MStat.Ses);
  M_mp1 = StatText(MStat.P1);
  M_mp2 = StatText(MStat.P2);
}

void TRunsTestShell::LongestRunDisplay() { ShowStatistic(LongestRunPage, kLongestRunLabels, LRStat); }

void TRunsTestShell::MeanDisplay() { ShowStatistic(MeanPage, kMeanLabels, MStat); }

void TRunsTestShell::VarianceDisplay() { ShowStatistic(VariancePage, kVarianceLabels, VStat); }

void TRunsTestShell::SimulationDisplay() {
  SimulationGrid->SetRowCount(Zorvan->MainGrid->RowCount());
  for (size_t i = 0; i < yVarsSims.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    SimulationGrid->SetCells(0, row, VarsLabels[i]);
    SimulationGrid->SetCells(1, row, StatText(xVarsSorted[i]));
    SimulationGrid->SetCells(2, row, IntToStr(yVarsSims[i]));
  }
}

void TRunsTestShell::SummaryDisplay() {
  TStringList summary;
  summary.Add("Input file = " + Zorvan->FileName);
  summary.Add("XVariable = " + RunsTestOpts->FirstTitle());
  summary.Add("YVariable = " + RunsTestOpts->SecondTitle());
  summary.Add("Iterations = " + IntToStr(Zorvan->Iterations));
  summary.Add("Random seed = " + IntToStr(CurrentSeed));
  summary.Add(Model.Proportional ? "Simulation constraints = proportional." : "Simulation constraints = equiprobable.");
  summary.Add(Model.WithReplacement ? "SamplingAlgorithm = with replacement." : "SamplingAlgorithm = without replacement.");
  summary.Add(Model.Angular ? "Data type = angular." : "Data type = linear.");
  AddStatisticBlock(&summary, kLongestRunWords, LRStat);
  AddStatisticBlock(&summary, kMeanWords, MStat);
  AddStatisticBlock(&summary, kVarianceWords, VStat);
  summary.Add(kRule);
  summary.Add("");
  summary.Add("INPUT MATRIX:");
  summary.Add("");
  AddGridLines(&summary, Zorvan->MainGrid);
  Memo1->Lines()->SetText(summary.Text());
}
