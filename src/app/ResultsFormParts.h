// Builders the analyses' results (and options) forms share: pages, result grids, memos and
// group boxes with their design names and places, emptying a result grid, and the save
// dialog's question for a file name.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Grids.h"
#include "classlib/StdCtrls.h"

// Lines a histogram takes in a summary: an empty line, the 12 bins, an empty line.
inline constexpr int kHistogramLines = 14;
// The rule between a summary's blocks.
inline const String kRule(46, '_');
// The file filter of every text file dialog.
inline constexpr const char* kTextFilter = "Text files(*.txt)|*.txt|All files(*.*)|*.*";

TTabSheet* NewPage(TComponent* Owner, TPageControl* Pages, const String& Name, const String& Caption);
// A grid filling Parent, with its hint shown when it has one.
TStringGrid* NewResultGrid(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Hint);
TMemo* NewMemo(TComponent* Owner, TWinControl* Parent, const String& Name, int Left, int Top, int Width, int Height,
               bool ReadOnly = false);
// The last pages of every results window: "Summary" with the editable summary Memo1 and
// "Time" with TimeMemo, both filling their page.
struct TClosingPages {
  TTabSheet* SummarySheet;
  TMemo* Memo1;
  TTabSheet* TimeSheet;
  TMemo* TimeMemo;
};
TClosingPages BuildClosingPages(TComponent* Owner, TPageControl* Pages);
TGroupBox* NewGroup(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption, int Left,
                    int Top, int Width, int Height);

// A page of one simulated series: the observed value in its group on the left, the histogram's
// lower edges, upper edges and counts in a second group beside it, the statistics memo below.
// The groups are named Prefix + "ObservedGroup" and Prefix + "HistogramGroup".
struct TSeriesPageNames {
  String Observed, Low, High, Counts, Statistics;
};
struct TSeriesPage {
  TMemo* Observed;
  TMemo* Low;
  TMemo* High;
  TMemo* Counts;
  TMemo* Statistics;
};
TSeriesPage BuildSeriesPage(TComponent* Owner, TTabSheet* Page, const String& Prefix, const String& ObservedCaption,
                            const String& HistogramCaption, const TSeriesPageNames& Names);

// Empties every cell within the grid's counts, then gives it its new counts.
void ResetGrid(TStringGrid* Grid, int Cols, int Rows);

// Adds one line per row of the grid to a summary: each cell's text followed by a space.
void AddGridLines(TStrings* Lines, const TStringGrid* Grid);

// Asks for a file name under the title "Select a file name.", starting from DefaultName;
// false on Cancel.
bool AskFileName(TSaveDialog* Dialog, const String& DefaultName, String& Chosen);
