#include "xls/vavUBiffCellRecords.h"

#include <bit>
#include <typeinfo>
#include <cmath>
#include <cstring>

#include "classlib/SysUtils.h"

namespace {
struct TErrorCode {
  Byte Code;
  const char* Text;
};
constexpr TErrorCode ErrorCodes[] = {{0x00, XlsMsg::ErrNull}, {0x07, XlsMsg::ErrDiv0}, {0x0F, XlsMsg::ErrValue},
                                     {0x17, XlsMsg::ErrRef},  {0x1D, XlsMsg::ErrName}, {0x24, XlsMsg::ErrNum},
                                     {0x2A, XlsMsg::ErrNA}};

bool TryEncode(double x, Cardinal& RK) {
  for (int f = 0; f <= 1; ++f) {
    const double v = static_cast<double>(static_cast<long double>(x) * (f ? 100.0L : 1.0L));
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    const Cardinal high = static_cast<Cardinal>(bits >> 32);
    if (static_cast<Cardinal>(bits) == 0 && (high & 3) == 0) {
      RK = high + static_cast<Cardinal>(f);
      return true;
    }
    if (std::isfinite(v) && v == std::trunc(v) && v >= -536870912.0 && v <= 536870911.0) {
      RK = static_cast<Cardinal>(static_cast<int32_t>(v) * 4) + 2 + static_cast<Cardinal>(f);
      return true;
    }
  }
  return false;
}

void WriteCell6(TOle2File& Workbook, const TCellRecord& r, size_t count) {
  // XF (and RK) bytes of a cell inside a multi-cell record.
  Workbook.WriteMem(r.Data.data() + 4, static_cast<Int64>(count));
}
}  // namespace

ArrayOfByte RequireDataSize(Word aId, ArrayOfByte aData, size_t aSize) {
  if (aData.size() < aSize) RaiseXls(XlsMsg::InvalidRecordId, {Int64{aId}});
  return aData;
}

double DecodeRK(Cardinal RK) {
  double v;
  if (RK & 2) {
    v = static_cast<double>(static_cast<int32_t>(RK) >> 2);
  } else {
    v = std::bit_cast<double>(static_cast<uint64_t>(RK & 0xFFFFFFFCu) << 32);
  }
  if (RK & 1) v /= 100.0;
  return v;
}

bool EncodeRK(double x, Cardinal& RK) {
  Cardinal rk;
  // Kept only when it reads back bit for bit: x * 100 may round to a whole number whose
  // hundredth is a neighbour of x, not x itself.
  if (!TryEncode(x, rk) || std::bit_cast<uint64_t>(DecodeRK(rk)) != std::bit_cast<uint64_t>(x)) return false;
  RK = rk;
  return true;
}

String ErrorCodeText(Byte Code) {
  for (const auto& e : ErrorCodes)
    if (e.Code == Code) return e.Text;
  return XlsMsg::ErrNull;
}

bool ErrorTextCode(const String& Text, Byte& Code) {
  for (const auto& e : ErrorCodes)
    if (Text == e.Text) {
      Code = e.Code;
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------------------------
// BLANK

bool TBlankRecord::CanJoinNext(const TCellRecord* NextRecord, Integer MaxCol) const {
  return NextRecord && typeid(*NextRecord) == typeid(TBlankRecord) && NextRecord->Column() == Column() + 1 &&
         NextRecord->Column() <= MaxCol;
}

void TBlankRecord::SaveFirstMul(TOle2File& Workbook, Word JoinedRecordSize) const {
  Workbook.WriteHeader(BiffCellId::MULBLANK, static_cast<Word>(JoinedRecordSize - 4));
  Workbook.WriteMem(Data.data(), 6);
}

void TBlankRecord::SaveMidMul(TOle2File& Workbook) const { WriteCell6(Workbook, *this, 2); }

void TBlankRecord::SaveLastMul(TOle2File& Workbook) const {
  WriteCell6(Workbook, *this, 2);
  Workbook.Write16(Column());
}

// ---------------------------------------------------------------------------------------------
// BOOLERR

Variant TBoolErrRecord::GetValue() const {
  if (Data.at(7) != 0) return Variant(ErrorCodeText(Data.at(6)));
  return Variant(Data.at(6) != 0);
}

void TBoolErrRecord::SetValue(const Variant& Value) {
  if (Value.IsString()) {
    Byte code = 0;
    if (!ErrorTextCode(Value.AsString(), code)) RaiseXls(XlsMsg::InvalidErrorCode, {Value.AsString()});
    Data.at(7) = 1;
    Data.at(6) = code;
  } else if (Value.VType() == varBoolean) {
    Data.at(7) = 0;
    Data.at(6) = Value.AsBoolean() ? 1 : 0;
  } else if (Value.IsNull()) {
    RaiseXls(XlsMsg::InvalidCellValue, {String()});
  } else {
    RaiseXls(XlsMsg::InvalidCellValue, {VarToStr(Value)});
  }
}

// ---------------------------------------------------------------------------------------------
// RK

void TRKRecord::SetValue(const Variant& Value) {
  const double x = Value.AsDouble();
  Cardinal rk;
  if (!EncodeRK(x, rk)) RaiseXls(XlsMsg::InvalidCellValue, {FloatToStr(x)});
  SetCardinal(Data, 6, rk);
}

bool TRKRecord::CanJoinNext(const TCellRecord* NextRecord, Integer MaxCol) const {
  return NextRecord && typeid(*NextRecord) == typeid(TRKRecord) && NextRecord->Column() == Column() + 1 &&
         NextRecord->Column() <= MaxCol;
}

void TRKRecord::SaveFirstMul(TOle2File& Workbook, Word JoinedRecordSize) const {
  Workbook.WriteHeader(BiffCellId::MULRK, static_cast<Word>(JoinedRecordSize - 4));
  Workbook.WriteMem(Data.data(), 10);
}

void TRKRecord::SaveMidMul(TOle2File& Workbook) const { WriteCell6(Workbook, *this, 6); }

void TRKRecord::SaveLastMul(TOle2File& Workbook) const {
  WriteCell6(Workbook, *this, 6);
  Workbook.Write16(Column());
}

// ---------------------------------------------------------------------------------------------
// MULBLANK, MULRK

std::unique_ptr<TCellRecord> TMulBlankRecord::ExtractOneRecord() {
  if (Eof()) return nullptr;
  const Integer col = FirstColumn() + CurrentCol;
  // A run from the file that would pass the last column stops there.
  if (col > TBaseRowColRecord::MaxCol) {
    CurrentCol = static_cast<Integer>(Data.size());
    return nullptr;
  }
  auto r = TBlankRecord::CreateFromData(Row(), static_cast<Word>(col), GetWord(Data, 4 + 2 * static_cast<size_t>(CurrentCol)));
  ++CurrentCol;
  return r;
}

std::unique_ptr<TCellRecord> TMulRKRecord::ExtractOneRecord() {
  if (Eof()) return nullptr;
  const Integer col = FirstColumn() + CurrentCol;
  if (col > TBaseRowColRecord::MaxCol) {
    CurrentCol = static_cast<Integer>(Data.size());
    return nullptr;
  }
  auto r = TRKRecord::CreateFromData(Row(), static_cast<Word>(col), 0);
  std::memcpy(r->Data.data() + 4, Data.data() + 4 + 6 * static_cast<size_t>(CurrentCol), 6);
  ++CurrentCol;
  return r;
}
