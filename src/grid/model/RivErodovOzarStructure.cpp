// Row and column structure edits: inserting, removing, moving and swapping rows and columns.
// Rows move in the cell store as whole rows (texts and object slots together), so a cell's
// properties travel with its text and hidden columns' cells travel with their rows.
#include <algorithm>
#include <unordered_set>

#include "classlib/StringList.h"
#include "grid/model/RivErodovOzar.h"

namespace {
// Inserts (Delta > 0) or deletes (Delta < 0) entries of a per-row side list at RowIndex, only
// where the list reaches that far.
void ShiftList(TIntList* List, int RowIndex, int Count, bool Insert) {
  if (RowIndex < 0 || RowIndex >= List->Count()) return;
  for (int i = 0; i < Count; ++i) {
    if (Insert)
      List->Insert(RowIndex, 0);
    else if (RowIndex < List->Count())
      List->Delete(RowIndex);
  }
}
}  // namespace

void TRivErodovOzar::RowCountChanged() {
  FMaxRowCount = std::max(FMaxRowCount, RowCount());
  FNormalRowCount = RowCount();
}

void TRivErodovOzar::ShiftHiddenRowIndexes(int AboveReal, int Delta) {
  for (int i = 0; i < FGridItems.Count(); ++i) {
    TGridItem* item = FGridItems.Items(i);
    if (item->Idx() > AboveReal) item->SetIdx(item->Idx() + Delta);
  }
}

void TRivErodovOzar::ShiftSideListsInserted(int RowIndex, int RCount) {
  if (FShowModified->Enabled) ShiftList(FModifiedRows.get(), RowIndex, RCount, true);
  if (EnabledRowsInUse) ShiftList(FEnabledRows.get(), RowIndex, RCount, true);
}

void TRivErodovOzar::ShiftSideListsRemoved(int RowIndex, int RCount) {
  if (FShowModified->Enabled) ShiftList(FModifiedRows.get(), RowIndex, RCount, false);
  if (EnabledRowsInUse) ShiftList(FEnabledRows.get(), RowIndex, RCount, false);
  if (FMouseActions->DisjunctRowSelect()) ShiftList(FRowSelect.get(), RowIndex, RCount, false);
}

void TRivErodovOzar::FreeRowProperties(int Row1, int Row2) {
  if (!FHasCellProps || Row2 < Row1) return;
  int cols = 0, rows = 0;
  StoredExtent(cols, rows);
  FreeCellPropertiesRect(0, Row1, cols - 1, std::min(Row2, rows - 1));
}

void TRivErodovOzar::FreeHiddenRowProperties(int FromCol, int ToCol) {
  std::unordered_set<TObject*> freed;
  for (int i = 0; i < FGridItems.Count(); ++i) {
    TObjectSlots& slots = FGridItems.Items(i)->Cells().Objects;
    for (int c = std::max(FromCol, 0); c <= ToCol && c < static_cast<int>(slots.size()); ++c) {
      TObject*& slot = slots[static_cast<size_t>(c)];
      if (slot == nullptr || !freed.insert(slot).second) continue;
      auto* props = static_cast<TCellProperties*>(slot);
      TObject* graphic = props->GraphicObject();
      if (graphic != nullptr && freed.insert(graphic).second && graphic->ClassName() == "TCellGraphic") delete graphic;
      delete props;
      slot = nullptr;
    }
  }
}

// ---- Rows ----

void TRivErodovOzar::InsertRows(int RowIndex, int RCount, bool UpdateCellControls) {
  InsertRowsCore(RowIndex, RCount, UpdateCellControls);
}

void TRivErodovOzar::InsertRowsCore(int RowIndex, int RCount, bool) {
  if (RCount <= 0) return;
  RowIndex = std::clamp(RowIndex, 0, RowCount());
  InsertGridRows(RowIndex, RCount);
  RowCountChanged();
  ShiftSideListsInserted(RowIndex, RCount);
  if (!IsDestroying()) DoCellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TRivErodovOzar::AddRow() {
  InsertRows(RowCount(), 1, true);
  ClearRows(RowCount() - 1, 1);
}

void TRivErodovOzar::RemoveRows(int RowIndex, int RCount) {
  if (RowIndex > RowCount() || RowIndex < 0 || RCount <= 0) return;
  // The grid keeps at least one row, as the row count does.
  RCount = std::min({RCount, RowCount() - RowIndex, RowCount() - 1});
  if (RCount <= 0) return;
  TUpdateBlock block(this);
  FreeRowProperties(RowIndex, RowIndex + RCount - 1);
  const int topRow = TopRow();
  const int row = Row();
  if (FGridItems.Count() > 0) ShiftHiddenRowIndexes(RealRowIndex(RowIndex), -RCount);
  ShiftSideListsRemoved(RowIndex, RCount);
  DeleteGridRows(RowIndex, RCount);
  // Texts left beyond the grid are stale: the rows that moved up took them along.
  for (int r = RowCount(); r <= RowCount() + RCount && r < StoreRowCount(); ++r) {
    FreeRowProperties(r, r);
    StoreClearRow(r);
  }
  FNormalRowCount = RowCount();
  FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);
  AfterRowsRemoved(RowIndex, RCount, row, topRow);
}

