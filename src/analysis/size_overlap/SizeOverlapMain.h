// The size-overlap results window and its run: the observed number line of one column's
// sizes, its segments' metric against the metrics of lines drawn from the chosen size
// distribution, one simulated size per iteration for the size histogram, the summary text and
// the batch row.
//
// The window lives for the whole program; a completed run overwrites what it shows. A run that
// stops (failed check, abort, the null model giving up) leaves every page as it was, the start
// time aside.
#pragma once

#include <vector>

#include "analysis/size_overlap/NumberLineSort.h"
#include "analysis/size_overlap/SizeOverlapSims.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TSizeOverlap : public TForm {
 public:
  explicit TSizeOverlap(TComponent* AOwner);

  // --- Components
  TPageControl* PageControl1;
  TTabSheet* InputSheet;       // "Input Column"
  TTabSheet* SimulationSheet;  // "Simulation"
  TTabSheet* SegmentsSheet;    // "Simulation Segments"
  TTabSheet* SizeSheet;        // "Size Histogram"
  TTabSheet* OverlapSheet;     // "Size Overlap"
  TTabSheet* SummarySheet;     // "Summary"
  TTabSheet* TimeSheet;        // "Time"

  TStringGrid* InputColumnGrid;
  TStringGrid* SimulationGrid;
  TStringGrid* SegmentsGrid;
  TMemo* SizeHistogramMemoLow;
  TMemo* SizeHistogramMemoHigh;
  TMemo* SizeHistogramMemo2;
  TMemo* SizeHistogramNotesMemo;
  TMemo* ObservedMeanMemo;
  TMemo* MeanHistogramMemoLow;
  TMemo* MeanHistogramMemoHigh;
  TMemo* MeanHistogramMemo2;
  TMemo* MeanMemo;
  TMemo* Memo1;  // the summary
  TMemo* TimeMemo;
  // Hidden: the bin-edge texts of the two histograms.
  TMemo* MeanHistogramMemo;
  TMemo* SizeHistogramMemo;

  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* Save1;     // "&Save"
  TMenuItem* SuMmary1;  // "Su&mmary"
  TMenuItem* Close1;    // "&Close"
  TMenuItem* Help1;     // "&Help"

  // --- Run state (overwritten by every completed run)
  std::vector<double> DataNumberLine, TransformedNumberLine, UntransformedNumberLine, SimulatedNumberLine,
      SegmentsNumberLine, MetricList, SizeHistogramList;
  double Observed = 0, Mean = 0, Variance = 0, P1 = 0, P2 = 0, ses = 0, SH_Mean = 0, SH_Variance = 0;
  Integer lmean = 0, emean = 0, gmean = 0;
  Integer Iterations = 0, Seed = 0, CurrentSeed = 0, NonZeroRows = 0, Segments = 0;
  String Obsm, hstm, hstm2, SH_Obsm, SH_hstm, SH_hstm2;
  String it_s, Observed_s, Mean_s, Variance_s, P1_s, P2_s, lmean_s, emean_s, gmean_s, ses_s, SH_Mean_s, SH_Variance_s;

  // --- The run
  void Run();
  bool Init();
  void StatsToStrings();

  // --- Displays
  void ColumnToNumberLine(int Column);
  void MeanDisplay();
  void SummaryDisplay();
  void SimulationDisplay();
  void SegmentsDisplay();

  // --- Menu commands
  void SuMmary1Click(TObject* Sender);
  void Close1Click(TObject* Sender);
  void Help1Click(TObject* Sender);

 private:
  void BuildPages();
  void BuildMenu();
  // Observed metric, then every iteration; false when the run stopped.
  bool Simulate();
  void Statistics();
  void DisplayResults();

  SizeOverlapSims FSims;
  NumberLineSort FSort;
  SizeOverlapOptions FOptions;
  int FColumn = 1;
  // Texts of the histograms' columns, kept until the displays take them.
  String FMeanLow, FMeanHigh, FSizeLow, FSizeHigh;
};

extern TSizeOverlap* SizeOverlap;
