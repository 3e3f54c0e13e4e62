#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

void TZorvan::BuildBatchSummaryFirstRow() {
  BatchGrid->SetCells(0, 0, "FileName");
  BatchGrid->SetCells(1, 0, "Standard-Effect");
  BatchGrid->SetCells(2, 0, "LowerTailP");
  BatchGrid->SetCells(3, 0, "UpperTailP");
}

void TZorvan::BuildBatchSummaryFile(const String& FName, const String& Ses, const String& fP1,
                                    const String& fP2) {
  BatchGrid->SetRowCount(BatchGrid->RowCount() + 1);
  const int row = BatchGrid->RowCount() - 1;
  BatchGrid->SetCells(0, row, ExtractFileName(FName));
  BatchGrid->SetCells(1, row, Ses);
  BatchGrid->SetCells(2, row, fP1);
  BatchGrid->SetCells(3, row, fP2);
}

void TZorvan::ClearBatchGrid() {
  for (int r = 1; r < BatchGrid->RowCount(); ++r)
    for (int c = 0; c < BatchGrid->ColCount(); ++c) BatchGrid->SetCells(c, r, "");
  BatchGrid->SetRowCount(1);
  BatchGrid->SetColCount(4);
  BuildBatchSummaryFirstRow();
}

bool TZorvan::SaveBatchSummary(TMemo* M) {
  try {
    String text;
    for (int i = 0; i < M->Lines()->Count(); ++i) text += M->Lines()->Strings(i) + "\r\n";
    WriteFileAtomically("Summary" + ExtractFileName(FileName), text);
  } catch (const Exception&) {
    ShowMessage("Error saving batch summary...Aborting.");
    return false;
  }
  SaveGridToFile(BatchGrid, "BatchSummary.txt");
  return true;
}
