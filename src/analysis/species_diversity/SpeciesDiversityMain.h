// The species-diversity results window and its run: for every sampling level the subsample is
// drawn Iterations times (individuals of one column, or whole sample columns) and the level's
// index values give one row of the diversity curve (mean, median, variance, 95% range); for
// samples the numbers of individuals drawn give the abundance curve. No observed-versus-
// simulated statistic is kept, so the batch row reads "n/a".
//
// The window lives for the whole program; a completed run overwrites what it shows.
#pragma once

#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "analysis/species_diversity/SpeciesDiversityDraws.h"
#include "analysis/species_diversity/SpeciesDiversityIndices.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TSpeciesDiversity : public TForm {
 public:
  explicit TSpeciesDiversity(TComponent* AOwner);

  // --- Components
  TPageControl* PageControl1;
  TTabSheet* InputSheet;            // "Input"
  TTabSheet* SimulationSheet;       // "Simulation"
  TTabSheet* DiversityCurveSheet;   // "Diversity Curve"
  TTabSheet* AbundanceCurveSheet;   // "Abundance Curve " (samples only)
  TTabSheet* SummarySheet;          // "Summary"
  TTabSheet* TimeSheet;             // "Time"
  TTabSheet* DebugSheet;            // "Debug", hidden
  TStringGrid* InputColumnStringGrid;
  TStringGrid* SimulationStringGrid;
  TStringGrid* DiversityCurveStringGrid;
  TStringGrid* DiversityCurveStringGrid2;
  TMemo* Memo1;      // the summary
  TMemo* TimeMemo;
  TMemo* DebugMemo;  // where a curve file is assembled before it is written

  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* Save1;                  // "&Save"
  TMenuItem* SuMmary1;               // "Su&mmary"
  TMenuItem* Diversitycurve1;        // "&Diversity curve"
  TMenuItem* Spacedelimitedtxt1;
  TMenuItem* Commadelimitedtxt1;
  TMenuItem* Excelxls1;
  TMenuItem* Abundancecurve1;        // "&Abundance curve"
  TMenuItem* Spacedelimitedtxt2;
  TMenuItem* Commadelimitedtxt2;
  TMenuItem* Excelxls2;
  TMenuItem* Close1;                 // "&Close"
  TMenuItem* Help1;                  // "&Help"

  // --- Run state
  double indexResult = 0;       // the last index computed
  Integer NonZeroRows = 0;      // the last richness
  Int64 individualsCount = 0;   // the total of the data analysed
  Integer NumLevels = 0;
  Integer CurrentSeed = 0;
  std::vector<Integer> Levels;  // the sampling levels of the last run, in list order

  // --- The run
  void Run();
  bool Init();
  bool RunIndividual();
  bool RunSample();

  // Reads grid column k into Counts and fills the "Input" tab and the simulation titles.
  void ColumnToList(Integer k, std::vector<Integer>& Counts);
  // Reads every sample column into Samples ([sample][species], zero-based) and the species
  // totals; the "Input" tab shows the whole data grid.
  void SampleColumnsToMatrix(Matrix& Samples, std::vector<Integer>& Totals);
  // The selected index of Counts with sample size n into indexResult; n < 1 shows "Abundance
  // level < 1. Aborting simulation." and gives false.
  bool DetermineIndex(const std::vector<Integer>& Counts, Int64 n);
  // The levels editor's lines as levels.
  std::vector<Integer> getAbundanceLevels();
  // The diversity curve as a space-delimited file "DiversityCurve " + the data file's name, in
  // the working directory.
  void SaveDiversityCurveBatch();

  // --- Menu commands
  void SuMmary1Click(TObject* Sender);
  void Spacedelimitedtxt1Click(TObject* Sender);
  void Commadelimitedtxt1Click(TObject* Sender);
  void Excelxls1Click(TObject* Sender);
  void Spacedelimitedtxt2Click(TObject* Sender);
  void Commadelimitedtxt2Click(TObject* Sender);
  void Excelxls2Click(TObject* Sender);
  void Close1Click(TObject* Sender);
  void Help1Click(TObject* Sender);

 private:
  void BuildPages();
  void BuildMenu();
  // Shows Message (when not empty), closes the progress window and sets InterruptFlag.
  bool Refuse(const String& Message);
  // Ends the run after a subsample below 1 individual: progress closed, InterruptFlag unchanged.
  bool EndWithoutResults();
  // The first count of the data analysed that is negative or out of a 32-bit count's range
  // refuses the run, naming its cell.
  bool CountsAreValid(Integer FirstColumn, Integer LastColumn);
  DiversityIndexKind SelectedIndex() const;
  Integer AnalysedColumn() const;
  // Curve rows: 0 the titles, 1 the observed value, 2 + i the statistics of level i.
  static void PrepareCurve(TStringGrid* Grid, Integer Levels);
  static void WriteCurveTitles(TStringGrid* Grid, const char* const Titles[6]);
  static void WriteObservedRow(TStringGrid* Grid, const String& Size, double Value);
  void WriteLevelRows(TStringGrid* Grid, std::vector<double>& Values);
  // After a level's iterations: the iterations label, the bar's step of one level, one step.
  void LevelDone();
  void SaveLevelSimulation(Integer Level);
  void ShowTally();
  void FinishRun(bool Samples);
  void SummaryDisplay(bool Samples);
  void SaveCurve(TStringGrid* Grid, bool Comma, const String& DefaultName);
  bool WriteCurveFile(TStringGrid* Grid, bool Comma, const String& FileName);

  // Buffers of a run, sized before its loops.
  std::vector<Integer> FCounts;    // the abundance vector or the species totals
  std::vector<Integer> FTally;
  IndividualPool FPool, FWork;
  Matrix FSamples;
  std::vector<uint8_t> FPicked;
  std::vector<double> FValues;     // index of level i, iteration t at [i * Iterations + t]
  std::vector<double> FDrawn;      // individuals drawn, the same layout (samples)
  std::vector<double> FLevelValues;
  Integer FIterations = 0;
  Integer FColumn = 1;
};

extern TSpeciesDiversity* SpeciesDiversity;
