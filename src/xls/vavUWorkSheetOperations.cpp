// Editing operations of a worksheet: rows and columns with what hangs on them, sizes, hidden
// state, formats, merged cells, outline levels and autofit.
#include <cmath>

#include "xls/vavUBiffCarriedRecords.h"
#include "xls/vavUWorkSheet.h"

// ---------------------------------------------------------------------------------------------
// Rows and columns

void TWorkSheet::InsertAndCopyRowsAndCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aRowCount,
                                          Integer FirstCol, Integer LastCol, Integer DestCol, Integer aColCount,
                                          const TSheetInfo& SheetInfo, bool OnlyFormulas) {
  if (aRowCount > 0) {
    const Integer n = (LastRow - FirstRow + 1) * aRowCount;
    FCells.InsertAndCopyRows(FirstRow, LastRow, DestRow, aRowCount, SheetInfo, OnlyFormulas);
    FRanges.InsertAndCopyRowsOrCols(FirstRow, LastRow, DestRow, aRowCount, SheetInfo, false);
    FNotes.ArrangeInsertRowsAndCols(DestRow, n, 0, 0, SheetInfo);
    FNotes.InsertAndCopyRowsAndCols(FirstRow, LastRow, DestRow, aRowCount, 0, 0, 0, 0);
    FHPageBreaks.InsertRows(DestRow, n);
    FHLinks.InsertAndCopyRange({0, FirstRow, 255, LastRow}, DestRow, 0, aRowCount, 0, SheetInfo);
  }
  if (aColCount > 0) {
    const Integer n = (LastCol - FirstCol + 1) * aColCount;
    FCells.InsertAndCopyCols(FirstCol, LastCol, DestCol, aColCount, SheetInfo, OnlyFormulas);
    FRanges.InsertAndCopyRowsOrCols(FirstCol, LastCol, DestCol, aColCount, SheetInfo, true);
    FNotes.ArrangeInsertRowsAndCols(0, 0, DestCol, n, SheetInfo);
    FNotes.InsertAndCopyRowsAndCols(0, 0, 0, 0, FirstCol, LastCol, DestCol, aColCount);
    FVPageBreaks.InsertCols(DestCol, n);
    FHLinks.InsertAndCopyRange({FirstCol, 0, LastCol, 65535}, 0, DestCol, 0, aColCount, SheetInfo);
  }
  // The drawing objects move and are copied last.
  FDrawing.InsertAndCopyRowsAndCols(FirstRow, LastRow, DestRow, std::max(aRowCount, 0), FirstCol, LastCol, DestCol,
                                    std::max(aColCount, 0), SheetInfo, this);
}

void TWorkSheet::DeleteRowsAndCols(Word aRow, Word aRowCount, Word aCol, Word aColCount, const TSheetInfo& SheetInfo) {
  if (aRowCount != 0) {
    FCells.DeleteRows(aRow, aRowCount, SheetInfo);
    FDrawing.DeleteRows(aRow, aRowCount, this, SheetInfo);
    FRanges.DeleteRowsOrCols(aRow, aRowCount, SheetInfo, false);
    FNotes.ArrangeInsertRowsAndCols(aRow, -aRowCount, 0, 0, SheetInfo);
    FHPageBreaks.DeleteRows(aRow, aRowCount);
    FHLinks.DeleteRange({0, aRow, 255, aRow + aRowCount - 1}, 1, 0, SheetInfo);
  }
  if (aColCount != 0) {
    FCells.DeleteCols(aCol, aColCount, SheetInfo);
    FDrawing.DeleteCols(aCol, aColCount, this, SheetInfo);
    FRanges.DeleteRowsOrCols(aCol, aColCount, SheetInfo, true);
    FNotes.ArrangeInsertRowsAndCols(0, 0, aCol, -aColCount, SheetInfo);
    FVPageBreaks.DeleteCols(aCol, aColCount);
    FHLinks.DeleteRange({aCol, 0, aCol + aColCount - 1, 65535}, 0, 1, SheetInfo);
  }
}

void TWorkSheet::ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, Integer InsColPos, Integer InsColCount,
                                          const TSheetInfo& SheetInfo) {
  FCells.CellList().ArrangeInsertRowsAndCols(InsRowPos, InsRowCount, InsColPos, InsColCount, SheetInfo);
  FDrawing.ArrangeInsertRowsAndCols(InsRowPos, InsRowCount, InsColPos, InsColCount, this, SheetInfo);
}

// ---------------------------------------------------------------------------------------------
// Sizes, hidden state and formats

