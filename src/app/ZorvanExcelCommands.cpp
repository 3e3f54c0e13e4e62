// The main window's workbook commands: open a workbook into the data grid, save the grid as a
// workbook, and the switch that opens saved workbooks in the spreadsheet program. The bridge
// does the workbook work; these commands own the dialogs, the status window and the messages.
#include "app/ExcelExport.h"
#include "app/MatrixCellLimit.h"
#include "app/ZorvanMain.h"
#include "app/progressexcel.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

namespace {

// Every column and row of an imported matrix takes the data grid's standard sizes; the sizes
// stored in the sheet are not kept.
void ApplyStandardCellSizes(TRivErodovOzar* Grid) {
  Grid->SetDefaultColWidth(64);
  Grid->SetDefaultRowHeight(22);
  for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, 64);
  for (int r = 0; r < Grid->RowCount(); ++r) Grid->SetRowHeights(r, 22);
}

}  // namespace

void TZorvan::WireExcelCommands() {
  // The main window's saves open the workbook until the switch is first used; the switch's
  // check mark starts clear all the same.
  RivGridExcelIO1 = NewFormBridge(this, MainGrid, true);

  Excelxls1->OnClick = [this](TObject* s) { eXcelxls1Click(s); };
  Excelxls2->OnClick = [this](TObject* s) { Excelxls2Click(s); };
  E1->OnClick = [this](TObject* s) { E1Click(s); };
}

void TZorvan::eXcelxls1Click(TObject*) {
  OpenDialog1->Filter = "Excel files(*.xls)|*.xls|All files(*.*)|*.*";
  OpenDialog1->Title = "Select an Excel file to open.";
  OpenDialog1->FileName = "";
  if (!OpenDialog1->Execute()) return;
  const String chosen = OpenDialog1->FileName;
  // A failed open leaves the matrix's file name as it was, so a later save cannot write the
  // old matrix under the name of a workbook that was never read.
  if (!FileExists(chosen)) {
    ShowMessage("Error opening file.");
    return;
  }
  // The bridge fills the grid only once the whole sheet has been read, so a failure leaves
  // the matrix as it was. A sheet larger than an analysis takes is refused as soon as its
  // size is known, before its cells are read.
  RivGridExcelIO1->OnImportSize = [chosen](Integer Rows, Integer Cols) { CheckCellLimit(chosen, Rows, Cols); };
  bool opened = true;
  try {
    Excelstatus->ShowStatus("Importing Excel file: " + ExtractFileName(chosen));
    RivGridExcelIO1->XLSImport(chosen);
    ApplyStandardCellSizes(MainGrid);
  } catch (const EMatrixTooLarge& e) {
    opened = false;
    ShowMessage(e.what());
  } catch (const std::exception&) {
    opened = false;
    ShowMessage("Error opening file.");
  }
  Excelstatus->Close();
  if (!opened) return;
  FileName = chosen;
  SetCaption("Zorvan Professional: " + ExtractFileName(FileName));
}

void TZorvan::Excelxls2Click(TObject*) {
  PrepareWorkbookSaveDialog(SaveDialog1);
  if (!SaveDialog1->Execute()) {
    Excelstatus->Close();
    return;
  }
  FileName = SaveDialog1->FileName;
  try {
    Excelstatus->ShowStatus("Exporting to Excel file: " + ExtractFileName(FileName));
    RivGridExcelIO1->XLSExport(FileName);
  } catch (const std::exception&) {
    ShowMessage("Error saving file.");
  }
  Excelstatus->Close();
  // The matrix's file is now the workbook: the caption says so, as after a text save.
  SetCaption(kCaptionPrefix + FileName);
}

void TZorvan::E1Click(TObject*) {
  E1->SetChecked(!E1->Checked());
  RivGridExcelIO1->Options()->ExportShowInExcel = E1->Checked();
  ExportExcel->RivGridExcelIO1->Options()->ExportShowInExcel = E1->Checked();
}
