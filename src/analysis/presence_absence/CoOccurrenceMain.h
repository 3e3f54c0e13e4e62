// The co-occurrence and range-overlap analysis: its run (observed index, simulated matrices
// through the null-model engine, statistics) and its results window, whose tabs show the
// input, the last simulated matrix, the observed pair values, the index histograms of the
// normal and the degenerate set, the summary text and the run's times.
//
// The window lives for the whole program; every completed run overwrites what it shows. A run
// that stops (failed check, the engine's failure or the user's abort) leaves the window's
// results as they were: the observed pair values are kept aside and reach the pairwise tabs
// only when the run completes.
//
// Pairwise tables: the pair values are computed on the matrix without its empty species, but
// each value is shown under the two species it belongs to (the grid's titles). A pair with an
// empty species has no value: its cell in the triangle and its value in the list stay empty,
// while the list still has one row per pair of the grid's species. The whole-matrix indices
// (checkerboards, combinations, V-ratio) have no pair values; their tables hold titles only.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/presence_absence/CoOccurrenceChainIndex.h"
#include "analysis/presence_absence/CoOccurrenceIndices.h"
#include "analysis/presence_absence/CoOccurrenceSims.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "grid/model/RivErodovOzar.h"

// The index a run computes, of either analysis.
enum class PairIndexKind : int8_t {
  CScore, Checkerboards, Combinations, VRatio,  // co-occurrence ("IndexList")
  RelativeOverlap, Union, Overlap               // range overlap ("RangeList")
};

// What the options form asked for, read once when a run starts.
struct TCoOccurrenceChoices {
  NullModelOptions Model;
  PairIndexKind Index = PairIndexKind::CScore;
  bool ExcludeEmptySites = false;  // "&Empty Sites" = "Exclude", shown or not
  bool SaveMatrices = false;       // "&Save simulated matrices"
};

// Scratch of the index computation, sized once per run.
struct TIndexWork {
  Integer P = 0;                    // pair slots, R(R - 1)/2 of the grid's species
  bool Pairs = true;                // the pair values are wanted, not only the index
  std::vector<double> Overlap;      // relative overlap: the two pair arrays
  std::vector<double> Union;
  PairIndexScratch Scratch;
};

// The texts of one set's histogram (the histogram state is shared, so they are made as soon
// as it is built).
struct THistogramTexts {
  String Marker;  // line breaks that put the observed value beside its bin
  String Edges;   // "low high" per bin, after a leading empty line
  String Counts;  // one count per bin, after a leading empty line
};

class TCoOccurrence : public TForm {
 public:
  explicit TCoOccurrence(TComponent* AOwner);

  // --- Components
  TPageControl* PageControl1;
  TTabSheet* InputSheet;           // "Input Matrix"
  TTabSheet* SimulationSheet;      // "Simulation"
  TTabSheet* PairwiseSheet;        // "Pairwise"
  TTabSheet* PairwiseColumnSheet;  // "Pairwise Column"
  TTabSheet* IndexSheet;           // "Index"
  TTabSheet* DegenerateSheet;      // "Degenerate Index"
  TTabSheet* SummarySheet;         // "Summary"
  TTabSheet* TimeSheet;            // "Time"

  TStringGrid* InputGrid;
  TStringGrid* SimulationGrid;
  TStringGrid* ResponseGrid;
  TRivErodovOzar* RivErodovOzar1;

  TGroupBox* ObservedGroup;        // "Observed index"
  TMemo* ObservedMeanMemo;
  TGroupBox* HistogramGroup;       // "Histogram Low...  High.................    # Simulations "
  TMemo* MeanHistogramMemoLow;
  TMemo* MeanHistogramMemoHigh;
  TMemo* MeanHistogramMemo2;
  TMemo* MeanMemo;

  TGroupBox* Split_ObservedGroup;
  TMemo* Split_ObservedMemo;
  TGroupBox* Split_HistogramGroup;
  TMemo* Split_MeanHistogramMemoLow;
  TMemo* Split_MeanHistogramMemoHigh;
  TMemo* Split_MeanHistogramMemo2;
  TMemo* Split_MeanMemo;

  // Hidden: the histogram texts the summary copies.
  TMemo* MeanHistogramMemo;
  TMemo* Split_MeanHistogramMemo;

  TMemo* Memo1;     // the summary
  TMemo* TimeMemo;

  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* Save1;              // "&Save"
  TMenuItem* Summary1;           // "Su&mmary"
  TMenuItem* Pairwise1;          // "&Pairwise"
  TMenuItem* PairwiseSpace1;
  TMenuItem* PairwiseComma1;
  TMenuItem* PairwiseExcel1;
  TMenuItem* PairwiseColumn1;    // "Pairwise &Column"
  TMenuItem* ColumnSpace1;
  TMenuItem* ColumnComma1;
  TMenuItem* ColumnExcel1;
  TMenuItem* Close1;             // "&Close"
  TMenuItem* Help1;              // "&Help"

