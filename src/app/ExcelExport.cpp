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

TRivGridExcelIO* NewFormBridge(TComponent* Owner, TRivErodovOzar* Grid, bool ShowInExcel) {
  auto* bridge = New<TRivGridExcelIO>(Owner);
  bridge->SetName("RivGridExcelIO1");
  bridge->SetRivErodovOzar(Grid);
  bridge->SetGridStartRow(0);
  bridge->SetGridStartCol(0);
  bridge->UseUnicode = false;
  bridge->Options()->ExportOverwrite = omWarn;
  bridge->Options()->ExportOverwriteMessage = "File %s already exists\rOk to overwrite ?";
  bridge->Options()->ExportRawRTF = false;
  bridge->Options()->ExportShowInExcel = ShowInExcel;
  return bridge;
}

TExportExcel::TExportExcel(TComponent* AOwner) : TForm(AOwner) {
  SetName("ExportExcel");
  SetCaption("ExportExcel");
  SetBounds(0, 0, 320, 240);

  ExcelExportGrid = New<TRivErodovOzar>(this);
  ExcelExportGrid->SetName("ExcelExportGrid");
  ExcelExportGrid->SetAlign(alClient);
  ExcelExportGrid->SetParent(this);

  // Result exports open in the spreadsheet program only after the main window's toggle.
  RivGridExcelIO1 = NewFormBridge(this, ExcelExportGrid, false);

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
