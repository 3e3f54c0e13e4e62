#include "xls/vavUBiffRangeRecords.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TRangeValuesList

bool TRangeValuesList::Valid(Integer FirstRow, Integer FirstCol, Integer LastCol, Integer LastRow) {
  if (FirstRow < 0 || LastRow < FirstRow || LastRow > TBaseRowColRecord::MaxRow) return false;
  if (FirstCol < 0 || LastCol < FirstCol || LastCol > TBaseRowColRecord::MaxCol) return false;
  return !(FirstRow == LastRow && FirstCol == LastCol);
}

void TRangeValuesList::Load(const TBaseRecord& aRecord, Integer aPos) {
  const TBaseRecord* r = &aRecord;
  Integer ofs = aPos;
  const Word n = ReadContinuedWord(r, ofs);
  for (Word i = 0; i < n; ++i) {
    TRangeItem item;
    item.FirstRow = ReadContinuedWord(r, ofs);
    item.LastRow = ReadContinuedWord(r, ofs);
    item.FirstCol = std::min<Integer>(ReadContinuedWord(r, ofs), TBaseRowColRecord::MaxCol);
    item.LastCol = std::min<Integer>(ReadContinuedWord(r, ofs), TBaseRowColRecord::MaxCol);
    FItems.push_back(item);
  }
}

void TRangeValuesList::AddNewRange(Integer FirstRow, Integer FirstCol, Integer LastCol, Integer LastRow) {
  if (!Valid(FirstRow, FirstCol, LastCol, LastRow)) return;
  FItems.push_back({FirstRow, LastRow, FirstCol, LastCol});
}

void TRangeValuesList::PreAddNewRange(Integer& FirstRow, Integer& FirstCol, Integer& LastCol, Integer& LastRow) {
  if (!Valid(FirstRow, FirstCol, LastCol, LastRow)) return;
  for (Integer i = Count() - 1; i >= 0; --i) {
    const TRangeItem it = FItems[static_cast<size_t>(i)];
    if (it.FirstRow <= LastRow && it.LastRow >= FirstRow && it.FirstCol <= LastCol && it.LastCol >= FirstCol) {
      FirstRow = std::min(FirstRow, it.FirstRow);
      LastRow = std::max(LastRow, it.LastRow);
      FirstCol = std::min(FirstCol, it.FirstCol);
      LastCol = std::max(LastCol, it.LastCol);
      Delete(i);
    }
  }
}

void TRangeValuesList::ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, Integer InsColCount,
                                                Integer InsColPos) {
  for (TRangeItem& it : FItems) {
    if (InsRowCount != 0) {
      if (it.FirstRow >= InsRowPos) it.FirstRow = std::clamp(it.FirstRow + InsRowCount, InsRowPos, TBaseRowColRecord::MaxRow);
      if (it.LastRow >= InsRowPos) it.LastRow = std::clamp(it.LastRow + InsRowCount, it.FirstRow, TBaseRowColRecord::MaxRow);
    }
    if (InsColCount != 0) {
      if (it.FirstCol >= InsColPos) it.FirstCol = std::clamp(it.FirstCol + InsColCount, InsColPos, TBaseRowColRecord::MaxCol);
      if (it.LastCol >= InsColPos) it.LastCol = std::clamp(it.LastCol + InsColCount, it.FirstCol, TBaseRowColRecord::MaxCol);
    }
  }
}

void TRangeValuesList::DeleteRows(Integer aPos, Integer aCount, bool UseCols, bool KeepSingle) {
  for (Integer i = Count() - 1; i >= 0; --i) {
    const TRangeItem& it = FItems[static_cast<size_t>(i)];
    const Integer first = UseCols ? it.FirstCol : it.FirstRow;
    const Integer last = UseCols ? it.LastCol : it.LastRow;
    const bool thin = UseCols ? it.FirstRow == it.LastRow : it.FirstCol == it.LastCol;
    if (first >= aPos && (last < aPos + aCount || (!KeepSingle && last == aPos + aCount && thin))) Delete(i);
  }
}

