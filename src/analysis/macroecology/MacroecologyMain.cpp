// The macroecology results window: its pages, charts and what each shows after a run.
#include "analysis/macroecology/MacroecologyMain.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/macroecology/MacroecologyOptions.h"
#include "analysis/regression/RegressionSims.h"
#include "analysis/standard_tests/StatisticBlock.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TMacroEcology* MacroEcology = nullptr;

namespace {

const TStatisticLabels kPointsLabels{"Observed number of points = ", "Mean of simulated number of points = ",
                                     "Variance of simulated number of points = "};
const TStatisticLabels kSquaresLabels{"Observed sum of squares = ", "Mean of simulated sum of squares = ",
                                      "Variance of simulated sum of squares = "};
const TStatisticLabels kMacroSlopeLabels{"Observed slope = ", "Mean of simulated slopes = ",
                                    "Variance of simulated slopes = "};
const TStatisticLabels kDispersionLabels{"Observed dispersion = ", "Mean of simulated dispersions = ",
                                         "Variance of simulated disersions = "};

const TBlockWords kDispersionWords{"DISPERSION",
                                   "Observed dispersion = ",
                                   "Mean of simulated dispersions = ",
                                   "Variance of simulated dispersions = ",
                                   "Number of times observed dispersion < simulated dispersions = ",
                                   "Number of times observed dispersion = simulated dispersions = ",
                                   "Number of times observed dispersion > simulated dispersions = "};
const TBlockWords kMacroSlopeWords{"REGRESSION SLOPE",
                              "Observed slope = ",
                              "Mean of simulated slope = ",
                              "Variance of simulated slope = ",
                              "Number of times observed slope < simulated slope = ",
                              "Number of times observed slope = simulated slope = ",
                              "Number of times observed slope > simulated slope = "};
TBlockWords PointsWords(const char* Title) {
  return {Title,
          "Observed Points within space = ",
          "Mean of simulated # of points = ",
          "Variance of simulated # of points = ",
          "Number of times observed # of points < simulated # of points = ",
          "Number of times observed # of points = simulated # of points = ",
          "Number of times observed # of points > simulated # of points = "};
}
TBlockWords SquaresWords(const char* Title) {
  return {Title,
          "Observed Sum of Squares = ",
          "Mean of simulated ss = ",
          "Variance of simulated ss = ",
          "Number of times observed ss < simulated ss = ",
          "Number of times observed ss = simulated ss = ",
          "Number of times observed ss > simulated ss = "};
}

const char* const kDistributionTexts[] = {"Data distribution = Symmetric", "Data distribution = Asymmetric"};
const char* const kConstraintTexts[] = {"Constraint = Data-defined", "Constraint = User-defined (uniform)",
                                        "Constraint = User-defined (normal)"};
const char* const kShapeTexts[] = {"Shape = Left Triangle", "Shape = Right Triangle", "Shape = Pyramid",
                                   "Shape = Inverted Pyramid"};
const char* const kBoundaryTexts[] = {"Boundary test = Upper Right", "Boundary test = Upper Left",
                                      "Boundary test = Lower Right", "Boundary test = Lower Left"};

// The observed value beside its bin, with the page's own arrow.
void ShowMacroStatistic(const TMacroStatisticPage& Page, const TStatisticLabels& Labels, const TMacroStatistic& Stat,
                        const char* Arrow) {
  ShowStatistic(Page.Page, Labels, Stat.Record);
  Page.Page.Observed->Lines()->SetText(Stat.Record.Marker + StatText(Stat.Record.Observed) + Arrow);
  Page.Low->Lines()->SetText(Stat.Low);
  Page.High->Lines()->SetText(Stat.High);
}

}  // namespace

void FillMacroStatistic(Integer Iterations, std::vector<double>& Simulated, double Observed, TMacroStatistic& Stat) {
  FillStatistic(Iterations, Simulated, Observed, Stat.Record);
  HistogramToColumns(Stat.Low, Stat.High, Stat.Counts);
}

