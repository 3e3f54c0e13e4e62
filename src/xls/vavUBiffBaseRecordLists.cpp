#include "xls/vavUBiffBaseRecordLists.h"

// ---------------------------------------------------------------------------------------------
// TCellRecordList

Int64 TCellRecordList::Walk(TOle2File* DataStream, const TXlsCellRange& CellRange, bool NeedsRecalc) const {
  std::vector<const TCellRecord*> cells;
  cells.reserve(FItems.size());
  for (const auto& r : FItems)
    if (r) cells.push_back(r.get());
  if (cells.empty()) return 0;
  if (cells.front()->Row() < CellRange.Top || cells.front()->Row() > CellRange.Bottom) return 0;

  Int64 size = 0;
  const size_t n = cells.size();
  for (size_t i = 0; i < n; ++i) {
    const TCellRecord* cell = cells[i];
    if (cell->Column() < CellRange.Left || cell->Column() > CellRange.Right) continue;
    const TCellRecord* next = i + 1 < n ? cells[i + 1] : nullptr;
    if (!cell->CanJoinNext(next, CellRange.Right)) {
      if (DataStream) cell->SaveToStream(*DataStream);
      size += cell->FixTotalSize(NeedsRecalc);
      continue;
    }
    // A run: first, middle cells that still join their successor, and the one that ends it.
    size_t last = i + 1;
    while (last + 1 < n && cells[last]->CanJoinNext(cells[last + 1], CellRange.Right)) ++last;
    Int64 runSize = cell->TotalSizeFirst();
    for (size_t k = i + 1; k < last; ++k) runSize += cells[k]->TotalSizeMid();
    runSize += cells[last]->TotalSizeLast();
    if (DataStream) {
      cell->SaveFirstMul(*DataStream, static_cast<Word>(runSize));
      for (size_t k = i + 1; k < last; ++k) cells[k]->SaveMidMul(*DataStream);
      cells[last]->SaveLastMul(*DataStream);
    }
    size += runSize;
    i = last;
  }
  return size;
}

// ---------------------------------------------------------------------------------------------
// TRowRecordList

Integer TRowRecordList::AddRecord(std::unique_ptr<TRowRecord> aRecord) {
  const Integer row = aRecord->Row();
  if (row < Count()) {
    if (FItems[static_cast<size_t>(row)]) RaiseXls(XlsMsg::DuplicatedRow);
    SetItem(row, std::move(aRecord));
    return row;
  }
  while (Count() < row) TRecordListOf::Add(nullptr);
  TRecordListOf::Add(std::move(aRecord));
  return row;
}

TRowRecord* TRowRecordList::Row(Integer Index) const {
  if (!HasRow(Index)) RaiseXls(XlsMsg::MissingRow, {Int64{Index}});
  return FItems[static_cast<size_t>(Index)].get();
}

void TRowRecordList::AddRow(Integer Index) {
  if (Index < 0 || Index > TBaseRowColRecord::MaxRow) RaiseXls(XlsMsg::InvalidRow, {Int64{Index}});
  if (!HasRow(Index)) AddRecord(TRowRecord::CreateStandard(static_cast<Word>(Index)));
}

void TRowRecordList::SetRowHeight(Integer aRow, Word Height) {
  AddRow(aRow);
  TRowRecord* r = Row(aRow);
  r->SetHeight(Height);
  r->ManualHeight();
}

void TRowRecordList::AutoRowHeight(Integer aRow, bool Value) {
  if (!HasRow(aRow)) return;
  if (Value) Row(aRow)->AutoHeight();
  else Row(aRow)->ManualHeight();
}

void TRowRecordList::DeleteRows(Integer aRow, Integer aRowCount, const TSheetInfo& SheetInfo) {
  for (Integer i = std::min(aRow + aRowCount, Count()) - 1; i >= aRow; --i) Delete(i);
  for (Integer i = aRow; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)]) FItems[static_cast<size_t>(i)]->ArrangeInsertRowsAndCols(aRow, -aRowCount, 0, 0, SheetInfo);
}

void TRowRecordList::InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount,
                                       const TSheetInfo& SheetInfo) {
  const Integer n = LastRow - FirstRow + 1;
  for (Integer i = DestRow; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)])
      FItems[static_cast<size_t>(i)]->ArrangeInsertRowsAndCols(DestRow, n * aCount, 0, 0, SheetInfo);
  Integer dest = DestRow;
  Integer inserted = 0;
  for (Integer k = 0; k < aCount; ++k) {
    for (Integer r = FirstRow; r <= LastRow; ++r) {
      const Integer source = FirstRow >= DestRow ? r + inserted : r;
      std::unique_ptr<TRowRecord> copy;
      if (HasRow(source)) {
        copy.reset(static_cast<TRowRecord*>(Row(source)->DoCopyTo().release()));
        copy->SetRow(static_cast<Word>(dest));
      }
      while (Count() < dest) TRecordListOf::Add(nullptr);
      Insert(dest, std::move(copy));
      ++dest;
      ++inserted;
    }
  }
}

