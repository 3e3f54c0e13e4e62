// The hidden export form: results windows copy a result grid into ExcelExportGrid and call
// Run, which asks for a workbook name and writes the grid to it.
#pragma once

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "grid/model/RivErodovOzar.h"
#include "xls/vavRivGridExcel.h"

class TExportExcel : public TForm {
 public:
  explicit TExportExcel(TComponent* AOwner);

  TRivErodovOzar* ExcelExportGrid;
  TRivGridExcelIO* RivGridExcelIO1;
  TSaveDialog* SaveDialog1;

  // Fixes c title columns and r title rows of ExcelExportGrid, asks for a workbook name and
  // writes the grid to it; "Error saving file." when that fails. The main window's FileName
  // stays as it is.
  void Run(Integer c, Integer r);
};

extern TExportExcel* ExportExcel;

// Copies Source cell by cell into ExcelExportGrid, then Run(FixedCols, FixedRows).
void ExportGridToExcel(const TStringGrid* Source, Integer FixedCols, Integer FixedRows);

// A bridge as the program's forms set it up: bound to Grid, sheet cell A1 at grid cell (0, 0),
// overwriting only after the user says Yes.
TRivGridExcelIO* NewFormBridge(TComponent* Owner, TRivErodovOzar* Grid, bool ShowInExcel);

// The workbook save dialog of the main window and the export form.
void PrepareWorkbookSaveDialog(TSaveDialog* Dialog);