TColInfo* TWorkSheet::EnsureColumn(Integer aCol, Word aWidth, Word aXF, Word aOptions) {
  if (aCol < 0 || aCol > TBaseRowColRecord::MaxCol) RaiseXls(XlsMsg::InvalidColumn, {Int64{aCol}});
  Integer index = 0;
  if (!FColumns.Find(aCol, index))
    FColumns.Insert(index, std::make_unique<TColInfo>(static_cast<Word>(aCol), aWidth, aXF, aOptions));
  return FColumns[index];
}

Integer TWorkSheet::GetColWidth(Integer aCol, bool HiddenIsZero) {
  Integer index = 0;
  if (!FColumns.Find(aCol, index)) return FDefColWidth;
  if (HiddenIsZero && (FColumns[index]->Options & 1)) return 0;
  return FColumns[index]->Width;
}

void TWorkSheet::SetColWidth(Integer aCol, Word Value) { EnsureColumn(aCol, Value, 15, 0)->Width = Value; }

Integer TWorkSheet::GetRowHeight(Integer aRow, bool HiddenIsZero) const {
  TRowRecordList& rows = const_cast<TCells&>(FCells).RowList();
  if (!rows.HasRow(aRow)) return FDefRowHeight;
  if (HiddenIsZero && rows.Row(aRow)->IsHidden()) return 0;
  return rows.Row(aRow)->Height();
}

void TWorkSheet::SetRowHeight(Integer aRow, Word Value) { FCells.RowList().SetRowHeight(aRow, Value); }

bool TWorkSheet::GetColHidden(Integer aCol) {
  Integer index = 0;
  return FColumns.Find(aCol, index) && (FColumns[index]->Options & 1);
}

void TWorkSheet::SetColHidden(Integer aCol, bool Value) {
  Integer index = 0;
  if (Value) {
    EnsureColumn(aCol, static_cast<Word>(FDefColWidth), 15, 1)->Options |= 1;
    return;
  }
  if (!FColumns.Find(aCol, index)) return;
  TColInfo* c = FColumns[index];
  if (c->Width == 0) c->Width = static_cast<Word>(FDefColWidth);
  c->Options &= ~1;
}

bool TWorkSheet::GetRowHidden(Integer aRow) const {
  TRowRecordList& rows = const_cast<TCells&>(FCells).RowList();
  return rows.HasRow(aRow) && rows.Row(aRow)->IsHidden();
}

void TWorkSheet::SetRowHidden(Integer aRow, bool Value) {
  FCells.RowList().AddRow(aRow);
  FCells.RowList().Row(aRow)->Hide(Value);
}

Integer TWorkSheet::GetColFormat(Integer aCol) {
  Integer index = 0;
  return FColumns.Find(aCol, index) ? FColumns[index]->XF : -1;
}

void TWorkSheet::SetColFormat(Integer aCol, Integer Value) {
  EnsureColumn(aCol, static_cast<Word>(FDefColWidth), static_cast<Word>(Value), 0)->XF = static_cast<Word>(Value);
  TCellList& cells = FCells.CellList();
  for (Integer r = 0; r < cells.Count(); ++r) {
    TCellRecordList* row = cells[r];
    Integer index = 0;
    if (row && row->Find(aCol, index)) (*row)[index]->SetXF(static_cast<Word>(Value));
  }
}

Integer TWorkSheet::GetRowFormat(Integer aRow) const {
  TRowRecordList& rows = const_cast<TCells&>(FCells).RowList();
  return rows.HasRow(aRow) && rows.Row(aRow)->IsFormatted() ? rows.Row(aRow)->XF() : -1;
}

void TWorkSheet::SetRowFormat(Integer aRow, Integer Value) {
  FCells.RowList().AddRow(aRow);
  FCells.RowList().Row(aRow)->SetXF(static_cast<Word>(Value));
  if (TCellRecordList* row = FCells.CellList().RowList(aRow))
    for (Integer i = 0; i < row->Count(); ++i)
      if ((*row)[i]) (*row)[i]->SetXF(static_cast<Word>(Value));
}

// ---------------------------------------------------------------------------------------------
// Merged cells

TXlsCellRange TWorkSheet::CellMergedBounds(Integer aRow, Integer aCol) const {
  TXlsCellRange bounds{aCol, aRow, aCol, aRow};
  for (Integer i = 0; i < FRanges.Count(); ++i)
    if (auto* m = dynamic_cast<const TMergedCells*>(FRanges[i]))
      if (m->CheckCell(aRow, aCol, bounds)) break;
  return bounds;
}

