#include "xls/vavUBiffFormula.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "xls/vavUBiffCellRecords.h"
#include "xls/vavUBiffCells.h"
#include "xls/vavUBiffEncodeFormula.h"
#include "xls/vavUBiffFormulaParser.h"
#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUBiffStrings.h"
#include "xls/vavUBiffTokenArray.h"
#include "xls/vavUWorkbookGlobals.h"

namespace {
// The largest piece of a text result in the STRING record, and in each CONTINUE after it.
constexpr size_t FirstStringPiece = 8219;
constexpr size_t NextStringPiece = 8218;

bool IsStringKind(Word Kind) { return Kind == varOleStr || Kind == 0x48 || Kind == varString || Kind == varUString; }
bool IsNumberKind(Word Kind) {
  return (Kind >= 2 && Kind <= 7) || (Kind >= 16 && Kind <= 20) || (Kind >= 0x10F && Kind <= 0xFFF);
}

// The context of arranging a record that does not belong to a changed sheet: plain references
// take only the offsets, and array and table references move with the cell.
TSheetInfo CopyContext() {
  TSheetInfo info;
  info.InsSheet = 0;
  info.FormulaSheet = 0;
  return info;
}

// A row or column field (16-bit rows, 8-bit columns) moved by Count when it lies at or after
// Pos; Empty marks a field that is not used.
Integer Moved(Integer Value, Integer Pos, Integer Count, Integer Empty) {
  if (Value == Empty || Value < Pos) return Value;
  return Value + Count;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TArrayRecord

TArrayRecord::TArrayRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 14)) {
  if (14u + GetWord(Data, 12) > Data.size()) RaiseXls(XlsMsg::InvalidRecordId, {Int64{aId}});
}

void TArrayRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                            const TSheetInfo& SheetInfo) {
  ArrangeInsertRowsAndColsTokens(Data, 14, 14 + GetWord(Data, 12), true, SheetInfo, 0, aColCount, aColPos, 0,
                                 aRowCount, aRowPos);
  if (SheetInfo.InsSheet < 0 || SheetInfo.FormulaSheet != SheetInfo.InsSheet) return;
  SetWord(Data, 0, static_cast<Word>(std::clamp(Moved(GetWord(Data, 0), aRowPos, aRowCount, -1), 0, TBaseRowColRecord::MaxRow)));
  SetWord(Data, 2, static_cast<Word>(std::clamp(Moved(GetWord(Data, 2), aRowPos, aRowCount, -1), 0, TBaseRowColRecord::MaxRow)));
  Data[4] = static_cast<Byte>(std::clamp(Moved(Data[4], aColPos, aColCount, -1), 0, TBaseRowColRecord::MaxCol));
  Data[5] = static_cast<Byte>(std::clamp(Moved(Data[5], aColPos, aColCount, -1), 0, TBaseRowColRecord::MaxCol));
}

void TArrayRecord::ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
  ArrangeInsertRowsAndColsTokens(Data, 14, 14 + GetWord(Data, 12), true, CopyContext(), ColOffset, 0, 0, RowOffset, 0, 0);
  IncWordMax(Data, 0, RowOffset, TBaseRowColRecord::MaxRow);
  IncWordMax(Data, 2, RowOffset, TBaseRowColRecord::MaxRow);
  IncByteMax(Data, 4, ColOffset, TBaseRowColRecord::MaxCol);
  IncByteMax(Data, 5, ColOffset, TBaseRowColRecord::MaxCol);
}

// ---------------------------------------------------------------------------------------------
// TTableRecord

TTableRecord::TTableRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 16)) {
  SetWord(Data, 6, static_cast<Word>(GetWord(Data, 6) | 0x0003));
}

void TTableRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColCount, Integer aColPos) {
  // The table's own range: growing past the sheet is refused.
  auto range = [](Integer v, Integer pos, Integer count, Integer max, Integer empty) {
    const Integer moved = Moved(v, pos, count, empty);
    if (moved != empty && (moved < 0 || moved > max)) RaiseXls(XlsMsg::TooManyEntries, {Int64{moved}, Int64{max}});
    return moved;
  };
  const Integer r1 = range(GetWord(Data, 0), aRowPos, aRowCount, TBaseRowColRecord::MaxRow, 0xFFFF);
  const Integer r2 = range(GetWord(Data, 2), aRowPos, aRowCount, TBaseRowColRecord::MaxRow, 0xFFFF);
  const Integer c1 = range(Data[4], aColPos, aColCount, TBaseRowColRecord::MaxCol, 0xFF);
  const Integer c2 = range(Data[5], aColPos, aColCount, TBaseRowColRecord::MaxCol, 0xFF);
  SetWord(Data, 0, static_cast<Word>(r1));
  SetWord(Data, 2, static_cast<Word>(r2));
  Data[4] = static_cast<Byte>(c1);
  Data[5] = static_cast<Byte>(c2);
  // An input cell pushed off the sheet becomes empty.
  for (size_t at : {size_t{8}, size_t{12}}) {
    const Integer row = Moved(GetWord(Data, at), aRowPos, aRowCount, 0xFFFF);
    const Integer col = Moved(GetWord(Data, at + 2), aColPos, aColCount, 0xFF);
    if ((row != 0xFFFF && (row < 0 || row > TBaseRowColRecord::MaxRow)) || (col != 0xFF && (col < 0 || col > TBaseRowColRecord::MaxCol))) {
      SetWord(Data, at, 0xFFFF);
      SetWord(Data, at + 2, 0xFFFF);
      continue;
    }
    SetWord(Data, at, static_cast<Word>(row));
    SetWord(Data, at + 2, static_cast<Word>(col));
  }
}

void TTableRecord::ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
  auto move = [](Integer v, Integer by, Integer max, Integer empty) {
    if (v == empty) return v;
    const Integer moved = v + by;
    if (moved < 0 || moved > max) RaiseXls(XlsMsg::TooManyEntries, {Int64{moved}, Int64{max}});
    return moved;
  };
  SetWord(Data, 0, static_cast<Word>(move(GetWord(Data, 0), RowOffset, TBaseRowColRecord::MaxRow, 0xFFFF)));
  SetWord(Data, 2, static_cast<Word>(move(GetWord(Data, 2), RowOffset, TBaseRowColRecord::MaxRow, 0xFFFF)));
  Data[4] = static_cast<Byte>(move(Data[4], ColOffset, TBaseRowColRecord::MaxCol, 0xFF));
  Data[5] = static_cast<Byte>(move(Data[5], ColOffset, TBaseRowColRecord::MaxCol, 0xFF));
  for (size_t at : {size_t{8}, size_t{12}}) {
    SetWord(Data, at, static_cast<Word>(move(GetWord(Data, at), RowOffset, TBaseRowColRecord::MaxRow, 0xFFFF)));
    SetWord(Data, at + 2, static_cast<Word>(move(GetWord(Data, at + 2), ColOffset, TBaseRowColRecord::MaxCol, 0xFF)));
  }
}

// ---------------------------------------------------------------------------------------------
// TShrFmlaRecord

TShrFmlaRecord::TShrFmlaRecord(Word aId, ArrayOfByte aData)
    : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 10)) {}

// ---------------------------------------------------------------------------------------------
// TFormulaRecord

TFormulaRecord::TFormulaRecord(Word aId, ArrayOfByte aData)
    : TRecordOf(aId, RequireDataSize(aId, std::move(aData), FirstToken)) {
  if (static_cast<size_t>(FirstToken) + TokenLength() > Data.size()) RaiseXls(XlsMsg::InvalidRecordId, {Int64{aId}});
  if (GetWord(Data, 12) != 0xFFFF) {
    FormulaValue = Variant(GetDouble(Data, 6));
  } else {
    switch (Data[6]) {
      case 0: FormulaValue = Variant(WideString()); break;
      case 1: FormulaValue = Variant(Data[8] == 1); break;
      case 2: {
        Byte code = Data[8];
        String text = ErrorCodeText(code);
        Byte back = 0;
        if (ErrorTextCode(text, back) && back == code) FormulaValue = Variant(text);
        break;
      }
      default: break;
    }
  }
  SetWord(Data, 14, static_cast<Word>(GetWord(Data, 14) | 0x0002));
}

