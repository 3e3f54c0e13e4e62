// TXLSFile: sheets, row and column sizes, row and column insertion and deletion, outline
// levels and merged cells.
#include <algorithm>

#include "xls/vavUXlsFile.h"

// ---------------------------------------------------------------------------------------------
// Sheets

WideString TXLSFile::GetActiveSheetName() { return Workbook().Globals().GetSheetName(FActiveSheet - 1); }

void TXLSFile::SetActiveSheetName(const WideString& Value) { Workbook().Globals().SetSheetName(FActiveSheet - 1, Value); }

WideString TXLSFile::GetActiveSheetCodeName() { return ActiveSheetRef().CodeName(); }

void TXLSFile::SetActiveSheetCodeName(const WideString& Value) {
  TSheet& active = ActiveSheetRef();
  TSheetList& sheets = Workbook().Sheets();
  for (Integer i = 0; i < sheets.Count(); ++i)
    if (sheets[i]->CodeName() == Value) RaiseXls(XlsMsg::DuplicatedSheetName, {WideToUtf8(Value)});
  active.SetCodeName(Value);
}

TXlsSheetVisible TXLSFile::GetActiveSheetVisible() { return Workbook().Globals().GetSheetVisible(FActiveSheet - 1); }

void TXLSFile::SetActiveSheetVisible(TXlsSheetVisible Value) {
  Workbook().Globals().SetSheetVisible(FActiveSheet - 1, Value);
}

Integer TXLSFile::SheetCount() { return Workbook().Globals().SheetCount(); }

bool TXLSFile::IsWorksheet(Integer index) { return Workbook().IsWorksheet(index - 1); }

void TXLSFile::SelectSheet(Integer SheetNo) { Workbook().SetActiveSheet(SheetNo - 1); }

void TXLSFile::InsertAndCopySheets(Integer CopyFrom, Integer InsertBefore, Integer SheetCount) {
  Workbook().InsertSheets(std::max(CopyFrom - 1, -1), InsertBefore - 1, SheetCount);
  IsFileModified = true;
}

void TXLSFile::DeleteSheet(Integer aSheetCount) {
  if (aSheetCount >= SheetCount()) RaiseXls(XlsMsg::NoVisibleSheets);
  Workbook().DeleteSheets(FActiveSheet - 1, aSheetCount);
  if (FActiveSheet > SheetCount()) FActiveSheet = SheetCount();
  IsFileModified = true;
}

void TXLSFile::ClearSheet() {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->ClearValues();
  IsFileModified = true;
  SelectSheet(FActiveSheet);
}

// ---------------------------------------------------------------------------------------------
// Sizes

Integer TXLSFile::GetColumnWidth(Integer Col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->GetColWidth(Col - 1) : 0;
}

Integer TXLSFile::GetColumnWidthHiddenIsZero(Integer Col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->GetColWidth(Col - 1, true) : 0;
}

Integer TXLSFile::GetRowHeight(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->GetRowHeight(Row - 1) : 0;
}

Integer TXLSFile::GetRowHeightHiddenIsZero(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->GetRowHeight(Row - 1, true) : 0;
}

void TXLSFile::SetColumnWidth(Integer Col, Integer Value) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->SetColWidth(Col - 1, static_cast<Word>(Value));
  Workbook().RestoreObjectCoords(FActiveSheet - 1);
}

void TXLSFile::SetRowHeight(Integer Row, Integer Value) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->SetRowHeight(Row - 1, static_cast<Word>(Value));
  Workbook().RestoreObjectCoords(FActiveSheet - 1);
}

bool TXLSFile::GetRowHidden(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && sheet->GetRowHidden(Row - 1);
}

void TXLSFile::SetRowHidden(Integer Row, bool Value) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->SetRowHidden(Row - 1, Value);
  Workbook().RestoreObjectCoords(FActiveSheet - 1);
}

