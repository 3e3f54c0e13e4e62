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
