// The macroecology results window and its run: the observed point set's shape count, boundary
// count, both sums of squares, slope and dispersion against those of random point sets drawn
// under the chosen constraint; a page per statistic, the boundary and regression charts of the
// observed and the last random point set, the summary and the batch row.
//
// The window lives for the whole program; a completed run overwrites what it shows. A run that
// stops (failed check, abort, or a normal constraint that cannot be met) leaves the pages as
// they were, the start time aside.
#pragma once

#include <vector>

#include "analysis/macroecology/MacroecologySims.h"
#include "analysis/standard_tests/StandardCharts.h"
#include "analysis/standard_tests/StandardResults.h"

// One statistic: its record and the histogram's columns (low edges, high edges, counts; the
// counts column is the record's counts text).
struct TMacroStatistic {
  TStatisticRecord Record;
  String Low, High, Counts;
};

// A statistic's page: the shared layout, with the histogram's edges as two columns beside the
// counts (the one-column edges memo kept hidden).
struct TMacroStatisticPage {
  TStatisticPage Page;
  TMemo* Low;
  TMemo* High;
};

class TMacroEcology : public TStandardResults {
 public:
  explicit TMacroEcology(TComponent* AOwner);

  TTabSheet* DispersionSheet;          // "Dispersion"
  TTabSheet* SlopeSheet;               // "Regression Slope"
  TTabSheet* RegressionChartsSheet;    // "Regression Charts"
  TTabSheet* MeanSheet;                // "Shape # of Points"
  TTabSheet* SquaresSheet;             // "Shape Sum of Squares"
  TTabSheet* BoundaryMeanSheet;        // "Boundary # of Points"
  TTabSheet* BoundarySquaresSheet;     // "Boundary Sum of Squares"
  TTabSheet* BoundaryChartsSheet;      // "Boundary Charts"
  TMacroStatisticPage DispersionPage, SlopePage, MeanPage, SquaresPage, BoundaryMeanPage, BoundarySquaresPage;
  TChart* Chart1;  // "Observed": the points and the boundary line
  TPointSeries* Series1;
  TLineSeries* Series2;
  TChart* Chart2;  // "Simulated"
  TPointSeries* Series3;
  TLineSeries* Series4;
  TChart* Chart3;  // "Observed": the points and the fitted line
  TPointSeries* Series5;
  TLineSeries* Series6;
  TChart* Chart4;  // "Simulated"
  TPointSeries* Series7;
  TLineSeries* Series8;

  // --- Run state (overwritten by every completed run)
  TPointSet Points;  // the observed set, then each random one in turn; released at the end
  TPatternChoice RunChoice;
  TConstraintParameters RunConstraint;
  String XTitle, YTitle;  // the columns' titles, for the "Sim" files
  TPatternValues Observed, Sims;
  std::vector<double> SimSpaces, SimBoundarySpaces, SimSumSquares, SimBoundarySumSquares, SimCOEfficients,
      SimVariances;
  TMacroStatistic SpaceStat, BoundarySpaceStat, SumSquaresStat, BoundarySumSquaresStat, SlopeStat, DispersionStat;
  Integer CurrentSeed = 0;
  String its;
  // Texts of the shape count's effect size and tail probabilities (the batch row).
  String ses, fP1, fP2;

  void Run();

  // --- Steps of the run
  // The choices' checks; shows the failing one's message.
  bool Init();
  void InitMatrices();
  void InputGridDisplay();
  void SimulationDisplay();
  // Stores the six reported values of the simulated pass at [Index].
  void StoreSimulated(size_t Index);
  void StatsToStrings();
  void MeanDisplay();
  void SquaresDisplay();
  void BoundaryDisplay();
  void BoundarySquaresDisplay();
  void SlopeDisplay();
  void DispersionDisplay();
  void ObservedChartDisplay();
  void SimulatedChartDisplay();
  void ObservedRegressionDisplay(double Slope);
  void SimulatedRegressionDisplay(double Slope);
  void SummaryDisplay();

 private:
  TMacroStatisticPage NewStatisticPage(TTabSheet* Page, const char* ObservedCaption, const char* HistogramCaption,
                                       const char* Prefix, const char* ObservedName, const char* StatisticsName);
  void PointsToGrid(TStringGrid* Grid);
  void BoundaryChart(TPointSeries* PointSeries, TLineSeries* Line, const TPatternValues& Values);
  void RegressionChart(TPointSeries* PointSeries, TLineSeries* Line, double Slope);
};

// The statistic from the simulated values (sorted in place) and the observed value, with the
// histogram's columns taken while the shared histogram is its own.
void FillMacroStatistic(Integer Iterations, std::vector<double>& Simulated, double Observed, TMacroStatistic& Stat);

extern TMacroEcology* MacroEcology;
