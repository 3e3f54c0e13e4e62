// What the results windows of the randomisation tests share: the "Input Matrix" and
// "Simulation" pages first, the test's own pages, then "Summary" (editable) and "Time"; the
// menu "&Save" > "Su&mmary", "&Close" and "&Help"; and the pages that show one statistic (its
// observed value beside its histogram, and seven lines of statistics below).
#pragma once

#include <vector>

#include "analysis/standard_tests/StandardStatistics.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TStandardResults : public TForm {
 public:
  TPageControl* PageControl1;
  TTabSheet* InputSheet;       // "Input Matrix"
  TTabSheet* SimulationSheet;  // "Simulation"
  TTabSheet* SummarySheet;     // "Summary"
  TTabSheet* TimeSheet;        // "Time"
  TStringGrid* InputGrid;
  TStringGrid* SimulationGrid;
  TMemo* Memo1;  // the summary, which the user may edit
  TMemo* TimeMemo;

  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* Save1;     // "&Save"
  TMenuItem* SuMmary1;  // "Su&mmary"
  TMenuItem* Close1;    // "&Close"
  TMenuItem* Help1;     // "&Help"

  // Saves the summary's lines, as shown (the user's edits included), under a chosen name.
  void SuMmary1Click(TObject* Sender);
  void Close1Click(TObject* Sender);
  void Help1Click(TObject* Sender);

 protected:
  TStandardResults(TComponent* AOwner, const String& Name, const String& Caption);
  TTabSheet* NewSheet(const String& Name, const String& Caption);
  // Called after the test's own pages: the summary and time pages, "Input Matrix" active.
  void BuildClosingPages();
};

// A page that shows one statistic.
struct TStatisticPage {
  TGroupBox* ObservedGroup;
  TMemo* Observed;     // the observed value on the line of its histogram bin
  TGroupBox* HistogramGroup;
  TMemo* Histogram;    // the bin edges
  TMemo* Histogram2;   // the counts
  TMemo* Statistics;   // seven lines
};

struct TStatisticPageLayout {
  const char* ObservedGroupCaption;  // "Observed slope"
  const char* ObservedName;
  const char* HistogramName;
  const char* Histogram2Name;
  const char* StatisticsName;
};

TStatisticPage BuildStatisticPage(TComponent* Owner, TTabSheet* Page, const TStatisticPageLayout& Layout);

// The labels of the seven lines: "Observed slope = ", "Mean of simulated slopes = ", ...
struct TStatisticLabels {
  const char* Observed;
  const char* Mean;
  const char* Variance;
};

// The observed value beside its bin, the histogram's edges and counts, and the seven lines
// (observed; empty; mean; variance; empty; the two tail probabilities), replacing what the
// page showed.
void ShowStatistic(const TStatisticPage& Page, const TStatisticLabels& Labels, const TStatisticRecord& Stat);

// The summary's words for one statistic.
struct TBlockWords {
  const char* Title;     // "SLOPE"
  const char* Observed;  // "Observed slope = "
  const char* Mean;
  const char* Variance;
  const char* Less;      // "Number of times observed slope < simulated slope = "
  const char* Equal;
  const char* Greater;
};

// One statistic's block of a summary, 29 lines: a rule, an empty line, the title, observed,
// mean, variance, empty, the three counts, effect size, the two tail probabilities, empty,
// "Simulation frequencies:", "Histogram          # Simulations" and 13 histogram lines.
void AddStatisticBlock(TStrings* Lines, const TBlockWords& Words, const TStatisticRecord& Stat);
