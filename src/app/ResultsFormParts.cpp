#include "app/ResultsFormParts.h"

TTabSheet* NewPage(TComponent* Owner, TPageControl* Pages, const String& Name, const String& Caption) {
  TTabSheet* page = New<TTabSheet>(Owner);
  page->SetName(Name);
  page->SetCaption(Caption);
  page->SetPageControl(Pages);
  return page;
}

TStringGrid* NewResultGrid(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Hint) {
  TStringGrid* grid = New<TStringGrid>(Owner);
  grid->SetName(Name);
  grid->Hint = Hint;
  grid->ShowHint = !Hint.empty();
  grid->SetAlign(alClient);
  grid->SetParent(Parent);
  return grid;
}

TMemo* NewMemo(TComponent* Owner, TWinControl* Parent, const String& Name, int Left, int Top, int Width, int Height,
               bool ReadOnly) {
  TMemo* memo = New<TMemo>(Owner);
  memo->SetName(Name);
  memo->SetBounds(Left, Top, Width, Height);
  memo->SetWordWrap(false);
  memo->SetReadOnly(ReadOnly);
  memo->SetParent(Parent);
  return memo;
}

TClosingPages BuildClosingPages(TComponent* Owner, TPageControl* Pages) {
  TClosingPages p;
  p.SummarySheet = NewPage(Owner, Pages, "SummarySheet", "Summary");
  p.Memo1 = NewMemo(Owner, p.SummarySheet, "Memo1", 0, 0, 100, 100);
  p.Memo1->Hint = "You can annotate and edit this output.";
  p.Memo1->ShowHint = true;
  p.Memo1->SetScrollBars(ssBoth);
  p.Memo1->SetAlign(alClient);
  p.TimeSheet = NewPage(Owner, Pages, "TimeSheet", "Time");
  p.TimeMemo = NewMemo(Owner, p.TimeSheet, "TimeMemo", 0, 0, 100, 100);
  p.TimeMemo->SetAlign(alClient);
  return p;
}

TGroupBox* NewGroup(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption, int Left,
                    int Top, int Width, int Height) {
  TGroupBox* group = New<TGroupBox>(Owner);
  group->SetName(Name);
  group->SetCaption(Caption);
  group->SetBounds(Left, Top, Width, Height);
  group->SetParent(Parent);
  return group;
}

TSeriesPage BuildSeriesPage(TComponent* Owner, TTabSheet* Page, const String& Prefix, const String& ObservedCaption,
                            const String& HistogramCaption, const TSeriesPageNames& Names) {
  TSeriesPage p{};
  TGroupBox* observedBox = NewGroup(Owner, Page, Prefix + "ObservedGroup", ObservedCaption, 8, 8, 200, 290);
  p.Observed = NewMemo(Owner, observedBox, Names.Observed, 8, 18, 184, 264, true);
  TGroupBox* histogramBox = NewGroup(Owner, Page, Prefix + "HistogramGroup", HistogramCaption, 216, 8, 470, 290);
  p.Low = NewMemo(Owner, histogramBox, Names.Low, 8, 18, 150, 264, true);
  p.High = NewMemo(Owner, histogramBox, Names.High, 160, 18, 150, 264, true);
  p.Counts = NewMemo(Owner, histogramBox, Names.Counts, 312, 18, 150, 264, true);
  p.Statistics = NewMemo(Owner, Page, Names.Statistics, 8, 306, 678, 130, true);
  return p;
}

void ResetGrid(TStringGrid* Grid, int Cols, int Rows) {
  for (int r = 0; r < Grid->RowCount(); ++r)
    for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetCells(c, r, "");
  Grid->SetColCount(Cols);
  Grid->SetRowCount(Rows);
}

void AddGridLines(TStrings* Lines, const TStringGrid* Grid) {
  for (int r = 0; r < Grid->RowCount(); ++r) {
    String row;
    for (int c = 0; c < Grid->ColCount(); ++c) row += Grid->Cells(c, r) + " ";
    Lines->Add(row);
  }
}

bool AskFileName(TSaveDialog* Dialog, const String& DefaultName, String& Chosen) {
  Dialog->Title = "Select a file name.";
  Dialog->FileName = DefaultName;
  if (!Dialog->Execute()) return false;
  Chosen = Dialog->FileName;
  return true;
}
