#include "app/ResultsFormParts.h"

#include "app/ExcelExport.h"

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

TGroupBox* NewGroup(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption, int Left,
                    int Top, int Width, int Height) {
  TGroupBox* group = New<TGroupBox>(Owner);
  group->SetName(Name);
  group->SetCaption(Caption);
  group->SetBounds(Left, Top, Width, Height);
  group->SetParent(Parent);
  return group;
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

void ExportGridToExcel(const TStringGrid* Grid, int FixedCols, int FixedRows) {
  TRivErodovOzar* target = ExportExcel->ExcelExportGrid;
  // No fixed cells while the size changes; the export sets its own.
  target->SetFixedCols(0);
  target->SetFixedRows(0);
  target->Clear();
  target->SetColCount(Grid->ColCount());
  target->SetRowCount(Grid->RowCount());
  for (int r = 0; r < Grid->RowCount(); ++r)
    for (int c = 0; c < Grid->ColCount(); ++c) target->SetCells(c, r, Grid->Cells(c, r));
  ExportExcel->Run(FixedCols, FixedRows);
}
