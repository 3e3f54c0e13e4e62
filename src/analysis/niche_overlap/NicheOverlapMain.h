// The niche-overlap results window and its run: the checks, the observed pair overlaps, the
// iterations of the chosen randomisation algorithm, the statistics of the pair overlaps' mean
// and variance, the pages, the summary text, the batch row and the save commands.
//
// The window lives for the whole program; a completed run overwrites what it shows. A run that
// stops (failed check or abort) leaves every page as it was, the start time aside.
#pragma once

#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/niche_overlap/NicheOverlapSims.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "grid/model/RivErodovOzar.h"

class TNicheOverlap : public TForm {
 public:
  explicit TNicheOverlap(TComponent* AOwner);

  // --- Components
  TPageControl* PageControl1;
  TTabSheet* InputSheet;          // "Input Matrix"
  TTabSheet* SimulationSheet;     // "Simulation"
  TTabSheet* PairwiseSheet;       // "Pairwise"
  TTabSheet* PairwiseColumnSheet; // "Pairwise Column"
  TTabSheet* MeanSheet;           // "Mean"
  TTabSheet* VarianceSheet;       // "Variance"
  TTabSheet* SummarySheet;        // "Summary"
  TTabSheet* TimeSheet;           // "Time"

  TStringGrid* InputGrid;
  TStringGrid* SimulationGrid;
  TStringGrid* ResponseGrid;
  TRivErodovOzar* RivErodovOzar1;

  TMemo* ObservedMeanMemo;
  TMemo* MeanHistogramMemoLow;
  TMemo* MeanHistogramMemoHigh;
  TMemo* MeanHistogramMemo2;
  TMemo* MeanHistogramMemo;       // hidden: the bin edges for the summary
  TMemo* MeanMemo;
  TMemo* ObservedVarianceMemo;
  TMemo* VarianceHistogramMemoLow;
  TMemo* VarianceHistogramMemoHigh;
  TMemo* VarianceHistogramMemo2;
  TMemo* VarianceHistogramMemo;   // hidden
  TMemo* VarianceMemo;
  TMemo* Memo1;                   // the summary
  TMemo* TimeMemo;

  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* Save1;               // "&Save"
  TMenuItem* SuMmary1;            // "Su&mmary"
  TMenuItem* Pairwise1;           // "&Pairwise"
  TMenuItem* Spacedelimitedtxt1;
  TMenuItem* Commadelimitedtxt1;
  TMenuItem* Excelxls1;
  TMenuItem* PairwiseColumn1;     // "Pairwise &Column"
  TMenuItem* as1;
  TMenuItem* Commadelimitedtxt2;
  TMenuItem* Excelxls2;
  TMenuItem* Close1;              // "&Close"
  TMenuItem* Help1;               // "&Help"

  // --- Run state (overwritten by every completed run)
  Real_Matrix ObservedMatrix;     // [column][row] like the grid; divided by the weights when user-defined
  Real_Matrix SimulatedMatrix;    // the last randomised utilisations
  Integer Algorithm = 1;
  double Mean = 0, Variance = 0;
  double mmeans = 0, vmeans = 0, mvariances = 0, vvariances = 0;
  Integer lmean = 0, emean = 0, gmean = 0, lvariance = 0, evariance = 0, gvariance = 0;
  double meanP1 = 0, meanP2 = 0, varianceP1 = 0, varianceP2 = 0, ses = 0;
  Integer CurrentSeed = 0;
  String its, m, v, mm, vm, mv, vv, lm, em, gm, lv, ev, gv, mP1, mP2, vP1, vP2, ses_string;

  // --- The run
  void Run();
  bool Init();

  // --- Menu commands
  void SuMmary1Click(TObject* Sender);
  void Spacedelimitedtxt1Click(TObject* Sender);
  void Commadelimitedtxt1Click(TObject* Sender);
  void Excelxls1Click(TObject* Sender);
  void as1Click(TObject* Sender);
  void Commadelimitedtxt2Click(TObject* Sender);
  void Excelxls2Click(TObject* Sender);
  void Close1Click(TObject* Sender);
  void Help1Click(TObject* Sender);

  // The observed pair overlaps of the last completed run, in pair order.
  const std::vector<double>& ObservedPairs() const { return FObservedPairs; }

 private:
  // What a run takes once when it starts: the options, the weights and the data grid's cells.
  struct TRunInputs {
    NicheAlgorithm Algorithm = NicheAlgorithm::RA3;
    NicheIndex Index = NicheIndex::Pianka;
    bool UserDefined = false;
    bool SaveMatrices = false;
    bool RelaxedBreadth = false, RetainedZeros = false;
    Integer Iterations = 0;
    std::vector<double> Weights;
    std::vector<std::vector<String>> Cells;  // [row][column], titles included
  };

  void BuildPages();
  void BuildMenu();
  bool CheckWeights();
  bool SetUpMatrices();
  void Statistics();
  void StatsToStrings();
  void DisplayResults();
  void SeriesDisplay(const String& ObservedText, const String& Marker, const String& Edges, const String& Lower,
                     const String& Upper, const String& Counts, TMemo* Observed, TMemo* EdgesMemo, TMemo* Low,
                     TMemo* High, TMemo* CountsMemo);
  void ResponseDisplay();
  void SummaryDisplay();
  void SaveGridAsText(TStringGrid* Grid, bool Comma);
  void CopySimulated();

  TRunInputs FIn;
  NicheOverlapSims FSims;
  std::vector<double> FObservedPairs, FRunPairs, FIterationPairs;
  std::vector<double> FMeans, FVariances;
  double FRunMean = 0, FRunVariance = 0;
  String FMeanMarker, FMeanEdges, FMeanCounts, FMeanLower, FMeanUpper;
  String FVarianceMarker, FVarianceEdges, FVarianceCounts, FVarianceLower, FVarianceUpper;
};

extern TNicheOverlap* NicheOverlap;
