// The ANOVA results window and its run: the pseudo-F of the observed group labels against
// that of data sets whose labels are reshuffled among the rows; the group tables of the
// observed and the last reshuffled labels, the statistic's page, the summary and the batch row.
//
// The window lives for the whole program; a completed run overwrites what it shows. A run that
// stops (failed check or abort) leaves the pages as they were, except that an abort has
// already written the start time and the observed group table, drawn before the iterations;
// the window is shown only after a completed run, which redraws both.
#pragma once

#include <vector>

#include "analysis/anova/AnovaSims.h"
#include "analysis/standard_tests/StandardResults.h"
#include "classlib/StringList.h"

class TAnovaShell : public TStandardResults {
 public:
  explicit TAnovaShell(TComponent* AOwner);

  TTabSheet* ObservedMeansSheet;   // "Observed Means"
  TTabSheet* SimulatedMeansSheet;  // "Simulated Means"
  TTabSheet* FRatioSheet;          // "Pseudo F-Ratio"
  TStringGrid* MeansStringGrid;
  TStringGrid* SimulatedMeansStringGrid;
  TStatisticPage FRatioPage;
  TMemo* ObservedVarianceMemo;
  TMemo* FRatioHistogramMemo;
  TMemo* FRatioHistogramMemo2;
  TMemo* FRatioMemo;

  // --- Run state (overwritten by every completed run)
  TStringList LabelsList;  // each data row's label as the last reshuffle left it
  TStringList ValuesList;  // each data row's value text
  TAnovaSims Sims;
  double Observed_F = 0;
  double F = 0;
  // The simulated statistics by iteration; sorted ascending once the statistics are made.
  std::vector<double> FRatios;
  TStatisticRecord FRatioStat;
  Integer CurrentSeed = 0;
  String Observed_F_s, Ses_string, fP1, fP2;

  void Run();

  // --- Steps of the run
  bool Init();
  void InitMatrices();
  void StatsToStrings();
  void DisplayObserved();
  void DisplaySimulated();
  void SimulationDisplay();
  void DisplayRowTitles();
  void FRatioDisplay();
  void SummaryDisplay();
  // LabelsList := the labels as they stand.
  void LabelsToList();

  // The data grid columns read (L + 1 and Y + 1), as chosen in the options form.
  Integer LabelColumn() const;
  Integer ValueColumn() const;

 private:
  void GroupTable(TStringGrid* Grid);
};

extern TAnovaShell* AnovaShell;
