#include "xls/vavUBiffBaseRecords.h"

#include <cstring>

#include "xls/vavUBiffStrings.h"

// ---------------------------------------------------------------------------------------------
// TBaseRecord

TBaseRecord::TBaseRecord(Word aId, ArrayOfByte aData) : Id(aId), Data(std::move(aData)) {
  if (Data.size() > 0xFFFF) RaiseXls(XlsMsg::InvalidRecordId, {Int64{aId}});
}

TBaseRecord::TBaseRecord(const TBaseRecord& Other) : TObject(Other), Id(Other.Id), Data(Other.Data) {
  // Copied link by link: a long chain must not recurse.
  TBaseRecord* last = this;
  for (const TContinueRecord* c = Other.Continue.get(); c; c = c->Continue.get()) {
    last->Continue = std::make_unique<TContinueRecord>(c->Id, c->Data);
    last = last->Continue.get();
  }
}

TBaseRecord::~TBaseRecord() {
  // Unlinked one by one: a long chain must not recurse.
  std::unique_ptr<TContinueRecord> next = std::move(Continue);
  while (next) next = std::move(next->Continue);
}

std::unique_ptr<TBaseRecord> TBaseRecord::DoCopyTo() const { return std::make_unique<TBaseRecord>(*this); }

void TBaseRecord::SaveDataToStream(TOle2File& Workbook, std::span<const Byte> aData) const {
  Workbook.WriteHeader(Id, static_cast<Word>(aData.size()));
  if (!aData.empty()) Workbook.WriteMem(aData.data(), static_cast<Int64>(aData.size()));
}

void TBaseRecord::SaveContinuesToStream(TOle2File& Workbook) const {
  for (const TContinueRecord* c = Continue.get(); c; c = c->Continue.get()) c->SaveDataToStream(Workbook, c->Data);
}

void TBaseRecord::SaveToStream(TOle2File& Workbook) const {
  SaveDataToStream(Workbook, Data);
  SaveContinuesToStream(Workbook);
}

Integer TBaseRecord::TotalSize() const {
  Integer size = DataSize() + 4;
  for (const TContinueRecord* c = Continue.get(); c; c = c->Continue.get()) size += c->DataSize() + 4;
  return size;
}

Integer TBaseRecord::TotalSizeNoHeaders() const {
  Integer size = DataSize();
  for (const TContinueRecord* c = Continue.get(); c; c = c->Continue.get()) size += c->DataSize();
  return size;
}

void TBaseRecord::AddContinue(std::unique_ptr<TContinueRecord> aContinue) {
  if (Continue) RaiseXls(XlsMsg::TwoContinues);
  Continue = std::move(aContinue);
}

// ---------------------------------------------------------------------------------------------
// Reading across CONTINUE records

void ReadContinuedMem(const TBaseRecord*& aRecord, Integer& Ofs, Integer Count, void* Dest) {
  Byte* out = static_cast<Byte*>(Dest);
  while (Count > 0) {
    if (Ofs < 0 || Ofs > aRecord->DataSize()) RaiseXls(XlsMsg::ReadingRecord);
    if (Ofs == aRecord->DataSize()) {
      if (!aRecord->Continue) RaiseXls(XlsMsg::ReadingRecord);
      aRecord = aRecord->Continue.get();
      Ofs = 0;
      continue;
    }
    Integer n = std::min<Integer>(Count, aRecord->DataSize() - Ofs);
    if (out) {
      std::memcpy(out, aRecord->Data.data() + Ofs, static_cast<size_t>(n));
      out += n;
    }
    Ofs += n;
    Count -= n;
  }
  if (Count == 0 && (Ofs < 0 || Ofs > aRecord->DataSize())) RaiseXls(XlsMsg::ReadingRecord);
}

// ---------------------------------------------------------------------------------------------
// Row and cell records

TBaseRowColRecord::TBaseRowColRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, std::move(aData)) {
  if (Data.size() < 4) RaiseXls(XlsMsg::InvalidRecordId, {Int64{aId}});
}

void TBaseRowColRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                                 const TSheetInfo& SheetInfo) {
  if (Data.size() < 4) RaiseXls(XlsMsg::InvalidRecordId, {Int64{Id}});
  if (SheetInfo.InsSheet < 0 || SheetInfo.FormulaSheet != SheetInfo.InsSheet) return;
  if (Row() >= aRowPos) IncWordMax(Data, 0, aRowCount, MaxRow);
  if (Column() >= aColPos) IncWordMax(Data, 2, aColCount, MaxCol);
}

void TBaseRowColRecord::ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
  if (Data.size() < 4) RaiseXls(XlsMsg::InvalidRecordId, {Int64{Id}});
  SetRow(static_cast<Word>(Row() + RowOffset));
  SetColumn(static_cast<Word>(Column() + ColOffset));
}

Int64 TBaseRowColRecord::FixTotalSize(bool) const { return TotalSize(); }

bool TCellRecord::CanJoinNext(const TCellRecord*, Integer) const { return false; }
void TCellRecord::SaveFirstMul(TOle2File& Workbook, Word) const { SaveToStream(Workbook); }
void TCellRecord::SaveMidMul(TOle2File&) const {}
void TCellRecord::SaveLastMul(TOle2File&) const {}

TRowRecord::TRowRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, std::move(aData)) {
  if (Data.size() >= 10) SetWord(Data, 8, 0);
}

std::unique_ptr<TRowRecord> TRowRecord::CreateStandard(Word aRow) {
  auto row = std::make_unique<TRowRecord>(Id_, ArrayOfByte(16, 0));
  row->SetRow(aRow);
  row->SetHeight(255);
  row->SetOptions(DefaultOptions);
  SetWord(row->Data, 14, 15);
  return row;
}

void TRowRecord::SetXF(Word Value) {
  SetOptions(Options() | 0x0180);
  SetWord(Data, 14, Value);
}

void TRowRecord::SaveRangeToStream(TOle2File& DataStream, Word aMinCol, Word aMaxCol) {
  Word oldMin = MinCol(), oldMax = MaxCol();
  if (oldMin < aMinCol) SetMinCol(aMinCol);
  if (oldMax > aMaxCol + 1) SetMaxCol(static_cast<Word>(aMaxCol + 1));
  try {
    SaveToStream(DataStream);
  } catch (...) {
    SetMinCol(oldMin);
    SetMaxCol(oldMax);
    throw;
  }
  SetMinCol(oldMin);
  SetMaxCol(oldMax);
}

TDimensionsRec TDimensionsRecord::Dim() const {
  TDimensionsRec d;
  d.FirstRow = GetCardinal(Data, 0);
  d.LastRow = GetCardinal(Data, 4);
  d.FirstCol = GetWord(Data, 8);
  d.LastCol = GetWord(Data, 10);
  d.Extra = GetWord(Data, 12);
  return d;
}

WideString TStringRecord::Value() const {
  const TBaseRecord* record = this;
  Integer ofs = 0;
  return TExcelString(2, record, ofs).Value();
}

Word ReadContinuedWord(const TBaseRecord*& aRecord, Integer& Ofs) {
  Byte b[2] = {};
  ReadContinuedMem(aRecord, Ofs, 2, b);
  return static_cast<Word>(b[0] | (b[1] << 8));
}
