// The regression results window: its pages, charts and what each shows after a run.
#include "analysis/regression/RegressionMain.h"

#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/regression/RegressionOptions.h"
#include "analysis/standard_tests/StandardCharts.h"
#include "analysis/standard_tests/StatisticBlock.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TRegressionShell* RegressionShell = nullptr;

namespace {


const TStatisticLabels kSlopeLabels{"Observed slope = ", "Mean of simulated slopes = ",
                                    "Variance of simulated slopes = "};
const TStatisticLabels kInterceptLabels{"Observed y-intercept = ", "Mean of simulated y-intercepts = ",
                                        "Variance of simulated y-intercepts = "};
const TStatisticLabels kRLabels{"Observed r = ", "Mean of simulated r = ", "Variance of simulated r = "};

const TBlockWords kInterceptWords{"Y-INTERCEPT",
                                  "Observed y-intercept = ",
                                  "Mean of simulated y-intercepts = ",
                                  "Variance of simulated y-intercepts = ",
                                  "Number of times observed y-intercept < simulated y-intercepts = ",
                                  "Number of times observed y-intercept = simulated y-intercepts = ",
                                  "Number of times observed y-intercept > simulated y-intercepts = "};
const TBlockWords kSlopeWords{"SLOPE",
                              "Observed slope = ",
                              "Mean of simulated slope = ",
                              "Variance of simulated slope = ",
                              "Number of times observed slope < simulated slope = ",
                              "Number of times observed slope = simulated slope = ",
                              "Number of times observed slope > simulated slope = "};
const TBlockWords kRWords{"R",
                          "Observed r = ",
                          "Mean of simulated r = ",
                          "Variance of simulated r = ",
                          "Number of times observed r < simulated r = ",
                          "Number of times observed r = simulated r = ",
                          "Number of times observed r > simulated r = "};

}  // namespace

TRegressionShell::TRegressionShell(TComponent* AOwner)
    : TStandardResults(AOwner, "RegressionShell", "Zorvan Professional: Regression Results") {
  ChartsSheet = NewSheet("ChartsSheet", "Charts");
  BuildCharts();
  InterceptSheet = NewSheet("InterceptSheet", "Intercept");
  InterceptPage = BuildStatisticPage(this, InterceptSheet,
                                     {"Observed intercept", "ObservedInterceptMemo", "InterceptHistogramMemo",
                                      "InterceptHistogramMemo2", "InterceptMemo"});
  SlopeSheet = NewSheet("SlopeSheet", "Slope");
  SlopePage = BuildStatisticPage(
      this, SlopeSheet,
      {"Observed slope", "ObservedSlopeMemo", "SlopeHistogramMemo", "SlopeHistogramMemo2", "SlopeMemo"});
  RSheet = NewSheet("RSheet", "r");
  RPage = BuildStatisticPage(this, RSheet, {"Observed r", "ObservedRMemo", "RHistogramMemo", "RHistogramMemo2", "RMemo"});
  ObservedInterceptMemo = InterceptPage.Observed;
  InterceptHistogramMemo = InterceptPage.Histogram;
  InterceptHistogramMemo2 = InterceptPage.Histogram2;
  InterceptMemo = InterceptPage.Statistics;
  ObservedSlopeMemo = SlopePage.Observed;
  SlopeHistogramMemo = SlopePage.Histogram;
  SlopeHistogramMemo2 = SlopePage.Histogram2;
  SlopeMemo = SlopePage.Statistics;
  ObservedRMemo = RPage.Observed;
  RHistogramMemo = RPage.Histogram;
  RHistogramMemo2 = RPage.Histogram2;
  RMemo = RPage.Statistics;
  BuildClosingPages();
}

void TRegressionShell::BuildCharts() {
  TScatterChart simulated, observed;
  BuildChartPair(this, ChartsSheet, {"Chart4", "Simulated", "Series7", "Series8"},
                 {"Chart3", "Observed", "Series5", "Series6"}, simulated, observed);
  Chart4 = simulated.Chart;
  Series7 = simulated.Points;
  Series8 = simulated.Line;
  Chart3 = observed.Chart;
  Series5 = observed.Points;
  Series6 = observed.Line;
}

Integer TRegressionShell::XColumn() const { return RegressionOpts->XvariableCList->ItemIndex() + 1; }

Integer TRegressionShell::YColumn() const { return RegressionOpts->YvariableCList->ItemIndex() + 1; }

void TRegressionShell::InitMatrices() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const size_t n = static_cast<size_t>(std::max(grid->RowCount() - 1, 0));
  xVariableList.assign(n, 0.0);
  yVariableList.assign(n, 0.0);
  XVarsSorted.assign(n, 0.0);
  for (size_t i = 0; i < n; ++i) {
    const int row = static_cast<int>(i) + 1;
    xVariableList[i] = LeadingReal(grid->Cells(XColumn(), row));
    yVariableList[i] = LeadingReal(grid->Cells(YColumn(), row));
    XVarsSorted[i] = xVariableList[i];
  }
  if (n > 0) QuickSortReals(XVarsSorted, 0, static_cast<Integer>(n) - 1);
}

void TRegressionShell::StatsToStrings() {
  ses = StatText(SlopeStat.Ses);
  meanP1 = StatText(SlopeStat.P1);
  meanP2 = StatText(SlopeStat.P2);
}

void TRegressionShell::SlopeDisplay() { ShowStatistic(SlopePage, kSlopeLabels, SlopeStat); }

void TRegressionShell::InterceptDisplay() { ShowStatistic(InterceptPage, kInterceptLabels, InterceptStat); }

void TRegressionShell::rDisplay() { ShowStatistic(RPage, kRLabels, RStat); }

void TRegressionShell::SimulationDisplay() {
  for (size_t i = 0; i < yVariableList.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    SimulationGrid->SetCells(1, row, StatText(xVariableList[i]));
    SimulationGrid->SetCells(2, row, StatText(yVariableList[i]));
  }
}

void TRegressionShell::DrawRegression(TPointSeries* Points, TLineSeries* Line, double Slope) {
  DrawPoints(Points, xVariableList, yVariableList);
  const double largest = XVarsSorted.empty() ? 0 : XVarsSorted.back();
  std::vector<double> x, y;
  for (const TChartPoint& p : RegressionLinePoints(xVariableList, yVariableList, largest, Slope)) {
    x.push_back(p.X);
    y.push_back(p.Y);
  }
  DrawLine(Line, x, y);
}

void TRegressionShell::ObservedRegressionDisplay(double Slope) { DrawRegression(Series5, Series6, Slope); }

void TRegressionShell::SimulatedRegressionDisplay(double Slope) { DrawRegression(Series7, Series8, Slope); }

void TRegressionShell::SummaryDisplay() {
  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  summary.Add("Input file = " + Zorvan->FileName);
  summary.Add("XVariable = " + RegressionOpts->FirstTitle());
  summary.Add("YVariable = " + RegressionOpts->SecondTitle());
  summary.Add("Iterations = " + IntToStr(Zorvan->Iterations));
  summary.Add("Random seed = " + IntToStr(CurrentSeed));
  AddStatisticBlock(&summary, kInterceptWords, InterceptStat);
  AddStatisticBlock(&summary, kSlopeWords, SlopeStat);
  AddStatisticBlock(&summary, kRWords, RStat);
  summary.Add(kRule);
  summary.Add("");
  summary.Add("INPUT MATRIX:");
  summary.Add("");
  AddGridLines(&summary, Zorvan->MainGrid);
  Memo1->Lines()->SetText(summary.Text());
}
