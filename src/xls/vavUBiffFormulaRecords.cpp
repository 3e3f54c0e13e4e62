#include "xls/vavUBiffFormulaRecords.h"

#include "xls/vavUBiffCellRecords.h"

TFormulaRecord::TFormulaRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 22)) {}

TFormulaRecord::TFormulaRecord(const TFormulaRecord& Other) : TRecordOf(Other) {
  for (const auto& c : Other.FCompanions) FCompanions.push_back(TBaseRecord::CopyTo(c.get()));
}

Variant TFormulaRecord::GetValue() const {
  // Bytes 12-13 of the result are 0xFFFF for every result that is not a number.
  if (GetWord(Data, 12) != 0xFFFF) return Variant(GetDouble(Data, 6));
  switch (Data[6]) {
    case 0:
      for (const auto& c : FCompanions)
        if (auto* s = dynamic_cast<const TStringRecord*>(c.get())) return Variant(s->Value());
      return Variant(WideString());
    case 1: return Variant(Data[8] != 0);
    case 2: return Variant(ErrorCodeText(Data[8]));
    default: return Variant(WideString());
  }
}

void TFormulaRecord::AddCompanion(std::unique_ptr<TBaseRecord> aRecord) {
  if (dynamic_cast<TStringRecord*>(aRecord.get()))
    for (auto& c : FCompanions)
      if (dynamic_cast<TStringRecord*>(c.get())) {
        c = std::move(aRecord);
        return;
      }
  FCompanions.push_back(std::move(aRecord));
}

void TFormulaRecord::SaveToStream(TOle2File& Workbook) const {
  TCellRecord::SaveToStream(Workbook);
  for (const auto& c : FCompanions) c->SaveToStream(Workbook);
}

Integer TFormulaRecord::TotalSize() const {
  Integer size = TCellRecord::TotalSize();
  for (const auto& c : FCompanions) size += c->TotalSize();
  return size;
}