Integer TWorkSheet::CellMergedListCount() const {
  Integer n = 0;
  for (Integer i = 0; i < FRanges.Count(); ++i)
    if (auto* m = dynamic_cast<const TMergedCells*>(FRanges[i])) n += m->MergedCount();
  return n;
}

TXlsCellRange TWorkSheet::CellMergedList(Integer Index) const {
  if (Index < 0) return TXlsCellRange{};
  for (Integer i = 0; i < FRanges.Count(); ++i)
    if (auto* m = dynamic_cast<const TMergedCells*>(FRanges[i])) {
      if (Index < m->MergedCount()) return m->MergedCell(Index);
      Index -= m->MergedCount();
    }
  return TXlsCellRange{};
}

TMergedCells* TWorkSheet::LastMergedCells() {
  for (Integer i = FRanges.Count() - 1; i >= 0; --i)
    if (auto* m = dynamic_cast<TMergedCells*>(FRanges[i])) return m;
  FRanges.Add(std::make_unique<TMergedCells>());
  return static_cast<TMergedCells*>(FRanges[FRanges.Count() - 1]);
}

void TWorkSheet::MergeCells(Integer aRow1, Integer aCol1, Integer aRow2, Integer aCol2) {
  Integer r1 = std::min(aRow1, aRow2), r2 = std::max(aRow1, aRow2);
  Integer c1 = std::min(aCol1, aCol2), c2 = std::max(aCol1, aCol2);
  // The rectangle grows over the blocks it overlaps until a whole pass leaves it as it is.
  bool changed = true;
  while (changed) {
    const Integer o1 = r1, o2 = r2, o3 = c1, o4 = c2;
    for (Integer i = 0; i < FRanges.Count(); ++i)
      if (auto* m = dynamic_cast<TMergedCells*>(FRanges[i])) m->PreMerge(r1, c1, c2, r2);
    changed = o1 != r1 || o2 != r2 || o3 != c1 || o4 != c2;
  }
  LastMergedCells()->MergeCells(r1, c1, c2, r2);
}

void TWorkSheet::UnMergeCells(Integer aRow1, Integer aCol1, Integer aRow2, Integer aCol2) {
  const Integer r1 = std::min(aRow1, aRow2), r2 = std::max(aRow1, aRow2);
  const Integer c1 = std::min(aCol1, aCol2), c2 = std::max(aCol1, aCol2);
  for (Integer i = 0; i < FRanges.Count(); ++i)
    if (auto* m = dynamic_cast<TMergedCells*>(FRanges[i])) m->UnMergeCells(r1, c1, c2, r2);
}

// ---------------------------------------------------------------------------------------------
// Outline levels

void TWorkSheet::EnsureGuts() {
  if (!FGuts) {
    auto guts = std::make_unique<TGutsRecord>(0x0080, ArrayOfByte(8, 0));
    FGuts = guts.get();
    Integer at = FMiscRecords1.Count();
    for (Integer i = 0; i < FMiscRecords1.Count(); ++i)
      if (FMiscRecords1[i] && FMiscRecords1[i]->Id == 0x0225) {
        at = i;
        break;
      }
    FMiscRecords1.Insert(at, std::move(guts));
  }
  FGuts->RecalcNeeded = true;
}

Integer TWorkSheet::GetColOutlineLevel(Integer aCol) {
  Integer index = 0;
  return FColumns.Find(aCol, index) ? FColumns[index]->GetColOutlineLevel() : 0;
}

void TWorkSheet::SetColOutlineLevel(Integer aCol, Integer Level) {
  EnsureGuts();
  EnsureColumn(aCol, static_cast<Word>(FDefColWidth), 15, 0)->SetColOutlineLevel(Level);
}

Integer TWorkSheet::GetRowOutlineLevel(Integer aRow) const {
  TRowRecordList& rows = const_cast<TCells&>(FCells).RowList();
  return rows.HasRow(aRow) ? rows.Row(aRow)->Options() & 7 : 0;
}

void TWorkSheet::SetRowOutlineLevel(Integer aRow, Integer Level) {
  EnsureGuts();
  FCells.RowList().AddRow(aRow);
  FCells.RowList().Row(aRow)->SetRowOutlineLevel(Level & 7);
}

// ---------------------------------------------------------------------------------------------
// Autofit

void TWorkSheet::RecalcRowHeights(Integer, Integer, bool, bool, long double) {
  // No measure of the cell fonts exists, so there is no estimate to replace a height with:
  // every row keeps the height it has rather than being flattened to the default.
}

void TWorkSheet::RecalcColWidths(Integer, Integer, bool, long double) {
  // The width estimator gives 0 for every cell, and only a positive estimate is written.
}
