// The group results window: its pages and menu, what each page shows after a run, and the
// save commands.
#include "analysis/presence_absence/GroupResults.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/presence_absence/GuildStructureSims.h"
#include "app/ExcelExport.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

namespace {


}  // namespace

TGroupResults::TGroupResults(TComponent* AOwner, const String& Name, const String& Caption,
                             const String& GroupsCaption)
    : TForm(AOwner) {
  SetName(Name);
  SetCaption(Caption);
  Position = poScreenCenter;
  SetBounds(0, 0, 720, 520);
  BuildPages(GroupsCaption);
  BuildMenu();
  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = kTextFilter;
  FSimFileGrid = New<TStringGrid>(this);
  FSimFileGrid->SetName("SimFileGrid");
  FSimFileGrid->SetVisible(false);
}

void TGroupResults::BuildPages(const String& GroupsCaption) {
  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);

  InputSheet = NewPage(this, PageControl1, "InputSheet", "Input Matrix");
  InputGrid = NewResultGrid(this, InputSheet, "InputGrid", "Original data matrix");
  SimulationSheet = NewPage(this, PageControl1, "SimulationSheet", "Simulation");
  SimulationGrid = NewResultGrid(this, SimulationSheet, "SimulationGrid", "Most recent simulated matrix");
  GroupsSheet = NewPage(this, PageControl1, "GroupsSheet", GroupsCaption);
  GuildsRegionsGrid = NewResultGrid(this, GroupsSheet, "GuildsRegionsGrid", "");
  GuildsRegionsGrid->SetColCount(5);
  GuildsRegionsGrid->SetRowCount(2);
  GuildsRegionsGrid->SetFixedCols(0);
  GuildsRegionsGrid->SetFixedRows(1);

  MeanSheet = NewPage(this, PageControl1, "MeanSheet", "Mean");
  BuildSeriesPage(MeanSheet, "Mean", ObservedMeanMemo, MeanHistogramMemoLow, MeanHistogramMemoHigh,
                  MeanHistogramMemo2, MeanMemo, "ObservedMeanMemo", "MeanHistogramMemoLow", "MeanHistogramMemoHigh",
                  "MeanHistogramMemo2", "MeanMemo");
  VarianceSheet = NewPage(this, PageControl1, "VarianceSheet", "Variance");
  BuildSeriesPage(VarianceSheet, "Variance", ObservedVarianceMemo, VarianceHistogramMemoLow,
                  VarianceHistogramMemoHigh, VarianceHistogramMemo2, VarianceMemo, "ObservedVarianceMemo",
                  "VarianceHistogramMemoLow", "VarianceHistogramMemoHigh", "VarianceHistogramMemo2",
                  "VarianceMemo");
  FavoredStatesSheet = NewPage(this, PageControl1, "FavoredStatesSheet", "Favored States");
  BuildSeriesPage(FavoredStatesSheet, "FavoredStates", ObservedFavoredStatesMemo, FSHistogramMemoLow,
                  FSHistogramMemoHigh, FavoredStatesHistogramMemo2, FavoredStatesMemo, "ObservedFavoredStatesMemo",
                  "FSHistogramMemoLow", "FSHistogramMemoHigh", "FavoredStatesHistogramMemo2", "FavoredStatesMemo");
  FavoredStatesSheet->SetTabVisible(false);

  const TClosingPages closing = BuildClosingPages(this, PageControl1);
  SummarySheet = closing.SummarySheet;
  Memo1 = closing.Memo1;
  TimeSheet = closing.TimeSheet;
  TimeMemo = closing.TimeMemo;

  PageControl1->SetActivePage(InputSheet);
}

// The observed value (left) beside the histogram's lower edges, upper edges and counts, the
// seven lines of statistics below.
void TGroupResults::BuildSeriesPage(TTabSheet* Page, const String& Prefix, TMemo*& Observed, TMemo*& Low,
                                    TMemo*& High, TMemo*& Counts, TMemo*& Statistics, const String& ObservedName,
                                    const String& LowName, const String& HighName, const String& CountsName,
                                    const String& StatisticsName) {
  // The mean and favored-states captions carry two blanks after "Low...", the variance one.
  const String caption = Prefix == "Variance" ? "Histogram Low... High.................    # Simulations "
                                              : "Histogram Low...  High.................    # Simulations ";
  const TSeriesPage p = ::BuildSeriesPage(this, Page, Prefix, "Observed index", caption,
                                          {ObservedName, LowName, HighName, CountsName, StatisticsName});
  Observed = p.Observed;
  Low = p.Low;
  High = p.High;
  Counts = p.Counts;
  Statistics = p.Statistics;
}

void TGroupResults::BuildMenu() {
  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();
  Save1 = root->AddItem("&Save");
  SuMmary1 = Save1->AddItem("Su&mmary", scNone, [this](TObject* s) { SuMmary1Click(s); });
  Save1->AddSeparator();
  Close1 = Save1->AddItem("&Close", scNone, [this](TObject* s) { Close1Click(s); });
  Help1 = root->AddItem("&Help", scNone, [this](TObject* s) { Help1Click(s); });
}