  // --- Run state (overwritten by every run)
  Matrix O_Mat;   // observed 0/1 matrix with totals
  Matrix S_Mat;   // the current simulated matrix
  Matrix F_Mat;   // the matrix whose index is computed (empty species removed)
  Integer Row_Pairs = 0;
  Integer Iterations = 0;
  Integer Seed = 0;
  Integer CurrentSeed = 0;

  // Normal set.
  double Mean = 0;  // the observed index
  double mmeans = 0, vmeans = 0, meanP1 = 0, meanP2 = 0, ses = 0;
  Integer lmean = 0, emean = 0, gmean = 0;
  // Degenerate set (Split policy).
  double split_mmeans = 0, split_vmeans = 0, split_meanP1 = 0, split_meanP2 = 0, split_ses = 0;
  Integer split_lmean = 0, split_emean = 0, split_gmean = 0;

  // Display texts.
  String m, mm, vm, mp1, mp2, lm, em, gm, ses_string, its;
  String split_mm, split_vm, split_mp1, split_mp2, s_lm, s_em, s_gm, split_ses_string;
  String hstMeanL, hstMeanH, split_hstMeanL, split_hstMeanH;

  // --- The run (CoOccurrenceRun.cpp)
  void Run();
  // Checks the data and the options and prepares the matrices; false after its message.
  bool Init();
  void InitMatrices();
  void InitGlobalVariables();
  void Calculate_Row_Pairs();
  // Index of the observed matrix M (empty species removed) into Mean; keeps its pair values
  // for the pairwise tabs. A: P zeros.
  void Do_Observed(Integer P, std::vector<double>& A, Matrix& M);
  // Index of a simulated matrix M (empty species removed). A: P slots; what they hold
  // afterwards is not defined.
  void Do_Sim(Integer P, std::vector<double>& A, Matrix& M, double& Value);
  void StatsToStrings();

  // --- Displays (CoOccurrenceMain.cpp, CoOccurrenceSummary.cpp)
  void InputGridDisplay();
  void SimulationDisplay();
  void DisplayColumnTitles(TStringGrid* Grid);
  void DisplayRowTitles(TStringGrid* Grid);
  void DisplayRowInColumnTitles(TStringGrid* Grid);
  void ResponseDisplay();
  void MeanDisplay();
  void Split_MeanDisplay();
  void SummaryDisplay();
  void PairwiseColumnDisplay();

  // --- Menu commands (CoOccurrenceSave.cpp)
  void Summary1Click(TObject* Sender);
  void PairwiseSpace1Click(TObject* Sender);
  void PairwiseComma1Click(TObject* Sender);
  void PairwiseExcel1Click(TObject* Sender);
  void ColumnSpace1Click(TObject* Sender);
  void ColumnComma1Click(TObject* Sender);
  void ColumnExcel1Click(TObject* Sender);
  void Close1Click(TObject* Sender);

 private:
  void BuildPages();
  void BuildIndexPage(TTabSheet* Page, TGroupBox*& ObservedBox, TMemo*& Observed, TGroupBox*& HistogramBox,
                      TMemo*& Low, TMemo*& High, TMemo*& Counts, TMemo*& Statistics, const String& Prefix,
                      const String& ObservedName);
  void BuildMenu();

  // Statistics of both sets from the simulated values (k normal, j degenerate).
  void Statistics(Integer k, Integer j);
  // Caption, tabs, displays and summary of a completed run.
  void DisplayResults();
  bool PairwiseShown() const;
  // One "Index" tab: observed value beside its histogram, bins and statistics.
  void SetDisplay(TMemo* Observed, TMemo* Low, TMemo* High, TMemo* Counts, TMemo* Statistics,
                  bool HasValues, const THistogramTexts& Histogram, const String& Lower, const String& Upper,
                  const String& MeanText, const String& VarianceText, const String& P1Text,
                  const String& P2Text);
  // The index of M (empty species removed) by the chosen kind; pair values into A.
  double ComputeIndex(std::vector<double>& A, Matrix& M);
  static bool FollowsChain(const TCoOccurrenceChoices& Choices);
  double SimulatedIndex(std::vector<double>& A);
  // A grid to be saved: asks for a name ("pairwise.txt") and writes it with one blank or one
  // comma between cells.
  void SaveGridAsText(TStringGrid* Grid, bool Comma);
  // Copies Grid into the export form's grid and exports it as a workbook.
  void SaveGridAsExcel(TStringGrid* Grid, Integer FixedCols, Integer FixedRows);

  TCoOccurrenceChoices FChoices;
  CoOccurrenceSims FSims;
  TIndexWork FWork;
  bool FFollowChain = false;          // the C-score of the sequential swap's chain
  ChainCheckerboardUnits FChainUnits;
  std::vector<double> FNormal;       // simulated values, normal set
  std::vector<double> FDegenerate;   // simulated values, degenerate set (Split)
  Integer FNormalCount = 0;
  Integer FDegenerateCount = 0;
  THistogramTexts FHistogram;
  THistogramTexts FSplitHistogram;
  // The observed pair values and the grid rows (1-based) of the occupied species they belong
  // to, in pair order; kept until the run completes.
  std::vector<double> FObservedPairs;
  std::vector<Integer> FOccupiedRows;
};

extern TCoOccurrence* CoOccurrence;