bool TXLSFile::GetColumnHidden(Integer Col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet && Col >= 1 && Col <= 256 && sheet->GetColHidden(Col - 1);
}

void TXLSFile::SetColumnHidden(Integer Col, bool Value) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet || Col < 1 || Col > 256) return;
  sheet->SetColHidden(Col - 1, Value);
  Workbook().RestoreObjectCoords(FActiveSheet - 1);
}

Integer TXLSFile::GetDefaultColWidth() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->DefColWidth() : 10;
}

Integer TXLSFile::GetDefaultRowHeight() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->DefRowHeight() : 255;
}

bool TXLSFile::GetAutoRowHeight(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return !sheet || sheet->Cells().RowList().IsAutoRowHeight(Row - 1);
}

void TXLSFile::SetAutoRowHeight(Integer Row, bool Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->Cells().RowList().AutoRowHeight(Row - 1, Value);
}

// ---------------------------------------------------------------------------------------------
// Inserting and deleting rows and columns

void TXLSFile::InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount, bool OnlyFormulas) {
  Workbook().InsertAndCopyRowsAndCols(FActiveSheet - 1, FirstRow - 1, LastRow - 1, DestRow - 1, aCount, 0, 0, 0, 0,
                                      OnlyFormulas);
  IsFileModified = true;
}

void TXLSFile::InsertAndCopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aCount, bool OnlyFormulas) {
  Workbook().InsertAndCopyRowsAndCols(FActiveSheet - 1, 0, 0, 0, 0, FirstCol - 1, LastCol - 1, DestCol - 1, aCount,
                                      OnlyFormulas);
  IsFileModified = true;
}

// The model counts rows and columns in 16 bits: a first row or column outside the sheet is
// refused before it is narrowed; a count is cut to the sheet's end (nothing lies beyond it) and
// passed in pieces that fit; no count deletes nothing.
void TXLSFile::DeleteRows(Integer aRow, Integer aCount) {
  const Integer first = aRow - 1;
  if (first < 0 || first > TBaseRowColRecord::MaxRow) RaiseXls(XlsMsg::InvalidRow, {Int64{first}});
  for (Integer left = std::min(aCount, TBaseRowColRecord::MaxRow + 1 - first); left > 0;) {
    const Integer n = std::min<Integer>(left, 0xFFFF);
    Workbook().DeleteRowsAndCols(FActiveSheet - 1, static_cast<Word>(first), static_cast<Word>(n), 0, 0);
    left -= n;
  }
  IsFileModified = true;
}

void TXLSFile::DeleteCols(Integer aCol, Integer aCount) {
  const Integer first = aCol - 1;
  if (first < 0 || first > TBaseRowColRecord::MaxCol) RaiseXls(XlsMsg::InvalidColumn, {Int64{first}});
  const Integer n = std::min(aCount, TBaseRowColRecord::MaxCol + 1 - first);
  if (n > 0) Workbook().DeleteRowsAndCols(FActiveSheet - 1, 0, 0, static_cast<Word>(first), static_cast<Word>(n));
  IsFileModified = true;
}

namespace {
// The text of a row's first cell ("" for an empty cell).
WideString FirstCellText(TCellList& Cells, Integer Row) {
  const TXlsCellValue v = Cells.GetValue(Row, 0);
  return v.Value.IsEmpty() ? WideString() : Utf8ToWide(VarToStr(v.Value));
}
}  // namespace

void TXLSFile::DeleteMarkedRows(const WideString& Mark) {
  TCellList* cells = ActiveCells();
  if (!cells) return;
  IsFileModified = true;
  for (Integer r = cells->Count() - 1; r >= 0; --r) {
    try {
      if (FirstCellText(*cells, r) == Mark) Workbook().DeleteRowsAndCols(FActiveSheet - 1, static_cast<Word>(r), 1, 0, 0);
    } catch (const Exception&) {
      // One row that cannot go does not stop the others.
    }
  }
}

