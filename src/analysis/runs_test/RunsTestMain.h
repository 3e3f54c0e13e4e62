// The runs test results window and its run: the longest run of occupied positions along X and
// the mean and variance of the occupied X values, observed and over randomised occupancy
// vectors; a page for each statistic, the input columns and the last simulated vector, the
// summary and the batch row (built on the mean).
//
// The window lives for the whole program; a completed run overwrites what it shows. A run that
// stops (failed check, abort, or a vector that cannot be drawn) leaves the pages as they were,
// the start time aside.
#pragma once

#include <vector>

#include "analysis/runs_test/RunsTestSims.h"
#include "analysis/standard_tests/StandardResults.h"

class TRunsTestShell : public TStandardResults {
 public:
  explicit TRunsTestShell(TComponent* AOwner);

  TTabSheet* LongestRunSheet;  // "Length of Longest Run"
  TTabSheet* MeanSheet;        // "Mean"
  TTabSheet* VarianceSheet;    // "Variance"
  TStatisticPage LongestRunPage, MeanPage, VariancePage;
  TMemo* ObservedLongestRunMemo;
  TMemo* LongestRunHistogramMemo;
  TMemo* LongestRunHistogramMemo2;
  TMemo* LongestRunMemo;
  TMemo* ObservedMeanMemo;
  TMemo* MeanHistogramMemo;
  TMemo* MeanHistogramMemo2;
  TMemo* MeanMemo;
  TMemo* ObservedRMemo;
  TMemo* VarianceHistogramMemo;
  TMemo* VarianceHistogramMemo2;
  TMemo* VarianceMemo;

  // --- Run state (the working arrays are released at the end of a completed run)
  std::vector<double> xVariableList, xVarsSorted;
  std::vector<Integer> yVariableList, yVarsSims;
  std::vector<String> VarsLabelList, VarsLabels;  // row titles in grid and in X order
  std::vector<double> Ones;
  TRunsModel Model;
  Integer OnesCount = 0;
  TRunStatistics Observed;
  std::vector<Integer> SimLongestRuns;
  std::vector<double> SimMeans, SimVariances;
  Integer CurrentSeed = 0;
  TStatisticRecord LRStat, MStat, VStat;
  String M_ses_string, M_mp1, M_mp2;  // the batch row

  void Run();

  // --- Steps of the run
  bool Init();
  // False after "OnesCount error!" (InterruptFlag set).
  bool InitMatrices();
  // One simulated vector into yVarsSims; false when it could not be drawn or on abort.
  bool RandomizeMatrix();
  void StatsToStrings();
  void LongestRunDisplay();
  void MeanDisplay();
  void VarianceDisplay();
  void SimulationDisplay();
  void SummaryDisplay();

  // The data grid columns read (X + 1 and Y + 1), as chosen in the options form.
  Integer XColumn() const;
  Integer YColumn() const;
};

extern TRunsTestShell* RunsTestShell;
