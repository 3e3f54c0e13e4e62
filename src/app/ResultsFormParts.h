// Builders the analyses' results (and options) forms share: pages, result grids, memos and
// group boxes with their design names and places, emptying a result grid, and the save
// dialog's question for a file name.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/Grids.h"
#include "classlib/StdCtrls.h"

TTabSheet* NewPage(TComponent* Owner, TPageControl* Pages, const String& Name, const String& Caption);
// A grid filling Parent, with its hint shown when it has one.
TStringGrid* NewResultGrid(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Hint);
TMemo* NewMemo(TComponent* Owner, TWinControl* Parent, const String& Name, int Left, int Top, int Width, int Height,
               bool ReadOnly = false);
TGroupBox* NewGroup(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption, int Left,
                    int Top, int Width, int Height);

// Empties every cell within the grid's counts, then gives it its new counts.
void ResetGrid(TStringGrid* Grid, int Cols, int Rows);

// Adds one line per row of the grid to a summary: each cell's text followed by a space.
void AddGridLines(TStrings* Lines, const TStringGrid* Grid);

// Copies Grid's cells into the export form's grid and writes them to a workbook with the given
// fixed columns and rows (the export asks for the file name).
void ExportGridToExcel(const TStringGrid* Grid, int FixedCols, int FixedRows);

// Asks for a file name under the title "Select a file name.", starting from DefaultName;
// false on Cancel.
bool AskFileName(TSaveDialog* Dialog, const String& DefaultName, String& Chosen);