TFormulaRecord::TFormulaRecord(const TFormulaRecord& Other) : TRecordOf(Other) {
  if (Other.FTableRecord) FTableRecord = std::make_unique<TTableRecord>(*Other.FTableRecord);
  if (Other.FArrayRecord) FArrayRecord = std::make_unique<TArrayRecord>(*Other.FArrayRecord);
  ClearResult();
}

TFormulaRecord::~TFormulaRecord() = default;

std::unique_ptr<TFormulaRecord> TFormulaRecord::CreateFromData(bool Dates1904, const Variant& Value, Word XF,
                                                               Word Column, Word Row, Word DataSize) {
  ArrayOfByte data(std::max<size_t>(DataSize, FirstToken), 0);
  SetWord(data, 0, Row);
  SetWord(data, 2, Column);
  SetWord(data, 4, XF);
  auto record = std::make_unique<TFormulaRecord>(Id_, std::move(data));
  record->Data.resize(DataSize);
  record->FormulaValue = Variant();
  const Word kind = Value.VType();
  if (IsNumberKind(kind)) {
    double v = Value.AsDouble();
    if (kind == varDate && Dates1904) v -= 1462;
    SetDouble(record->Data, 6, v);
    record->FormulaValue = Variant(v);
  } else if (IsStringKind(kind)) {
    record->Data[6] = 0;
    SetWord(record->Data, 12, 0xFFFF);
    record->FormulaValue = Value;
  } else if (kind == varBoolean) {
    record->Data[6] = 1;
    record->Data[8] = Value.AsBoolean() ? 1 : 0;
    SetWord(record->Data, 12, 0xFFFF);
    record->FormulaValue = Value;
  }
  return record;
}

void TFormulaRecord::SetTableRecord(std::unique_ptr<TTableRecord> aRecord) { FTableRecord = std::move(aRecord); }

void TFormulaRecord::SetArrayRecord(std::unique_ptr<TArrayRecord> aRecord) { FArrayRecord = std::move(aRecord); }

bool TFormulaRecord::IsExp(Cardinal& Key) const {
  if (DataSize() != 27 || TokenLength() != 5 || Data[FirstToken] != 0x01) return false;
  Key = GetWord(Data, 23) + (static_cast<Cardinal>(GetWord(Data, 25)) << 16);
  return true;
}

template <class F>
void TFormulaRecord::Arranging(F&& Operation) {
  try {
    Operation();
  } catch (const ETokenException& e) {
    RaiseXls(XlsMsg::FormulaNotSupported, {Int64{Row() + 1}, Int64{Column() + 1}, Int64{e.Token}});
  }
}

void TFormulaRecord::MixShared(std::span<const Byte> SharedData) {
  if (SharedData.size() < 10 || SharedData.size() + 12 > 0xFFFF) RaiseXls(XlsMsg::ExcelInvalid);
  ArrayOfByte data(SharedData.size() + 12);
  std::copy(Data.begin(), Data.begin() + 20, data.begin());
  std::copy(SharedData.begin() + 8, SharedData.end(), data.begin() + 20);
  if (static_cast<size_t>(FirstToken) + GetWord(data, 20) > data.size()) RaiseXls(XlsMsg::ExcelInvalid);
  const Integer row = Row(), col = Column();
  Arranging([&] { ArrangeSharedTokens(data, FirstToken, FirstToken + GetWord(data, 20), col, row); });
  Data = std::move(data);
  // The cell now holds its own tokens, no longer a part of a shared formula.
  SetWord(Data, 14, static_cast<Word>(GetWord(Data, 14) & ~0x0008));
}

void TFormulaRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                              const TSheetInfo& SheetInfo) {
  const bool ownSheet = SheetInfo.InsSheet >= 0 && SheetInfo.FormulaSheet == SheetInfo.InsSheet;
  Arranging([&] {
    ArrangeInsertRowsAndColsTokens(Data, FirstToken, FirstToken + TokenLength(), true, SheetInfo, 0, aColCount,
                                   aColPos, 0, aRowCount, aRowPos);
    if (FArrayRecord) FArrayRecord->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
  });
  if (ownSheet && FTableRecord) FTableRecord->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColCount, aColPos);
  TCellRecord::ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
}

void TFormulaRecord::ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) {
  Arranging([&] {
    ArrangeInsertRowsAndColsTokens(Data, FirstToken, FirstToken + TokenLength(), true, CopyContext(), ColOffset, 0, 0,
                                   RowOffset, 0, 0);
    if (FArrayRecord) FArrayRecord->ArrangeCopyRowsAndCols(RowOffset, ColOffset);
  });
  if (FTableRecord) FTableRecord->ArrangeCopyRowsAndCols(RowOffset, ColOffset);
  TCellRecord::ArrangeCopyRowsAndCols(RowOffset, ColOffset);
}

void TFormulaRecord::ArrangeCopySheet(const TSheetInfo& SheetInfo) {
  Arranging([&] {
    ArrangeCopySheetTokens(Data, FirstToken, FirstToken + TokenLength(), SheetInfo);
    if (FArrayRecord)
      ArrangeCopySheetTokens(FArrayRecord->Data, 14, 14 + GetWord(FArrayRecord->Data, 12), SheetInfo);
  });
}

void TFormulaRecord::ClearResult() {
  for (size_t i = 6; i < 14; ++i) Data[i] = 0;
  Data[6] = 2;
  SetWord(Data, 12, 0xFFFF);
  SetCardinal(Data, 16, 0);
  FormulaValue = Variant();
}

ArrayOfByte TFormulaRecord::StringData() const {
  if (GetWord(Data, 12) != 0xFFFF || Data[6] != 0 || !FormulaValue.IsString()) return {};
  ArrayOfByte bytes;
  TExcelString(2, FormulaValue.AsWideString()).SaveToStream(bytes);
  return bytes;
}

Int64 TFormulaRecord::FixTotalSize(bool NeedsRecalc) const {
  // Records are always made on the heap as changeable objects; counting before a save is
  // where a recalculation drops the results that no longer hold.
  if (NeedsRecalc) const_cast<TFormulaRecord*>(this)->ClearResult();
  return TotalSize();
}

Integer TFormulaRecord::TotalSize() const {
  Integer size = TCellRecord::TotalSize();
  if (FArrayRecord) size += FArrayRecord->TotalSize();
  if (FTableRecord) size += FTableRecord->TotalSize();
  const ArrayOfByte text = StringData();
  if (!text.empty()) {
    size += 4 + static_cast<Integer>(std::min(text.size(), FirstStringPiece));
    for (size_t at = FirstStringPiece; at < text.size(); at += NextStringPiece)
      size += 4 + 1 + static_cast<Integer>(std::min(NextStringPiece, text.size() - at));
  }
  return size;
}

Integer TFormulaRecord::TotalSizeNoHeaders() const {
  Integer size = TCellRecord::TotalSizeNoHeaders();
  if (FArrayRecord) size += FArrayRecord->TotalSizeNoHeaders();
  if (FTableRecord) size += FTableRecord->TotalSizeNoHeaders();
  const ArrayOfByte text = StringData();
  if (!text.empty()) {
    size += static_cast<Integer>(std::min(text.size(), FirstStringPiece));
    for (size_t at = FirstStringPiece; at < text.size(); at += NextStringPiece)
      size += 1 + static_cast<Integer>(std::min(NextStringPiece, text.size() - at));
  }
  return size;
}