Int64 TRowRecordList::TotalRangeSize(const TXlsCellRange& CellRange, bool NeedsRecalc) const {
  if (CellRange.Bottom < CellRange.Top) return 0;
  Int64 size = 0;
  for (Integer r = std::max(0, CellRange.Top); r <= CellRange.Bottom && r < Count(); ++r)
    if (FItems[static_cast<size_t>(r)]) size += FItems[static_cast<size_t>(r)]->FixTotalSize(NeedsRecalc);
  return size;
}

void TRowRecordList::CalcGuts(TGutsRecord& Guts) const {
  Integer level = 0;
  for (const auto& r : FItems)
    if (r) level = std::max<Integer>(level, r->Options() & 7);
  Guts.SetRowLevel(level);
}

// ---------------------------------------------------------------------------------------------
// TBoundSheetRecordList

void TBoundSheetRecordList::SetSheetName(Integer Index, const WideString& Name) {
  TBoundSheetRecord* r = (*this)[Index];
  const Integer before = r->TotalSize();
  r->SetSheetName(Name);
  AdaptSize(r->TotalSize() - before);
}

TXlsSheetVisible TBoundSheetRecordList::SheetVisible(Integer Index) const {
  switch ((*this)[Index]->OptionFlags() & 3) {
    case 1: return TXlsSheetVisible::sv_Hidden;
    case 2: return TXlsSheetVisible::sv_VeryHidden;
    default: return TXlsSheetVisible::sv_Visible;
  }
}

void TBoundSheetRecordList::SetSheetVisible(Integer Index, TXlsSheetVisible Value) {
  TBoundSheetRecord* r = (*this)[Index];
  Word bits = Value == TXlsSheetVisible::sv_Hidden ? 1 : (Value == TXlsSheetVisible::sv_VeryHidden ? 2 : 0);
  r->SetOptionFlags(static_cast<Word>((r->OptionFlags() & ~3) | bits));
}

// ---------------------------------------------------------------------------------------------
// TSubListRecord

std::unique_ptr<TBaseRecord> TSubListRecord::DoCopyTo() const { throw EAssertionFailed("Sublist record can't be copied"); }

void TSubListRecord::SaveToStream(TOle2File& Workbook) const {
  FSave(Workbook);
}

// ---------------------------------------------------------------------------------------------
// TNameRecordList

Int64 TNameRecordList::TotalSize() const {
  Int64 size = 0;
  for (const auto& r : FItems)
    if (r) size += r->TotalSize();
  return size;
}

void TNameRecordList::ArrangeInsertRowsAndCols(Integer InsRow, Integer aRowCount, Integer InsCol, Integer aColCount,
                                               const TSheetInfo& SheetInfo) {
  for (auto& r : FItems)
    if (r) r->ArrangeInsertRowsAndCols(InsRow, aRowCount, InsCol, aColCount, SheetInfo);
}

void TNameRecordList::DeleteSheets(Integer SheetIndex, Integer SheetCount) {
  for (Integer i = Count() - 1; i >= 0; --i) {
    TNameRecord* name = FItems[static_cast<size_t>(i)].get();
    if (!name) continue;
    const Integer sheet = name->RangeSheet();
    if (sheet >= SheetIndex && sheet < SheetIndex + SheetCount) Delete(i);
    else name->ArrangeInsertSheets(SheetIndex, -SheetCount);
  }
}

void TNameRecordList::InsertSheets(Integer CopyFrom, Integer BeforeSheet, Integer SheetCount,
                                   const TSheetInfo& SheetInfo) {
  const Integer n = Count();
  for (Integer i = 0; i < n; ++i) {
    TNameRecord* name = FItems[static_cast<size_t>(i)].get();
    if (!name) continue;
    const Integer sheet = name->RangeSheet();
    const bool copied = CopyFrom >= 0 && (sheet == CopyFrom ||
                                          (sheet == -1 && name->RefersToSheet(SheetInfo.GetSheet) == SheetInfo.FormulaSheet &&
                                           SheetInfo.FormulaSheet >= 0));
    if (copied)
      for (Integer k = 0; k < SheetCount; ++k) {
        auto copy = std::make_unique<TNameRecord>(*name);
        TSheetInfo info = SheetInfo;
        info.InsSheet = BeforeSheet + k;
        copy->ArrangeCopySheet(info);
        Add(std::move(copy));
        name = FItems[static_cast<size_t>(i)].get();
      }
    name->ArrangeInsertSheets(BeforeSheet, SheetCount);
  }
}

// ---------------------------------------------------------------------------------------------
// TShrFmlaRecordList

void TShrFmlaRecordList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(), [](const auto& a, const auto& b) {
    return (a ? a->Key : 0) < (b ? b->Key : 0);
  });
  Sorted = true;
}

bool TShrFmlaRecordList::Find(Cardinal aKey, Integer& Index) {
  if (!Sorted) Sort();
  Integer lo = 0, hi = Count() - 1;
  while (lo <= hi) {
    const Integer mid = lo + (hi - lo) / 2;
    const Cardinal k = FItems[static_cast<size_t>(mid)] ? FItems[static_cast<size_t>(mid)]->Key : 0;
    if (k == aKey) {
      Index = mid;
      return true;
    }
    if (k < aKey) lo = mid + 1;
    else hi = mid - 1;
  }
  Index = lo;
  return false;
}