void TRangeValuesList::CopyRowsExclusive(Integer First, Integer Last, bool UseCols, Integer aCount, Integer Dest) {
  const Integer n = Last - First + 1;
  const Integer inserted = n * aCount;
  const Integer srcFirst = First < Dest ? First : First + inserted;
  const Integer srcLast = srcFirst + n - 1;
  const Integer limit = UseCols ? TBaseRowColRecord::MaxCol : TBaseRowColRecord::MaxRow;
  const size_t existing = FItems.size();
  for (size_t i = 0; i < existing; ++i) {
    const TRangeItem it = FItems[i];
    const Integer f = UseCols ? it.FirstCol : it.FirstRow;
    const Integer l = UseCols ? it.LastCol : it.LastRow;
    if (f < srcFirst || l > srcLast) continue;
    for (Integer k = 0; k < aCount; ++k) {
      const Integer shift = Dest + k * n - srcFirst;
      if (l + shift > limit) RaiseXls(XlsMsg::TooManyEntries, {Int64{l + shift}, Int64{limit}});
      TRangeItem copy = it;
      if (UseCols) {
        copy.FirstCol += shift;
        copy.LastCol += shift;
      } else {
        copy.FirstRow += shift;
        copy.LastRow += shift;
      }
      FItems.push_back(copy);
    }
  }
}

void TRangeValuesList::CopyRowsInclusive(Integer First, Integer Last, bool UseCols, Integer& Maximum,
                                         Integer& Minimum, Integer aCount, Integer Dest) {
  const Integer n = Last - First + 1;
  const Integer inserted = n * aCount;
  if (aCount <= 0) return;
  const bool blockAbove = First < Dest;
  const Integer srcFirst = blockAbove ? First : First + inserted;
  const Integer srcLast = srcFirst + n - 1;
  const Integer limit = UseCols ? TBaseRowColRecord::MaxCol : TBaseRowColRecord::MaxRow;
  const Integer insLast = Dest + inserted - 1;
  if (insLast > limit) RaiseXls(XlsMsg::TooManyEntries, {Int64{insLast}, Int64{limit}});
  auto set = [UseCols](TRangeItem& it, Integer f, Integer l) {
    (UseCols ? it.FirstCol : it.FirstRow) = f;
    (UseCols ? it.LastCol : it.LastRow) = l;
  };
  auto grow = [&](Integer f, Integer l) {
    Minimum = std::min(Minimum, f);
    Maximum = std::max(Maximum, l);
  };
  const size_t existing = FItems.size();
  for (size_t i = 0; i < existing; ++i) {
    TRangeItem& it = FItems[i];
    const Integer f = UseCols ? it.FirstCol : it.FirstRow;
    const Integer l = UseCols ? it.LastCol : it.LastRow;
    if (l < srcFirst || f > srcLast) continue;
    if (blockAbove && l == Dest - 1 && f <= srcFirst) {
      set(it, f, insLast);
      grow(f, insLast);
      continue;
    }
    if (!blockAbove && f == insLast + 1 && l >= srcLast) {
      set(it, Dest, l);
      grow(Dest, l);
      continue;
    }
    if (blockAbove ? l >= Dest : f <= insLast) continue;  // already stretched by the insertion
    const TRangeItem source = it;
    if (f <= srcFirst && l >= srcLast) {
      TRangeItem copy = source;
      set(copy, Dest, insLast);
      FItems.push_back(copy);
      grow(Dest, insLast);
      continue;
    }
    const Integer cutFirst = std::max(f, srcFirst), cutLast = std::min(l, srcLast);
    for (Integer k = 0; k < aCount; ++k) {
      const Integer shift = Dest + k * n - srcFirst;
      TRangeItem copy = source;
      set(copy, cutFirst + shift, cutLast + shift);
      FItems.push_back(copy);
      grow(cutFirst + shift, cutLast + shift);
    }
  }
}

Integer TRangeValuesList::RecordSizeR(Integer Line, Integer n) const {
  const Integer inThis = std::min(MaxRangesPerRecord, n - Line * MaxRangesPerRecord);
  return FOtherDataLen + 2 + 8 * std::max(0, inThis);
}

void TRangeValuesList::SaveToStreamR(TOle2File& DataStream, Integer Line) const {
  const Integer from = Line * MaxRangesPerRecord;
  const Integer to = std::min(Count(), from + MaxRangesPerRecord);
  DataStream.Write16(static_cast<Word>(std::max(0, to - from)));
  for (Integer i = from; i < to; ++i) {
    const TRangeItem& it = FItems[static_cast<size_t>(i)];
    for (Integer v : {it.FirstRow, it.LastRow, it.FirstCol, it.LastCol}) DataStream.Write16(static_cast<Word>(v));
  }
}

Integer TRangeValuesList::CountRangeRecords(const TXlsCellRange& CellRange) const {
  return static_cast<Integer>(std::count_if(FItems.begin(), FItems.end(), [&](const TRangeItem& r) { return Inside(r, CellRange); }));
}