void TFormulaRecord::SaveToStream(TOle2File& Workbook) const {
  TCellRecord::SaveToStream(Workbook);
  if (FArrayRecord) FArrayRecord->SaveToStream(Workbook);
  if (FTableRecord) FTableRecord->SaveToStream(Workbook);
  const ArrayOfByte text = StringData();
  if (text.empty()) return;
  const size_t first = std::min(text.size(), FirstStringPiece);
  Workbook.WriteHeader(BiffFormulaId::STRING, static_cast<Word>(first));
  Workbook.WriteMem(text.data(), static_cast<Int64>(first));
  // Each CONTINUE starts again with the characters' option byte.
  const Byte options = text[2];
  for (size_t at = FirstStringPiece; at < text.size(); at += NextStringPiece) {
    const size_t n = std::min(NextStringPiece, text.size() - at);
    Workbook.WriteHeader(BiffId::CONTINUE, static_cast<Word>(n + 1));
    Workbook.WriteMem(&options, 1);
    Workbook.WriteMem(text.data() + at, static_cast<Int64>(n));
  }
}

// ---------------------------------------------------------------------------------------------
// TNameRecord

TNameRecord::TNameRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 14)) {
  if (static_cast<size_t>(FirstToken()) + TokenLength() > Data.size()) RaiseXls(XlsMsg::InvalidRecordId, {Int64{aId}});
}

Integer TNameRecord::FirstToken() const {
  if (Data.size() < 15) return 15;
  return 15 + Data[3] * ((Data[14] & 1) ? 2 : 1);
}

WideString TNameRecord::Name() const {
  Int64 length = 0;
  WideString text;
  DecodeStringAt(false, Data, 14, length, text, Data[3], true);
  return text;
}

Integer TNameRecord::RangeSheet() const { return static_cast<Integer>(GetWord(Data, 8)) - 1; }

WideString TNameRecord::Formula(const TCellList* CellList) const {
  if (TokenLength() == 0) return WideString();
  // The tokens need their length in front of them.
  ArrayOfByte data(2);
  SetWord(data, 0, TokenLength());
  data.insert(data.end(), Data.begin() + FirstToken(), Data.end());
  return FormulaTokensToText(data, 2, CellList);
}

size_t TNameRecord::SingleReference(bool& IsArea) const {
  const size_t start = static_cast<size_t>(FirstToken());
  const Word size = TokenLength();
  if (size == 0 || start >= Data.size()) return 0;
  const Byte base = static_cast<Byte>((Data[start] & 0x1F) | 0x20);
  if (Data[start] < 0x20) return 0;
  if (base == 0x3B && size == 11) IsArea = true;
  else if (base == 0x3A && size == 7) IsArea = false;
  else return 0;
  return start + 3;
}

Integer TNameRecord::Field(Integer Index) const {
  bool area = false;
  const size_t at = SingleReference(area);
  if (at == 0) return -1;
  if (!area) return Index < 2 ? GetWord(Data, at) : GetWord(Data, at + 2) & 0xFF;
  const Word v = GetWord(Data, at + 2 * static_cast<size_t>(Index));
  return Index < 2 ? v : v & 0xFF;
}

Integer TNameRecord::GetR1() const { return Field(0); }
Integer TNameRecord::GetR2() const { return Field(1); }
Integer TNameRecord::GetC1() const { return Field(2); }
Integer TNameRecord::GetC2() const { return Field(3); }

Integer TNameRecord::RefersToSheet(const TGetSheet& GetSheet) const {
  bool area = false;
  const size_t at = SingleReference(area);
  if (at == 0 || !GetSheet) return -1;
  return GetSheet(GetWord(Data, at - 2));
}