TMacroEcology::TMacroEcology(TComponent* AOwner)
    : TStandardResults(AOwner, "MacroEcology", "Zorvan -- Macroecology Results") {
  SetBounds(0, 0, 1000, 600);
  DispersionSheet = NewSheet("DispersionSheet", "Dispersion");
  DispersionPage = NewStatisticPage(DispersionSheet, "Observed dispersion",
                                    "Histogram Low.......High.....................    # Simulations ", "Dispersion",
                                    "ObservedDispersionVarianceMemo", "DispersionMemo");
  SlopeSheet = NewSheet("SlopeSheet", "Regression Slope");
  SlopePage = NewStatisticPage(SlopeSheet, "Observed slope", "Histogram Low.....  High.....................    # Simulations ",
                               "COMean", "ObservedCOmeanMemo", "SlopeMemo");
  RegressionChartsSheet = NewSheet("RegressionChartsSheet", "Regression Charts");
  TScatterChart observed, simulated;
  BuildChartPair(this, RegressionChartsSheet, {"Chart3", "Observed", "Series5", "Series6"},
                 {"Chart4", "Simulated", "Series7", "Series8"}, observed, simulated);
  Chart3 = observed.Chart, Series5 = observed.Points, Series6 = observed.Line;
  Chart4 = simulated.Chart, Series7 = simulated.Points, Series8 = simulated.Line;
  MeanSheet = NewSheet("MeanSheet", "Shape # of Points");
  MeanPage = NewStatisticPage(MeanSheet, "Observed # pts", "Histogram Low...... High.....................    # Simulations ",
                              "Mean", "ObservedMeanMemo", "MeanMemo");
  SquaresSheet = NewSheet("SquaresSheet", "Shape Sum of Squares");
  SquaresPage = NewStatisticPage(SquaresSheet, "Observed ss",
                                 "Histogram Low...... High.....................    # Simulations ", "Squares",
                                 "SquaresObservedMemo", "SquaresMemo");
  BoundaryMeanSheet = NewSheet("BoundaryMeanSheet", "Boundary # of Points");
  BoundaryMeanPage = NewStatisticPage(BoundaryMeanSheet, "Observed # pts",
                                      "Histogram Low.....  High.....................    # Simulations ", "BoundaryMean",
                                      "BoundaryObservedMeanMemo", "BoundaryMeanMemo");
  BoundarySquaresSheet = NewSheet("BoundarySquaresSheet", "Boundary Sum of Squares");
  BoundarySquaresPage = NewStatisticPage(BoundarySquaresSheet, "Observed ss",
                                         "Histogram Low.....  High.......................    # Simulations ",
                                         "BoundarySquares", "BoundarySquaresObservedMemo", "BoundarySquaresMemo");
  BoundaryChartsSheet = NewSheet("BoundaryChartsSheet", "Boundary Charts");
  BuildChartPair(this, BoundaryChartsSheet, {"Chart1", "Observed", "Series1", "Series2"},
                 {"Chart2", "Simulated", "Series3", "Series4"}, observed, simulated);
  Chart1 = observed.Chart, Series1 = observed.Points, Series2 = observed.Line;
  Chart2 = simulated.Chart, Series3 = simulated.Points, Series4 = simulated.Line;
  BuildClosingPages();
}

TMacroStatisticPage TMacroEcology::NewStatisticPage(TTabSheet* Sheet, const char* ObservedCaption,
                                                    const char* HistogramCaption, const char* Prefix,
                                                    const char* ObservedName, const char* StatisticsName) {
  const String histogram = String(Prefix) + "HistogramMemo";
  const String edges = histogram, counts = histogram + "2";
  TMacroStatisticPage p{};
  p.Page = BuildStatisticPage(this, Sheet, {ObservedCaption, ObservedName, edges.c_str(), counts.c_str(), StatisticsName});
  p.Page.HistogramGroup->SetCaption(HistogramCaption);
  // The edges as one column stay hidden; low and high edges stand in two columns instead.
  p.Page.Histogram->SetVisible(false);
  p.Low = NewMemo(this, p.Page.HistogramGroup, histogram + "Low", 8, 18, 148, 264, true);
  p.High = NewMemo(this, p.Page.HistogramGroup, histogram + "High", 160, 18, 148, 264, true);
  return p;
}

void TMacroEcology::InitMatrices() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int n = std::max(grid->RowCount() - 1, 0);
  std::vector<double> x(static_cast<size_t>(n)), y(static_cast<size_t>(n));
  for (int r = 1; r <= n; ++r) {
    x[static_cast<size_t>(r - 1)] = LeadingReal(grid->Cells(MacroecologyOpts->XColumn(), r));
    y[static_cast<size_t>(r - 1)] = LeadingReal(grid->Cells(MacroecologyOpts->YColumn(), r));
  }
  Points.Assign(x, y);
}

void TMacroEcology::PointsToGrid(TStringGrid* Grid) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  ResetGrid(Grid, 3, grid->RowCount());
  for (int r = 0; r < grid->RowCount(); ++r) Grid->SetCells(0, r, grid->Cells(0, r));
  Grid->SetCells(1, 0, MacroecologyOpts->XTitle());
  Grid->SetCells(2, 0, MacroecologyOpts->YTitle());
  for (size_t k = 0; k < Points.X.size(); ++k) {
    Grid->SetCells(1, static_cast<int>(k) + 1, StatText(Points.X[k]));
    Grid->SetCells(2, static_cast<int>(k) + 1, StatText(Points.Y[k]));
  }
}

void TMacroEcology::InputGridDisplay() { PointsToGrid(InputGrid); }

