#include "xls/vavUBiffCondFmt.h"

#include <algorithm>

#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUBiffTokenArray.h"
#include "xls/vavUOle2Impl.h"

// ---------------------------------------------------------------------------------------------
// TCFRecord

TCFRecord::TCFRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, std::move(aData)) {
  CfType = static_cast<Byte>(GetWord(Data, 0) & 0xFF);
  Op = static_cast<Byte>(GetWord(Data, 0) >> 8);
  Cce1 = GetWord(Data, 2);
  Cce2 = GetWord(Data, 4);
  if (static_cast<size_t>(Cce1) + Cce2 + 6 > Data.size()) RaiseXls(XlsMsg::ReadingRecord);
}

void TCFRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                         const TSheetInfo& SheetInfo) {
  const Integer size = DataSize();
  try {
    if (Cce1 != 0)
      ArrangeInsertRowsAndColsTokens(Data, size - Cce1 - Cce2, size - Cce2, true, SheetInfo, 0, aColCount, aColPos, 0,
                                     aRowCount, aRowPos);
    if (Cce2 != 0)
      ArrangeInsertRowsAndColsTokens(Data, size - Cce2, size, true, SheetInfo, 0, aColCount, aColPos, 0, aRowCount,
                                     aRowPos);
  } catch (const ETokenException& e) {
    RaiseXls(XlsMsg::BadCondFmt, {Int64{e.Token}});
  }
}

// ---------------------------------------------------------------------------------------------
// TCondFmt

void TCondFmt::Clear() {
  CFs.Clear();
  RangeValuesList->Clear();
}

std::unique_ptr<TRangeEntry> TCondFmt::DoCopyTo() const {
  auto copy = std::make_unique<TCondFmt>();
  copy->RangeValuesList->CopyFrom(*RangeValuesList);
  copy->Flag = Flag;
  copy->AllRange = AllRange;
  copy->CFs.CopyFrom(&CFs);
  return copy;
}

void TCondFmt::LoadFromStream(std::unique_ptr<TBaseRecord> First) {
  Clear();
  const TBaseRecord* r = First.get();
  Integer ofs = 2;
  Flag = ReadContinuedWord(r, ofs);
  AllRange.R1 = ReadContinuedWord(r, ofs);
  AllRange.R2 = ReadContinuedWord(r, ofs);
  AllRange.C1 = ReadContinuedWord(r, ofs);
  AllRange.C2 = ReadContinuedWord(r, ofs);
  RangeValuesList->Load(*First, 12);
}

void TCondFmt::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBaseRecord> First) {
  const Word count = GetWord(First->Data, 0);
  LoadFromStream(std::move(First));
  for (Word i = 0; i < count; ++i) {
    std::unique_ptr<TBaseRecord> r = ReadSectionRecord(DataStream, RecordHeader);
    if (r->Id != TCFRecord::Id_) RaiseXls(XlsMsg::InvalidCondFmt);
    CFs.Add(std::unique_ptr<TCFRecord>(static_cast<TCFRecord*>(r.release())));
  }
}

void TCondFmt::SaveRecords(TOle2File& DataStream, const TXlsCellRange* CellRange) const {
  const Integer n = CellRange ? RangeValuesList->CountRangeRecords(*CellRange) : RangeValuesList->Count();
  if (n == 0) return;
  for (Integer line = 0; line < RangeValuesList->RepeatCountR(n); ++line) {
    DataStream.WriteHeader(Id_, static_cast<Word>(RangeValuesList->RecordSizeR(line, n)));
    DataStream.Write16(static_cast<Word>(CFs.Count()));
    for (Word w : {Flag, AllRange.R1, AllRange.R2, AllRange.C1, AllRange.C2}) DataStream.Write16(w);
    if (CellRange)
      RangeValuesList->SaveRangeToStreamR(DataStream, line, *CellRange, n);
    else
      RangeValuesList->SaveToStreamR(DataStream, line);
    CFs.SaveToStream(DataStream);
  }
}

Int64 TCondFmt::SizeFor(Integer n) const {
  return n == 0 ? 0 : RangeValuesList->TotalSizeR(n) + RangeValuesList->RepeatCountR(n) * CFs.TotalSize();
}

void TCondFmt::SaveToStream(TOle2File& DataStream) const { SaveRecords(DataStream, nullptr); }

void TCondFmt::SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const {
  SaveRecords(DataStream, &CellRange);
}

Int64 TCondFmt::TotalSize() const { return SizeFor(RangeValuesList->Count()); }

Int64 TCondFmt::TotalRangeSize(const TXlsCellRange& CellRange) const {
  return SizeFor(RangeValuesList->CountRangeRecords(CellRange));
}

void TCondFmt::ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, const TSheetInfo& SheetInfo,
                                        Integer InsColCount, Integer InsColPos) {
  if (AllRange.R2 >= InsRowPos || AllRange.C2 >= InsColPos)
    RangeValuesList->ArrangeInsertRowsAndCols(InsRowPos, InsRowCount, InsColCount, InsColPos);
  if (InsRowCount != 0 && AllRange.R2 >= InsRowPos) {
    if (AllRange.R1 >= InsRowPos) IncWordClamped(AllRange.R1, InsRowCount, 65535, InsRowPos);
    IncWordClamped(AllRange.R2, InsRowCount, 65535, AllRange.R1);
  }
  if (InsColCount != 0 && AllRange.C2 >= InsColPos) {
    if (AllRange.C1 >= InsColPos) IncWordClamped(AllRange.C1, InsColCount, 255, InsColPos);
    IncWordClamped(AllRange.C2, InsColCount, 255, AllRange.C1);
  }
  CFs.ArrangeInsertRowsAndCols(InsRowPos, InsRowCount, InsColPos, InsColCount, SheetInfo);
}

void TCondFmt::InsertAndCopyRowsOrCols(Integer FirstRow, Integer LastRow, bool UseCols, const TSheetInfo& SheetInfo,
                                       Integer aCount, Integer DestRow) {
  const Integer low = UseCols ? AllRange.C1 : AllRange.R1;
  const Integer high = UseCols ? AllRange.C2 : AllRange.R2;
  const bool meets = FirstRow <= high && LastRow >= low;
  const Integer inserted = (LastRow - FirstRow + 1) * aCount;
  if (UseCols)
    ArrangeInsertRowsAndCols(0, 0, SheetInfo, inserted, DestRow);
  else
    ArrangeInsertRowsAndCols(DestRow, inserted, SheetInfo, 0, 0);
  if (!meets) return;
  Integer minimum = UseCols ? AllRange.C1 : AllRange.R1;
  Integer maximum = UseCols ? AllRange.C2 : AllRange.R2;
  RangeValuesList->CopyRowsInclusive(FirstRow, LastRow, UseCols, maximum, minimum, aCount, DestRow);
  Word& r1 = UseCols ? AllRange.C1 : AllRange.R1;
  Word& r2 = UseCols ? AllRange.C2 : AllRange.R2;
  r1 = static_cast<Word>(std::min<Integer>(r1, minimum));
  r2 = static_cast<Word>(std::max<Integer>(r2, maximum));
}

void TCondFmt::DeleteRowsOrCols(Integer aRow, Integer aCount, bool UseCols, const TSheetInfo& SheetInfo) {
  RangeValuesList->DeleteRows(aRow, aCount, UseCols, true);
  if (UseCols)
    ArrangeInsertRowsAndCols(0, 0, SheetInfo, -aCount, aRow);
  else
    ArrangeInsertRowsAndCols(aRow, -aCount, SheetInfo, 0, 0);
}