void TNameRecord::SetField(Integer Index, Integer Value) {
  bool area = false;
  size_t at = SingleReference(area);
  if (at == 0) return;
  if (!area) {
    // A single cell becomes an area of that cell first.
    const Word row = GetWord(Data, at), word = GetWord(Data, at + 2);
    const Byte insert[4] = {static_cast<Byte>(row), static_cast<Byte>(row >> 8), static_cast<Byte>(word),
                            static_cast<Byte>(word >> 8)};
    const Int64 grown = static_cast<Int64>(Data.size()) + 4;
    if (grown > 0xFFFF) RaiseXls(XlsMsg::TooManyEntries, {grown, Int64{0xFFFF}});
    Data.insert(Data.begin() + static_cast<long>(at + 2), insert, insert + 2);
    Data.insert(Data.begin() + static_cast<long>(at + 6), insert + 2, insert + 4);
    ++Data[at - 3];
    SetWord(Data, 4, static_cast<Word>(TokenLength() + 4));
  }
  const size_t field = at + 2 * static_cast<size_t>(Index);
  if (Index < 2) SetWord(Data, field, static_cast<Word>(Value));
  else SetWord(Data, field, static_cast<Word>(Value & 0xFF));
}

void TNameRecord::SetR1(Integer Value) { SetField(0, Value); }
void TNameRecord::SetR2(Integer Value) { SetField(1, Value); }
void TNameRecord::SetC1(Integer Value) { SetField(2, Value); }
void TNameRecord::SetC2(Integer Value) { SetField(3, Value); }

template <class F>
void TNameRecord::Arranging(F&& Operation) {
  try {
    Operation();
  } catch (const ETokenException& e) {
    RaiseXls(XlsMsg::WorksheetNameInFormula, {WideToUtf8(Name()), Int64{e.Token}});
  }
}

void TNameRecord::ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                           const TSheetInfo& SheetInfo) {
  const Integer first = FirstToken();
  Arranging([&] {
    ArrangeInsertRowsAndColsTokens(Data, first, first + TokenLength(), true, SheetInfo, 0, aColCount, aColPos, 0,
                                   aRowCount, aRowPos);
  });
}

TNameRecord* TNameRecord::ArrangeCopySheet(const TSheetInfo& SheetInfo) {
  const Integer first = FirstToken();
  Arranging([&] { ArrangeCopySheetTokens(Data, first, first + TokenLength(), SheetInfo); });
  SetWord(Data, 8, static_cast<Word>(SheetInfo.InsSheet + 1));
  return this;
}

void TNameRecord::ArrangeInsertSheets(Integer FirstSheet, Integer Count) {
  const Integer sheet = RangeSheet();
  if (sheet < 0 || sheet < FirstSheet) return;
  IncWordMax(Data, 8, Count, 65001);
}

std::unique_ptr<TNameRecord> TNameRecord::CreateFromData(const TXlsNamedRange& Range, TCellList* CellList,
                                                         const TWorkbookGlobals& Globals, Integer DefaultSheet) {
  const WideString formula = Utf8ToWide(Trim(WideToUtf8(Range.RangeFormula)));
  ArrayOfByte tokens;
  if (!formula.empty()) {
    const Integer sheet = Range.NameSheetIndex >= 0 ? Range.NameSheetIndex : DefaultSheet;
    const WideString sheetName = sheet >= 0 && sheet < Globals.SheetCount() ? Globals.GetSheetName(sheet) : WideString();
    TParseString parser(formula, TFmReturnType::fmRef, sheetName, true, CellList);
    parser.Parse();
    tokens.resize(static_cast<size_t>(parser.TotalSize() - 2));
    parser.CopyToPtrNoLen(tokens, 0);
  }
  if (Range.Name.size() > 255) RaiseXls(XlsMsg::InvalidNamedRange, {WideToUtf8(Range.Name)});
  const TExcelString name(1, Range.Name);
  ArrayOfByte data(14, 0);
  SetWord(data, 0, static_cast<Word>(Range.OptionFlags));
  data[3] = static_cast<Byte>(Range.Name.size());
  SetWord(data, 4, static_cast<Word>(tokens.size()));
  if (Range.NameSheetIndex >= 0) {
    SetWord(data, 6, static_cast<Word>(Range.NameSheetIndex + 1));
    SetWord(data, 8, static_cast<Word>(Range.NameSheetIndex + 1));
  }
  name.SaveToStream(data, false);
  data.insert(data.end(), tokens.begin(), tokens.end());
  return std::make_unique<TNameRecord>(BiffFormulaId::NAME, std::move(data));
}