// Keeps the current row where it was, or on the last row above the footers when it went with
// the removed run, and reports the change.
void TRivErodovOzar::AfterRowsRemoved(int RowIndex, int RCount, int OldRow, int OldTopRow) {
  if (OldRow < RowCount() - FFixedFooters) {
    SetRow(OldRow);
    SetTopRow(OldTopRow);
  } else if (RowCount() - FFixedFooters - 1 >= FixedRows()) {
    SetRow(RowCount() - FFixedFooters - 1);
  }
  if (!IsDestroying()) DoCellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TRivErodovOzar::RemoveRowsCore(int RowIndex, int RCount, bool ShiftHidden) {
  if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
  RCount = std::min({RCount, RowCount() - RowIndex, RowCount() - 1});
  if (RCount <= 0) return;
  TUpdateBlock block(this);
  const int topRow = TopRow();
  const int row = Row();
  if (ShiftHidden && FGridItems.Count() > 0) ShiftHiddenRowIndexes(RealRowIndex(RowIndex), -RCount);
  if (FMouseActions->DisjunctRowSelect() && !FMouseActions->RowSelectPersistent)
    ShiftList(FRowSelect.get(), RowIndex, RCount, false);
  DeleteGridRows(RowIndex, RCount);
  RowCountChanged();
  AfterRowsRemoved(RowIndex, RCount, row, topRow);
}

void TRivErodovOzar::DeleteRowRun(int RowIndex, int RCount) {
  FreeRowProperties(RowIndex, RowIndex + RCount - 1);
  RemoveRowsCore(RowIndex, RCount, true);
}

void TRivErodovOzar::RemoveRowsEx(int RowIndex, int RCount) {
  if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
  RCount = std::min({RCount, RowCount() - RowIndex, RowCount() - 1});
  if (RCount <= 0) return;
  // The rows removed own their properties; copying over them must not lose those objects.
  FreeRowProperties(RowIndex, RowIndex + RCount - 1);
  RemoveRowsExCore(RowIndex, RCount, true);
}

void TRivErodovOzar::RemoveRowsExCore(int RowIndex, int RCount, bool ShiftHidden) {
  RCount = std::min({RCount, RowCount() - RowIndex, RowCount() - 1});
  if (RCount <= 0) return;
  const int realAfter = RealRowIndex(RowIndex + RCount - 1);
  const int row = Row();
  const int topRow = TopRow();
  {
    TUpdateBlock block(this);
    // Heights stay with the display positions.
    std::vector<int> heights = AllRowHeights();
    StoreDeleteRows(RowIndex, RCount);
    if (FMouseActions->DisjunctRowSelect()) ShiftList(FRowSelect.get(), RowIndex, RCount, false);
    TBaseGrid::SetRowCount(RowCount() - RCount);
    FNormalRowCount = RowCount();
    FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);
    heights.resize(static_cast<size_t>(RowCount()));
    SetAllRowHeights(heights);
    // No object slot beyond the new count refers to anything the grid still shows.
    FreeRowProperties(RowCount(), RowCount() + RCount - 1);
    if (row < RowCount()) {
      SetRow(row);
      SetTopRow(topRow);
    } else {
      SetRow(FixedRows());
    }
  }
  if (ShiftHidden && FGridItems.Count() > 0) ShiftHiddenRowIndexes(realAfter, -RCount);
  DoCellsChanged(Rect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TRivErodovOzar::RemoveDuplicates(int ACol, bool DoCase) {
  TUpdateBlock block(this);
  const int col = RealColIndex(ACol);
  std::unordered_set<String> seen;
  int r = FixedRows();
  while (r < RowCount() - FFixedFooters) {
    String text = Cells(col, r);
    String key = DoCase ? text : AnsiUpperCase(text);
    if (seen.count(key) != 0) {
      DeleteRowRun(r, 1);
    } else {
      seen.insert(std::move(key));
      ++r;
    }
  }
}

// ---- Columns ----

void TRivErodovOzar::InsertCols(int ColIndex, int CCount) {
  if (ColIndex < 0 || CCount <= 0) return;
  const int disp = DisplColFromReal(ColIndex);
  std::vector<int> widths;
  for (int c = 0; c < ColCount(); ++c) widths.push_back(ColWidths(c));
  TBaseGrid::SetColCount(ColCount() + CCount);
  FMaxColCount = std::max(FMaxColCount, ColCount());
  StoreInsertCols(ColIndex, CCount);
  for (int i = 0; i < FGridItems.Count(); ++i) {
    auto& cells = FGridItems.Items(i)->Cells();
    if (static_cast<size_t>(ColIndex) < cells.Texts.size())
      cells.Texts.insert(cells.Texts.begin() + ColIndex, static_cast<size_t>(CCount), TCellText());
    if (static_cast<size_t>(ColIndex) < cells.Objects.size())
      cells.Objects.insert(cells.Objects.begin() + ColIndex, static_cast<size_t>(CCount), nullptr);
  }
  // Flags and stored widths of the real columns move right with their columns.
  for (int c = 511; c >= ColIndex + CCount; --c) {
    FVisibleCol[static_cast<size_t>(c)] = FVisibleCol[static_cast<size_t>(c - CCount)];
    FAllColWidths[static_cast<size_t>(c)] = FAllColWidths[static_cast<size_t>(c - CCount)];
  }
  for (int c = ColIndex; c < ColIndex + CCount && c < 512; ++c) FVisibleCol[static_cast<size_t>(c)] = true;
  widths.insert(widths.begin() + std::min(disp, static_cast<int>(widths.size())), static_cast<size_t>(CCount),
                DefaultColWidth());
  for (int c = 0; c < ColCount() && c < static_cast<int>(widths.size()); ++c) SetColWidths(c, widths[static_cast<size_t>(c)]);
  DoCellsChanged(Rect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

void TRivErodovOzar::RemoveCols(int ColIndex, int CCount) {
  if (ColIndex < 0 || ColIndex >= AllColCount()) return;
  CCount = std::min(CCount, AllColCount() - ColIndex);
  if (CCount <= 0) return;
  ClearCols(ColIndex, CCount);
  // The cells of these columns kept beyond the row count and in hidden rows go with them.
  if (FHasCellProps) {
    int cols = 0, rows = 0;
    StoredExtent(cols, rows);
    if (rows > RowCount()) FreeCellPropertiesRect(ColIndex, RowCount(), ColIndex + CCount - 1, rows - 1);
  }
  FreeHiddenRowProperties(ColIndex, ColIndex + CCount - 1);
  int hiddenRemoved = 0;
  for (int c = ColIndex; c < ColIndex + CCount; ++c) hiddenRemoved += IsHiddenColumn(c) ? 1 : 0;
  const int disp = DisplColFromReal(ColIndex);
  std::vector<int> widths;
  for (int c = 0; c < ColCount(); ++c) widths.push_back(ColWidths(c));
  const int visibleRemoved = CCount - hiddenRemoved;
  widths.erase(widths.begin() + std::min(disp, static_cast<int>(widths.size())),
               widths.begin() + std::min(disp + visibleRemoved, static_cast<int>(widths.size())));
  StoreDeleteCols(ColIndex, CCount);
  for (int i = 0; i < FGridItems.Count(); ++i) {
    auto& cells = FGridItems.Items(i)->Cells();
    auto drop = [&](auto& Items) {
      if (static_cast<size_t>(ColIndex) >= Items.size()) return;
      size_t end = std::min(Items.size(), static_cast<size_t>(ColIndex + CCount));
      Items.erase(Items.begin() + ColIndex, Items.begin() + static_cast<std::ptrdiff_t>(end));
    };
    drop(cells.Texts);
    drop(cells.Objects);
  }
  for (int c = ColIndex; c < 513; ++c) {
    const int from = c + CCount;
    FVisibleCol[static_cast<size_t>(c)] = from < 513 ? FVisibleCol[static_cast<size_t>(from)] : true;
    FAllColWidths[static_cast<size_t>(c)] = from < 513 ? FAllColWidths[static_cast<size_t>(from)] : 0;
  }
  FNumHidden -= hiddenRemoved;
  TBaseGrid::SetColCount(std::max(1, ColCount() - visibleRemoved));
  for (int c = 0; c < ColCount() && c < static_cast<int>(widths.size()); ++c) SetColWidths(c, widths[static_cast<size_t>(c)]);
  DoCellsChanged(Rect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

void TRivErodovOzar::MergeCols(int ColIndex1, int ColIndex2, const String& Separator) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    SetCells(ColIndex1, r, Trim(Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)));
  RemoveCols(ColIndex2, 1);
}

// ---- Moving and swapping ----

void TRivErodovOzar::MoveRow(int FromIndex, int ToIndex) { TCustomGrid::MoveRow(FromIndex, ToIndex); }

void TRivErodovOzar::SwapColumns(int ACol1, int ACol2) {
  if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0) return;
  int cols = 0, rows = 0;
  StoredExtent(cols, rows);
  for (int r = 0; r < rows; ++r) {
    String t1 = GetRawCellText(ACol1, r);
    String t2 = GetRawCellText(ACol2, r);
    TObject* o1 = GetRawCellObject(ACol1, r);
    TObject* o2 = GetRawCellObject(ACol2, r);
    SetRawCellText(ACol1, r, t2);
    SetRawCellText(ACol2, r, t1);
    SetRawCellObject(ACol1, r, o2);
    SetRawCellObject(ACol2, r, o1);
  }
  const int w1 = ColWidths(ACol1);
  SetColWidths(ACol1, ColWidths(ACol2));
  SetColWidths(ACol2, w1);
  if (FSortColumn == ACol1)
    FSortColumn = ACol2;
  else if (FSortColumn == ACol2)
    FSortColumn = ACol1;
  Invalidate();
}

void TRivErodovOzar::SwapRows(int ARow1, int ARow2) {
  if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0) return;
  StoreSwapRows(ARow1, ARow2);
  const int h1 = RowHeights(ARow1);
  SetRowHeights(ARow1, RowHeights(ARow2));
  SetRowHeights(ARow2, h1);
  Invalidate();
}

void TRivErodovOzar::SortSwapRows(int ARow1, int ARow2) {
  ++FSwapCount;
  // The row that was current before a sort is followed to where it goes.
  if (SortRow == ARow1)
    SortRow = ARow2;
  else if (SortRow == ARow2)
    SortRow = ARow1;
  if (ARow1 < FSortRowXRef->Count() && ARow2 < FSortRowXRef->Count() && ARow1 >= 0 && ARow2 >= 0) {
    const int x = FSortRowXRef->Items(ARow1);
    FSortRowXRef->PutItem(ARow1, FSortRowXRef->Items(ARow2));
    FSortRowXRef->PutItem(ARow2, x);
  }
  if (FSortSettings->SingleColumn && FSortSettings->Column >= 0) {
    // Only the sort column's cells move; the rest of each row stays.
    SwapCells(TGridCoord{FSortSettings->Column, ARow1}, TGridCoord{FSortSettings->Column, ARow2});
    return;
  }
  StoreSwapRows(ARow1, ARow2);
  if (MouseActions()->DisjunctRowSelect() && Navigation()->MoveRowOnSort && ARow1 < FRowSelect->Count() &&
      ARow2 < FRowSelect->Count()) {
    const int sel = FRowSelect->Items(ARow1);
    FRowSelect->PutItem(ARow1, FRowSelect->Items(ARow2));
    FRowSelect->PutItem(ARow2, sel);
  }
  if (RowHeights(ARow1) != RowHeights(ARow2)) {
    const int h1 = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, h1);
  }
  if (FShowModified->Enabled && ARow1 < FModifiedRows->Count() && ARow2 < FModifiedRows->Count()) {
    const int m = FModifiedRows->Items(ARow1);
    FModifiedRows->PutItem(ARow1, FModifiedRows->Items(ARow2));
    FModifiedRows->PutItem(ARow2, m);
  }
}

void TRivErodovOzar::SwapCells(const TGridCoord& FromCell, const TGridCoord& ToCell) {
  String t = GetRawCellText(FromCell.X, FromCell.Y);
  TObject* o = GetRawCellObject(FromCell.X, FromCell.Y);
  SetRawCellText(FromCell.X, FromCell.Y, GetRawCellText(ToCell.X, ToCell.Y));
  SetRawCellObject(FromCell.X, FromCell.Y, GetRawCellObject(ToCell.X, ToCell.Y));
  SetRawCellText(ToCell.X, ToCell.Y, t);
  SetRawCellObject(ToCell.X, ToCell.Y, o);
  Invalidate();
}
