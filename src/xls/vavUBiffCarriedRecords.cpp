#include "xls/vavUBiffCarriedRecords.h"

#include <algorithm>

#include "xls/vavUBiffRecordFactory.h"

namespace {
bool IsDrawingId(Word aId) {
  return aId == BiffCarriedId::MSODRAWING || aId == BiffCarriedId::OBJ || aId == BiffCarriedId::TXO || aId == BiffId::BOF;
}

Integer RowOf(const TBaseRecord* r) { return r && r->DataSize() >= 2 ? GetWord(r->Data, 0) : 0; }
}  // namespace

// ---------------------------------------------------------------------------------------------
// TDrawing

void TDrawing::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBaseRecord> First) {
  Add(std::move(First));
  while (IsDrawingId(RecordHeader.Id)) {
    std::unique_ptr<TBaseRecord> record = ReadSectionRecord(DataStream, RecordHeader);
    const bool isBof = record->Id == BiffId::BOF;
    Add(std::move(record));
    if (!isBof) continue;
    // An embedded chart: its whole stream up to the matching EOF belongs to the drawing.
    Integer depth = 1;
    while (depth > 0) {
      std::unique_ptr<TBaseRecord> inner = ReadSectionRecord(DataStream, RecordHeader);
      if (inner->Id == BiffId::BOF) ++depth;
      else if (inner->Id == BiffId::EOF_) --depth;
      Add(std::move(inner));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// TNoteList

void TNoteList::AddRecord(std::unique_ptr<TBaseRecord> aRecord) {
  const Integer row = RowOf(aRecord.get());
  auto at = std::upper_bound(FItems.begin(), FItems.end(), row,
                             [](Integer r, const std::unique_ptr<TBaseRecord>& n) { return r < RowOf(n.get()); });
  Insert(static_cast<Integer>(at - FItems.begin()), std::move(aRecord));
}

void TNoteList::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                         const TSheetInfo& SheetInfo) {
  for (Integer i = Count() - 1; i >= 0; --i) {
    auto* note = dynamic_cast<TBaseRowColRecord*>((*this)[i]);
    if (!note) continue;
    const bool rowGone = aRowCount < 0 && note->Row() >= aRowPos && note->Row() < aRowPos - aRowCount;
    const bool colGone = aColCount < 0 && note->Column() >= aColPos && note->Column() < aColPos - aColCount;
    if (rowGone || colGone) {
      Delete(i);
      continue;
    }
    note->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
  }
}

void TNoteList::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const {
  for (const auto& r : FItems) {
    auto* note = dynamic_cast<const TBaseRowColRecord*>(r.get());
    if (note && note->Row() >= CellRange.Top && note->Row() <= CellRange.Bottom && note->Column() >= CellRange.Left &&
        note->Column() <= CellRange.Right)
      note->SaveToStream(DataStream);
  }
}

Int64 TNoteList::TotalRangeSize(const TXlsCellRange& CellRange) const {
  Int64 size = 0;
  for (const auto& r : FItems) {
    auto* note = dynamic_cast<const TBaseRowColRecord*>(r.get());
    if (note && note->Row() >= CellRange.Top && note->Row() <= CellRange.Bottom && note->Column() >= CellRange.Left &&
        note->Column() <= CellRange.Right)
      size += note->TotalSize();
  }
  return size;
}

// ---------------------------------------------------------------------------------------------
// THLinkList

void THLinkList::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount) {
  // HLINK: first row, last row, first column, last column. A screen tip follows its link.
  auto shift = [](Word first, Word last, Integer pos, Integer count, Integer max, bool& gone, Word& nf, Word& nl) {
    nf = first;
    nl = last;
    gone = false;
    if (count == 0) return;
    if (count < 0) {
      const Integer end = pos - count;  // first index after the deleted block
      if (first >= pos && last < end) {
        gone = true;
        return;
      }
      nf = static_cast<Word>(first >= end ? first + count : (first >= pos ? pos : first));
      nl = static_cast<Word>(last >= end ? last + count : (last >= pos ? pos - 1 : last));
      return;
    }
    if (first >= pos) nf = static_cast<Word>(std::min(first + count, max));
    if (last >= pos) nl = static_cast<Word>(std::min(last + count, max));
  };
  for (Integer i = Count() - 1; i >= 0; --i) {
    TBaseRecord* link = (*this)[i];
    if (link->Id != BiffId::HLINK || link->DataSize() < 8) continue;
    bool rowGone = false, colGone = false;
    Word r1, r2, c1, c2;
    shift(GetWord(link->Data, 0), GetWord(link->Data, 2), aRowPos, aRowCount, 65535, rowGone, r1, r2);
    shift(GetWord(link->Data, 4), GetWord(link->Data, 6), aColPos, aColCount, 255, colGone, c1, c2);
    if (rowGone || colGone) {
      if (i + 1 < Count() && (*this)[i + 1]->Id == BiffId::SCREENTIP) Delete(i + 1);
      Delete(i);
      continue;
    }
    SetWord(link->Data, 0, r1);
    SetWord(link->Data, 2, r2);
    SetWord(link->Data, 4, c1);
    SetWord(link->Data, 6, c2);
  }
}

// ---------------------------------------------------------------------------------------------
// TCondFmtCarrier

std::unique_ptr<TRangeEntry> TCondFmtCarrier::DoCopyTo() const {
  auto copy = std::make_unique<TCondFmtCarrier>();
  copy->FRecords.CopyFrom(&FRecords);
  return copy;
}

// ---------------------------------------------------------------------------------------------
// TNameRecordList

Integer TNameRecordList::RangeSheet(const TBaseRecord& aName) {
  return aName.DataSize() >= 10 ? static_cast<Integer>(GetWord(aName.Data, 8)) - 1 : -1;
}

void TNameRecordList::InsertSheets(Integer Pos, Integer Count) {
  for (Integer i = this->Count() - 1; i >= 0; --i) {
    TBaseRecord* name = (*this)[i];
    const Integer sheet = RangeSheet(*name);
    if (sheet < 0 || sheet < Pos) continue;
    if (Count < 0 && sheet < Pos - Count) {
      Delete(i);
      continue;
    }
    SetWord(name->Data, 8, static_cast<Word>(sheet + Count + 1));
  }
}

void TNameRecordList::CopySheetNames(Integer CopyFrom, Integer Dest) {
  const Integer n = Count();
  for (Integer i = 0; i < n; ++i) {
    if (RangeSheet(*(*this)[i]) != CopyFrom) continue;
    std::unique_ptr<TBaseRecord> copy = TBaseRecord::CopyTo((*this)[i]);
    SetWord(copy->Data, 8, static_cast<Word>(Dest + 1));
    Add(std::move(copy));
  }
}

// ---------------------------------------------------------------------------------------------
// TReferences

void TReferences::Clear() {
  FSupBooks.Clear();
  FExternSheet.reset();
}

void TReferences::AddRecord(std::unique_ptr<TBaseRecord> aRecord) {
  if (aRecord->Id == BiffCarriedId::EXTERNSHEET) FExternSheet = std::move(aRecord);
  else FSupBooks.Add(std::move(aRecord));
}

Integer TReferences::InternalSupBook() const {
  Integer index = 0;
  for (Integer i = 0; i < FSupBooks.Count(); ++i) {
    const TBaseRecord* r = FSupBooks[i];
    if (r->Id != BiffCarriedId::SUPBOOK) continue;
    if (r->DataSize() == 4 && GetWord(r->Data, 2) == 0x0401) return index;
    ++index;
  }
  return -1;
}

void TReferences::InsertSheets(Integer Pos, Integer Count) {
  const Integer internal = InternalSupBook();
  if (!FExternSheet || internal < 0 || FExternSheet->Continue || FExternSheet->DataSize() < 2) return;
  ArrayOfByte& d = FExternSheet->Data;
  const Integer n = std::min<Integer>(GetWord(d, 0), (FExternSheet->DataSize() - 2) / 6);
  for (Integer k = 0; k < n; ++k) {
    const size_t at = 2 + 6 * static_cast<size_t>(k);
    if (GetWord(d, at) != internal) continue;
    for (size_t field : {at + 2, at + 4}) {
      const Integer sheet = GetWord(d, field);
      if (sheet >= 0xFFFE || sheet < Pos) continue;
      if (Count < 0 && sheet < Pos - Count) SetWord(d, field, 0xFFFF);
      else SetWord(d, field, static_cast<Word>(sheet + Count));
    }
  }
  // The SUPBOOK of this workbook counts its sheets.
  Integer index = 0;
  for (Integer i = 0; i < FSupBooks.Count(); ++i) {
    TBaseRecord* r = FSupBooks[i];
    if (r->Id != BiffCarriedId::SUPBOOK) continue;
    if (index++ == internal) SetWord(r->Data, 0, static_cast<Word>(std::max<Integer>(0, GetWord(r->Data, 0) + Count)));
  }
}

Integer TReferences::InternalSheetRef(Integer Sheet, Integer SheetCount) {
  Integer internal = InternalSupBook();
  if (internal < 0) {
    internal = 0;
    for (Integer i = 0; i < FSupBooks.Count(); ++i)
      if (FSupBooks[i]->Id == BiffCarriedId::SUPBOOK) ++internal;
    ArrayOfByte supbook(4);
    SetWord(supbook, 0, static_cast<Word>(SheetCount));
    SetWord(supbook, 2, 0x0401);
    FSupBooks.Add(std::make_unique<TBaseRecord>(BiffCarriedId::SUPBOOK, std::move(supbook)));
  }
  if (!FExternSheet) FExternSheet = std::make_unique<TBaseRecord>(BiffCarriedId::EXTERNSHEET, ArrayOfByte(2, 0));
  // A table long enough for CONTINUE records is not extended here.
  if (FExternSheet->Continue) RaiseXls(XlsMsg::TooManyEntries, {Int64{GetWord(FExternSheet->Data, 0)}, Int64{1370}});
  ArrayOfByte& d = FExternSheet->Data;
  const Integer n = std::min<Integer>(GetWord(d, 0), (FExternSheet->DataSize() - 2) / 6);
  for (Integer k = 0; k < n; ++k) {
    const size_t at = 2 + 6 * static_cast<size_t>(k);
    if (GetWord(d, at) == internal && GetWord(d, at + 2) == Sheet && GetWord(d, at + 4) == Sheet) return k;
  }
  if (n >= 1370) RaiseXls(XlsMsg::TooManyEntries, {Int64{n + 1}, Int64{1370}});
  d.resize(2 + 6 * static_cast<size_t>(n + 1));
  SetWord(d, 0, static_cast<Word>(n + 1));
  SetWord(d, 2 + 6 * static_cast<size_t>(n), static_cast<Word>(internal));
  SetWord(d, 4 + 6 * static_cast<size_t>(n), static_cast<Word>(Sheet));
  SetWord(d, 6 + 6 * static_cast<size_t>(n), static_cast<Word>(Sheet));
  return n;
}

void TReferences::SaveToStream(TOle2File& DataStream) const {
  FSupBooks.SaveToStream(DataStream);
  if (FExternSheet) FExternSheet->SaveToStream(DataStream);
}

Int64 TReferences::TotalSize() const { return FSupBooks.TotalSize() + (FExternSheet ? FExternSheet->TotalSize() : 0); }
