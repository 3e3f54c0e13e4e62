// The results window's save commands: the summary as text, the pairwise triangle and the
// pairwise list as delimited text or as a workbook.
#include "analysis/presence_absence/CoOccurrenceMain.h"

#include "app/ExcelExport.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

void TCoOccurrence::Summary1Click(TObject*) {
  String name;
  if (!AskFileName(SaveDialog1, "summary.txt", name)) return;
  // The lines as shown, the user's edits included; whole or not at all.
  WriteFileAtomically(name, Memo1->Lines()->Text());
}

void TCoOccurrence::SaveGridAsText(TStringGrid* Grid, bool Comma) {
  String name;
  if (!AskFileName(SaveDialog1, "pairwise.txt", name)) return;
  if (Comma)
    Zorvan->SaveGridToFileComma(Grid, name);
  else
    Zorvan->SaveGridToFile(Grid, name);
}

void TCoOccurrence::SaveGridAsExcel(TStringGrid* Grid, Integer FixedCols, Integer FixedRows) {
  ExportGridToExcel(Grid, FixedCols, FixedRows);
}

void TCoOccurrence::PairwiseSpace1Click(TObject*) { SaveGridAsText(ResponseGrid, false); }
void TCoOccurrence::PairwiseComma1Click(TObject*) { SaveGridAsText(ResponseGrid, true); }
void TCoOccurrence::PairwiseExcel1Click(TObject*) { SaveGridAsExcel(ResponseGrid, 1, 1); }
void TCoOccurrence::ColumnSpace1Click(TObject*) { SaveGridAsText(RivErodovOzar1, false); }
void TCoOccurrence::ColumnComma1Click(TObject*) { SaveGridAsText(RivErodovOzar1, true); }
void TCoOccurrence::ColumnExcel1Click(TObject*) { SaveGridAsExcel(RivErodovOzar1, 0, 0); }
