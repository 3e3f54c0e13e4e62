// The regression results window and its run: the observed slope, y-intercept and r of Y on X
// against those of data sets whose Y values are permuted among the X values; pages for each
// statistic, the observed and last simulated data with their fitted lines as charts, the
// summary and the batch row.
//
// The window lives for the whole program; a completed run overwrites what it shows. A run that
// stops (failed check or abort) leaves the pages as they were, except that an abort has
// already written the start time and the observed chart, drawn before the iterations; the
// window is shown only after a completed run, which redraws both.
#pragma once

#include <vector>

#include "analysis/regression/RegressionSims.h"
#include "analysis/standard_tests/StandardResults.h"
#include "classlib/Charts.h"

class TRegressionShell : public TStandardResults {
 public:
  explicit TRegressionShell(TComponent* AOwner);

  TTabSheet* ChartsSheet;     // "Charts"
  TTabSheet* InterceptSheet;  // "Intercept"
  TTabSheet* SlopeSheet;      // "Slope"
  TTabSheet* RSheet;          // "r"
  TChart* Chart4;             // "Simulated"
  TPointSeries* Series7;
  TLineSeries* Series8;
  TChart* Chart3;             // "Observed"
  TPointSeries* Series5;
  TLineSeries* Series6;
  TStatisticPage InterceptPage;
  TStatisticPage SlopePage;
  TStatisticPage RPage;
  // The pages' memos by their names.
  TMemo* ObservedInterceptMemo;
  TMemo* InterceptHistogramMemo;
  TMemo* InterceptHistogramMemo2;
  TMemo* InterceptMemo;
  TMemo* ObservedSlopeMemo;
  TMemo* SlopeHistogramMemo;
  TMemo* SlopeHistogramMemo2;
  TMemo* SlopeMemo;
  TMemo* ObservedRMemo;
  TMemo* RHistogramMemo;
  TMemo* RHistogramMemo2;
  TMemo* RMemo;

  // --- Run state (overwritten by every completed run)
  std::vector<double> xVariableList, yVariableList;  // Y permuted in place by the iterations
  std::vector<double> XVarsSorted;
  double Observed_Coefficient = 0, Observed_Intercept = 0, Observed_cc = 0;
  double Sims_Coefficient = 0, Sims_Intercept = 0, Sims_cc = 0;
  // Simulated values by iteration; sorted ascending once the statistics are made.
  std::vector<double> SimCOEfficients, SimIntercepts, SimCCs;
  Integer CurrentSeed = 0;
  // Slope, intercept and r against their simulated values.
  TStatisticRecord SlopeStat, InterceptStat, RStat;
  // Texts of the slope's effect size and tail probabilities (the batch row).
  String ses, meanP1, meanP2;

  void Run();

  // --- Steps of the run
  bool Init();
  void InitMatrices();
  void StatsToStrings();
  void SlopeDisplay();
  void InterceptDisplay();
  void rDisplay();
  void SimulationDisplay();
  void ObservedRegressionDisplay(double Slope);
  void SimulatedRegressionDisplay(double Slope);
  void SummaryDisplay();

  // The data grid columns read (X + 1 and Y + 1), as chosen in the options form.
  Integer XColumn() const;
  Integer YColumn() const;

 private:
  void BuildCharts();
  void DrawRegression(TPointSeries* Points, TLineSeries* Line, double Slope);
};

extern TRegressionShell* RegressionShell;
