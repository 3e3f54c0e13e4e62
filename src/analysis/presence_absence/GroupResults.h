// What the guild-structure and species-overlap results windows share: the pages (input,
// last simulated grid, group table, the mean, variance and favored-states series with their
// histograms, the summary, the times), the run over the group body, its statistics and
// summary text, and the save commands. Each analysis supplies its options and texts through
// Setup().
//
// The window lives for the whole program; a completed run overwrites what it shows. A run that
// stops (failed check or abort) leaves every page as it was, the start time aside.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/presence_absence/GroupOptions.h"
#include "analysis/presence_absence/GroupSims.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

// The statistics of one simulated series against its observed value, with the texts of its
// histogram (made as soon as the one shared histogram is built).
struct TGroupSeries {
  double Observed = 0;
  double MeanValue = 0, Variance = 0, P1 = 0, P2 = 0, Ses = 0;
  Integer Less = 0, Equal = 0, Greater = 0;
  String Marker, Edges, Counts, Lower, Upper;  // empty without a histogram
};

// What a run of one analysis is: its options as read when the run starts, its limits and
// messages, and the texts of its results.
struct TGroupRunSetup {
  TGroupOptions* Options = nullptr;
  GroupAxis Axis = GroupAxis::Species;
  GroupIndexKind Index = GroupIndexKind::CScore;
  // The data grid's presence table and labels in the analysis's layout.
  std::function<void(const TStringGrid* Grid, Matrix& Presence, std::vector<std::string>& Labels)> CopyMainGrid;
  // One iteration's randomisation of the working state, by the analysis's own routines.
  std::function<void(GroupSims& Sims)> Randomize;
  bool FavoredStates = false;  // the count is made (grouping by guild and the box ticked)
  String ModelName;            // for the progress window
  // Data: at least MinRows grid rows and MinCols grid columns, titles included.
  int MinRows = 0, MinCols = 0;
  String TooFewMessage;
  Integer MaxIterations = 0;
  String TooManyIterations;
  String SmallGroupMessage;    // a group of fewer than 2 units
  bool EmptyGroupStops = false;  // an observed group without presence ends the run
  String GroupHeader;          // cell (0, 0) of the group table
  // Summary lines 5 to 8: the grouping, the group count's label (the count follows), the index
  // and the analysis's own option.
  String GroupingLine, GroupCountLabel, IndexLine, OptionLine;
  bool SummaryHasFavoredBlock = false;
  String GroupSection;         // the title above the group table's lines
};

class TGroupResults : public TForm {
 public:
  // --- Components
  TPageControl* PageControl1;
  TTabSheet* InputSheet;           // "Input Matrix"
  TTabSheet* SimulationSheet;      // "Simulation"
  TTabSheet* GroupsSheet;          // "Guilds / Regions" or "Group Averages"
  TTabSheet* MeanSheet;            // "Mean"
  TTabSheet* VarianceSheet;        // "Variance"
  TTabSheet* FavoredStatesSheet;   // "Favored States"
  TTabSheet* SummarySheet;         // "Summary"
  TTabSheet* TimeSheet;            // "Time"

  TStringGrid* InputGrid;
  TStringGrid* SimulationGrid;
  TStringGrid* GuildsRegionsGrid;

  TMemo* ObservedMeanMemo;
  TMemo* MeanHistogramMemoLow;
  TMemo* MeanHistogramMemoHigh;
  TMemo* MeanHistogramMemo2;
  TMemo* MeanMemo;
  TMemo* ObservedVarianceMemo;
  TMemo* VarianceHistogramMemoLow;
  TMemo* VarianceHistogramMemoHigh;
  TMemo* VarianceHistogramMemo2;
  TMemo* VarianceMemo;
  TMemo* ObservedFavoredStatesMemo;
  TMemo* FSHistogramMemoLow;
  TMemo* FSHistogramMemoHigh;
  TMemo* FavoredStatesHistogramMemo2;
  TMemo* FavoredStatesMemo;

