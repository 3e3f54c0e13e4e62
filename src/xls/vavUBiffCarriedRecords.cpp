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