void TXLSFile::MakePageBreaks(const WideString& Mark) {
  TCellList* cells = ActiveCells();
  if (!cells) return;
  for (Integer r = cells->Count() - 1; r >= 0; --r) {
    try {
      if (FirstCellText(*cells, r) != Mark) continue;
      cells->SetValueX2(r, 0, TXlsCellValue{}, {}, Dates1904());
      InsertHPageBreak(r);
    } catch (const Exception&) {
      // One row that fails does not stop the others.
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Outline levels

Integer TXLSFile::GetRowOutlineLevel(Integer aRow) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->GetRowOutlineLevel(aRow - 1) : 0;
}

void TXLSFile::SetRowOutlineLevel(Integer FirstRow, Integer LastRow, Integer Value) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  for (Integer r = FirstRow; r <= LastRow; ++r) sheet->SetRowOutlineLevel(r - 1, Value);
}

Integer TXLSFile::GetColOutlineLevel(Integer aCol) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->GetColOutlineLevel(aCol - 1) : 0;
}

void TXLSFile::SetColOutlineLevel(Integer FirstCol, Integer LastCol, Integer Level) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  for (Integer c = FirstCol; c <= LastCol; ++c) sheet->SetColOutlineLevel(c - 1, Level);
}

// ---------------------------------------------------------------------------------------------
// Merged cells

void TXLSFile::MergeCells(Integer FirstRow, Integer FirstCol, Integer LastRow, Integer LastCol) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->MergeCells(FirstRow - 1, FirstCol - 1, LastRow - 1, LastCol - 1);
}

void TXLSFile::UnMergeCells(Integer FirstRow, Integer FirstCol, Integer LastRow, Integer LastCol) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->UnMergeCells(FirstRow - 1, FirstCol - 1, LastRow - 1, LastCol - 1);
}

// On a sheet of another kind no cell is merged: a cell's block is the cell itself, and the
// list is empty (so any index reads an empty range).
TXlsCellRange TXLSFile::GetCellMergedBounds(Integer Row, Integer Col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return TXlsCellRange{Col, Row, Col, Row};
  return OffsetRange(sheet->CellMergedBounds(Row - 1, Col - 1), 1, 1);
}

TXlsCellRange TXLSFile::GetCellMergedList(Integer Index) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return TXlsCellRange{};
  return OffsetRange(sheet->CellMergedList(Index), 1, 1);
}

Integer TXLSFile::CellMergedListCount() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->CellMergedListCount() : 0;
}

// ---------------------------------------------------------------------------------------------
// Fitting sizes to contents

void TXLSFile::AutofitRow(Integer row1, Integer row2, bool AutofitNotAutofittingRows, bool keepHeightAutomatic,
                          Extended adjustment) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->RecalcRowHeights(row1 - 1, row2 - 1, AutofitNotAutofittingRows, keepHeightAutomatic, adjustment);
  Workbook().RestoreObjectCoords(FActiveSheet - 1);
}

void TXLSFile::AutofitCol(Integer Col1, Integer Col2, bool IgnoreStrings, Extended Adjustment) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return;
  sheet->RecalcColWidths(Col1 - 1, Col2 - 1, IgnoreStrings, Adjustment);
  Workbook().RestoreObjectCoords(FActiveSheet - 1);
}

void TXLSFile::AutofitRowsOnWorkbook(bool AutofitNotAutofittingRows, bool KeepSizesAutomatic, Extended Adjustment) {
  TWorkbook& workbook = Workbook();
  for (Integer i = 0; i < workbook.Sheets().Count(); ++i) {
    if (!workbook.IsWorksheet(i)) continue;
    TWorkSheet& sheet = workbook.WorkSheetAt(i);
    sheet.RecalcRowHeights(0, sheet.Cells().CellList().Count() - 1, AutofitNotAutofittingRows, KeepSizesAutomatic,
                           Adjustment);
    workbook.RestoreObjectCoords(i);
  }
}