void TMacroEcology::SimulationDisplay() { PointsToGrid(SimulationGrid); }

void TMacroEcology::StoreSimulated(size_t i) {
  SimSpaces[i] = Sims.WithinSpace;
  SimBoundarySpaces[i] = Sims.BoundaryWithinSpace;
  SimSumSquares[i] = Sims.SumSquares;
  SimBoundarySumSquares[i] = Sims.BoundarySumSquares;
  SimCOEfficients[i] = Sims.Coefficient;
  SimVariances[i] = Sims.Variance;
}

void TMacroEcology::StatsToStrings() {
  its = IntToStr(Zorvan->Iterations);
  ses = StatText(SpaceStat.Record.Ses);
  fP1 = StatText(SpaceStat.Record.P1);
  fP2 = StatText(SpaceStat.Record.P2);
}

void TMacroEcology::MeanDisplay() { ShowMacroStatistic(MeanPage, kPointsLabels, SpaceStat, ".........>"); }

void TMacroEcology::BoundaryDisplay() {
  ShowMacroStatistic(BoundaryMeanPage, kPointsLabels, BoundarySpaceStat, ".........>");
}

void TMacroEcology::SquaresDisplay() { ShowMacroStatistic(SquaresPage, kSquaresLabels, SumSquaresStat, "......>"); }

void TMacroEcology::BoundarySquaresDisplay() {
  ShowMacroStatistic(BoundarySquaresPage, kSquaresLabels, BoundarySumSquaresStat, "......>");
}

void TMacroEcology::SlopeDisplay() { ShowMacroStatistic(SlopePage, kMacroSlopeLabels, SlopeStat, ".........>"); }

void TMacroEcology::DispersionDisplay() {
  ShowMacroStatistic(DispersionPage, kDispersionLabels, DispersionStat, "...........>");
}

void TMacroEcology::BoundaryChart(TPointSeries* PointSeries, TLineSeries* Line, const TPatternValues& V) {
  DrawPoints(PointSeries, Points.X, Points.Y);
  DrawLine(Line, {V.BoundaryX1, V.BoundaryX2}, {V.BoundaryY1, V.BoundaryY2});
}

void TMacroEcology::RegressionChart(TPointSeries* PointSeries, TLineSeries* Line, double Slope) {
  DrawPoints(PointSeries, Points.X, Points.Y);
  const double largest = Points.XSorted.empty() ? 0 : Points.XSorted.back();
  std::vector<double> x, y;
  for (const TChartPoint& p : RegressionLinePoints(Points.X, Points.Y, largest, Slope)) {
    x.push_back(p.X);
    y.push_back(p.Y);
  }
  DrawLine(Line, x, y);
}

void TMacroEcology::ObservedChartDisplay() { BoundaryChart(Series1, Series2, Observed); }

void TMacroEcology::SimulatedChartDisplay() { BoundaryChart(Series3, Series4, Sims); }

void TMacroEcology::ObservedRegressionDisplay(double Slope) { RegressionChart(Series5, Series6, Slope); }

void TMacroEcology::SimulatedRegressionDisplay(double Slope) { RegressionChart(Series7, Series8, Slope); }

void TMacroEcology::SummaryDisplay() {
  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  summary.Add("Input file = " + Zorvan->FileName);
  summary.Add("XVariable = " + MacroecologyOpts->XTitle());
  summary.Add("YVariable = " + MacroecologyOpts->YTitle());
  summary.Add("Iterations = " + its);
  summary.Add("Random seed = " + IntToStr(CurrentSeed));
  summary.Add(kDistributionTexts[static_cast<int>(RunChoice.Distribution)]);
  summary.Add(kConstraintTexts[static_cast<int>(RunConstraint.Constraint)]);
  summary.Add(kShapeTexts[static_cast<int>(RunChoice.Shape)]);
  summary.Add(kBoundaryTexts[static_cast<int>(RunChoice.Boundary)]);
  AddStatisticBlock(&summary, kDispersionWords, DispersionStat.Record);
  AddStatisticBlock(&summary, kMacroSlopeWords, SlopeStat.Record);
  AddStatisticBlock(&summary, PointsWords("SHAPE # OF POINTS"), SpaceStat.Record);
  AddStatisticBlock(&summary, SquaresWords("SHAPE SUM OF SQUARES"), SumSquaresStat.Record);
  AddStatisticBlock(&summary, PointsWords("BOUNDARY # OF POINTS"), BoundarySpaceStat.Record);
  AddStatisticBlock(&summary, SquaresWords("BOUNDARY SUM OF SQUARES"), BoundarySumSquaresStat.Record);
  summary.Add(String(46, '_'));
  summary.Add("");
  summary.Add("INPUT MATRIX:");
  summary.Add("");
  AddGridLines(&summary, Zorvan->MainGrid);
  Memo1->Lines()->SetText(summary.Text());
}
