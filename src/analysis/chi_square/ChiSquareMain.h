// The chi-square results window and its run: the statistic of the observed table against the
// expected counts, compared with that of random tables of the same grand total drawn under the
// options' randomisation; the input, expected and last simulated tables, the statistic's page,
// the summary and the batch row.
//
// The window lives for the whole program; a completed run overwrites what it shows. A run that
// stops (failed check, abort, or a table that cannot be drawn) leaves the pages as they were,
// the start time aside.
#pragma once

#include <vector>

#include "analysis/chi_square/ChiSquareSims.h"
#include "analysis/common/MatrixTypes.h"
#include "analysis/standard_tests/StandardResults.h"

class TChiSquareShell : public TStandardResults {
 public:
  explicit TChiSquareShell(TComponent* AOwner);

  TTabSheet* ExpectedSheet;    // "Expected Matrix"
  TTabSheet* ChiSquareSheet;   // "Chi-square"
  TStringGrid* ExpectedGrid;
  TStatisticPage ChiSquarePage;
  TMemo* ObservedChiSquareMemo;
  TMemo* ChiSquareHistogramMemo;
  TMemo* ChiSquareHistogramMemo2;
  TMemo* ChiSquareMemo;

  // --- Run state (overwritten by every completed run)
  Matrix O_Mat, S_Mat;  // [column][row] from 0, no totals
  Real_Matrix E_Mat;
  TChiSquareModel Model;
  double RVar = 0;
  double Observed_F = 0;
  // The simulated statistics by iteration; sorted ascending once the statistics are made.
  std::vector<double> Simulated;
  TStatisticRecord ChiSquareStat;
  Integer CurrentSeed = 0;
  String Observed_F_s, Ses_string, fP1, fP2;

  void Run();

  // --- Steps of the run
  bool Init();
  void InitMatrices();
  void CalculateChiSquare_Observed();
  void CalculateChiSquare_Simulated();
  // One random table into S_Mat; false when it could not be drawn or the run was aborted.
  bool SimulationOptions();
  void StatsToStrings();
  void MeanDisplay();
  void InputGridDisplay();
  void ExpectedGridDisplay();
  void SimulationDisplay();
  void DisplayColumnTitles(TStringGrid* Grid);
  void DisplayRowTitles(TStringGrid* Grid);
  void SummaryDisplay();
};

extern TChiSquareShell* ChiSquareShell;
