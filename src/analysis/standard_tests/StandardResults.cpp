#include "analysis/standard_tests/StandardResults.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

namespace {
}  // namespace

TStandardResults::TStandardResults(TComponent* AOwner, const String& Name, const String& Caption) : TForm(AOwner) {
  SetName(Name);
  SetCaption(Caption);
  Position = poScreenCenter;
  SetBounds(0, 0, 760, 540);

  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);
  InputSheet = NewSheet("InputSheet", "Input Matrix");
  InputGrid = NewResultGrid(this, InputSheet, "InputGrid", "Original data matrix");
  InputGrid->SetColCount(3);
  SimulationSheet = NewSheet("SimulationSheet", "Simulation");
  SimulationGrid = NewResultGrid(this, SimulationSheet, "SimulationGrid", "Most recent simulated matrix");
  SimulationGrid->SetColCount(3);

  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();
  Save1 = root->AddItem("&Save");
  SuMmary1 = Save1->AddItem("Su&mmary", scNone, [this](TObject* s) { SuMmary1Click(s); });
  Save1->AddSeparator();
  Close1 = Save1->AddItem("&Close", scNone, [this](TObject* s) { Close1Click(s); });
  Help1 = root->AddItem("&Help", scNone, [this](TObject* s) { Help1Click(s); });

  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = kTextFilter;
}

TTabSheet* TStandardResults::NewSheet(const String& Name, const String& Caption) {
  return NewPage(this, PageControl1, Name, Caption);
}

void TStandardResults::BuildClosingPages() {
  const TClosingPages closing = ::BuildClosingPages(this, PageControl1);
  SummarySheet = closing.SummarySheet;
  Memo1 = closing.Memo1;
  TimeSheet = closing.TimeSheet;
  TimeMemo = closing.TimeMemo;
  PageControl1->SetActivePage(InputSheet);
}

void TStandardResults::SuMmary1Click(TObject*) {
  String name;
  if (!AskFileName(SaveDialog1, "summary.txt", name)) return;
  // Whole or not at all: a failed save leaves the file that was there.
  WriteFileAtomically(name, Memo1->Lines()->Text());
}

void TStandardResults::Close1Click(TObject*) { Close(); }

void TStandardResults::Help1Click(TObject*) { Zorvan->RunHelp(); }

TStatisticPage BuildStatisticPage(TComponent* Owner, TTabSheet* Page, const TStatisticPageLayout& Layout) {
  TStatisticPage p{};
  p.ObservedGroup = NewGroup(Owner, Page, String(Layout.ObservedName) + "Group", Layout.ObservedGroupCaption, 8, 8,
                             220, 290);
  p.Observed = NewMemo(Owner, p.ObservedGroup, Layout.ObservedName, 8, 18, 204, 264, true);
  p.HistogramGroup = NewGroup(Owner, Page, String(Layout.HistogramName) + "Group",
                              "Histogram.....................................    # Simulations ", 236, 8, 420, 290);
  p.Histogram = NewMemo(Owner, p.HistogramGroup, Layout.HistogramName, 8, 18, 300, 264, true);
  p.Histogram2 = NewMemo(Owner, p.HistogramGroup, Layout.Histogram2Name, 312, 18, 100, 264, true);
  p.Statistics = NewMemo(Owner, Page, Layout.StatisticsName, 8, 306, 648, 130, true);
  return p;
}

void ShowStatistic(const TStatisticPage& Page, const TStatisticLabels& Labels, const TStatisticRecord& Stat) {
  Page.Observed->Lines()->SetText(ObservedMarker(Stat));
  Page.Histogram->Lines()->SetText(Stat.Edges);
  Page.Histogram2->Lines()->SetText(Stat.Counts);
  TStringList lines;
  lines.Add(Labels.Observed + ObservedTextOf(Stat));
  lines.Add("");
  lines.Add(Labels.Mean + StatText(Stat.Mean));
  lines.Add(Labels.Variance + StatText(Stat.Variance));
  lines.Add("");
  lines.Add(LowerTailLine(Stat.P1));
  lines.Add(UpperTailLine(Stat.P2));
  Page.Statistics->Lines()->SetText(lines.Text());
}