  TMemo* Memo1;     // the summary
  TMemo* TimeMemo;

  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* Save1;     // "&Save"
  TMenuItem* SuMmary1;  // "Su&mmary"
  TMenuItem* Close1;    // "&Close"
  TMenuItem* Help1;     // "&Help"

  // --- Run state (overwritten by every completed run)
  Integer Iterations = 0;
  Integer Seed = 0;
  Integer CurrentSeed = 0;
  std::vector<String> GuildList;     // group names in order of first appearance
  std::vector<Integer> GuildCounts;  // units of each group
  Integer GuildCount = 0;
  double Mean = 0, ObservedVariance = 0, ObservedFavoredStates = 0;
  double mmeans = 0, vmeans = 0, mvariances = 0, vvariances = 0, mfavoredstates = 0, vfavoredstates = 0;
  double meanP1 = 0, meanP2 = 0, varianceP1 = 0, varianceP2 = 0, favoredStatesP1 = 0, favoredStatesP2 = 0;
  Integer lmean = 0, emean = 0, gmean = 0, lvariance = 0, evariance = 0, gvariance = 0;
  Integer lfavoredstates = 0, efavoredstates = 0, gfavoredstates = 0;
  std::vector<double> m_guildregion, v_guildregion;
  // Text forms.
  String m, mm, vm, mp1, mp2, ov, vmv, vvv, vp1, vp2, ofs, fsm, fsv, fsp1, fsp2;
  String ses_string, v_ses_string, fs_ses_string, its;

  // --- The run
  void Run();
  bool Init();
  void StatsToStrings();

  // --- Displays
  void InputGridDisplay();
  void MeanDisplay();
  void VarianceDisplay();
  void FavoredStatesDisplay();
  void GuildsDisplay(const std::vector<double>& Observed);
  void SummaryDisplay();
  void DisplayColumnTitles(TStringGrid* Grid);
  void DisplayRowTitles(TStringGrid* Grid);

  // --- Menu commands
  void SuMmary1Click(TObject* Sender);
  void Close1Click(TObject* Sender);
  void Help1Click(TObject* Sender);

  // The index of group g (0-based) of the last completed run, as shown in the group table.
  const std::vector<double>& ObservedGroupIndices() const { return FObservedShown; }

 protected:
  TGroupResults(TComponent* AOwner, const String& Name, const String& Caption, const String& GroupsCaption);
  virtual TGroupRunSetup Setup() = 0;

  // The group table as text: one blank (or comma) between cells, or through the workbook export.
  void SaveGroupsAsText(bool Comma);
  void SaveGroupsAsExcel();

 private:
  void BuildPages(const String& GroupsCaption);
  void BuildSeriesPage(TTabSheet* Page, const String& Prefix, TMemo*& Observed, TMemo*& Low, TMemo*& High,
                       TMemo*& Counts, TMemo*& Statistics, const String& ObservedName, const String& LowName,
                       const String& HighName, const String& CountsName, const String& StatisticsName);
  void BuildMenu();
  // Mean, variance, tail counts and (when asked) histogram of the first k values of a series.
  static void SeriesStatistics(Integer k, std::vector<double>& Values, bool Histogram, TGroupSeries& Series);
  void Statistics(Integer k);
  void DisplayResults();
  static void SeriesDisplay(const TGroupSeries& Series, const String& ObservedText, TMemo* Observed, TMemo* Low,
                            TMemo* High, TMemo* Counts, TMemo* Statistics);
  void AddSummaryBlock(TStrings* Lines, const char* Title, const TGroupSeries& Series);

  TGroupRunSetup FSetup;
  GroupSims FSims;
  TStringGrid* FSimFileGrid;            // the working state as written to a "Sim" file
  std::vector<double> FObserved;        // observed index of each group
  std::vector<double> FObservedShown;   // the same, of the last completed run
  std::vector<double> FIteration;       // one iteration's group indices
  std::vector<double> FGroupSeries;     // group g's simulated indices at [g * Iterations + i]
  std::vector<double> FMeans, FVariances, FFavored;
  TGroupSeries FMeanSeries, FVarianceSeries, FFavoredSeries;
};
