#include "xls/vavUBiffOtherRecords.h"

#include "xls/vavUBiffStrings.h"

TBOFRecord::TBOFRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, std::move(aData)) {
  if (Data.size() < 4 || Version() != 0x0600) RaiseXls(XlsMsg::InvalidVersion);
}

namespace {
WideString StringAt(const TBaseRecord& record, TStrLenLength width, Integer ofs) {
  const TBaseRecord* r = &record;
  return TExcelString(width, r, ofs).Value();
}

ArrayOfByte StringBytes(TStrLenLength width, const WideString& text) {
  ArrayOfByte bytes;
  TExcelString(width, text).SaveToStream(bytes);
  return bytes;
}
}  // namespace

std::unique_ptr<TBoundSheetRecord> TBoundSheetRecord::CreateNew(Word aOptionFlags, const WideString& aName) {
  auto record = std::make_unique<TBoundSheetRecord>(0x0085, ArrayOfByte(6, 0));
  record->SetOptionFlags(aOptionFlags);
  record->SetSheetName(aName);
  return record;
}

WideString TBoundSheetRecord::SheetName() const { return StringAt(*this, 1, 6); }

void TBoundSheetRecord::SetSheetName(const WideString& Value) {
  ArrayOfByte name = StringBytes(1, Value);
  ArrayOfByte data(Data.begin(), Data.begin() + std::min<size_t>(6, Data.size()));
  data.resize(6, 0);
  data.insert(data.end(), name.begin(), name.end());
  Data = std::move(data);
}

std::unique_ptr<TCodeNameRecord> TCodeNameRecord::CreateNew(const WideString& aName) {
  auto record = std::make_unique<TCodeNameRecord>(0x01BA, ArrayOfByte());
  record->SetSheetName(aName);
  return record;
}

WideString TCodeNameRecord::SheetName() const { return StringAt(*this, 2, 0); }

void TCodeNameRecord::SetSheetName(const WideString& Value) { Data = StringBytes(2, Value); }

void TGutsRecord::SetLevel(size_t WidthPos, size_t LevelPos, Integer Level) {
  Word width, levels;
  if (Level <= 0) {
    width = 0;
    levels = 0;
  } else if (Level <= 7) {
    width = static_cast<Word>(12 * Level + 29);
    levels = static_cast<Word>(Level + 1);
  } else {
    width = 113;
    levels = 8;
  }
  SetWord(Data, WidthPos, width);
  SetWord(Data, LevelPos, levels);
}

void TPaneRecord::EnsureSelectedVisible() {
  bool cols = ColSplit() > 0, rows = RowSplit() > 0;
  switch (ActivePane()) {
    case 0:
      if (!cols && !rows) SetActivePane(3);
      else if (!rows) SetActivePane(1);
      else if (!cols) SetActivePane(2);
      break;
    case 1:
      if (!cols) SetActivePane(3);
      break;
    case 2:
      if (!rows) SetActivePane(3);
      break;
    default:
      break;
  }
}

std::unique_ptr<TTXORecord> TTXORecord::CreateFromData() {
  auto record = std::make_unique<TTXORecord>(0x01B6, ArrayOfByte(18, 0));
  SetWord(record->Data, 0, 0x0212);
  return record;
}
