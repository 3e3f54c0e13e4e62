#include "app/ExcelExport.h"

#include "app/progressexcel.h"
#include "classlib/SysUtils.h"

TExportExcel* ExportExcel = nullptr;

void PrepareWorkbookSaveDialog(TSaveDialog* Dialog) {
  Dialog->Title = "Specify a file name.";
  Dialog->Filter = "Excel files(*.xls)|*.xls";
  Dialog->FilterIndex = 1;
  Dialog->FileName = "data";
  Dialog->DefaultExt = "xls";
}

TExportExcel::TExportExcel(TComponent* AOwner) : TForm(AOwner) {
  SetName("ExportExcel");
  SetCaption("ExportExcel");
  SetBounds(0, 0, 320, 240);

  ExcelExportGrid = New<TRivErodovOzar>(this);
  ExcelExportGrid->SetName("ExcelExportGrid");
  ExcelExportGrid->SetAlign(alClient);
  ExcelExportGrid->SetParent(this);

  RivGridExcelIO1 = New<TRivGridExcelIO>(this);
  RivGridExcelIO1->SetName("RivGridExcelIO1");
  RivGridExcelIO1->SetGrid(ExcelExportGrid);
  RivGridExcelIO1->GridStartRow = 0;
  RivGridExcelIO1->GridStartCol = 0;
  RivGridExcelIO1->UseUnicode = false;
  RivGridExcelIO1->OverwriteMode = omWarn;
  RivGridExcelIO1->OverwriteMessage = "File %s already exists\rOk to overwrite ?";
  // Result exports open in the spreadsheet program only after the main window's toggle.
  RivGridExcelIO1->ShowInExcel = false;

  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
}

void ExportGridToExcel(const TStringGrid* Source, Integer FixedCols, Integer FixedRows) {
  TRivErodovOzar* target = ExportExcel->ExcelExportGrid;
  // No fixed cells while the size changes; the export sets its own.
  target->SetFixedCols(0);
  target->SetFixedRows(0);
  target->Clear();
  target->SetColCount(Source->ColCount());
  target->SetRowCount(Source->RowCount());
  for (int r = 0; r < Source->RowCount(); ++r)
    for (int c = 0; c < Source->ColCount(); ++c) target->SetCells(c, r, Source->Cells(c, r));
  ExportExcel->Run(FixedCols, FixedRows);
}

void TExportExcel::Run(Integer c, Integer r) {
  ExcelExportGrid->SetFixedCols(c);
  ExcelExportGrid->SetFixedRows(r);
  PrepareWorkbookSaveDialog(SaveDialog1);
  if (!SaveDialog1->Execute()) return;
  const String name = SaveDialog1->FileName;
  try {
    Excelstatus->ShowStatus("Exporting to Excel file: " + ExtractFileName(name));
    RivGridExcelIO1->XLSExport(name);
  } catch (const std::exception&) {
    ShowMessage("Error saving file.");
  }
  Excelstatus->Close();
}