// ---- after a completed run

void TGroupResults::DisplayResults() {
  // The last working grid with the data grid's titles.
  GuildWorkingToGrid(FSims, Zorvan->MainGrid, SimulationGrid);
  InputGridDisplay();
  MeanDisplay();
  VarianceDisplay();
  FavoredStatesDisplay();
  FavoredStatesSheet->SetTabVisible(FSetup.FavoredStates);
  GuildsDisplay(FObserved);
  SummaryDisplay();
}

void TGroupResults::InputGridDisplay() {
  const TRivErodovOzar* data = Zorvan->MainGrid;
  ResetGrid(InputGrid, data->ColCount(), data->RowCount());
  for (int r = 0; r < data->RowCount(); ++r)
    for (int c = 0; c < data->ColCount(); ++c) InputGrid->SetCells(c, r, data->Cells(c, r));
}

void TGroupResults::DisplayColumnTitles(TStringGrid* Grid) {
  for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetCells(c, 0, Zorvan->MainGrid->Cells(c, 0));
}

void TGroupResults::DisplayRowTitles(TStringGrid* Grid) {
  for (int r = 0; r < Grid->RowCount(); ++r) Grid->SetCells(0, r, Zorvan->MainGrid->Cells(0, r));
}

void TGroupResults::SeriesDisplay(const TGroupSeries& Series, const String& ObservedText, TMemo* Observed,
                                  TMemo* Low, TMemo* High, TMemo* Counts, TMemo* Statistics) {
  Observed->Lines()->SetText(ObservedMarkerText(Series.Marker, ObservedText));
  Low->Lines()->SetText(Series.Lower);
  High->Lines()->SetText(Series.Upper);
  Counts->Lines()->SetText(Series.Counts);
  TStrings* lines = Statistics->Lines();
  lines->Clear();
  lines->Add("Observed index = " + ObservedText);
  lines->Add("");
  lines->Add("Mean of simulated indices = " + StatText(Series.MeanValue));
  lines->Add("Variance of simulated indices = " + StatText(Series.Variance));
  lines->Add("");
  lines->Add(kLowerTailLabel + StatText(Series.P1));
  lines->Add(kUpperTailLabel + StatText(Series.P2));
}

void TGroupResults::MeanDisplay() {
  SeriesDisplay(FMeanSeries, m, ObservedMeanMemo, MeanHistogramMemoLow, MeanHistogramMemoHigh, MeanHistogramMemo2,
                MeanMemo);
}

void TGroupResults::VarianceDisplay() {
  SeriesDisplay(FVarianceSeries, ov, ObservedVarianceMemo, VarianceHistogramMemoLow, VarianceHistogramMemoHigh,
                VarianceHistogramMemo2, VarianceMemo);
}

void TGroupResults::FavoredStatesDisplay() {
  SeriesDisplay(FFavoredSeries, ofs, ObservedFavoredStatesMemo, FSHistogramMemoLow, FSHistogramMemoHigh,
                FavoredStatesHistogramMemo2, FavoredStatesMemo);
}

void TGroupResults::GuildsDisplay(const std::vector<double>& Observed) {
  ResetGrid(GuildsRegionsGrid, 5, GuildCount + 1);
  const String header[] = {FSetup.GroupHeader, "Number of Observations", "Observed Index", "Mean/Simulated indices",
                           "Var/Simulated indices"};
  for (int c = 0; c < 5; ++c) GuildsRegionsGrid->SetCells(c, 0, header[c]);
  for (Integer g = 0; g < GuildCount; ++g) {
    const size_t i = static_cast<size_t>(g);
    GuildsRegionsGrid->SetCells(0, g + 1, GuildList[i]);
    GuildsRegionsGrid->SetCells(1, g + 1, IntToStr(GuildCounts[i]));
    GuildsRegionsGrid->SetCells(2, g + 1, StatText(Observed[i]));
    GuildsRegionsGrid->SetCells(3, g + 1, StatText(m_guildregion[i]));
    GuildsRegionsGrid->SetCells(4, g + 1, StatText(v_guildregion[i]));
  }
}

// ---- menu commands

void TGroupResults::SuMmary1Click(TObject*) {
  String name;
  if (!AskFileName(SaveDialog1, "summary.txt", name)) return;
  // The lines as shown, the user's edits included; whole or not at all.
  WriteFileAtomically(name, Memo1->Lines()->Text());
}

void TGroupResults::Close1Click(TObject*) { Close(); }

void TGroupResults::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TGroupResults::SaveGroupsAsText(bool Comma) {
  String name;
  if (!AskFileName(SaveDialog1, "groups.txt", name)) return;
  if (Comma)
    Zorvan->SaveGridToFileComma(GuildsRegionsGrid, name);
  else
    Zorvan->SaveGridToFile(GuildsRegionsGrid, name);
}

void TGroupResults::SaveGroupsAsExcel() {
  ExportGridToExcel(GuildsRegionsGrid, 1, 1);
}