void TRangeValuesList::SaveRangeToStreamR(TOle2File& DataStream, Integer Line, const TXlsCellRange& CellRange,
                                          Integer n) const {
  const Integer from = Line * MaxRangesPerRecord;
  const Integer to = std::min(n, from + MaxRangesPerRecord);
  DataStream.Write16(static_cast<Word>(std::max(0, to - from)));
  Integer seen = 0;
  for (const TRangeItem& it : FItems) {
    if (!Inside(it, CellRange)) continue;
    if (seen >= from && seen < to)
      for (Integer v : {it.FirstRow, it.LastRow, it.FirstCol, it.LastCol}) DataStream.Write16(static_cast<Word>(v));
    ++seen;
  }
}

// ---------------------------------------------------------------------------------------------
// TRangeEntry, TMergedCells

void TRangeEntry::ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, const TSheetInfo&,
                                           Integer InsColCount, Integer InsColPos) {
  RangeValuesList->ArrangeInsertRowsAndCols(InsRowPos, InsRowCount, InsColCount, InsColPos);
}

std::unique_ptr<TRangeEntry> TMergedCells::DoCopyTo() const {
  auto copy = std::make_unique<TMergedCells>();
  copy->RangeValuesList->CopyFrom(*RangeValuesList);
  return copy;
}

void TMergedCells::LoadFromStream(std::unique_ptr<TBaseRecord> First) {
  RangeValuesList->Clear();
  RangeValuesList->Load(*First, 0);
}

void TMergedCells::SaveToStream(TOle2File& DataStream) const {
  const Integer n = RangeValuesList->Count();
  if (n == 0) return;
  for (Integer line = 0; line < RangeValuesList->RepeatCountR(n); ++line) {
    DataStream.WriteHeader(Id_, static_cast<Word>(RangeValuesList->RecordSizeR(line, n)));
    RangeValuesList->SaveToStreamR(DataStream, line);
  }
}

void TMergedCells::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const {
  const Integer n = RangeValuesList->CountRangeRecords(CellRange);
  if (n == 0) return;
  for (Integer line = 0; line < RangeValuesList->RepeatCountR(n); ++line) {
    DataStream.WriteHeader(Id_, static_cast<Word>(RangeValuesList->RecordSizeR(line, n)));
    RangeValuesList->SaveRangeToStreamR(DataStream, line, CellRange, n);
  }
}

Int64 TMergedCells::TotalSize() const {
  const Integer n = RangeValuesList->Count();
  return n == 0 ? 0 : RangeValuesList->TotalSizeR(n);
}

Int64 TMergedCells::TotalRangeSize(const TXlsCellRange& CellRange) const {
  const Integer n = RangeValuesList->CountRangeRecords(CellRange);
  return n == 0 ? 0 : RangeValuesList->TotalSizeR(n);
}

void TMergedCells::InsertAndCopyRowsOrCols(Integer FirstRow, Integer LastRow, bool UseCols, const TSheetInfo& SheetInfo,
                                           Integer aCount, Integer DestRow) {
  const Integer inserted = (LastRow - FirstRow + 1) * aCount;
  if (UseCols) ArrangeInsertRowsAndCols(0, 0, SheetInfo, inserted, DestRow);
  else ArrangeInsertRowsAndCols(DestRow, inserted, SheetInfo, 0, 0);
  RangeValuesList->CopyRowsExclusive(FirstRow, LastRow, UseCols, aCount, DestRow);
}

void TMergedCells::DeleteRowsOrCols(Integer aRow, Integer aCount, bool UseCols, const TSheetInfo& SheetInfo) {
  RangeValuesList->DeleteRows(aRow, aCount, UseCols, false);
  if (UseCols) ArrangeInsertRowsAndCols(0, 0, SheetInfo, -aCount, aRow);
  else ArrangeInsertRowsAndCols(aRow, -aCount, SheetInfo, 0, 0);
}

bool TMergedCells::CheckCell(Integer aRow, Integer aCol, TXlsCellRange& CellBounds) const {
  for (Integer i = 0; i < RangeValuesList->Count(); ++i) {
    const TRangeItem& it = (*RangeValuesList)[i];
    if (aRow >= it.FirstRow && aRow <= it.LastRow && aCol >= it.FirstCol && aCol <= it.LastCol) {
      CellBounds = MergedCell(i);
      return true;
    }
  }
  return false;
}

void TMergedCells::UnMergeCells(Integer FirstRow, Integer FirstCol, Integer LastCol, Integer LastRow) {
  for (Integer i = RangeValuesList->Count() - 1; i >= 0; --i)
    if ((*RangeValuesList)[i] == TRangeItem{FirstRow, LastRow, FirstCol, LastCol}) RangeValuesList->Delete(i);
}

TXlsCellRange TMergedCells::MergedCell(Integer Index) const {
  const TRangeItem& it = (*RangeValuesList)[Index];
  return TXlsCellRange{it.FirstCol, it.FirstRow, it.LastCol, it.LastRow};
}
